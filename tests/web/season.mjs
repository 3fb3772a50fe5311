// A whole season with its market played by keys alone in the browser: N for whatever the season
// expects next, スキップ (S) wherever a window offers it, Enter elsewhere. The season saved at the
// end is the file karven-sim writes for the same seed.
//   node season.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { spawnSync } from "node:child_process";
import { mkdirSync, readFileSync, writeFileSync } from "node:fs";
import { downloaded, downloadsInto, fail, launch, open, problems, serve } from "./page.mjs";

const [site, sim, out] = process.argv.slice(2);
const seed = 7;
mkdirSync(out, { recursive: true });
const { server, origin } = await serve(site);
const browser = await launch();
try {
  const g = await open(browser, origin);
  const page = g.page;
  let top = await g.goto(origin, `?seed=${seed}`);
  for (let i = 0; top.modal && i < 20; ++i) top = await g.press("Enter");

  const skipOffered = () => page.evaluate(() => {
    const b = document.querySelector("dialog[open] [data-key=cmdSkip]");
    return !!b && b.offsetParent !== null && !b.disabled;
  });
  // The windows a command opens, each skipped where it can be and answered with Enter elsewhere.
  let skipped = 0, answered = 0, marketSkipped = 0, market = false, shot = new Set();
  const through = async () => {
    for (let i = 0; top.modal && i < 20000; ++i) {
      if (!shot.has(top.form)) {
        shot.add(top.form);
        await page.screenshot({ path: `${out}/${top.form}.png` });
      }
      if (await skipOffered()) { ++skipped; if (market) ++marketSkipped; top = await g.press("S"); } else { ++answered; top = await g.press("Enter"); }
    }
    if (top.modal) fail(`a window that does not end: ${top.form}`);
  };
  const next = async () => (await g.texts("frmkarvenrace")).lblNext;
  const firstNext = await next();
  let steps = 0;
  for (; steps < 200; ++steps) {
    const expected = await next();
    if (market && expected === firstNext) break;
    if (/ストーブリーグ/.test(expected)) market = true;
    top = await g.press("N");
    await through();
  }
  if (!market) fail(`the season never reached the market in ${steps} steps`);
  await page.screenshot({ path: `${out}/after-market.png` });
  console.log(`${steps} steps, ${skipped} windows skipped (${marketSkipped} in the market) and ${answered} answered`);
  if (skipped < 10) fail(`スキップ taken only ${skipped} times`);
  if (!marketSkipped) fail("the market's announcements never offered スキップ");

  const folder = `${out}/downloads`;
  await downloadsInto(page, folder);
  top = await g.menu("File", "File_update");
  const saved = await downloaded(folder, "karven.krv");
  const simSaved = `${out}/karven-sim.krv`;
  const run = spawnSync(sim, ["--seed", String(seed), "--gps", "all", "--market", "--quiet", "--save", simSaved], { stdio: "ignore" });
  if (run.status !== 0) fail(`karven-sim ended with ${run.status}`);
  if (!saved) fail("no karven.krv downloaded on ﾌｧｲﾙ → 保存");
  else if (!saved.equals(readFileSync(simSaved))) {
    writeFileSync(`${out}/browser.krv`, saved);
    fail(`the season after its market differs from karven-sim's: compare ${out}/browser.krv and ${simSaved}`);
  }
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.season: ok");
