// A laptop's screen (1366×768) and keyboard: the main window whole above the status line, its
// bottom grid row and the principal's label too; nothing drawn over the command buttons, behind the
// title window at start-up either; the principal's team chooser walked with the arrow keys, and his
// headquarters opened by keys after a race.
//   node laptop.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { mkdirSync } from "node:fs";
import { fail, launch, open, problems, serve } from "./page.mjs";

const [site, , out] = process.argv.slice(2);
mkdirSync(out, { recursive: true });
const { server, origin } = await serve(site);
const browser = await launch(1366, 768);
try {
  const g = await open(browser, origin);
  const page = g.page;
  const shot = name => page.screenshot({ path: `${out}/laptop-${name}.png` });

  // The main window's shown controls that lie over a shown command button, and those cut off: by
  // the screen, the status line, or the window's own edges.
  const layout = () => page.evaluate(() => {
    const shown = el => el.getClientRects().length > 0 && getComputedStyle(el).visibility !== "hidden";
    const controls = [...document.querySelectorAll("#main .form > [data-key]")].filter(shown);
    const box = el => el.getBoundingClientRect();
    const meet = (a, b) => Math.min(a.right, b.right) - Math.max(a.left, b.left) > 1 && Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 1;
    const over = [];
    for (const button of controls.filter(el => el.matches("button.cmd")))
      for (const el of controls) if (el !== button && meet(box(el), box(button))) over.push(`${el.dataset.key} over ${button.dataset.key}`);
    const status = box(document.getElementById("status")).top;
    const form = document.querySelector("#main > .form"), board = document.getElementById("board");
    const limit = form ? box(form) : null, clip = box(board);
    const cut = [];
    for (const el of controls) {
      const r = box(el);
      if (r.left < 0 || r.right > innerWidth + 0.5 || r.bottom > status + 0.5 || r.bottom > clip.bottom + 0.5 || r.right > clip.right + 0.5 ||
          (limit && (r.bottom > limit.bottom + 0.5 || r.right > limit.right + 0.5)))
        cut.push(`${el.dataset.key} ${Math.round(r.top)}..${Math.round(r.bottom)}`);
    }
    return { over, cut, keys: controls.map(el => el.dataset.key) };
  });

  // Behind the title window: nothing over the commands.
  let top = await g.goto(origin, "?seed=2");
  await shot("title");
  let laid = await layout();
  if (laid.over.length) fail(`behind the title window: ${laid.over.join(", ")}`);
  for (let i = 0; top.modal && i < 20; ++i) top = await g.press("Enter");
  await shot("main");
  laid = await layout();
  if (laid.over.length) fail(`the main window: ${laid.over.join(", ")}`);
  if (laid.cut.length) fail(`cut off on a laptop's screen: ${laid.cut.join(", ")}`);
  if (!laid.keys.includes("lbl1(32)")) fail("the grid's last row is not shown");

  // 設定 → 監督モード by keys; the team table takes the arrows, Home, End and the page keys.
  await page.keyboard.down("Alt");
  await page.keyboard.press("S");
  await page.keyboard.up("Alt");
  top = await g.press("M");
  if (top.form !== "frmkarvenprincipal") fail(`Alt+S, M opens ${top.form}`);
  const chooser = 'dialog[data-form="frmkarvenprincipal"]';
  const selected = () => page.$$eval(`${chooser} tbody tr`, rows => rows.findIndex(r => r.classList.contains("selected")));
  const rows = await page.$$eval(`${chooser} tbody tr`, rs => rs.map(r => r.cells[0].textContent));
  const keys = ["ArrowDown", "ArrowDown", "ArrowDown", "ArrowUp", "End", "ArrowDown", "Home", "ArrowUp", "PageDown", "Home", "ArrowDown", "ArrowDown"];
  const expected = [0, 1, 2, 3, 2, rows.length - 1, rows.length - 1, 0, 0, null, 0, 1, 2];
  const walked = [await selected()];
  for (const [i, key] of keys.entries()) {
    // A key that cannot move the selection (↓ on the last row) gives the game nothing to do.
    if (expected[i + 1] === walked[i]) await page.keyboard.press(key);
    else await g.press(key);
    walked.push(await selected());
  }
  if (walked.some((at, i) => expected[i] !== null && at !== expected[i]) || !(walked[9] > 0))
    fail(`the team table by keys: ${walked.join(" ")} (${rows.length} teams)`);
  // The last row chosen by End is scrolled to.
  await g.press("End");
  const inView = await page.$eval(`${chooser} .tablebox`, box => {
    const row = box.querySelector("tbody tr.selected");
    return !!row && row.getBoundingClientRect().bottom <= box.getBoundingClientRect().bottom + 0.5;
  });
  if (!inView) fail("the row chosen by End is not scrolled to");
  await shot("principal-chooser");
  await g.press("Home");
  await g.press("ArrowDown");
  await g.press("ArrowDown");
  top = await g.press("Enter");
  if (top.modal) fail(`Enter leaves ${top.form} open`);
  const label = (await g.texts("frmkarvenrace")).lblPrincipal || "";
  if (!label.includes(rows[2])) fail(`the team taken by Enter on the third row is not ${rows[2]}: ${label}`);
  await shot("principal");
  laid = await layout();
  if (!laid.keys.includes("lblPrincipal")) fail("the principal's label is not shown");
  if (laid.cut.length) fail(`cut off with a principal: ${laid.cut.join(", ")}`);

  // 次の判断まで beside スキップ: whole within its window, and D plays a race on to his calls alone.
  const decide = () => page.evaluate(() => {
    const b = document.querySelector("dialog[open] [data-key=cmdDecide]");
    if (!b || b.offsetParent === null || b.disabled) return null;
    const d = b.closest("dialog").getBoundingClientRect(), r = b.getBoundingClientRect();
    return { inside: r.left >= d.left && r.right <= d.right + 0.5, whole: b.scrollWidth <= b.clientWidth + 1 };
  });
  let decided = 0, calls = 0;
  for (const command of ["Y", "K"]) {
    top = await g.press(command);
    let playing = false;
    for (let i = 0; top.modal && i < 2000; ++i) {
      const offered = await decide();
      if (offered && !playing) {
        if (!offered.inside || !offered.whole) fail(`次の判断まで cut off: ${JSON.stringify(offered)}`);
        if (!decided++) await shot("decide");
        playing = true;
        top = await g.press("d");
        continue;
      }
      if (playing && top.form === "frmkarvenmsg") fail("a commentary window after 次の判断まで");
      if (top.form === "frmkarvencall") ++calls;
      top = await g.press("Enter");
    }
    if (top.modal) fail(`a window that does not end: ${top.form}`);
  }
  if (decided !== 2) fail(`次の判断まで offered in ${decided} of qualifying and the race`);
  console.log(`played on to the principal's calls: ${calls} asked`);

  // 設定 → 本部 by keys: whole on the laptop's screen, the books holding the race, + spending more
  // on speed, Esc leaving.
  await page.keyboard.down("Alt");
  await page.keyboard.press("S");
  await page.keyboard.up("Alt");
  top = await g.press("H");
  const hq = 'dialog[data-form="frmkarvenheadquarters"]';
  if (top.form !== "frmkarvenheadquarters") fail(`Alt+S, H opens ${top.form}`);
  else {
    await shot("headquarters");
    const cut = await page.$eval(hq, d => {
      const r = d.getBoundingClientRect();
      return [...d.querySelectorAll("[data-key]")].filter(el => el.getClientRects().length > 0).filter(el => {
        const b = el.getBoundingClientRect();
        return b.right > r.right + 0.5 || b.bottom > r.bottom + 0.5 || b.right > innerWidth + 0.5 || b.bottom > innerHeight + 0.5;
      }).map(el => el.dataset.key);
    });
    if (cut.length) fail(`本部 cut off on a laptop's screen: ${cut.join(", ")}`);
    const races = await page.$$eval(`${hq} [data-key=tblBooks] tbody tr`, rs => rs.length);
    if (races !== 1) fail(`本部's books hold ${races} races after one`);
    const spend = async () => (await g.texts("frmkarvenheadquarters"))["lblSpend(0)"];
    const before = await spend();
    await g.click(`${hq} [data-key="cmdMore(0)"]`);
    if ((await spend()) === before) fail(`+ leaves the speed programme at ${before}`);
    top = await g.press("Escape");
    if (top.modal) fail(`Esc leaves ${top.form} open`);
  }

  // ﾍﾙﾌﾟ → 文字の大きさ 200 %: the page zoomed twice, the main window kept at its size with the page
  // scrolling to each of its controls, a window within the screen with its button in reach, the
  // size kept for the next visit.
  const reach = selector => page.evaluate(selector => {
    const el = document.querySelector(selector);
    if (!el) return `${selector} missing`;
    // Whole where it fits the screen, else from its top left corner.
    el.scrollIntoView({ block: "start", inline: "start" });
    const r = el.getBoundingClientRect();
    const fits = r.height <= innerHeight && r.width <= innerWidth;
    const seen = fits ? r.left >= -0.5 && r.top >= -0.5 && r.right <= innerWidth + 0.5 && r.bottom <= innerHeight + 0.5
                      : r.left >= -0.5 && r.top >= -0.5 && r.left < innerWidth && r.top < innerHeight;
    return seen && r.width > 0 ? "" : `${selector} at ${Math.round(r.left)},${Math.round(r.top)} (${Math.round(r.width)}×${Math.round(r.height)})`;
  }, selector);
  const zoom = () => page.evaluate(() => getComputedStyle(document.documentElement).zoom);
  const endHeight = () => page.$eval('#main [data-key="cmdEnd"]', b => b.getBoundingClientRect().height);
  const atFirst = await endHeight();
  top = await g.menu("Help", "Help_Size", "Help_TextSize(5)");
  if ((await zoom()) !== "2") fail(`200 % zooms the page to ${await zoom()}`);
  if (!((await endHeight()) > 1.5 * atFirst)) fail(`at 200 % the End button is ${await endHeight()} px high, at 100 % ${atFirst}`);
  for (const key of ["cmdEnd", "lbl1(32)", "lblMsgBox", "cmdStart"]) {
    const out = await reach(`#main [data-key="${key}"]`);
    if (out) fail(`at 200 %: ${out}`);
  }
  await shot("text-200");
  top = await g.menu("Help", "Help_Howto");
  if (top.form !== "frmguide") fail(`ﾍﾙﾌﾟ → 遊び方 opens ${top.form}`);
  const guide = await page.$eval('dialog[open][data-form="frmguide"]', d => {
    const r = d.getBoundingClientRect();
    return r.left >= -0.5 && r.top >= -0.5 && r.right <= innerWidth + 0.5 && r.bottom <= innerHeight + 0.5;
  });
  if (!guide) fail("at 200 % the guide reaches out of the screen");
  const close = await reach('dialog[open][data-form="frmguide"] [data-key="cmdOK"]');
  if (close) fail(`at 200 % the guide's button is out of reach: ${close}`);
  await shot("text-200-guide");
  top = await g.press("Escape");
  top = await g.goto(origin, "?seed=2");
  for (let i = 0; top.modal && i < 20; ++i) top = await g.press("Enter");
  if ((await zoom()) !== "2") fail(`the text size is not kept for the next visit: ${await zoom()}`);
  top = await g.menu("Help", "Help_Size", "Help_TextSize(1)");
  if ((await zoom()) !== "1") fail(`100 % leaves the page zoomed ${await zoom()}`);
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.laptop: ok");
