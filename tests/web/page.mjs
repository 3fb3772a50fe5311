// What the browser tests share: the site served as a static host serves it, headless Chromium
// with a console that must stay silent and nothing fetched from elsewhere, and waiting for the
// game to wait for the player again.
import { spawn } from "node:child_process";
import puppeteer from "puppeteer-core";

export async function serve(site) {
  const server = spawn("python3", ["-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", site],
                       { stdio: ["ignore", "pipe", "pipe"] });
  const port = await new Promise((resolve, reject) => {
    server.stdout.on("data", d => { const m = /port (\d+)/.exec(String(d)); if (m) resolve(m[1]); });
    server.on("exit", () => reject(new Error("http.server ended")));
  });
  return { server, origin: `http://127.0.0.1:${port}` };
}

export function launch() {
  return puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--window-size=1366,768"],
    defaultViewport: { width: 1366, height: 768 },
  });
}

// Every console line, page error, failed request and request to another origin is a problem.
export function watch(page, origin, fail) {
  page.on("console", m => fail(`console ${m.type()}: ${m.text()}`));
  page.on("pageerror", e => fail(`page error: ${e.message}`));
  page.on("request", r => { if (!r.url().startsWith(origin + "/") && !r.url().startsWith("blob:")) fail(`fetched ${r.url()}`); });
  page.on("requestfailed", r => fail(`request failed: ${r.url()}`));
  // A worker's own errors and console reach the page's target too.
  page.on("workercreated", w => w.on("console", m => fail(`worker console ${m.type()}: ${m.text()}`)));
}

// The game waits for the player again: what its innermost window shows.
export function settler(page) {
  let waits = 0;
  return async () => {
    await page.waitForFunction(n => window.karvenPage && window.karvenPage.waits > n, { timeout: 30000 }, waits);
    const state = await page.evaluate(() => ({ waits: window.karvenPage.waits, top: window.karvenPage.top() }));
    waits = state.waits;
    return state.top;
  };
}
