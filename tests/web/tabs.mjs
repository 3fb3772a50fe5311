// Two tabs of the game in one browser, both autosaving: neither removes nor overwrites what the other
// stored, a fresh tab lists every autosave of both, and the newest ten are kept without taking an
// open tab's files; the tab that closed gives its old ones up. Autosaves an earlier visit stored
// stay readable.
//   node tabs.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { mkdirSync } from "node:fs";
import { fail, launch, open, problems, serve, storedAutosaves } from "./page.mjs";

const [site, , out] = process.argv.slice(2);
mkdirSync(out, { recursive: true });
const { server, origin } = await serve(site);
const browser = await launch();

// Each ﾜｰﾙﾄﾞの変化 is a change the game autosaves; the tab's store waited for.
async function autosave(g, times) {
  await g.page.bringToFront(); // a page in the background draws no frames to click in
  for (let i = 0; i < times; ++i) {
    const before = await g.page.evaluate(() => window.karvenPage.stored);
    await g.menu("Set", "Set_World");
    await g.page.waitForFunction(n => window.karvenPage.stored > n && !window.karvenPage.storing(), { timeout: 10000 }, before)
      .catch(() => fail(`a tab's autosave was not stored (${i + 1} of ${times})`));
  }
}
const listed = async g => {
  await g.page.bringToFront();
  let top = await g.menu("File", "File_autosave");
  // The season changed unsaved: kept as it is, as nothing is opened.
  if (top.form === "frmasksave") top = await g.click('dialog[data-form="frmasksave"] [data-key="cmdDiscard"]');
  if (top.form !== "frmkarvenautosave") { fail(`自動保存から開く opens ${top.form}`); return []; }
  const items = await g.page.evaluate(() => [...document.querySelectorAll('dialog[data-form="frmkarvenautosave"] option')].map(o => o.textContent));
  await g.press("Escape");
  return items;
};
const started = async () => {
  const g = await open(browser, origin);
  for (let top = await g.goto(origin, "?seed=4"), i = 0; top.modal && i < 20; ++i) top = await g.press("Enter");
  return g;
};
const mineIn = (files, tab) => Object.keys(files).filter(n => files[n] === tab).length;

try {
  // 0. An autosave stored by an earlier visit (its records without a tab) is listed and kept.
  const a = await started();
  const tabA = await a.page.evaluate(() => typeof karvenAutosaves === "object" ? karvenAutosaves.tab : "");
  await autosave(a, 1);
  const earlier = Object.keys(await storedAutosaves(a.page))[0];
  if (!earlier) fail("no autosave stored");
  await a.page.evaluate(name => new Promise((resolve, reject) => {
    const request = indexedDB.open("/autosave");
    request.onerror = () => reject(request.error);
    request.onsuccess = () => {
      const transaction = request.result.transaction("FILE_DATA", "readwrite");
      const store = transaction.objectStore("FILE_DATA");
      store.get("/autosave/" + name).onsuccess = ev => {
        const { timestamp, mode, contents } = ev.target.result;
        store.put({ timestamp, mode, contents }, "/autosave/19990101-000000-000.krv");
      };
      transaction.oncomplete = () => { request.result.close(); resolve(); };
      transaction.onerror = () => reject(transaction.error);
    };
  }), earlier);

  // 1. Two tabs autosaving in turn: every autosave of both stored, each tab seeing the other's.
  const b = await started();
  const tabB = await b.page.evaluate(() => typeof karvenAutosaves === "object" ? karvenAutosaves.tab : "");
  for (let round = 0; round < 2; ++round) {
    await autosave(a, 1);
    await autosave(b, 1);
  }
  let files = await storedAutosaves(a.page);
  if (Object.keys(files).length !== 6 || mineIn(files, tabA) !== 3 || mineIn(files, tabB) !== 2 || !("19990101-000000-000.krv" in files))
    fail(`after two tabs autosaved 3 and 2 times: ${JSON.stringify(files)}`);
  let inA = await listed(a);
  if (inA.length !== 6) fail(`the first tab lists ${inA.length} autosaves, not 6: ${JSON.stringify(inA)}`);
  await a.page.screenshot({ path: `${out}/tabs-first.png` });

  // 2. A fresh tab lists them all.
  const c = await started();
  const inC = await listed(c);
  if (inC.length !== 6) fail(`a fresh tab lists ${inC.length} autosaves, not 6: ${JSON.stringify(inC)}`);
  await c.page.close();

  // 3. The newest ten: the first tab autosaves twelve more; its own and the earlier visit's
  // oldest go, the open second tab's stay.
  await autosave(a, 12);
  files = await storedAutosaves(b.page);
  if (mineIn(files, tabA) !== 10 || mineIn(files, tabB) !== 2 || Object.keys(files).length !== 12)
    fail(`after twelve more in the first tab: ${JSON.stringify(files)}`);
  const inB = await listed(b);
  if (inB.length !== 12) fail(`the second tab lists ${inB.length} autosaves, not 12`);

  // 4. The second tab closed: its files are the oldest and go at the next autosave.
  await b.page.close();
  await a.page.waitForFunction(tab => navigator.locks.query().then(l => !l.held.some(h => h.name.endsWith(tab))), { timeout: 10000 }, tabB)
    .catch(() => fail("the closed tab is still told as open"));
  await autosave(a, 1);
  files = await storedAutosaves(a.page);
  if (mineIn(files, tabA) !== 10 || Object.keys(files).length !== 10)
    fail(`after the second tab closed and the first autosaved: ${JSON.stringify(files)}`);
  inA = await listed(a);
  if (inA.length !== 10) fail(`the first tab lists ${inA.length} autosaves at the end, not 10`);
  console.log(`two tabs: ${Object.keys(files).length} autosaves kept`);
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.tabs: ok");
