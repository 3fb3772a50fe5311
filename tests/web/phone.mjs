// A phone held upright (390×844): the main window's columns one below the other and the page
// scrolling down, the commentary's empty column left out, every window fits across without
// scrolling sideways (wide ones laid out again), every target at least 44 px, the menus and their
// submenus inside the screen, the commentary at the bottom of the screen, no empty panel, and
// nothing makes the page wider than the screen; turned sideways its columns lie side by side; a Grand Prix's
// qualifying played by taps.
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
  // Nothing sticks out to the right of the screen: the page, the board, any open window; no window
  // scrolls sideways; upright, the targets of the window in front are 44 px or more and no panel
  // stands empty.
  const check = async (where, upright = true) => {
    const wide = await page.evaluate(upright => {
      const w = screen.width, found = [];
      if (window.innerWidth > w) found.push(`the page is laid out ${window.innerWidth} px wide and zoomed out to fit`);
      if (document.documentElement.scrollWidth > w) found.push(`the page is ${document.documentElement.scrollWidth} px wide`);
      for (const el of [document.getElementById("board"), ...document.querySelectorAll("dialog[open]")]) {
        const r = el.getBoundingClientRect();
        if (r.width > 0 && (r.left < 0 || r.right > w + 0.5)) found.push(`${el.id || el.dataset.form} spans ${Math.round(r.left)}..${Math.round(r.right)}`);
      }
      const shown = el => el.getClientRects().length > 0 && getComputedStyle(el).visibility !== "hidden";
      const name = el => el.dataset.key || el.dataset.form || el.className || el.tagName;
      for (const d of document.querySelectorAll("dialog[open]"))
        for (const el of [d, ...d.querySelectorAll("*")])
          if (shown(el) && el.scrollWidth > el.clientWidth + 1 && /auto|scroll/.test(getComputedStyle(el).overflowX))
            found.push(`${name(el)} in ${d.dataset.form} scrolls sideways (${el.scrollWidth} px in ${el.clientWidth})`);
      if (!upright) return found;
      const front = [...document.querySelectorAll("dialog[open]")].pop() || document.getElementById("main");
      // A target is what a finger touches: a table read by keyboard alone (its labels are touched) is none.
      const targets = [...front.querySelectorAll("button, input, select, [tabindex], [role=option]")]
        .filter(el => shown(el) && getComputedStyle(el).pointerEvents !== "none");
      for (const el of targets) {
        const r = el.getBoundingClientRect();
        if (r.width < 43.5 || r.height < 43.5) found.push(`the target ${name(el)} is ${Math.round(r.width)}×${Math.round(r.height)} px`);
      }
      // A panel (a framed box taller than a line of text) with nothing in it or over it.
      const controls = [...front.querySelectorAll("[data-key]")].filter(shown);
      for (const box of controls.filter(el => el.matches(".label.border") && el.getBoundingClientRect().height > 100)) {
        const b = box.getBoundingClientRect();
        const over = controls.some(el => {
          const r = el.getBoundingClientRect();
          return el !== box && r.left >= b.left - 1 && r.right <= b.right + 1 && r.top >= b.top - 1 && r.bottom <= b.bottom + 1;
        });
        if (!over) found.push(`the panel ${name(box)} stands empty (${Math.round(b.width)}×${Math.round(b.height)} px)`);
      }
      return found;
    }, upright);
    for (const w of wide) fail(`${where}: ${w}`);
    if (shots < 12) await page.screenshot({ path: `${out}/${++shots}-${where}.png` });
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
  // Every menu and submenu opened by taps lies inside the screen.
  const menus = await page.$$eval("#main .menubar > .menu > button", bs => bs.map(b => b.dataset.key));
  const outside = async () => page.evaluate(() => [...document.querySelectorAll("#main .menu.open > .items > *")]
    .filter(el => el.getClientRects().length > 0).filter(el => {
      const r = el.getBoundingClientRect();
      return r.left < -0.5 || r.top < -0.5 || r.right > innerWidth + 0.5 || r.bottom > innerHeight + 0.5;
    }).map(el => `${el.dataset.key || el.querySelector("button")?.dataset.key} at ${Math.round(el.getBoundingClientRect().left)},${Math.round(el.getBoundingClientRect().top)}`));
  let submenus = 0;
  for (const menu of menus) {
    await page.tap(`#main [data-key="${menu}"]`);
    for (const o of await outside()) fail(`the menu ${menu}: ${o} lies outside the screen`);
    const subs = await page.$$eval(`#main [data-key="${menu}"] + .items > .menu > button`, bs => bs.filter(b => b.offsetParent).map(b => b.dataset.key));
    for (const sub of subs) {
      await page.tap(`#main [data-key="${sub}"]`);
      ++submenus;
      for (const o of await outside()) fail(`the submenu ${sub}: ${o} lies outside the screen`);
      if (submenus === 1) await check("submenu");
    }
    await page.tap(`#main [data-key="${menu}"]`);
  }
  if (!submenus) fail("no submenu opened");
  // A window wider than the screen and an editor, laid out again for the width.
  const tapMenu = async (menu, item) => {
    await page.tap(`#main [data-key="${menu}"]`);
    await page.tap(`#main [data-key="${item}"]`);
    return g.settle();
  };
  for (const [menu, item, form] of [["Rec", "Rec_Champions", "frmkarvenchampions"], ["Set", "Set_Drv(23)", "frmkarvendrvset"]]) {
    top = await tapMenu(menu, item);
    if (top.form !== form) fail(`${item} opens ${top.form}`);
    else await check(form);
    top = await g.press("Escape");
  }
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
  if (laid.rects.length !== 2) fail(`upright, the main window shows ${laid.rects.length} columns, not the grid's and the commands' alone`);
  if (!(laid.grid > 0.6 && laid.commands > 0.99)) fail(`upright, the grid is drawn at ${laid.grid.toFixed(2)} and the commands at ${laid.commands.toFixed(2)}`);
  for (let i = 1; i < laid.rects.length; ++i)
    if (laid.rects[i][1] < laid.rects[i - 1][3]) fail(`column ${i + 1} overlaps column ${i}`);
  // Turned sideways the window is whole again, and upright once more its columns come back.
  const turn = async (width, height, count) => {
    await page.setViewport({ width, height, isMobile: true, hasTouch: true });
    // The page's own resize handler runs before the next frames are drawn: both columns' counts
    // are two, so the count alone does not tell that the page has laid itself out again.
    await page.waitForFunction(w => innerWidth === w, { timeout: 5000 }, width).catch(() => {});
    await page.evaluate(() => new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r))));
    await page.waitForFunction(n => document.querySelectorAll("#main .column").length === n, { timeout: 5000 }, count).catch(() => {});
    return columns();
  };
  await page.focus('[data-key="cmdKesyou"]');
  // Sideways the grid and the commands lie side by side, nearly at their own size (the whole
  // window would shrink to half of it for the low screen), the commentary's empty frame left out.
  laid = await turn(844, 390, 2);
  if (laid.rects.length !== 2) fail(`turned sideways, the main window shows ${laid.rects.length} columns, not the grid's and the commands' side by side`);
  else if (!(laid.rects[1][0] >= laid.rects[0][2] && laid.rects[1][1] === laid.rects[0][1])) fail(`turned sideways, the columns are not side by side: ${JSON.stringify(laid.rects)}`);
  if (!(laid.grid > 0.85 && laid.commands > 0.85)) fail(`turned sideways, the grid is drawn at ${laid.grid.toFixed(2)} and the commands at ${laid.commands.toFixed(2)}`);
  if (await page.$eval('#main [data-key="lblMsgBox"]', el => el.getClientRects().length > 0)) fail("turned sideways, the commentary's empty frame still takes room");
  await check("sideways", false);
  laid = await turn(390, 844, 2);
  if (laid.rects.length !== 2) fail("upright again, the columns do not come back");
  await check("upright-again");
  const focused = await page.evaluate(() => document.activeElement && document.activeElement.dataset.key);
  if (focused !== "cmdKesyou") fail(`turning the phone moved the keyboard focus to ${focused}`);
  await page.tap(`[data-key="cmdKesyou"]`);
  top = await g.settle();
  if (top.form === "frmkarvenrace" || !top.modal) fail(`決勝 tapped after turning the phone opens ${top.form}`);
  // The race's commentary across the bottom of the screen.
  for (let i = 0; top.modal && top.form !== "frmkarvenmsg" && i < 20 && await tapDefault(); ++i) top = g.top;
  if (top.form !== "frmkarvenmsg") fail(`no commentary in the race: ${top.form}`);
  else {
    const box = await page.$eval('dialog[open][data-form="frmkarvenmsg"]', d => { const r = d.getBoundingClientRect(); return [r.left, r.right, r.bottom]; });
    const width = await page.evaluate(() => innerWidth), height = await page.evaluate(() => innerHeight);
    if (Math.abs(box[0]) > 1 || Math.abs(box[1] - width) > 1 || Math.abs(box[2] - height) > 1)
      fail(`the commentary spans ${box.map(Math.round)}, not the bottom of the ${width}×${height} screen`);
    await check("commentary");
    // The rest of the race skipped, and how it unfolded looked back on.
    await page.tap('dialog[open] [data-key="cmdSkip"]');
    top = await g.settle();
    for (let i = 0; top.modal && i < 20 && await tapDefault(); ++i) top = g.top;
    await page.tap('#main [data-key="Ana"]');
    await page.tap('#main [data-key="Ana_Race"]');
    top = await g.settle();
    if (top.form !== "frmRaceAna") fail(`分析 → レース分析 opens ${top.form}`);
    else await check("race-analysis");
    top = await g.press("Escape");
  }
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
