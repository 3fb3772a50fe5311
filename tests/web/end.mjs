// The game ended in the browser (End, ﾌｧｲﾙ → 終了): the page says so, its windows gone, and offers
// to start again, in the player's language: from the newest autosave (that season opened) or as a
// new season (the rules' start).
//   node end.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { mkdirSync } from "node:fs";
import { fail, launch, open, problems, serve } from "./page.mjs";

const [site, , out] = process.argv.slice(2);
mkdirSync(out, { recursive: true });
const japanese = /[\u3040-\u30ff\u3400-\u9fff\uff01-\uff9f]/;
const { server, origin } = await serve(site);
const browser = await launch();
try {
  const g = await open(browser, origin);
  const page = g.page;
  const startUp = async () => {
    let top = await g.loaded();
    for (let i = 0; top.modal && i < 20; ++i) top = await g.press("Enter");
    return top;
  };
  await page.goto(`${origin}/?seed=7`, { waitUntil: "load" });
  await startUp();
  const worldOn = async () => (await page.$eval('#main [data-key="Set_World"]', el => el.classList.contains("checked")));
  // An autosave to come back to: the living world switched on.
  const stored = await page.evaluate(() => window.karvenPage.stored);
  await g.menu("Set", "Set_World");
  await page.waitForFunction(n => window.karvenPage.stored > n && !window.karvenPage.storing(), { timeout: 10000 }, stored);
  if (!(await worldOn())) fail("ﾜｰﾙﾄﾞの変化 is not on after choosing it");

  // What the page shows once the game has ended.
  const endedPage = async how => {
    await page.waitForSelector("#ended:not([hidden])", { timeout: 10000 }).catch(() => fail(`${how}: the page does not say the game has ended`));
    return page.evaluate(() => {
      const box = document.getElementById("ended");
      const main = document.getElementById("main");
      return {
        text: box.textContent,
        buttons: [...box.querySelectorAll("button")].map(b => b.dataset.key),
        focused: document.activeElement && document.activeElement.dataset.key,
        mainShown: !main.hidden && main.getBoundingClientRect().height > 0,
        windows: document.querySelectorAll("dialog[open]").length,
        unsaved: window.karvenPage.unsaved,
      };
    });
  };
  // End with unsaved work: the question first, then the page says the game has ended.
  let top = await g.click('#main [data-key="cmdEnd"]');
  if (top.form !== "frmasksave") fail(`End with unsaved work asks first, not ${top.form}`);
  await page.click('dialog[data-form="frmasksave"] [data-key="cmdDiscard"]');
  let shown = await endedPage("End");
  await page.screenshot({ path: `${out}/ended.png` });
  if (shown.mainShown || shown.windows) fail(`after End the main window or ${shown.windows} windows are still shown`);
  if (!/終了/.test(shown.text)) fail(`the ended page does not say the game has ended: ${shown.text}`);
  if (shown.buttons.join() !== "endedNew,endedResume") fail(`the ended page offers ${shown.buttons}`);
  if (shown.focused !== "endedNew") fail(`the keyboard focus on the ended page is on ${shown.focused}`);
  if (shown.unsaved) fail("the ended page asks before it is left");
  // A key of the game's is nothing now; A continues from the newest autosave.
  await page.keyboard.press("Y");
  await Promise.all([page.waitForNavigation({ waitUntil: "load" }), page.keyboard.press("A")]);
  top = await startUp();
  if (top.modal || !(await worldOn())) fail("the newest autosave is not the season after starting again from it");
  if (new URL(page.url()).searchParams.has("open")) fail(`the address still asks for the autosave: ${page.url()}`);
  await page.screenshot({ path: `${out}/resumed.png` });

  // In English, by ﾌｧｲﾙ → 終了; a new season starts as the rules start.
  await g.menu("Help", "Help_Lang", "Help_Language(2)");
  await page.click('#main [data-key="File"]');
  await page.click('#main [data-key="File_End"]');
  // Asked about unsaved work, or ended at once.
  await page.waitForFunction(n => !document.getElementById("ended").hidden || window.karvenPage.waits > n, { timeout: 10000 }, g.waits);
  if (await page.$('dialog[data-form="frmasksave"]')) await page.click('dialog[data-form="frmasksave"] [data-key="cmdDiscard"]');
  shown = await endedPage("File → Exit");
  await page.screenshot({ path: `${out}/ended-english.png` });
  if (japanese.test(shown.text) || !/ended/i.test(shown.text)) fail(`the ended page in English: ${shown.text}`);
  await Promise.all([page.waitForNavigation({ waitUntil: "load" }), page.click('#ended [data-key="endedNew"]')]);
  top = await startUp();
  if (top.modal || (await worldOn())) fail("a new season after the game ended is not the rules' start");
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.end: ok");
