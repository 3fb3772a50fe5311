// The analysis windows in headless Chromium: each opens by menu or key and closes with Esc or
// Enter, draws its charts as SVG in the machine colours with a line or bar for each car, driver or
// team it shows, and the title odds play in a Web Worker while the page keeps running, to the
// numbers karven-sim gives for the same season, seed and runs, a what-if among them; a worker that
// cannot be loaded is told.
//   node analysis.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { spawnSync } from "node:child_process";
import { mkdirSync, writeFileSync } from "node:fs";
import { Driver, launch, oddsState, serve, settler, watch } from "./page.mjs";

const [site, sim, out] = process.argv.slice(2);
const seed = 20261209, oddsRuns = 3000, gps = 2;
mkdirSync(out, { recursive: true });
const problems = [];
const fail = message => { problems.push(message); console.error("FAIL: " + message); };
const check = (ok, message) => { if (!ok) fail(message); };

const simJson = (...args) => {
  const run = spawnSync(sim, ["--seed", String(seed), "--quiet", "--json", ...args], { maxBuffer: 1 << 28 });
  if (run.status !== 0) throw new Error(`karven-sim ${args.join(" ")} ended with ${run.status}: ${run.stderr}`);
  return JSON.parse(run.stdout.toString());
};

const { server, origin } = await serve(site);
const browser = await launch();
try {
  const page = await browser.newPage();
  watch(page, origin, fail);
  // Every worker the page starts, by its script.
  await page.evaluateOnNewDocument(() => {
    window.workersStarted = [];
    const Real = window.Worker;
    window.Worker = class extends Real {
      constructor(url, options) { super(url, options); window.workersStarted.push(String(url)); }
    };
  });
  const started = Date.now();
  await page.goto(`${origin}/?seed=${seed}&oddsSeed=${seed}&oddsRuns=${oddsRuns}`, { waitUntil: "load" });
  const driver = new Driver(page);
  const settle = () => driver.settle();
  let top = await settle();
  const firstMs = Date.now() - started;
  // Told, not held to: how long it takes depends on the machine's load (the tests run side by side).
  console.log(`first screen after ${firstMs} ms`);
  for (let i = 0; top.modal && i < 20; ++i) {
    await page.keyboard.press("Enter");
    top = await settle();
  }
  check(top.form === "frmkarvenrace", `the main window after the start-up windows, not ${top.form}`);

  const menu = async item => {
    await page.click('[data-key="Ana"]');
    await page.click(`[data-key="${item}"]`);
    return settle();
  };
  const shot = async name => {
    await page.screenshot({ path: `${out}/${name}.png` });
    await page.setViewport({ width: 390, height: 844 });
    await new Promise(r => setTimeout(r, 400)); // the charts drawn again for the phone
    await page.screenshot({ path: `${out}/${name}-phone.png` });
    // Nothing of the window lies outside the phone's screen but what its body scrolls to.
    const cut = await page.evaluate(() => {
      const d = document.querySelector("dialog.window[open]");
      const box = d.getBoundingClientRect();
      return box.left < 0 || box.top < 0 || box.right > innerWidth + 0.5 || box.bottom > innerHeight + 0.5 ? JSON.stringify(box) : "";
    });
    check(!cut, `${name}: the window does not fit a phone's screen: ${cut}`);
    await page.setViewport({ width: 1366, height: 768 });
    await new Promise(r => setTimeout(r, 400));
  };
  const closeWith = async (key, name) => {
    await page.keyboard.press(key);
    top = await settle();
    check(!top.modal && top.form === "frmkarvenrace", `${key} does not close ${name}: ${top.form}`);
    check(!(await page.$('dialog[open][data-form="frmOdds"], dialog[open][data-form="frmRaceAna"]')), `${name} still in the page after ${key}`);
  };
  // Attribute values of the SVG elements under a selector.
  const attrs = (selector, name) => page.$$eval(selector, (els, n) => els.map(e => e.getAttribute(n)), name);

  // Before any race: nothing to look back on.
  top = await menu("Ana_Race");
  check(top.form === "frmRaceAna", `レース分析 by the menu opens ${top.form}`);
  check(!!(await page.$('dialog[open] [data-key="raceNone"]')), "レース分析 before a race: no word that nothing has been run");
  await closeWith("Escape", "レース分析 before a race");

  // Two Grands Prix played by keys, every window answered with Enter.
  for (const key of ["Y", "K", "Y", "K"]) {
    await page.keyboard.press(key);
    top = await settle();
    for (let i = 0; top.modal && i < 5000; ++i) {
      await page.keyboard.press("Enter");
      top = await settle();
    }
  }
  const season = simJson("--gps", String(gps));
  check(season.raceRecords.length === gps, `karven-sim kept ${season.raceRecords.length} races`);
  const record = season.raceRecords[gps - 1];
  const teamOf = new Map(season.drivers.map(d => [d.DrvNm, d.TimNo]));

  // レース分析 by its key: a line for every car of the grid, the marks of its stops and retirements.
  await page.keyboard.press("A");
  top = await settle();
  check(top.form === "frmRaceAna", `the A key opens ${top.form}, not レース分析`);
  const lapLines = await attrs('[data-key="raceLapChart"] g.line', "data-colour");
  check(lapLines.length === record.grid.length, `lap chart: ${lapLines.length} lines for ${record.grid.length} cars`);
  check(lapLines.every(c => /^#[0-9a-f]{6}$/.test(c) && c !== "#787878"), `lap chart: a line without its machine colour: ${lapLines}`);
  const pits = record.stops.filter(s => s.kind === "pit").length, penalties = record.stops.length - pits;
  const marks = await page.$$eval('[data-key="raceLapChart"] .marks', ms => ["pit", "penalty", "retired"].map(k => ms[0] ? ms[0].querySelectorAll("." + k).length : 0));
  check(marks[0] === pits && marks[1] === penalties && marks[2] === record.retirements.length,
        `lap chart marks ${marks} for ${pits} stops, ${penalties} penalties, ${record.retirements.length} retirements`);
  // The race just run is shown; the other is a choice away, drawn from its own records.
  const picker = await page.$eval('[data-key="raceGp"]', e => ({ n: e.options.length, at: e.selectedIndex, first: e.options[0].textContent }));
  check(picker.n === gps && picker.at === gps - 1, `the race picker: ${JSON.stringify(picker)}`);
  await page.select('[data-key="raceGp"]', picker.first);
  top = await settle();
  const firstLines = await page.$$eval('[data-key="raceLapChart"] g.line', gs => gs.length);
  check(firstLines === season.raceRecords[0].grid.length, `the first race: ${firstLines} lines for ${season.raceRecords[0].grid.length} cars`);
  check((await page.$eval('[data-key="raceSummary"]', e => e.textContent)).includes(String(season.raceRecords[0].laps.length)),
        "the first race's report does not tell its laps");
  await page.select('[data-key="raceGp"]', await page.$eval('[data-key="raceGp"]', e => e.options[e.options.length - 1].textContent));
  top = await settle();
  // The legend picks a line out; Ctrl+Tab goes on to the gaps, ten cars drawn at first.
  await page.click('[data-key="raceLapChart"] .legend .entry[data-row="0"]');
  top = await settle();
  const info = await page.$eval('[data-key="raceLapChart"] .chart-words', e => e.textContent);
  const winner = season.drivers.find(d => d.DrvNo === record.laps[record.laps.length - 1].order[0]);
  check(info.startsWith(winner.DrvNm) && info.includes("→"), `the line picked out: ${info}, the winner ${winner.DrvNm}`);
  const widths = await page.$$eval('[data-key="raceLapChart"] g.line polyline', ps => ps.map(p => p.getAttribute("stroke-width")));
  check(widths[widths.length - 1] === "5" && widths.slice(0, -1).every(w => w === "2.5"), `the line picked out is not drawn thick: ${widths}`);
  await shot("race-laps");
  await page.keyboard.down("Control");
  await page.keyboard.press("Tab");
  await page.keyboard.up("Control");
  top = await settle();
  const gapsDrawn = () => page.$$eval('[data-key="raceGapChart"] g.line', gs => gs.filter(g => g.style.display !== "none").length);
  const gapShown = await gapsDrawn();
  check(gapShown === Math.min(10, record.grid.length), `gap chart: ${gapShown} lines drawn at first`);
  check(await page.$eval('[data-key="raceGapChart"]', e => getComputedStyle(e).display !== "none"), "Ctrl+Tab does not show the gaps");
  // A check box of the legend takes its car off the chart, drawn again to the scale of the rest.
  await page.click('[data-key="raceGapChart"] .legend .entry[data-row="0"] .check');
  top = await settle();
  check(await gapsDrawn() === gapShown - 1, `gap chart: ${await gapsDrawn()} lines drawn after the winner's box was cleared`);
  await shot("race-gaps");
  await page.keyboard.down("Control");
  await page.keyboard.press("Tab");
  await page.keyboard.up("Control");
  top = await settle();
  check(await page.$eval('[data-key="raceReport"]', e => getComputedStyle(e).display !== "none"), "Ctrl+Tab does not go on to the report");
  const reportRows = await page.$$eval('[data-key="raceReport"] tbody tr', rs => rs.length);
  check(reportRows === record.grid.length, `race report: ${reportRows} rows for ${record.grid.length} cars`);
  const weatherCells = await page.$$eval('[data-key="raceWeather"] rect', rs => rs.length);
  check(weatherCells === record.laps.length + 1, `weather strip: ${weatherCells} cells for ${record.laps.length} laps and the start`);
  // Each cell says its weather in a letter too, and the strip is told in words.
  const strip = await page.$eval('[data-key="raceWeather"]', s => ({
    letters: [...s.querySelectorAll("text")].filter(t => ["晴", "曇", "雨"].includes(t.textContent)).length,
    name: s.getAttribute("aria-label") || "" }));
  check(strip.letters === weatherCells && strip.name.startsWith("スタート"), `weather strip told by colour alone: ${JSON.stringify(strip)}`);
  await shot("race-report");
  // Enter on the focused 閉じる.
  await page.focus('dialog[open] [data-key="analysisClose"]');
  await closeWith("Enter", "レース分析");

  // ポイント推移 by the menu: the ten best drivers with points, team-mates alone sharing a colour.
  top = await menu("Ana_Points");
  check(top.form === "frmPoints", `ポイント推移 opens ${top.form}`);
  const scorers = season.standings.drivers.filter(d => Number(d.Points) > 0);
  const driverLines = await page.$$eval('[data-key="pointsDriversChart"] g.line', gs => gs.map(g => g.getAttribute("data-colour")));
  check(driverLines.length === Math.min(10, scorers.length), `points chart: ${driverLines.length} lines for ${scorers.length} drivers with points`);
  const legendNames = await page.$$eval('[data-key="pointsDriversChart"] .legend .entry span', s => s.map(e => e.textContent));
  for (let i = 0; i < legendNames.length; ++i)
    for (let k = 0; k < i; ++k) {
      const mates = teamOf.get(legendNames[i]) === teamOf.get(legendNames[k]);
      if (mates !== (driverLines[i] === driverLines[k]))
        fail(`points chart: ${legendNames[i]} and ${legendNames[k]} ${mates ? "differ in colour as team-mates" : "share a colour from two teams"}`);
    }
  await shot("points");
  // The list picks a line out, the legend the same; Ctrl+Tab turns to the teams' page.
  await page.select('[data-key="pointsHighlight(0)"]', legendNames[1]);
  top = await settle();
  const faded = await attrs('[data-key="pointsDriversChart"] g.line', "opacity");
  check(faded.filter(o => o === "1").length === 1 && faded.filter(o => o === "0.25").length === faded.length - 1,
        `points chart: picking a line fades the others: ${faded}`);
  await page.click('[data-key="pointsDriversChart"] .legend .entry:nth-child(1)');
  top = await settle();
  check(await page.$eval('[data-key="pointsHighlight(0)"]', s => s.selectedIndex) === 1, "points chart: the legend does not pick in the list");
  await page.keyboard.down("Control");
  await page.keyboard.press("Tab");
  await page.keyboard.up("Control");
  top = await settle();
  const tabs = await page.$$eval('[data-key="pointsTabs"] [role="tab"]', ts => ts.map(t => t.getAttribute("aria-selected")));
  check(tabs.join() === "false,true", `Ctrl+Tab does not turn the points window's page: ${tabs}`);
  check(await page.$eval('[data-key="pointsTeamsChart"]', e => getComputedStyle(e).display !== "none") &&
        await page.$eval('[data-key="pointsDriversChart"]', e => getComputedStyle(e).display === "none"), "the teams' page is not the one shown");
  await closeWith("Escape", "ポイント推移");

  // チャンピオン予想: played in the worker while the page's own timer keeps ticking.
  await page.evaluate(() => {
    window.ticks = [];
    window.ticker = setInterval(() => window.ticks.push(performance.now()), 20);
  });
  top = await menu("Ana_Odds");
  check(top.form === "frmOdds", `チャンピオン予想 opens ${top.form}`);
  const answered = () => { const s = window.karvenBackground.state(); return !s.running && s.last; };
  const oddsDone = async what => {
    top = await driver.oddsAnswered(120000);
    const state = await oddsState(page);
    console.log(`${what}: ${state.runs} runs`);
    return state;
  };
  let state = await oddsDone("the odds");
  const ticks = await page.evaluate(() => { clearInterval(window.ticker); return window.ticks; });
  const longest = Math.max(...ticks.slice(1).map((t, i) => t - ticks[i]));
  // The page's own timer kept firing all through (odds on the page's thread would have held it
  // until they ended); how long its longest pause was depends on the machine's load, so it is told.
  console.log(`the page ticked ${ticks.length} times while the odds ran, the longest pause ${Math.round(longest)} ms`);
  check(ticks.length > 20, `the page stood still while the odds ran: ${ticks.length} ticks`);
  const workers = await page.evaluate(() => window.workersStarted);
  check(workers.length >= 1 && workers.every(u => u === "odds-worker.js"), `the odds ran without their worker: ${workers}`);
  const compare = (shown, expected, what) => {
    check(shown.runs === expected.runs, `${what}: ${shown.runs} runs, karven-sim ${expected.runs}`);
    const rows = (entries, driver) => entries.map(e => [e.No, e.Nm, e.title, e.place[1], e.place[2], e.place[3], e.meanPoints,
                                                        e.p5Points, e.p95Points, ...(driver ? [e.crowned] : [])]);
    const want = (entries, driver) => entries.map(e => [driver ? e.DrvNo : e.TimNo, driver ? e.DrvNm : e.TimNm, e.title, e.p1, e.p2,
                                                         e.p3, e.meanPoints, e.p5Points, e.p95Points, ...(driver ? [e.crowned] : [])]);
    for (const [got, exp, name] of [[rows(shown.drivers, true), want(expected.drivers, true), "drivers"],
                                    [rows(shown.teams, false), want(expected.teams, false), "teams"]]) {
      const a = JSON.stringify(got), b = JSON.stringify(exp);
      if (a !== b) {
        writeFileSync(`${out}/${what.replace(/\W+/g, "-")}-${name}.json`, `${a}\n${b}\n`);
        fail(`${what}: the ${name}' odds differ from karven-sim's`);
      }
    }
  };
  compare(state.result, simJson("--gps", String(gps), "--odds", String(oddsRuns), "--threads", "1").odds, "the odds");
  // The bars: one per driver shown, in his machine's colour, with the crown's beside.
  const bars = await attrs('[data-key="oddsDrivers"] rect.bar:not(.paler)', "fill");
  const named = await page.$$eval('[data-key="oddsDrivers"] text.name', ts => ts.length);
  check(bars.length === named && bars.length >= 3, `odds chart: ${bars.length} bars for ${named} drivers`);
  check((await attrs('[data-key="oddsDrivers"] rect.bar.paler', "fill")).length === bars.length, "odds chart: a driver without his crown's bar");
  check(bars.every(c => /^#[0-9a-f]{6}$/.test(c) && c !== "#787878"), `odds chart: a bar without its machine colour: ${bars}`);
  const status = await page.$eval('[data-key="oddsStatus"]', e => e.textContent);
  check(status.includes(String(oddsRuns)), `the status does not tell the runs: ${status}`);
  await shot("odds");
  await page.keyboard.down("Control");
  await page.keyboard.press("Tab");
  await page.keyboard.up("Control");
  await shot("odds-teams");
  await page.keyboard.down("Control");
  await page.keyboard.press("Tab");
  await page.keyboard.up("Control");
  const titleRows = await page.$$eval('[data-key="titleRace"] tbody tr', rs => rs.length);
  check(titleRows >= scorers.length, `title race: ${titleRows} drivers for ${scorers.length} with points`);
  await shot("odds-title-race");

  // もしも without a winner is refused and changes nothing.
  await page.click('[data-key="whatIfFix"]');
  top = await settle();
  state = await oddsState(page);
  check(!state.running && state.runs === oddsRuns && state.fixed.length === 0, "a what-if without a winner started the odds again");
  check((await page.$eval('[data-key="whatIfList"]', e => e.textContent)) === "1位のドライバーを選んでください。", "a what-if without a winner is not refused");
  // もしも: the first seated driver wins the next Grand Prix; the odds and karven-sim --fix agree.
  const fixed = await page.evaluate(() => ({
    gp: /\d+/.exec(document.querySelector('[data-key="whatIfGp"]').value)[0],
    name: document.querySelector('[data-key="whatIfPlace(1)"]').options[1].textContent,
  }));
  await page.select('[data-key="whatIfPlace(1)"]', fixed.name);
  top = await settle();
  const drvNo = season.drivers.find(d => d.DrvNm === fixed.name).DrvNo;
  await page.keyboard.down("Alt");
  await page.keyboard.press("f");
  await page.keyboard.up("Alt");
  top = await settle();
  state = await oddsDone("the what-if");
  check(state.fixed.length === 1, `Alt+F fixed ${JSON.stringify(state.fixed)}`);
  compare(state.result, simJson("--gps", String(gps), "--odds", String(oddsRuns), "--threads", "1", "--fix", `${fixed.gp}:${drvNo}`).odds,
          `the what-if ${fixed.gp}:${drvNo}`);
  check((await page.$eval('[data-key="whatIfList"]', e => e.textContent)).includes(fixed.name), "the what-if's list does not name the driver");
  await shot("odds-what-if");
  // 解除 starts over from today; 中止 at once ends the worker with what it has.
  await page.click('[data-key="whatIfClear"]');
  top = await settle();
  await page.click('[data-key="oddsStop"]');
  top = await settle();
  state = await oddsState(page);
  state.runs = Number(/\d+/.exec(await page.$eval('[data-key="oddsStatus"]', e => e.textContent))[0]);
  check(!state.running && state.runs < oddsRuns && state.fixed.length === 0, `中止: ${JSON.stringify({ running: state.running, runs: state.runs })}`);
  check(await page.$eval('[data-key="oddsStop"]', e => e.disabled), "中止 still enabled after stopping");
  await closeWith("Escape", "チャンピオン予想");
  // The main window takes its keys again.
  await page.keyboard.press("A");
  top = await settle();
  check(top.form === "frmRaceAna", "the A key after the analysis windows");
  await closeWith("Escape", "レース分析");

  // A season played to its end, opened from disk: the title is decided and the final standings show.
  const over = `${out}/season-over.krv`;
  spawnSync(sim, ["--seed", String(seed), "--gps", "all", "--quiet", "--save", over], { stdio: "ignore" });
  const final = JSON.parse(spawnSync(sim, ["--season", over, "--json", "--quiet"], { maxBuffer: 1 << 28 }).stdout.toString());
  // The season played here is not saved: 保存しない, then the file picker.
  await page.click('[data-key="File"]');
  await page.click('[data-key="File_open"]');
  top = await settle();
  check(top.modal, "no question before the unsaved season is left");
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('dialog[open] [data-key="cmdDiscard"]')]);
  await chooser.accept([over]);
  top = await settle();
  for (let i = 0; top.modal && i < 5; ++i) { await page.keyboard.press("Enter"); top = await settle(); }
  top = await menu("Ana_Odds");
  const finalRows = await page.$$eval('[data-key="oddsDrivers"] tbody tr', rs => rs.map(r => r.cells[1].textContent));
  const ranked = final.standings.drivers.map(d => d.DrvNm);
  check(finalRows.length > 0 && JSON.stringify(finalRows) === JSON.stringify(ranked.slice(0, finalRows.length)),
        `the decided title's standings: ${finalRows.slice(0, 3)} for ${ranked.slice(0, 3)}`);
  check(await page.$eval('[data-key="oddsDrivers"] tbody tr', r => r.getAttribute("aria-selected") === "true"), "the champion's row is not the one chosen");
  check(await page.$eval('[data-key="oddsStop"]', e => getComputedStyle(e).display === "none"), "中止 shown for a decided title");
  await shot("odds-decided");
  await closeWith("Escape", "チャンピオン予想 of a decided title");

  // Without a run count the odds answer by themselves after about two seconds (told, not held to:
  // it depends on the machine's load), as on the desktop; in English,
  // chosen on an earlier visit, the window speaks English.
  const timed = await browser.newPage();
  watch(timed, origin, fail);
  await timed.evaluateOnNewDocument(() => localStorage.setItem("karven.language", "en"));
  await timed.goto(`${origin}/?seed=${seed}`, { waitUntil: "load" });
  const settleTimed = settler(timed);
  top = await settleTimed();
  // The title window answered, the offer to go on with an earlier page's autosave declined.
  for (let i = 0; top.modal && i < 20; ++i) {
    await timed.keyboard.press(top.form === "frmkarvencontinue" ? "Escape" : "Enter");
    top = await settleTimed();
  }
  await timed.click('[data-key="Ana"]');
  const opened = Date.now();
  await timed.click('[data-key="Ana_Odds"]');
  await timed.waitForFunction(answered, { timeout: 30000 });
  const answeredMs = Date.now() - opened;
  top = await settleTimed();
  const timedRuns = (await oddsState(timed)).runs;
  console.log(`the odds without a run count: ${timedRuns} runs in ${answeredMs} ms`);
  check(timedRuns > 0 && timedRuns <= 20000, `the odds without a run count: ${timedRuns} runs in ${answeredMs} ms`);
  const english = await timed.$eval('dialog[open][data-form="frmOdds"]', d => d.innerText);
  check(english.includes("Championship odds") && !/[\u3040-\u30ff&]/.test(english), `the odds window in English: ${english.slice(0, 200)}`);
  await timed.screenshot({ path: `${out}/odds-english.png` });
  await timed.close();

  // The worker's script cannot be loaded: the window says the odds could not be worked out, rather
  // than "0 runs" over empty charts.
  const blocked = await browser.newPage();
  watch(blocked, origin, m => { if (!/odds-worker\.js|Failed to load resource/.test(m)) fail(m); });
  await blocked.evaluateOnNewDocument(() => localStorage.setItem("karven.language", "ja"));
  // Past the service worker, which would answer from the files it keeps for offline play.
  await blocked.setBypassServiceWorker(true);
  await blocked.setRequestInterception(true);
  blocked.on("request", r => (r.url().endsWith("/odds-worker.js") ? r.respond({ status: 404, body: "" }) : r.continue()));
  await blocked.goto(`${origin}/?seed=${seed}&oddsSeed=${seed}&oddsRuns=${oddsRuns}`, { waitUntil: "load" });
  const settleBlocked = settler(blocked);
  top = await settleBlocked();
  for (let i = 0; top.modal && i < 20; ++i) {
    await blocked.keyboard.press(top.form === "frmkarvencontinue" ? "Escape" : "Enter");
    top = await settleBlocked();
  }
  await blocked.click('[data-key="Ana"]');
  await blocked.click('[data-key="Ana_Odds"]');
  await blocked.waitForFunction(() => /できませんでした/.test(document.querySelector('[data-key="oddsStatus"]').textContent), { timeout: 10000 })
    .catch(() => fail("the odds without their worker keep running"));
  const told = await blocked.evaluate(() => ({
    status: document.querySelector('[data-key="oddsStatus"]').textContent,
    bars: document.querySelectorAll('[data-key="oddsDrivers"] rect.bar, [data-key="oddsTeams"] rect.bar').length,
    stop: document.querySelector('[data-key="oddsStop"]').disabled,
  }));
  check(/できませんでした/.test(told.status) && !/\d+ 回/.test(told.status), `the odds without their worker: ${told.status}`);
  check(told.bars === 0 && told.stop, `the odds' charts without their worker: ${JSON.stringify(told)}`);
  await blocked.screenshot({ path: `${out}/odds-no-worker.png` });
  await blocked.close();
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.analysis: ok");
