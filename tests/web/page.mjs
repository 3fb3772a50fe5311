// What the browser tests share: the site served as a static host serves it, headless Chromium
// watching for console output, page errors and anything fetched from elsewhere, and the game's
// waits for the player.
import { spawn } from "node:child_process";
import { existsSync, mkdirSync, readFileSync, rmSync } from "node:fs";
import puppeteer from "puppeteer-core";

export const problems = [];
export const fail = message => { problems.push(message); console.error("FAIL: " + message); };

export async function serve(site) {
  const server = spawn("python3", ["-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", site],
                       { stdio: ["ignore", "pipe", "pipe"] });
  const port = await new Promise((resolve, reject) => {
    server.stdout.on("data", d => { const m = /port (\d+)/.exec(String(d)); if (m) resolve(m[1]); });
    server.on("exit", () => reject(new Error("http.server ended")));
  });
  return { server, origin: `http://127.0.0.1:${port}` };
}

export function launch(width = 1366, height = 768) {
  return puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", `--window-size=${width},${height}`],
    defaultViewport: { width, height },
  });
}

// A page of the site that reports every console line, page error and foreign request as a problem.
export async function openPage(browser, origin, query = "") {
  const page = await browser.newPage();
  page.on("console", m => fail(`console ${m.type()}: ${m.text()}`));
  page.on("pageerror", e => fail(`page error: ${e.message}`));
  page.on("request", r => { if (!r.url().startsWith(origin + "/") && !r.url().startsWith("blob:")) fail(`fetched ${r.url()}`); });
  page.on("requestfailed", r => fail(`request failed: ${r.url()}`));
  await page.goto(`${origin}/${query}`, { waitUntil: "load" });
  return page;
}

// The game of a page as the player sees it: settle() waits until the game waits for the player
// again and tells what its innermost window shows.
export function game(page) {
  const g = {
    page,
    waits: 0,
    top: null,
    async settle() {
      await page.waitForFunction(n => window.karvenPage && window.karvenPage.waits > n, { timeout: 30000 }, g.waits);
      const state = await page.evaluate(() => ({ waits: window.karvenPage.waits, top: window.karvenPage.top() }));
      g.waits = state.waits;
      g.top = state.top;
      return g.top;
    },
    async press(key) {
      await page.keyboard.press(key);
      return g.settle();
    },
    async menu(head, item) {
      await page.click(`[data-key="${head}"]`);
      await page.click(`[data-key="${item}"]`);
    },
    texts: name => page.evaluate(n => window.karvenPage.texts(n), name),
  };
  return g;
}

// Downloads of a page land in `folder`; downloaded(name) waits for one and gives its bytes.
export async function downloads(page, folder) {
  rmSync(folder, { recursive: true, force: true });
  mkdirSync(folder, { recursive: true });
  const cdp = await page.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: folder });
  return async name => {
    const path = `${folder}/${name}`;
    for (let i = 0; i < 100 && !existsSync(path); ++i) await new Promise(r => setTimeout(r, 100));
    await new Promise(r => setTimeout(r, 300)); // written whole
    return existsSync(path) ? readFileSync(path) : null;
  };
}
