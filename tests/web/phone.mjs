// A phone held upright (390×844): the main window's columns one below the other and the page
// scrolling down, every window fits across, and nothing makes the page wider than the screen;
// turned sideways the window is whole; a Grand Prix's qualifying played by taps.
//   node phone.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { mkdirSync } from "node:fs";
import { fail, launch, open, problems, serve } from "./page.mjs";

const [site, , out] = process.argv.slice(2);
mkdirSync(out, { recursive: true });
const { server, origin } = await serve(site);
const browser = await launch(390, 844);
try {
  const g = await open(browser, origin);
  const page = g.page;
  await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true });
  let shots = 0;
  // Nothing sticks out to the right of the screen: the page, the board, any open window.
  const check = async where => {
    const wide = await page.evaluate(() => {
      const w = window.innerWidth, found = [];
      if (document.documentElement.scrollWidth > w) found.push(`the page is ${document.documentElement.scrollWidth} px wide`);
      for (const el of [document.getElementById("board"), ...document.querySelectorAll("dialog[open]")]) {
        const r = el.getBoundingClientRect();
        if (r.width > 0 && (r.left < 0 || r.right > w + 0.5)) found.push(`${el.id || el.dataset.form} spans ${Math.round(r.left)}..${Math.round(r.right)}`);
      }
      return found;
    });
    for (const w of wide) fail(`${where}: ${w}`);
    if (shots < 6) await page.screenshot({ path: `${out}/${++shots}-${where}.png` });
  };
  const tapDefault = async () => {
    const key = await page.evaluate(() => {
      const d = [...document.querySelectorAll("dialog[open]")].pop();
      const b = d && (d.querySelector("button.cmd.default") || d.querySelector("button.cmd"));
      return b ? b.dataset.key : null;
    });
    if (!key) { fail(`no button to tap in ${g.top.form}`); return false; }
    await page.tap(`dialog[open] [data-key="${key}"]`);
    await g.settle();
    return true;
  };
  let top = await g.goto(origin, "?seed=5");
  await check("first-screen");
  for (let i = 0; top.modal && i < 20 && await tapDefault(); ++i) top = g.top;
  await check("main-window");
  await page.tap(`[data-key="cmdYosen"]`);
  top = await g.settle();
  await check("qualifying");
  for (let i = 0; top.modal && i < 200 && await tapDefault(); ++i) top = g.top;
  if (top.modal) fail(`qualifying does not end by taps: ${top.form}`);
  await check("after-qualifying");
  // Held upright, the main window's columns lie one below the other: the grid as wide as the
  // screen allows, the commands at their own size, nothing overlapping.
  const columns = async () => page.evaluate(() => {
    const scaleOf = key => { const el = document.querySelector(`#main [data-key="${key}"]`); return el.getBoundingClientRect().width / el.offsetWidth; };
    const rects = [...document.querySelectorAll("#main .column")].map(c => c.getBoundingClientRect());
    return { grid: scaleOf("lblTitle"), commands: scaleOf("cmdYosen"), rects: rects.map(r => [r.left, r.top, r.right, r.bottom]) };
  });
  let laid = await columns();
  if (laid.rects.length !== 3) fail(`upright, the main window shows ${laid.rects.length} columns, not 3`);
  if (!(laid.grid > 0.6 && laid.commands > 0.99)) fail(`upright, the grid is drawn at ${laid.grid.toFixed(2)} and the commands at ${laid.commands.toFixed(2)}`);
  for (let i = 1; i < laid.rects.length; ++i)
    if (laid.rects[i][1] < laid.rects[i - 1][3]) fail(`column ${i + 1} overlaps column ${i}`);
  // Turned sideways the window is whole again, and upright once more its columns come back.
  const turn = async (width, height, count) => {
    await page.setViewport({ width, height, isMobile: true, hasTouch: true });
    await page.waitForFunction(n => document.querySelectorAll("#main .column").length === n, { timeout: 5000 }, count).catch(() => {});
    return columns();
  };
  await page.focus('[data-key="cmdKesyou"]');
  laid = await turn(844, 390, 0);
  if (laid.rects.length !== 0) fail("turned sideways, the main window stays in columns");
  await check("sideways");
  laid = await turn(390, 844, 3);
  if (laid.rects.length !== 3) fail("upright again, the columns do not come back");
  const focused = await page.evaluate(() => document.activeElement && document.activeElement.dataset.key);
  if (focused !== "cmdKesyou") fail(`turning the phone moved the keyboard focus to ${focused}`);
  await page.tap(`[data-key="cmdKesyou"]`);
  top = await g.settle();
  if (top.form === "frmkarvenrace" || !top.modal) fail(`決勝 tapped after turning the phone opens ${top.form}`);
  // The board is whole: its bottom can be scrolled to.
  const reach = await page.evaluate(() => {
    window.scrollTo(0, document.body.scrollHeight);
    const r = document.getElementById("board").getBoundingClientRect();
    return r.bottom <= window.innerHeight + 0.5;
  });
  if (!reach) fail("the bottom of the board cannot be scrolled to");
  await check("scrolled");
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.phone: ok");
