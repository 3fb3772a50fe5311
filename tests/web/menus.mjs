// The menus by keyboard, as on the desktop: Alt and the menu's letter, then the item's letter or
// the arrows and Enter; 記録's windows and the guide opened that way and closed with Esc.
//   node menus.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { mkdirSync } from "node:fs";
import { fail, launch, open, problems, serve } from "./page.mjs";

const [site, , out] = process.argv.slice(2);
mkdirSync(out, { recursive: true });
const { server, origin } = await serve(site);
const browser = await launch();
try {
  const g = await open(browser, origin);
  const page = g.page;
  let top = await g.goto(origin, "?seed=3");
  for (let i = 0; top.modal && i < 20; ++i) top = await g.press("Enter");
  // Play a Grand Prix so that the records have a season to show.
  for (const key of ["Y", "K"]) {
    top = await g.press(key);
    for (let i = 0; top.modal && i < 5000; ++i) top = await g.press("Enter");
  }
  const alt = async (menu, ...keys) => {
    await page.keyboard.down("Alt");
    await page.keyboard.press(menu);
    await page.keyboard.up("Alt");
    for (const k of keys.slice(0, -1)) await page.keyboard.press(k);
    return g.press(keys[keys.length - 1]);
  };
  const opens = async (what, form, ...keys) => {
    top = await alt(...keys);
    if (!top.modal || top.form !== form) { fail(`${what}: ${form} not opened, ${top.form} on top`); return; }
    await page.screenshot({ path: `${out}/${form}.png` });
    for (let i = 0; top.modal && i < 5; ++i) top = await g.press("Escape");
    if (top.modal) fail(`${what}: Esc does not close ${form}`);
  };
  await opens("Alt+R, C", "frmkarvenchampions", "R", "C");
  await opens("Alt+R, A", "frmkarvenalltime", "R", "A");
  await opens("Alt+H, G", "frmguide", "H", "G");
  // The arrows walk the items that can be chosen, and Enter takes the focused one.
  await page.keyboard.down("Alt");
  await page.keyboard.press("R");
  await page.keyboard.up("Alt");
  const focused = () => page.evaluate(() => document.activeElement && document.activeElement.dataset.key);
  const walked = [await focused()];
  for (let i = 0; i < 12 && walked[walked.length - 1] !== "Rec_AllTime"; ++i) {
    await page.keyboard.press("ArrowDown");
    walked.push(await focused());
  }
  if (walked[0] !== "Rec_Champions" || walked[walked.length - 1] !== "Rec_AllTime") fail(`↓ through 記録: ${walked.join(" ")}`);
  top = await g.press("Enter");
  if (top.form !== "frmkarvenalltime") fail(`Enter on 通算記録 opens ${top.form}`);
  for (let i = 0; top.modal && i < 5; ++i) top = await g.press("Escape");
  // Esc closes an open menu without choosing; the main window's keys work again afterwards.
  await page.keyboard.down("Alt");
  await page.keyboard.press("F");
  await page.keyboard.up("Alt");
  const menusOpen = await page.evaluate(() => document.querySelectorAll(".menu.open").length);
  if (menusOpen !== 1) fail(`Alt+F opens ${menusOpen} menus`);
  await page.keyboard.press("Escape");
  if (await page.evaluate(() => document.querySelectorAll(".menu.open").length)) fail("Esc leaves the menu open");
  top = await g.press("D");
  if (top.modal) fail(`D after a menu opens ${top.form}`);
  // Alt pressed and let go alone opens the first menu; → moves to the next.
  const opened = () => page.evaluate(() => [...document.querySelectorAll(".menu.open > button")].map(b => b.dataset.key).join(" "));
  await page.keyboard.press("Alt");
  const first = await opened();
  await page.keyboard.press("ArrowRight");
  const second = await opened();
  if (first !== "File" || second !== "Set") fail(`Alt alone and → open ${JSON.stringify([first, second])}`);
  await page.keyboard.press("Escape");
  // Ctrl+G puts the keyboard in a window's own list (the past seasons).
  top = await g.menu("Rec", "Rec_Past");
  await page.keyboard.down("Control");
  await page.keyboard.press("g");
  await page.keyboard.up("Control");
  const inList = await page.evaluate(() => !!document.activeElement && document.activeElement.classList.contains("tablebox"));
  if (top.form !== "frmkarvenpast" || !inList) fail(`Ctrl+G in ${top.form} does not reach its list`);
  for (let i = 0; top.modal && i < 5; ++i) top = await g.press("Escape");
  // ﾍﾙﾌﾟ → 文字キーにAltを使う: a letter alone starts nothing, Alt with it the command, before the
  // menu of the same letter (R: シーズン成績表, not 記録); remembered for the next visit.
  top = await g.menu("Help", "Help_AltKeys");
  // A key the game takes no notice of: nothing to wait for but a moment.
  const ignored = async key => {
    await page.keyboard.press(key);
    await new Promise(resolve => setTimeout(resolve, 300));
    return page.evaluate(() => window.karvenPage.top());
  };
  top = await ignored("R");
  if (top.modal) fail(`R alone opens ${top.form} where letters need Alt`);
  await page.keyboard.down("Alt");
  top = await g.press("R");
  await page.keyboard.up("Alt");
  if (top.form !== "frmkarvenseiseki") fail(`Alt+R opens ${top.form}, not the season results`);
  for (let i = 0; top.modal && i < 5; ++i) top = await g.press("Escape");
  top = await g.goto(origin, "?seed=3");
  for (let i = 0; top.modal && i < 20; ++i) top = await g.press("Enter");
  top = await ignored("Y");
  if (top.modal) fail(`Y alone opens ${top.form} after the page is loaded again`);
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.menus: ok");
