// The page as assistive technology reads it: axe-core's WCAG 2.1 A and AA rules find nothing in
// the game's windows (the main window before and after a race, the start-up windows, a
// commentary window, qualifying, the standings, the records, the guide, the editors, the team
// chooser and the headquarters, the analysis windows, the warning and the questions, the market,
// the ended page); every window the binder opens is a named modal dialog with the keyboard focus on
// one of its controls, the commentary is told as it changes, and the tables have headers.
//   node axe.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { spawnSync } from "node:child_process";
import { mkdirSync, writeFileSync } from "node:fs";
import axe from "axe-core";
import { fail, launch, open, problems, serve } from "./page.mjs";

const [site, sim, out] = process.argv.slice(2);
const seed = 9;
mkdirSync(out, { recursive: true });
const { server, origin } = await serve(site);
const browser = await launch();
const seen = new Map(); // what was looked at → how many rules found something there
try {
  const g = await open(browser, origin);
  const page = g.page;

  // axe's rules on the page as it is now, and what every open window says of itself.
  const audit = async where => {
    if (!(await page.evaluate(() => !!window.axe))) await page.evaluate(axe.source);
    const found = await page.evaluate(async () => {
      const result = await window.axe.run(document, {
        runOnly: { type: "tag", values: ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa"] },
        resultTypes: ["violations"],
      });
      return result.violations.map(v => ({ id: v.id, help: v.help, nodes: v.nodes.map(n => `${n.target.join(" ")}: ${n.failureSummary.replace(/\s+/g, " ")}`) }));
    });
    for (const v of found) fail(`${where}: ${v.id} (${v.help}) at ${v.nodes.length} places: ${v.nodes.slice(0, 3).join(" | ")}`);
    const windows = await page.evaluate(() => {
      const faults = [];
      const open = [...document.querySelectorAll("dialog[open]")];
      for (const d of open) {
        const name = d.dataset.form || d.className;
        const title = (d.getAttribute("aria-labelledby") || "").split(" ").map(id => document.getElementById(id)).filter(Boolean)
          .map(e => e.textContent.trim()).join(" ");
        if (d.getAttribute("role") !== "dialog" && d.getAttribute("role") !== "alertdialog") faults.push(`${name} has the role ${d.getAttribute("role")}`);
        if (d.getAttribute("aria-modal") !== "true") faults.push(`${name} is not told to be modal`);
        if (!title) faults.push(`${name} is not named by its title`);
        // A table is a grid with its column headers; the row chosen is its active descendant.
        for (const grid of d.querySelectorAll("table, [role=grid]")) {
          if (grid.matches("table") && grid.closest("[role=grid], .document")) continue;
          const key = grid.dataset.key || grid.className;
          if (grid.getAttribute("role") !== "grid") faults.push(`${name}: the table ${key} is not a grid`);
          const headers = grid.querySelectorAll("[role=columnheader]").length;
          if (!headers) faults.push(`${name}: the table ${key} has no column headers`);
          const chosen = grid.querySelector("tr.selected");
          const active = document.getElementById(grid.getAttribute("aria-activedescendant") || "");
          if (chosen && !(active && chosen.contains(active))) faults.push(`${name}: the row chosen in ${key} is not its active descendant`);
        }
      }
      // The keyboard focus on a control of the innermost window.
      const top = open.pop(), at = document.activeElement;
      if (top && !(top.contains(at) && at.matches("button, input, select, textarea, [tabindex], a[href]") && at.tabIndex >= 0 && !at.disabled))
        faults.push(`the focus is on ${at ? at.tagName + " " + (at.dataset.key || at.className) : "nothing"}, not on a control of ${top.dataset.form || top.className}`);
      return faults;
    });
    for (const w of windows) fail(`${where}: ${w}`);
    seen.set(where, found.length + windows.length);
    await page.screenshot({ path: `${out}/${seen.size}-${where.replace(/\W+/g, "-")}.png` });
  };

  // Start-up, each of its windows looked at once.
  let top = await g.goto(origin, `?seed=${seed}&oddsSeed=${seed}&oddsRuns=100`);
  for (let i = 0; top.modal && i < 20; ++i) {
    if (!seen.has(top.form)) await audit(top.form);
    top = await g.press("Enter");
  }
  await audit("main window");
  // Windows of the main window's menus, each closed with Esc.
  const look = async (what, ...keys) => {
    top = await g.menu(...keys);
    if (!top.modal) { fail(`${what}: no window opens`); return; }
    await audit(what);
    for (let i = 0; top.modal && i < 5; ++i) top = await g.press("Escape");
  };
  const lookAll = async windows => { for (const [what, ...keys] of windows) await look(what, ...keys); };
  await lookAll([["the guide", "Help", "Help_Howto"], ["the drivers' editor", "Set", "Set_Drv(23)"],
                 ["the teams' editor", "Set", "Set_Tim(22)"], ["the season's settings", "Set", "Set_Sis(21)"],
                 ["the past seasons", "Rec", "Rec_Past"]]);
  // A team taken in the chooser, and its headquarters.
  top = await g.menu("Set", "Set_Principal");
  await audit("the team chooser");
  for (let i = 0; top.modal && i < 5; ++i) top = await g.press("Enter");
  await look("the headquarters", "Set", "Set_HQ");

  // Qualifying and the race: the first window of each kind, the commentary among them, which is
  // named by its race and lap, described by its message and tells it as it changes; the rest of
  // the race skipped after two.
  let comments = 0;
  for (const key of ["Y", "K"]) {
    top = await g.press(key);
    for (let i = 0; top.modal && i < 2000; ++i) {
      if (!seen.has(top.form)) await audit(top.form);
      if (top.form === "frmkarvenmsg") {
        const told = await page.evaluate(() => {
          const d = document.querySelector('dialog[open][data-form="frmkarvenmsg"]');
          const live = d.querySelector('[aria-live="polite"]');
          const name = document.getElementById(d.getAttribute("aria-labelledby"));
          return { live: live ? live.textContent : null, name: name ? name.textContent : "",
                   described: !!live && d.getAttribute("aria-describedby") === live.id };
        });
        if (told.live !== top.message.replace(/\r\n/g, "\n") || !told.described || !told.name.includes("実況"))
          fail(`the commentary is not told: ${JSON.stringify(told)}`);
        ++comments;
      }
      const skip = await page.$('dialog[open] [data-key="cmdSkip"]:not([disabled])');
      top = comments >= 2 && skip && await skip.isVisible() ? await g.press("S") : await g.press("Enter");
    }
  }
  if (!comments) fail("no commentary in the race");
  // What the windows show is also told: the race's result, then the standings.
  const announced = () => page.waitForFunction(() => (document.getElementById("announcer") || {}).textContent, { timeout: 5000 })
    .then(() => page.evaluate(() => document.getElementById("announcer").textContent)).catch(() => "");
  const result = await announced();
  if (!result.includes("優勝")) fail(`the race's result is not announced: ${JSON.stringify(result)}`);
  top = await g.press("D");
  await audit("the standings");
  await page.waitForFunction(r => document.getElementById("announcer").textContent !== r, { timeout: 5000 }, result).catch(() => {});
  const standings = await announced();
  if (!standings.includes("ドライバーズランキング")) fail(`the standings are not announced: ${JSON.stringify(standings)}`);
  // The standings read as a table: Ctrl+G puts the keyboard in it, the arrows walk its cells and
  // the label of the current one is ringed.
  await page.keyboard.down("Control");
  await page.keyboard.press("g");
  await page.keyboard.up("Control");
  for (const key of ["ArrowDown", "ArrowRight"]) await page.keyboard.press(key);
  const grid = await page.evaluate(() => {
    const g = document.querySelector("#main [role=grid]");
    if (!g) return null;
    const active = document.getElementById(g.getAttribute("aria-activedescendant") || "");
    const rows = [...g.querySelectorAll("[role=row]:not([hidden])")];
    const shown = window.karvenPage.texts("frmkarvenrace");
    let listed = 0;
    while (listed < 32 && shown[`lbl2(${listed + 1})`]) ++listed;
    return { name: g.getAttribute("aria-label"), title: shown.lblTitle, focused: document.activeElement === g, rows: rows.length, listed,
             headers: [...rows[0].querySelectorAll("[role=columnheader]:not([hidden])")].map(h => h.textContent),
             active: active ? active.textContent : null, second: shown["lbl2(2)"],
             ringed: (document.querySelector("#main .cell-current") || {}).textContent || null };
  });
  if (!grid || !grid.focused || !grid.name || grid.name !== grid.title || grid.rows !== grid.listed + 1 ||
      grid.headers[1] !== "ドライバー" || grid.active !== grid.second || grid.ringed !== grid.second)
    fail(`the standings do not read as a table: ${JSON.stringify(grid)}`);
  await audit("the standings read as a table");
  await lookAll([["the champions", "Rec", "Rec_Champions"], ["the all-time records", "Rec", "Rec_AllTime"],
                 ["a driver's record", "Rec", "Rec_Driver"], ["the version", "Help", "Help_Ver"],
                 ["the points", "Ana", "Ana_Points"]]);
  // レース分析's three pages: the lap chart, the gaps with their check boxes, the report and its strip.
  top = await g.menu("Ana", "Ana_Race");
  await audit("the race analysis");
  for (const pageName of ["the race analysis's gaps", "the race analysis's report"]) {
    await page.keyboard.down("Control");
    await page.keyboard.press("Tab");
    await page.keyboard.up("Control");
    top = await g.settle();
    await audit(pageName);
  }
  for (let i = 0; top.modal && i < 5; ++i) top = await g.press("Escape");
  top = await g.menu("Ana", "Ana_Odds");
  top = await g.oddsAnswered();
  await audit("the odds");
  top = await g.press("Escape");

  // ﾌｧｲﾙ → 開く with unsaved work: the question first, then the file.
  const openSeason = async path => {
    const chooser = page.waitForFileChooser();
    let settled = g.menu("File", "File_open");
    if (await Promise.race([chooser.then(() => false), settled.then(() => true)])) {
      if (g.top.form !== "frmasksave") fail(`ﾌｧｲﾙ → 開く opens ${g.top.form}`);
      if (!seen.has("the question before opening")) await audit("the question before opening");
      settled = g.click('dialog[open] [data-key="cmdDiscard"]');
    }
    await (await chooser).accept([path]);
    return settled;
  };
  // A file that is no season: the message that says so.
  const bad = `${out}/not-a-season.krv`;
  writeFileSync(bad, "no season\r\n");
  top = await openSeason(bad);
  if (!top.modal) fail("a file that is no season opens no window");
  else await audit("the message on a file that is no season");
  for (let i = 0; top.modal && i < 5; ++i) top = await g.press("Enter");
  // The page's own warning (a season that could not be saved).
  await page.evaluate(() => { window.karvenPage.warning("⚠"); });
  await audit("the warning");
  await page.keyboard.press("Enter");
  await page.waitForFunction(() => !document.querySelector("dialog.warning"), { timeout: 5000 });

  // The season's end, from karven-sim: the market's windows.
  const ended = `${out}/season-end.krv`;
  spawnSync(sim, ["--seed", String(seed), "--gps", "all", "--quiet", "--save", ended], { stdio: "ignore" });
  top = await openSeason(ended);
  for (let i = 0; top.modal && i < 10; ++i) {
    if (!seen.has(top.form)) await audit(top.form);
    top = await g.press("Enter");
  }
  top = await g.press("N");
  let market = 0;
  for (let i = 0; top.modal && i < 3000; ++i) {
    if (!seen.has(top.form)) { await audit(top.form); ++market; }
    const skip = await page.$('dialog[open] [data-key="cmdSkip"]:not([disabled])');
    top = skip && await skip.isVisible() ? await g.press("S") : await g.press("Enter");
  }
  if (!market) fail("the market opens no window");

  // End with unsaved work: the question, then the ended page.
  top = await g.click('#main [data-key="cmdEnd"]');
  if (top.form === "frmasksave") {
    await audit("the question before End");
    await page.click('dialog[data-form="frmasksave"] [data-key="cmdDiscard"]');
  }
  await page.waitForSelector("#ended:not([hidden])", { timeout: 10000 });
  await audit("the ended page");
  console.log([...seen].map(([w, n]) => `${w}: ${n ? n + " faults" : "ok"}`).join("\n"));
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.axe: ok");
