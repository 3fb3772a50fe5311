// The browser edition in headless Chromium: the page loads with a silent console and fetches
// nothing from elsewhere, a Grand Prix is played by keys, and its commentary is karven-sim's
// for the same seed.
//   node play.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { spawn, spawnSync } from "node:child_process";
import { existsSync, mkdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import puppeteer from "puppeteer-core";

const [site, sim, out] = process.argv.slice(2);
const seed = 20261209;
mkdirSync(out, { recursive: true });
const problems = [];
const fail = message => { problems.push(message); console.error("FAIL: " + message); };

// The site as any static host serves it.
const server = spawn("python3", ["-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", site],
                     { stdio: ["ignore", "pipe", "pipe"] });
const port = await new Promise((resolve, reject) => {
  server.stdout.on("data", d => { const m = /port (\d+)/.exec(String(d)); if (m) resolve(m[1]); });
  server.on("exit", () => reject(new Error("http.server ended")));
});
const origin = `http://127.0.0.1:${port}`;

const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--window-size=1366,768"],
  defaultViewport: { width: 1366, height: 768 },
});
try {
  const page = await browser.newPage();
  page.on("console", m => fail(`console ${m.type()}: ${m.text()}`));
  page.on("pageerror", e => fail(`page error: ${e.message}`));
  page.on("request", r => { if (!r.url().startsWith(origin + "/") && !r.url().startsWith("blob:")) fail(`fetched ${r.url()}`); });
  page.on("requestfailed", r => fail(`request failed: ${r.url()}`));

  const started = Date.now();
  await page.goto(`${origin}/?seed=${seed}`, { waitUntil: "load" });
  let waits = 0;
  // The game waits for the player again: what its innermost window shows.
  const settle = async () => {
    await page.waitForFunction(n => window.karvenPage && window.karvenPage.waits > n, { timeout: 30000 }, waits);
    const state = await page.evaluate(() => ({ waits: window.karvenPage.waits, top: window.karvenPage.top() }));
    waits = state.waits;
    return state.top;
  };
  let top = await settle();
  console.log(`first screen after ${Date.now() - started} ms: ${top.form}`);
  await page.screenshot({ path: `${out}/first-screen.png` });

  // The start-up windows, each with its default.
  for (let i = 0; top.modal && i < 20; ++i) {
    await page.keyboard.press("Enter");
    top = await settle();
  }
  if (top.form !== "frmkarvenrace") fail(`the main window after the start-up windows, not ${top.form}`);
  await page.screenshot({ path: `${out}/main-window.png` });

  // A key of the main window, then every window it opens answered with Enter; their messages.
  const play = async key => {
    const messages = [];
    await page.keyboard.press(key);
    top = await settle();
    for (let i = 0; top.modal && i < 5000; ++i) {
      if (top.message !== null) messages.push(top.message);
      await page.keyboard.press("Enter");
      top = await settle();
    }
    return messages;
  };
  const qualifying = await play("Y");
  const race = await play("K");
  await page.screenshot({ path: `${out}/after-race.png` });
  const shown = [...qualifying, ...race].map(t => t.replace(/\r\n/g, "\n") + "\n----\n").join("");
  writeFileSync(`${out}/commentary.txt`, shown);
  // karven-sim echoes every window it answers on its standard error.
  const run = spawnSync(sim, ["--seed", String(seed), "--gps", "1"], { stdio: ["ignore", "ignore", "pipe"] });
  if (run.status !== 0) fail(`karven-sim ended with ${run.status}`);
  const expected = run.stderr;
  writeFileSync(`${out}/karven-sim.txt`, expected);
  if (race.length < 10) fail(`only ${race.length} windows in the race`);
  if (shown !== expected.toString()) fail(`the commentary differs from karven-sim --seed ${seed}: compare ${out}/commentary.txt and ${out}/karven-sim.txt`);

  // The drivers' standings on the board after the Grand Prix, as karven-sim sums them up.
  await page.keyboard.press("D");
  top = await settle();
  await page.screenshot({ path: `${out}/standings.png` });
  const texts = await page.evaluate(() => window.karvenPage.texts("frmkarvenrace"));
  const board = [];
  for (let k = 1; texts[`lbl2(${k})`]; ++k) board.push(`${texts[`lbl2(${k})`]} (${texts[`lbl3(${k})`]}) ${texts[`lbl4(${k})`]}`);
  const summary = spawnSync(sim, ["--seed", String(seed), "--gps", "1"], { stdio: ["ignore", "pipe", "ignore"] }).stdout.toString();
  const ranking = summary.split("\n").map(l => /^ +\d+\. (.*)$/.exec(l)).filter(Boolean).map(m => m[1]);
  const drivers = ranking.slice(0, board.length);
  if (!board.length || board.join("\n") !== drivers.join("\n"))
    fail(`the drivers' standings on the board:\n${board.join("\n")}\nkarven-sim:\n${drivers.join("\n")}`);
  // Saved as a download: the bytes karven-sim writes for the same seed and Grand Prix.
  const downloads = `${out}/downloads`;
  rmSync(downloads, { recursive: true, force: true });
  mkdirSync(downloads, { recursive: true });
  const cdp = await page.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
  const menu = async (head, item) => {
    await page.click(`[data-key="${head}"]`);
    await page.click(`[data-key="${item}"]`);
  };
  const downloaded = async name => {
    const path = `${downloads}/${name}`;
    for (let i = 0; i < 100 && !existsSync(path); ++i) await new Promise(r => setTimeout(r, 100));
    await new Promise(r => setTimeout(r, 300)); // written whole
    return existsSync(path) ? readFileSync(path) : null;
  };
  const unsaved = () => page.evaluate(() => window.karvenPage.unsaved);
  if (!(await unsaved())) fail("a season with a race played is not marked as unsaved work");
  await menu("File", "File_update");
  top = await settle();
  if (await unsaved()) fail("the season is still unsaved work after ﾌｧｲﾙ → 保存");
  const saved = await downloaded("karven.krv");
  const simSaved = `${out}/karven-sim.krv`;
  spawnSync(sim, ["--seed", String(seed), "--gps", "1", "--quiet", "--save", simSaved], { stdio: "ignore" });
  if (!saved) fail("no karven.krv downloaded on ﾌｧｲﾙ → 保存");
  else if (!saved.equals(readFileSync(simSaved))) fail(`the saved season differs from karven-sim --save: ${downloads}/karven.krv`);

  // Opened from the player's disk through the file picker, and saved again unchanged.
  const [chooser] = await Promise.all([page.waitForFileChooser(), menu("File", "File_open")]);
  await chooser.accept([simSaved]);
  top = await settle();
  if (top.modal) fail(`a window after opening a season: ${top.form} ${top.message || ""}`);
  await menu("File", "File_update");
  top = await settle();
  const again = await downloaded("karven-sim.krv");
  if (!again || !again.equals(readFileSync(simSaved))) fail("the opened season does not save back byte for byte");
  await page.screenshot({ path: `${out}/opened.png` });
  console.log(`${qualifying.length} qualifying and ${race.length} race windows; ${board.length} drivers with points`);
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.play: ok");
