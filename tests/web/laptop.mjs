// A laptop's screen (1366×768): the main window whole above the status line, its bottom grid row
// too; nothing drawn over the command buttons, behind the title window at start-up either.
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
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.laptop: ok");
