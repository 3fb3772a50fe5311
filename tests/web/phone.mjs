// A phone held upright (390×844): the board takes the width and the page scrolls down, every
// window fits across, and nothing makes the page wider than the screen; a Grand Prix's qualifying
// played by taps.
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
