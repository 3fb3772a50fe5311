// The browser edition in headless Chromium: the page loads with a silent console and fetches
// nothing from elsewhere, a Grand Prix is played by keys, and its commentary is karven-sim's
// for the same seed.
//   node play.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { spawnSync } from "node:child_process";
import { mkdirSync, readFileSync, writeFileSync } from "node:fs";
import { downloaded, downloadsInto, fail, launch, open, problems, serve } from "./page.mjs";

const [site, sim, out] = process.argv.slice(2);
const seed = 20261209;
mkdirSync(out, { recursive: true });
const { server, origin } = await serve(site);
const browser = await launch();
try {
  const started = Date.now();
  const g = await open(browser, origin);
  const page = g.page;
  let top = await g.goto(origin, `?seed=${seed}`);
  console.log(`first screen after ${Date.now() - started} ms: ${top.form}`);
  await page.screenshot({ path: `${out}/first-screen.png` });

  // The start-up windows, each with its default.
  for (let i = 0; top.modal && i < 20; ++i) top = await g.press("Enter");
  if (top.form !== "frmkarvenrace") fail(`the main window after the start-up windows, not ${top.form}`);
  await page.screenshot({ path: `${out}/main-window.png` });

  // A key of the main window, then every window it opens answered with Enter; their messages.
  // Pictures drawn on the page: every one shown has been decoded (the site carries them as PNG).
  // A picture just given may still be decoding, or be given another meanwhile: each is awaited a
  // few times; one that never decodes is not drawn.
  const pictures = () => page.evaluate(() => Promise.all([...document.querySelectorAll("img.picture")]
    .filter(img => img.offsetParent !== null && img.getAttribute("src"))
    .map(async img => {
      for (let tries = 0; tries < 3; ++tries) {
        try {
          await img.decode();
          return { key: img.dataset.key, drawn: img.naturalWidth > 0 };
        } catch (e) { await new Promise(r => setTimeout(r, 100)); }
      }
      return { key: img.dataset.key, drawn: img.complete && img.naturalWidth > 0 };
    })));
  let animation = 0;
  const play = async key => {
    const messages = [];
    top = await g.press(key);
    for (let i = 0; top.modal && i < 5000; ++i) {
      if (top.message !== null) messages.push(top.message);
      if (i % 25 === 10) {
        const shown = await pictures();
        for (const p of shown.filter(p => !p.drawn)) fail(`the picture ${p.key} is not drawn`);
        if (shown.some(p => p.key === "imgAnime" && p.drawn) && !animation++)
          await page.screenshot({ path: `${out}/race-picture.png` });
      }
      top = await g.press("Enter");
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
  if (!animation) fail("the race's pictures never shown");
  if (shown !== expected.toString()) fail(`the commentary differs from karven-sim --seed ${seed}: compare ${out}/commentary.txt and ${out}/karven-sim.txt`);

  // The drivers' standings on the board after the Grand Prix, as karven-sim sums them up.
  top = await g.press("D");
  await page.screenshot({ path: `${out}/standings.png` });
  const texts = await g.texts("frmkarvenrace");
  const board = [];
  for (let k = 1; texts[`lbl2(${k})`]; ++k) board.push(`${texts[`lbl2(${k})`]} (${texts[`lbl3(${k})`]}) ${texts[`lbl4(${k})`]}`);
  const summary = spawnSync(sim, ["--seed", String(seed), "--gps", "1"], { stdio: ["ignore", "pipe", "ignore"] }).stdout.toString();
  const ranking = summary.split("\n").map(l => /^ +\d+\. (.*)$/.exec(l)).filter(Boolean).map(m => m[1]);
  const drivers = ranking.slice(0, board.length);
  if (!board.length || board.join("\n") !== drivers.join("\n"))
    fail(`the drivers' standings on the board:\n${board.join("\n")}\nkarven-sim:\n${drivers.join("\n")}`);
  // Saved as a download: the bytes karven-sim writes for the same seed and Grand Prix.
  const folder = `${out}/downloads`;
  await downloadsInto(page, folder);
  const unsaved = () => page.evaluate(() => window.karvenPage.unsaved);
  if (!(await unsaved())) fail("a season with a race played is not marked as unsaved work");
  top = await g.menu("File", "File_update");
  if (await unsaved()) fail("the season is still unsaved work after ﾌｧｲﾙ → 保存");
  const saved = await downloaded(folder, "karven.krv");
  const simSaved = `${out}/karven-sim.krv`;
  spawnSync(sim, ["--seed", String(seed), "--gps", "1", "--quiet", "--save", simSaved], { stdio: "ignore" });
  if (!saved) fail("no karven.krv downloaded on ﾌｧｲﾙ → 保存");
  else if (!saved.equals(readFileSync(simSaved))) fail(`the saved season differs from karven-sim --save: ${out}/downloads/karven.krv`);

  // Opened from the player's disk through the file picker, and saved again unchanged.
  const choosing = page.waitForFileChooser();
  const opened = g.menu("File", "File_open");
  await (await choosing).accept([simSaved]);
  top = await opened;
  if (top.modal) fail(`a window after opening a season: ${top.form} ${top.message || ""}`);
  top = await g.menu("File", "File_update");
  const again = await downloaded(folder, "karven-sim.krv");
  if (!again || !again.equals(readFileSync(simSaved))) fail("the opened season does not save back byte for byte");
  await page.screenshot({ path: `${out}/opened.png` });
  console.log(`${qualifying.length} qualifying and ${race.length} race windows; ${board.length} drivers with points`);
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.play: ok");
