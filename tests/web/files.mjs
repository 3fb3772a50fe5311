// The browser edition's files and language in headless Chromium: the browser's language on a first
// visit, English chosen and kept across
// a reload, an autosave kept in IndexedDB and opened after a reload, the CSV export and the
// results handed over as downloads (the bytes karven-sim writes), the CSV files imported back,
// and a season file dropped on the page opened as ﾌｧｲﾙ → 開く opens one.
//   node files.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { spawnSync } from "node:child_process";
import { mkdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { Driver, downloaded, downloadsInto, fail, launch, namesIn, open, problems, serve, speak, storedAutosaves, watch } from "./page.mjs";

const [site, sim, out] = process.argv.slice(2);
const seed = 20261210;
mkdirSync(out, { recursive: true });
const shot = (driver, name) => driver.page.screenshot({ path: `${out}/files-${name}.png` });
// Japanese in a text: kana, kanji, full-width and half-width forms.
const japanese = /[\u3040-\u30ff\u3400-\u9fff\uff01-\uff9f]/;
const runSim = (...args) => {
  const run = spawnSync(sim, ["--seed", String(seed), "--lang", "en", "--quiet", ...args], { stdio: ["ignore", "pipe", "pipe"] });
  if (run.status !== 0) fail(`karven-sim ${args.join(" ")} ended with ${run.status}: ${run.stderr}`);
};

// What the main window shows that is the game's own wording: menus and captions, the names of the
// languages in themselves and the season's data left out.
async function japaneseShown(driver) {
  return driver.page.evaluate(pattern => {
    const re = new RegExp(pattern);
    const own = ["Help_Lang", "Help_Language(1)"];
    const found = [];
    for (const el of document.querySelectorAll("#main .menubar [data-key]"))
      if (!own.includes(el.dataset.key) && re.test(el.textContent)) found.push(`${el.dataset.key}: ${el.textContent}`);
    return found;
  }, japanese.source);
}

const { server, origin } = await serve(site);
const browser = await launch();
try {
  const driver = await open(browser, origin);
  const page = driver.page;
  const downloads = `${out}/files-downloads`;
  await downloadsInto(page, downloads);

  // 0. A first visit speaks the browser's language: English in a French one (as the desktop on a
  // French system), Japanese in a Japanese one (below); nothing is kept from it.
  const french = await browser.newPage();
  watch(french, origin, fail);
  await speak(french, ["fr-FR", "fr", "ja"]);
  const frenchDriver = new Driver(french);
  await french.goto(`${origin}/?seed=${seed}`, { waitUntil: "load" });
  await frenchDriver.loaded();
  await frenchDriver.answerAll(20);
  const shownInFrench = await japaneseShown(frenchDriver);
  if (shownInFrench.length) fail(`a first visit in a French browser is not in English: ${shownInFrench.join(", ")}`);
  await shot(frenchDriver, "first-visit-french");
  await french.close();

  // 1. English from the language menu, the whole page with it, and kept for the next visit.
  await page.goto(`${origin}/?seed=${seed}`, { waitUntil: "load" });
  await driver.loaded();
  await driver.answerAll(20);
  if ((await japaneseShown(driver)).length === 0) fail("the first visit is not in Japanese");
  await driver.menu("Help", "Help_Lang", "Help_Language(2)");
  const left = await japaneseShown(driver);
  if (left.length) fail(`Japanese left in the English menus: ${left.join(", ")}`);
  const main = await driver.texts("frmkarvenrace");
  const captions = Object.entries(main).filter(([k, t]) => /^(cmd|lblT)/.test(k) && t && japanese.test(t));
  if (captions.length) fail(`Japanese captions in English: ${captions.map(([k, t]) => `${k}=${t}`).join(", ")}`);
  if ((await page.evaluate(() => document.documentElement.lang)) !== "en") fail("the page's language is not en");
  await shot(driver, "english");
  await page.reload({ waitUntil: "load" });
  let top = await driver.loaded();
  if (top.modal && top.message && japanese.test(top.message)) fail(`the first window after a reload is Japanese: ${top.message}`);
  await driver.answerAll(20);
  if ((await japaneseShown(driver)).length) fail("English is not kept across a reload");
  const loading = await page.evaluate(() => document.getElementById("loading").textContent);
  if (japanese.test(loading)) fail(`the first screen's text stays Japanese: ${loading}`);
  await shot(driver, "english-reloaded");

  // 2. A Grand Prix played: its autosave written to IndexedDB, listed after a reload and opened.
  const stored = () => page.evaluate(() => window.karvenPage.stored);
  const before = await stored();
  await driver.play("Y");
  await driver.play("K");
  for (let i = 0; i < 100 && (await stored()) === before; ++i) await new Promise(r => setTimeout(r, 100));
  if ((await stored()) === before) fail("no autosave written back to IndexedDB after a Grand Prix");
  const status = await page.evaluate(() => document.getElementById("status").textContent);
  if (!status || japanese.test(status)) fail(`the status line after a Grand Prix: ${status}`);
  await page.reload({ waitUntil: "load" });
  await driver.loaded();
  // The autosave is offered at once; declined, the game starts as the rules start it.
  const offer = await driver.startAsTheRules();
  if (!offer || !offer.includes("cmdAutosave") || offer.includes("cmdFile"))
    fail(`the offer to go on after a reload: ${JSON.stringify(offer)}`);
  top = await driver.menu("File", "File_autosave");
  if (top.form !== "frmkarvenautosave") fail(`自動保存から開く opens ${top.form}`);
  const list = await page.evaluate(() => [...document.querySelectorAll('dialog[data-form="frmkarvenautosave"] option')].map(o => o.textContent));
  if (list.length !== 1 || japanese.test(list[0])) fail(`the autosaves listed after a reload: ${JSON.stringify(list)}`);
  await shot(driver, "autosaves");
  top = await driver.press("Enter"); // 開く on the newest
  await driver.answerAll(20);
  if (top.modal) fail(`a window after opening the autosave: ${top.form} ${top.message || ""}`);
  // Saved as a download: the season karven-sim has after the same Grand Prix.
  const simSaved = `${out}/files-karven-sim.krv`;
  runSim("--gps", "1", "--save", simSaved);
  await driver.menu("File", "File_update");
  await driver.answerAll(5);
  await new Promise(r => setTimeout(r, 500));
  const krv = namesIn(downloads).filter(n => n.endsWith(".krv"));
  const autosaved = krv.length === 1 ? await downloaded(downloads, krv[0]) : null;
  if (!autosaved) fail(`the opened autosave saved as ${JSON.stringify(krv)}`);
  else if (!autosaved.equals(readFileSync(simSaved))) fail(`the opened autosave differs from karven-sim --gps 1: ${downloads}/${krv[0]}`);

  // 3. ﾌｧｲﾙ → エクスポート and 成績をエクスポート: the files as downloads, as karven-sim writes them.
  const simCsv = `${out}/files-sim-csv`, simResults = `${out}/files-sim-results`;
  rmSync(simCsv, { recursive: true, force: true });
  rmSync(simResults, { recursive: true, force: true });
  runSim("--gps", "1", "--export-csv", simCsv, "--export-results", simResults);
  const compare = async (folder, what) => {
    const names = namesIn(folder);
    if (!names.length) fail(`karven-sim wrote no ${what}`);
    for (const name of names) {
      const got = await downloaded(downloads, name);
      if (!got) fail(`${name} not downloaded by ${what}`);
      else if (!got.equals(readFileSync(`${folder}/${name}`))) fail(`${name} of ${what} differs from karven-sim's ${folder}/${name}`);
    }
    return names;
  };
  top = await driver.menu("File", "File_export");
  if (!top.modal || japanese.test(top.message || "")) fail(`after the export: ${top.form} ${top.message}`);
  await shot(driver, "exported");
  // Downloaded while the message tells of them.
  const csv = await compare(simCsv, "the CSV export");
  if (csv.join() !== "calendar.csv,drivers.csv,teams.csv") fail(`the CSV export's files: ${csv}`);
  await driver.answerAll(5);
  await driver.menu("File", "File_results");
  const results = await compare(simResults, "the results export");
  await driver.answerAll(5);
  if (!results.includes("season-report.html")) fail(`no season report among ${results}`);
  const report = await browser.newPage();
  await report.goto(`file://${downloads}/season-report.html`, { waitUntil: "load" });
  await report.screenshot({ path: `${out}/files-report.png`, fullPage: false });
  await report.close();

  // 4. ﾌｧｲﾙ → インポート of the files just exported, the first driver's technique changed in a
  // copy that a browser would name "drivers (1).csv": taken, and exported again as imported.
  const drivers = readFileSync(`${downloads}/drivers.csv`).toString("latin1").split("\r\n");
  const first = drivers[1].split(",");
  first[2] = first[2] === "E" ? "D" : "E";
  drivers[1] = first.join(",");
  const edited = Buffer.from(drivers.join("\r\n"), "latin1");
  const picked = `${out}/files-picked`;
  rmSync(picked, { recursive: true, force: true });
  mkdirSync(picked, { recursive: true });
  writeFileSync(`${picked}/drivers (1).csv`, edited);
  for (const name of ["teams.csv", "calendar.csv"]) writeFileSync(`${picked}/${name}`, readFileSync(`${downloads}/${name}`));
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#main [data-key="File"]').then(() => page.click('#main [data-key="File_import"]'))]);
  if (!chooser.isMultiple()) fail("the import's file picker takes one file only");
  await chooser.accept(["teams.csv", "drivers (1).csv", "calendar.csv"].map(n => `${picked}/${n}`));
  top = await driver.settle();
  if (!top.modal || !top.message || japanese.test(top.message)) fail(`the import: ${top.form} ${top.message}`);
  await shot(driver, "imported");
  await driver.answerAll(5);
  rmSync(downloads, { recursive: true, force: true });
  await downloadsInto(page, downloads);
  await driver.menu("File", "File_export");
  for (const name of ["teams.csv", "calendar.csv"]) {
    const got = await downloaded(downloads, name);
    if (!got || !got.equals(readFileSync(`${simCsv}/${name}`))) fail(`${name} exported after the import differs from what was imported`);
  }
  const reexported = await downloaded(downloads, "drivers.csv");
  if (!reexported || !reexported.equals(edited)) fail(`drivers.csv exported after the import is not the edited one: ${downloads}/drivers.csv`);
  await driver.answerAll(5);

  // 5. A season file dropped on the page: ﾌｧｲﾙ → 開く's questions, then the file opened.
  const twoGps = `${out}/files-two-gps.krv`;
  runSim("--gps", "2", "--save", twoGps);
  const drop = path => page.evaluate((name, base64) => {
    const bytes = Uint8Array.from(atob(base64), c => c.charCodeAt(0));
    const data = new DataTransfer();
    data.items.add(new File([bytes], name));
    document.getElementById("main").dispatchEvent(new DragEvent("drop", { dataTransfer: data, bubbles: true, cancelable: true }));
  }, path.split("/").pop(), readFileSync(path).toString("base64"));
  await driver.play("Y"); // unsaved work: qualifying run
  await drop(twoGps);
  top = await driver.settle();
  if (top.form !== "frmasksave") fail(`a drop over unsaved work asks first, not ${top.form}`);
  await shot(driver, "drop-asks");
  // Cancelled: nothing opened, and the next ﾌｧｲﾙ → 開く asks for a file again.
  await driver.click('dialog[data-form="frmasksave"] [data-key="cmdCancel"]');
  top = await driver.menu("File", "File_open");
  if (top.form !== "frmasksave") fail(`ﾌｧｲﾙ → 開く over unsaved work asks first, not ${top.form}`);
  const picking = page.waitForFileChooser({ timeout: 5000 }).catch(() => null);
  await page.click('dialog[data-form="frmasksave"] [data-key="cmdDiscard"]');
  const picker = await picking;
  if (!picker) fail("after a cancelled drop ﾌｧｲﾙ → 開く opens the dropped file without asking for one");
  else await picker.cancel();
  top = await driver.settle();
  if (top.modal) fail(`a window after the file picker was cancelled: ${top.form}`);
  await drop(twoGps);
  top = await driver.settle();
  if (top.form === "frmasksave") top = await driver.click('dialog[data-form="frmasksave"] [data-key="cmdDiscard"]');
  await driver.answerAll(20);
  const caption = await page.evaluate(() => document.title);
  if (!caption.includes("files-two-gps.krv")) fail(`the window's caption after the drop: ${caption}`);
  await shot(driver, "dropped");
  rmSync(downloads, { recursive: true, force: true });
  await downloadsInto(page, downloads);
  await driver.menu("File", "File_update");
  await driver.answerAll(5);
  const again = await downloaded(downloads, "files-two-gps.krv");
  if (!again || !again.equals(readFileSync(twoGps))) fail("the dropped season does not save back byte for byte");
  // Ctrl+S, 上書き保存: the same file handed over again, the browser's own use of the key given way.
  rmSync(downloads, { recursive: true, force: true });
  await downloadsInto(page, downloads);
  await page.keyboard.down("Control");
  await page.keyboard.press("s");
  await page.keyboard.up("Control");
  top = await driver.settle();
  if (top.modal) fail(`Ctrl+S opened ${top.form}`);
  let inPlace = null;
  for (let i = 0; i < 50 && !inPlace; ++i, await new Promise(r => setTimeout(r, 100)))
    inPlace = await downloaded(downloads, "files-two-gps.krv");
  if (!inPlace || !inPlace.equals(readFileSync(twoGps))) fail("Ctrl+S does not hand the season over as its file");
  // 6. The ten newest autosaves kept, in IndexedDB too: ﾜｰﾙﾄﾞの変化 switched twelve times, each
  // switch a change the game autosaves.
  for (let i = 0; i < 12; ++i) await driver.menu("Set", "Set_World");
  await page.waitForFunction(() => !window.karvenPage.storing(), { timeout: 10000 });
  const kept = Object.keys(await storedAutosaves(page)).length;
  if (kept !== 10) fail(`${kept} autosaves in IndexedDB after twelve more, not the newest ten`);
  await page.reload({ waitUntil: "load" });
  await driver.loaded();
  await driver.startAsTheRules();
  await driver.menu("File", "File_autosave");
  const listed = await page.evaluate(() => document.querySelectorAll('dialog[data-form="frmkarvenautosave"] option').length);
  if (listed !== 10) fail(`${listed} autosaves listed after a reload, not ten`);
  await shot(driver, "ten-autosaves");
  await driver.press("Escape");
  console.log(`${list.length} autosave listed, then the newest ${listed} kept; ${csv.length} CSV files and ${results.length} result files as karven-sim writes them`);
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.files: ok");
