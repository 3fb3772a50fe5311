// Installed and played offline: the page names its manifest and icons as an app, its service
// worker keeps every file of the site on the first visit, and with the server gone the page starts
// again, the odds play in their worker and a Grand Prix runs. A rebuilt site (a file changed, its
// worker written again by the build's own step) replaces the old cache on the next visit.
//   node offline.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { spawnSync } from "node:child_process";
import { appendFileSync, cpSync, readdirSync, readFileSync, rmSync } from "node:fs";
import { fileURLToPath } from "node:url";
import { fail, launch, oddsState, open, problems, serve } from "./page.mjs";

const [built, , out] = process.argv.slice(2);
const root = fileURLToPath(new URL("../..", import.meta.url));
// A copy of the site, to be built again below.
const site = `${out}/site`;
rmSync(out, { recursive: true, force: true });
cpSync(built, site, { recursive: true });
const files = dir => readdirSync(dir, { recursive: true, withFileTypes: true }).filter(e => e.isFile())
  .map(e => `${e.parentPath ?? e.path}/${e.name}`.slice(dir.length + 1)).sort();
const versionOf = () => /const Version = "([0-9a-f]+)"/.exec(readFileSync(`${site}/service-worker.js`, "utf8"))?.[1];
// What the build runs to write the service worker.
const writeWorker = () => {
  const run = spawnSync("cmake", [`-DSITE=${site}`, `-DTEMPLATE=${root}/web/page/service-worker.js`, "-P", `${root}/web/ServiceWorker.cmake`],
                        { stdio: ["ignore", "ignore", "pipe"] });
  if (run.status !== 0) fail(`writing the service worker: ${run.stderr}`);
};
const builtVersion = versionOf();
writeWorker();
if (!builtVersion || versionOf() !== builtVersion) fail(`the site's version ${builtVersion} is not the one its files give: ${versionOf()}`);

let { server, origin } = await serve(site);
const port = new URL(origin).port;
const stop = () => new Promise(resolve => { server.once("exit", resolve); server.kill(); });
const browser = await launch();
try {
  const g = await open(browser, origin);
  const page = g.page;
  const cacheState = () => page.evaluate(async () => {
    const names = await caches.keys();
    const cache = names.length ? await caches.open(names[0]) : null;
    const kept = cache ? (await cache.keys()).map(r => new URL(r.url).pathname.slice(1)).sort() : [];
    const style = cache && await cache.match("style.css");
    return { names, kept, style: style ? await style.text() : "" };
  });
  const workerVersion = () => page.evaluate(() => new Promise(resolve => {
    const channel = new MessageChannel();
    channel.port1.onmessage = ev => resolve(ev.data);
    navigator.serviceWorker.controller.postMessage("version", [channel.port2]);
  }));

  // The first visit, online: the app's manifest read as the browser reads it.
  let top = await g.goto(origin, "?seed=7");
  const cdp = await page.createCDPSession();
  const manifest = await cdp.send("Page.getAppManifest");
  if (manifest.errors.length) fail(`the manifest: ${JSON.stringify(manifest.errors)}`);
  const app = JSON.parse(manifest.data || "{}");
  const sizes = (app.icons || []).map(i => i.sizes);
  if (app.name !== "KARVEN" || app.display !== "standalone" || !/[\u3040-\u30ff]/.test(app.description || "") ||
      !sizes.includes("192x192") || !sizes.includes("512x512"))
    fail(`the manifest: ${manifest.data}`);
  for (const size of [192, 512]) {
    const icon = readFileSync(`${site}/icon-${size}.png`);
    if (icon.readUInt32BE(16) !== size || icon.readUInt32BE(20) !== size) fail(`icon-${size}.png is not ${size} px square`);
  }
  const installable = await cdp.send("Page.getInstallabilityErrors");
  if (installable.installabilityErrors.length) fail(`not installable: ${JSON.stringify(installable.installabilityErrors)}`);

  // The worker takes the page over and has every file of the site kept.
  await page.waitForFunction(() => navigator.serviceWorker.controller, { timeout: 30000 });
  let cached = await cacheState();
  const siteFiles = files(site).filter(f => f !== "service-worker.js");
  if (cached.names.join() !== `karven-${builtVersion}`) fail(`the caches: ${cached.names}, not karven-${builtVersion}`);
  const missing = siteFiles.filter(f => !cached.kept.includes(f));
  if (missing.length) fail(`not kept for offline: ${missing.join(", ")}`);
  if ((await workerVersion()) !== builtVersion) fail("the worker in charge is not this build's");

  // Offline: the server gone, the page starts again and plays.
  await stop();
  await page.reload({ waitUntil: "load" });
  top = await g.loaded();
  for (let i = 0; top.modal && i < 20; ++i) top = await g.press("Enter");
  if (top.form !== "frmkarvenrace") fail(`offline, the main window does not come: ${top.form}`);
  // The odds in their worker, its script and its WebAssembly from the cache.
  await page.click('[data-key="Ana"]');
  top = await g.click('[data-key="Ana_Odds"]');
  top = await g.oddsAnswered(60000);
  const odds = { ...(await oddsState(page)), status: await page.$eval('[data-key="oddsStatus"]', e => e.textContent) };
  if (!odds.result || odds.runs < 1) fail(`offline, the odds do not play: ${odds.status}`);
  await page.screenshot({ path: `${out}/offline-odds.png` });
  top = await g.press("Escape");
  // Qualifying, then the race's first windows with their pictures.
  top = await g.press("Y");
  for (let i = 0; top.modal && i < 500; ++i) top = await g.press("Enter");
  top = await g.press("K");
  let windows = 0, drawn = false;
  for (; top.modal && windows < 40 && !drawn; ++windows) {
    drawn = await page.$eval('[data-key="imgAnime"]', img => img.complete && img.naturalWidth > 0).catch(() => false);
    top = await g.press("Enter");
  }
  if (!windows) fail("offline, the race opens no window");
  if (!drawn) fail("offline, the race's pictures are not drawn");
  await page.screenshot({ path: `${out}/offline-race.png` });

  // Built again with one file changed: the next visit installs the new worker, which takes over and
  // leaves only its own cache, holding the new file.
  appendFileSync(`${site}/style.css`, "\n/* built again */\n");
  writeWorker();
  const rebuilt = versionOf();
  if (rebuilt === builtVersion) fail("a changed file leaves the site's version as it was");
  ({ server } = await serve(site, port));
  await page.reload({ waitUntil: "load" });
  await g.loaded();
  await page.waitForFunction(async v => {
    const names = await caches.keys();
    return names.length === 1 && names[0] === "karven-" + v && navigator.serviceWorker.controller;
  }, { timeout: 30000, polling: 200 }, rebuilt).catch(() => {});
  cached = await cacheState();
  if (cached.names.join() !== `karven-${rebuilt}`) fail(`after the rebuild the caches are ${cached.names}, not karven-${rebuilt} alone`);
  if (!cached.style.includes("built again")) fail("the new cache holds the old style.css");
  if ((await workerVersion()) !== rebuilt) fail("the new worker has not taken over");
  console.log(`kept ${cached.kept.length} files; version ${builtVersion} replaced by ${rebuilt}`);
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.offline: ok");
