// The editors in the browser: 設定's three windows open from the menu and Esc leaves the season as
// it was; a driver renamed and a grade stepped in ﾄﾞﾗｲﾊﾞｰ are what the season then saves; between
// qualifying and the race the editors are closed to the player, as on the desktop; typing a name
// stops at the editors' length.
//   node editors.mjs SITE_DIR KARVEN_SIM OUT_DIR
import { spawnSync } from "node:child_process";
import { mkdirSync, readFileSync } from "node:fs";
import { downloaded, downloadsInto, fail, launch, open, problems, serve } from "./page.mjs";

const [site, sim, out] = process.argv.slice(2);
mkdirSync(out, { recursive: true });
const cp932 = text => spawnSync("iconv", ["-f", "UTF-8", "-t", "CP932"], { input: text }).stdout;
const { server, origin } = await serve(site);
const browser = await launch();
try {
  const g = await open(browser, origin);
  const page = g.page;
  let top = await g.goto(origin, "?seed=11");
  for (let i = 0; top.modal && i < 20; ++i) top = await g.press("Enter");
  const folder = `${out}/downloads`;
  await downloadsInto(page, folder);
  const simSaved = `${out}/karven-sim.krv`;
  spawnSync(sim, ["--seed", "11", "--quiet", "--save", simSaved], { stdio: "ignore" });

  // Each editor opened and left with Esc: the season saves as it was.
  for (const [item, form] of [["Set_Sis(21)", "frmkarvensisset"], ["Set_Tim(22)", "frmkarventimset"], ["Set_Drv(23)", "frmkarvendrvset"]]) {
    top = await g.menu("Set", item);
    if (top.form !== form) { fail(`設定 → ${item} opens ${top.form}`); continue; }
    await page.screenshot({ path: `${out}/${form}.png` });
    top = await g.press("Escape");
    if (top.modal) fail(`Esc leaves ${form} open`);
  }
  top = await g.menu("File", "File_update");
  const untouched = await downloaded(folder, "karven.krv");
  if (!untouched || !untouched.equals(readFileSync(simSaved))) fail("the season changed by editors left with Esc");

  // A driver renamed, his first grade stepped down, and OK.
  top = await g.menu("Set", "Set_Drv(23)");
  const before = await g.texts("frmkarvendrvset");
  const oldName = await page.evaluate(() => {
    const list = document.querySelector("dialog[open] select");
    list.selectedIndex = 0;
    list.dispatchEvent(new Event("change"));
    return list.options[0].textContent;
  });
  top = await g.settle();
  const chosen = await g.texts("frmkarvendrvset");
  if (chosen.txtDrvNm !== oldName) fail(`the chosen driver's name shows as ${chosen.txtDrvNm}, not ${oldName}`);
  const grade = Object.keys(chosen).find(k => k !== "txtDrvNm" && chosen[k] && !before[k] && /^[A-Z]$/.test(chosen[k]));
  if (!grade) fail("no grade shown for the chosen driver");
  // Typing stops at the length the editors take of a name.
  await page.click('dialog[open] [data-key="txtDrvNm"]', { clickCount: 3 });
  await page.keyboard.type("x".repeat(150));
  const typed = await page.$eval('dialog[open] [data-key="txtDrvNm"]', el => el.value.length);
  if (typed !== 100) fail(`a driver's name takes ${typed} characters typed, not 100`);
  const newName = "試験走者";
  await page.click('dialog[open] [data-key="txtDrvNm"]', { clickCount: 3 });
  await page.keyboard.type(newName);
  top = await g.click('dialog[open] [data-key="cmdDn(1)"]');
  const stepped = await g.texts("frmkarvendrvset");
  if (grade && stepped[grade] === chosen[grade]) fail(`▼ leaves the grade at ${chosen[grade]}`);
  await page.screenshot({ path: `${out}/renamed.png` });
  top = await g.click('dialog[open] [data-key="cmdOK"]');
  if (top.modal) fail(`OK leaves ${top.form} open: ${top.message || ""}`);
  top = await g.menu("File", "File_update");
  await new Promise(r => setTimeout(r, 200));
  const edited = await downloaded(folder, "karven (1).krv") || await downloaded(folder, "karven.krv");
  if (!edited) fail("no season saved after the edit");
  else {
    if (!edited.includes(cp932(newName))) fail(`the saved season lacks the new name ${newName}`);
    if (edited.includes(cp932(oldName + "\r\n"))) fail(`the saved season still names ${oldName}`);
  }

  // Qualifying run, race not yet: the season's editors cannot be chosen.
  top = await g.press("Y");
  for (let i = 0; top.modal && i < 500; ++i) top = await g.press("Enter");
  const closed = await page.evaluate(() => ["Set_Sis(21)", "Set_Tim(22)", "Set_Drv(23)"]
    .map(k => document.querySelector(`#main [data-key="${k}"]`).disabled));
  if (closed.some(d => !d)) fail(`editors open between qualifying and the race: ${closed}`);
} finally {
  await browser.close();
  server.kill();
}
if (problems.length) process.exit(1);
console.log("web.editors: ok");
