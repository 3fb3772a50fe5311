// What the browser tests share: the site served as a static host serves it, headless Chromium (a
// laptop's 1366×768 unless told) with a silent console required, and the page driven as a player
// drives it.
import { spawn } from "node:child_process";
import { existsSync, mkdirSync, readdirSync, readFileSync, rmSync } from "node:fs";
import puppeteer from "puppeteer-core";

export const problems = [];
export const fail = message => { problems.push(message); console.error("FAIL: " + message); };

// On a port of its own, or on the one given (the same origin again after the server was stopped).
export async function serve(site, port = 0) {
  const server = spawn("python3", ["-u", "-m", "http.server", String(port), "--bind", "127.0.0.1", "--directory", site],
                       { stdio: ["ignore", "pipe", "pipe"] });
  const bound = await new Promise((resolve, reject) => {
    server.stdout.on("data", d => { const m = /port (\d+)/.exec(String(d)); if (m) resolve(m[1]); });
    server.on("exit", () => reject(new Error("http.server ended")));
  });
  return { server, origin: `http://127.0.0.1:${bound}` };
}

// Every page of the browser speaks Japanese, as a Japanese player's does, unless told otherwise by
// speak(): headless Chromium takes no language of its own.
export async function launch(width = 1366, height = 768) {
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", `--window-size=${width},${height}`],
    defaultViewport: { width, height },
  });
  const newPage = browser.newPage.bind(browser);
  browser.newPage = async () => {
    const page = await newPage();
    await speak(page, ["ja-JP", "ja"]);
    return page;
  };
  return browser;
}

// The languages the page's browser says it speaks, from its next load on.
export function speak(page, languages) {
  return page.evaluateOnNewDocument(list => {
    Object.defineProperty(navigator, "languages", { get: () => list, configurable: true });
    Object.defineProperty(navigator, "language", { get: () => list[0], configurable: true });
  }, languages);
}

// A page whose console must stay silent and which fetches nothing from elsewhere; leaving it with
// unsaved work is confirmed as a player would.
export async function open(browser, origin) {
  const page = await browser.newPage();
  watch(page, origin, fail);
  page.on("dialog", d => d.accept());
  return new Driver(page);
}

// Every console line, page error, failed request and request to another origin is a problem.
export function watch(page, origin, report) {
  page.on("console", m => report(`console ${m.type()}: ${m.text()}`));
  page.on("pageerror", e => report(`page error: ${e.message}`));
  page.on("request", r => { if (!r.url().startsWith(origin + "/") && !r.url().startsWith("blob:")) report(`fetched ${r.url()}`); });
  // A picture of the page's own given another before it was shown is cancelled, not failed; so are
  // the files of an odds worker the page ends (to cancel) while it still loads.
  page.on("requestfailed", r => {
    const why = r.failure()?.errorText ?? "";
    if (!((r.url().startsWith("blob:") || /\/karven-odds\.(js|wasm)$/.test(r.url())) && why === "net::ERR_ABORTED"))
      report(`request failed: ${r.url()} ${why}`);
  });
  // A worker's own errors and console reach the page's target too.
  page.on("workercreated", w => w.on("console", m => report(`worker console ${m.type()}: ${m.text()}`)));
}

// For a page opened without open(): a function waiting for the game to wait for the player again.
export function settler(page) {
  const driver = new Driver(page);
  return () => driver.settle();
}

export class Driver {
  constructor(page) { this.page = page; this.waits = 0; this.top = null; }

  // The site's page with its query ("?seed=N"), up to the game's first wait for the player.
  async goto(origin, query = "") {
    await this.page.goto(`${origin}/${query}`, { waitUntil: "load" });
    return this.loaded();
  }
  // After a (re)load: the game waits for the player for the first time.
  async loaded() {
    this.waits = 0;
    return this.settle();
  }
  // The game waits for the player again: what its innermost window shows.
  async settle() {
    await this.page.waitForFunction(n => window.karvenPage && window.karvenPage.waits > n, { timeout: 30000 }, this.waits);
    return this.shown();
  }
  // The odds' worker has given its last answer and the game has taken it: what the window shows.
  // (Its answer may come before or after the wait the last step settled on.)
  async oddsAnswered(timeout = 30000) {
    await this.page.waitForFunction(() => {
      const s = window.karvenBackground.state();
      return !s.running && s.last && window.karvenPage.idle();
    }, { timeout });
    return this.shown();
  }
  // What the innermost window shows now, and the count of waits so far.
  async shown() {
    const state = await this.page.evaluate(() => ({ waits: window.karvenPage.waits, top: window.karvenPage.top() }));
    this.waits = state.waits;
    this.top = state.top;
    return state.top;
  }
  async press(key) {
    await this.page.keyboard.press(key);
    return this.settle();
  }
  // Every window the game opens answered with Enter, up to the main window; their messages.
  async answerAll(limit = 5000) {
    const messages = [];
    for (let i = 0; this.top.modal && i < limit; ++i) {
      if (this.top.message !== null) messages.push(this.top.message);
      await this.press("Enter");
    }
    return messages;
  }
  // Start-up answered as the rules start the game: the title window with Enter, the offer to go on
  // with the last season declined with Esc. The offer's buttons, or null when none came.
  async startAsTheRules(limit = 20) {
    let offered = null;
    for (let i = 0; this.top.modal && i < limit; ++i) {
      if (this.top.form === "frmkarvencontinue") {
        offered = await this.page.evaluate(() =>
          [...document.querySelectorAll('dialog[data-form="frmkarvencontinue"] button')].map(b => b.dataset.key));
        await this.press("Escape");
      } else await this.press("Enter");
    }
    return offered;
  }
  // A key of the main window, then every window it opens answered with Enter.
  async play(key) {
    await this.press(key);
    return this.answerAll();
  }
  async click(selector) {
    await this.page.click(selector);
    return this.settle();
  }
  // A menu's item, through its submenus: menu("Help", "Help_Lang", "Help_Language(2)").
  async menu(...keys) {
    for (const key of keys.slice(0, -1)) await this.page.click(`#main [data-key="${key}"]`);
    return this.click(`#main [data-key="${keys[keys.length - 1]}"]`);
  }
  texts(form) { return this.page.evaluate(name => window.karvenPage.texts(name), form); }
}

// Downloads go into a folder of their own, emptied first.
export async function downloadsInto(page, folder) {
  rmSync(folder, { recursive: true, force: true });
  mkdirSync(folder, { recursive: true });
  const cdp = await page.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: folder });
}

// A downloaded file once written whole; null when it does not come.
export async function downloaded(folder, name) {
  const path = `${folder}/${name}`;
  for (let i = 0; i < 100 && !existsSync(path); ++i) await new Promise(r => setTimeout(r, 100));
  await new Promise(r => setTimeout(r, 300));
  return existsSync(path) ? readFileSync(path) : null;
}

// The names in a folder, Chromium's unfinished downloads left out.
export const namesIn = folder => readdirSync(folder).filter(n => !n.endsWith(".crdownload")).sort();

// The autosaves in the browser's storage, by name, and the tab that stored each.
export const storedAutosaves = page => page.evaluate(() => new Promise((resolve, reject) => {
  const request = indexedDB.open("/autosave");
  request.onerror = () => reject(request.error);
  request.onsuccess = () => {
    const transaction = request.result.transaction("FILE_DATA");
    const store = transaction.objectStore("FILE_DATA");
    const all = store.getAll(), keys = store.getAllKeys();
    transaction.oncomplete = () => {
      request.result.close();
      resolve(Object.fromEntries(keys.result.map((k, i) => [k.split("/").pop(), all.result[i].tab || ""])));
    };
    transaction.onerror = () => reject(transaction.error);
  };
}));

// The title odds as the page's worker last answered them: whether its job still runs, the fixes
// it was asked for, and its figures as karven-sim writes them (result once final, else null).
export async function oddsState(page) {
  const s = await page.evaluate(() => window.karvenBackground && window.karvenBackground.state());
  if (!s) return null;
  const fixedLine = (/^fixed ?(.*)$/m.exec(s.header) || [null, ""])[1];
  const fixed = fixedLine ? fixedLine.split(";").map(f => {
    const [gp, drivers] = f.split(":");
    return { gp: Number(gp), drivers: drivers.split(",").map(Number) };
  }) : [];
  let answer = null;
  if (s.last) {
    const entries = kind => s.last.split("\n").filter(l => l.startsWith(kind + "\t")).map(l => {
      const f = l.split("\t"), n = f.slice(4).map(Number);
      return { index: Number(f[1]), No: f[2], Nm: f[3], title: n[0], place: [0, n[1], n[2], n[3]], meanPoints: n[4],
               p5Points: n[5], p95Points: n[6], crowned: n[7] };
    });
    answer = { runs: Number((/^runs (\d+)$/m.exec(s.last) || [null, 0])[1]), final: !/^state partial$/m.test(s.last),
               drivers: entries("D"), teams: entries("T") };
  }
  return { running: s.running, fixed, runs: answer ? answer.runs : 0, result: answer && answer.final ? answer : null };
}
