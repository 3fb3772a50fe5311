// The odds window in the page: title odds played in a Web Worker. The game puts together what it
// shows (WebAnalysis.cpp) and waits while it is open; this module draws it in a <dialog>, its
// charts as SVG in the machine colours, and hands the player's choices back as "analysis" events.
import { Charts } from "./charts.js";

const { svg, tip, fill } = Charts;
const MaxRuns = 20000;
const AnswerWithinMs = 2000; // the player waits about this long; fewer runs if need be
let win = null; // { data, dialog, body, ... } of the open window

const send = (...fields) => window.karvenPage.send(["analysis", ...fields].join("\t"));

function el(tag, attrs, ...children) {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs || {})) {
    if (k === "class") e.className = v;
    else if (k === "text") e.textContent = v;
    else if (k.startsWith("on")) e.addEventListener(k.slice(2), v);
    else e.setAttribute(k, v);
  }
  e.append(...children);
  return e;
}
// A chart's drawing width: its natural one where the screen has room, narrower on a phone so
// that its texts keep their size; beside a legend where the window is wide.
function chartWidth(natural, legend) {
  const room = Math.min(980, document.documentElement.clientWidth - 12) - 44; // the page's width at its zoom
  return Math.round(Math.max(320, Math.min(natural, legend && room > 600 ? room - 240 : room)));
}

// "グランプリ(&G)：" or "&Grand Prix:" as its text with the letter underlined; the letter, for Alt.
function accel(text) {
  const m = /^(.*)\(&(\w)\)(.*)$/.exec(text);
  if (m) return { node: el("span", {}, m[1] + "(", el("u", { text: m[2] }), ")" + m[3]), key: m[2].toUpperCase() };
  const e = /^([^&]*)&(\w)(.*)$/.exec(text);
  if (e) return { node: el("span", {}, e[1], el("u", { text: e[2] }), e[3]), key: e[2].toUpperCase() };
  return { node: document.createTextNode(text), key: "" };
}

// Tabs that Ctrl+Tab and Ctrl+Shift+Tab switch wherever the focus is, and ← → on the tabs.
function tabs(pages, key) {
  const bar = el("div", { class: "ana-tabs", role: "tablist", "data-key": key });
  const box = el("div", { class: "ana-tabbox" }, bar);
  const t = { bar, box, buttons: [], panels: [], current: 0 };
  t.select = i => {
    t.current = i;
    t.buttons.forEach((b, k) => { b.setAttribute("aria-selected", String(k === i)); b.tabIndex = k === i ? 0 : -1; });
    t.panels.forEach((p, k) => { p.hidden = k !== i; });
  };
  pages.forEach((p, i) => {
    const b = el("button", { type: "button", role: "tab", title: p.tip || "", "data-key": p.key, text: p.title,
                             onclick: () => t.select(i) });
    b.addEventListener("keydown", ev => {
      if (ev.key === "ArrowRight" || ev.key === "ArrowLeft") {
        ev.preventDefault();
        const n = (t.current + (ev.key === "ArrowRight" ? 1 : -1) + pages.length) % pages.length;
        t.select(n);
        t.buttons[n].focus();
      }
    });
    const panel = el("div", { class: "ana-panel", role: "tabpanel", "data-key": p.key });
    bar.append(b);
    box.append(panel);
    t.buttons.push(b);
    t.panels.push(panel);
  });
  t.step = by => t.select((t.current + by + pages.length) % pages.length);
  t.select(0);
  return t;
}

function table(data, key) {
  const t = el("table", { "data-key": key || "" });
  const head = t.createTHead().insertRow();
  data.headings.forEach((h, k) => head.append(el("th", { text: h, class: data.right.includes(k) ? "num" : "" })));
  const body = t.createTBody();
  for (const row of data.rows) {
    const tr = body.insertRow();
    if (row.grey) tr.className = "grey";
    if (row.bold) tr.classList.add("bold");
    row.cells.forEach((c, k) => {
      const td = tr.insertCell();
      td.textContent = c;
      if (data.right.includes(k)) td.className = "num";
      if (k === row.cells.length - 1) td.title = c;
    });
  }
  return el("div", { class: "ana-table" }, t);
}

// ---- the window -------------------------------------------------------------------------------

function open(data, module) {
  if (win) close();
  const dialog = el("dialog", { class: "window analysis", "data-form": data.form, role: "dialog", "aria-modal": "true",
                                "aria-labelledby": "analysis-title" });
  const body = el("div", { class: "ana-body" });
  const x = el("button", { type: "button", text: "×", tabindex: "-1", "aria-label": data.close, onclick: () => send("close") });
  dialog.append(el("div", { class: "titlebar" }, el("span", { id: "analysis-title", text: data.title }), x), body);
  win = { data, dialog, body, module, accels: new Map(), tabs: null };
  dialog.addEventListener("cancel", ev => { ev.preventDefault(); send("close"); });
  document.body.append(dialog);
  openOdds(win);
  const closeButton = el("button", { type: "button", class: "cmd default", "data-key": "analysisClose", title: data.closeTip,
                                     text: data.close, onclick: () => send("close") });
  body.append(el("div", { class: "ana-note", "data-key": "analysisNote", text: data.note }),
              el("div", { class: "ana-buttons" }, closeButton));
  win.closeButton = closeButton;
  dialog.showModal();
  (win.firstFocus || closeButton).focus();
}

// The window's keys wherever the focus is while it is open (the binder leaves them to it).
document.addEventListener("keydown", ev => { if (win && win.dialog.open) keys(ev); });
function keys(ev) {
  if (ev.key === "Escape") { ev.preventDefault(); send("close"); return; }
  if (ev.key === "Tab" && ev.ctrlKey && win.tabs) { ev.preventDefault(); win.tabs.step(ev.shiftKey ? -1 : 1); return; }
  if ((ev.key === "PageDown" || ev.key === "PageUp") && ev.ctrlKey && win.tabs) {
    ev.preventDefault();
    win.tabs.step(ev.key === "PageDown" ? 1 : -1);
    return;
  }
  if (ev.altKey && ev.key.length === 1) {
    const target = win.accels.get(ev.key.toUpperCase());
    if (target) { ev.preventDefault(); target(); }
    return;
  }
  if (ev.key === "Enter") {
    const f = document.activeElement;
    // Enter presses the focused button; elsewhere the window's default, 閉じる.
    if (f && (f.tagName === "BUTTON" || (f.tagName === "INPUT" && f.type === "checkbox"))) return;
    ev.preventDefault();
    send("close");
  }
}

function close() {
  if (!win) return;
  stopWorker(win);
  win.dialog.close();
  win.dialog.remove();
  win = null;
}

// The charts drawn again for the width of the screen they are on now.
let resizing = null;
window.addEventListener("resize", () => {
  clearTimeout(resizing);
  resizing = setTimeout(() => {
    const w = win;
    if (!w || !w.tabs) return;
    if (w.data.kind === "odds" && !w.data.decided) {
      w.shownRuns = undefined;
      drawOdds(w, w.result || w.partial || null);
    }
  }, 100);
});

function show(json, module) {
  const data = JSON.parse(json);
  if (data.kind) return open(data, module);
  if (!win) return;
  if (data.update) oddsUpdate(win, data.update);
}

// ---- チャンピオン予想 -----------------------------------------------------------------------------

function openOdds(w) {
  const d = w.data;
  w.body.append(el("div", { class: "ana-heading", text: d.heading }));
  w.status = el("div", { class: "ana-status", "data-key": "oddsStatus", text: d.status });
  w.bar = el("progress", { max: String(AnswerWithinMs), value: "0", title: d.barTip });
  w.stop = el("button", { type: "button", class: "cmd", "data-key": "oddsStop", title: d.stopTip, text: d.stop,
                          onclick: () => stopOdds(w) });
  w.body.append(el("div", { class: "ana-row" }, w.status, w.bar, w.stop));
  if (d.decided) {
    w.bar.hidden = true;
    w.stop.hidden = true;
    w.tabs = tabs(d.tabs.slice(0, 2), "oddsTabs");
    w.body.append(w.tabs.box);
    w.tabs.panels[0].append(table(d.standings[0], "oddsDrivers"));
    w.tabs.panels[1].append(table(d.standings[1], "oddsTeams"));
    return;
  }
  w.body.append(whatIfBar(w));
  w.tabs = tabs(d.tabs, "oddsTabs");
  w.body.append(w.tabs.box);
  w.season = d.seasonWritten ? w.module.FS.readFile(d.seasonPath) : null;
  const params = new URLSearchParams(location.search);
  w.seed = /^\d+$/.test(params.get("oddsSeed") || "") ? params.get("oddsSeed") : randomSeed();
  w.runs = /^\d+$/.test(params.get("oddsRuns") || "") ? Math.max(1, Math.min(10000000, +params.get("oddsRuns"))) : MaxRuns;
  w.timed = !params.get("oddsRuns");
  oddsUpdate(w, d.update);
}

function randomSeed() {
  const words = crypto.getRandomValues(new Uint32Array(2));
  return (BigInt(words[0]) << 32n | BigInt(words[1])).toString();
}

function whatIfBar(w) {
  const d = w.data.whatIf;
  const gp = el("select", { "data-key": "whatIfGp", title: d.gpTip },
                ...d.gps.map(g => el("option", { value: String(g.value), text: g.text })));
  const places = d.places.map((p, i) => el("select", { "data-key": "whatIfPlace" + (i + 1), title: p.tip },
    el("option", { value: "0", text: p.none }), ...d.drivers.map(x => el("option", { value: String(x.value), text: x.text }))));
  const fixA = accel(d.fix), clearA = accel(d.clear);
  const fix = el("button", { type: "button", class: "cmd", "data-key": "whatIfFix", title: d.fixTip }, fixA.node);
  const clear = el("button", { type: "button", class: "cmd", "data-key": "whatIfClear", title: d.clearTip }, clearA.node);
  fix.addEventListener("click", () => send("fix", gp.value, ...places.map(p => p.value)));
  clear.addEventListener("click", () => {
    for (const p of places) p.selectedIndex = 0;
    if (w.fixed && w.fixed.length) send("clear");
  });
  w.accels.set(fixA.key, () => fix.click());
  w.accels.set(clearA.key, () => clear.click());
  const any = d.gps.length > 0;
  for (const c of [gp, fix, clear, ...places]) c.disabled = !any;
  w.whatIfList = el("div", { class: "ana-list", "data-key": "whatIfList" });
  return el("div", { class: "ana-whatif", "data-key": "whatIf" },
            el("div", { class: "ana-row wrap" }, el("span", { text: d.caption }), gp, ...places, fix, clear), w.whatIfList);
}

// The what-if's words and the exact title race; a fix taken starts the odds again from that future.
function oddsUpdate(w, u) {
  w.whatIfList.textContent = u.list;
  const panel = w.tabs.panels[2];
  const inner = tabs(u.titleRace.map(t => ({ key: t.key, title: t.title })), "titleRaceTabs");
  u.titleRace.forEach((t, i) => inner.panels[i].append(table(t.table, t.key)));
  if (w.titleTabs) inner.select(w.titleTabs.current);
  w.titleTabs = inner;
  panel.replaceChildren(inner.box);
  if (!u.refused) {
    w.fixed = u.fixed;
    startOdds(w);
  }
}

function stopWorker(w) {
  if (w.ticker) clearInterval(w.ticker);
  w.ticker = null;
  if (w.worker && w.running) { w.worker.terminate(); w.worker = null; }
  w.running = false;
}

function startOdds(w) {
  stopWorker(w);
  w.partial = null;
  w.result = null;
  w.stop.disabled = false;
  w.bar.max = w.timed ? AnswerWithinMs : w.runs;
  w.bar.value = 0;
  w.status.textContent = w.data.status;
  w.status.classList.remove("failed");
  drawOdds(w, null);
  if (!w.season) return failed(w, w.data.noSeason); // a season the game could not write out
  if (!w.worker) {
    try {
      w.worker = new Worker("odds-worker.js");
    } catch (e) {
      return failed(w, w.data.noWorker);
    }
    w.worker.onmessage = ev => oddsMessage(w, ev.data);
    // A worker that cannot be loaded or stops running: the figures it sent stand, and the window says so.
    w.worker.onerror = ev => { ev.preventDefault(); if (win === w && w.running) failed(w, w.data.noWorker); };
  }
  w.running = true;
  w.started = performance.now();
  w.worker.postMessage({
    season: w.season, switches: w.data.switches, seed: w.seed, runs: w.runs,
    stopAfterMs: w.timed ? AnswerWithinMs : 0,
    fixed: w.fixed.map(f => f.gp + ":" + f.drivers.join(",")).join(";"),
  });
  w.ticker = setInterval(() => tick(w), 40);
}

function tick(w) {
  const runs = w.partial ? w.partial.runs : 0;
  w.bar.value = w.timed ? Math.min(performance.now() - w.started, AnswerWithinMs) : runs;
  w.status.textContent = fill(w.data.counting, runs);
}

function oddsMessage(w, m) {
  if (win !== w || !w.running) return;
  if (m.type === "partial") { w.partial = m; tick(w); drawOdds(w, m); return; }
  // The worker's program could not be loaded, or the season did not read back there.
  if (m.type !== "done") return failed(w, m.type === "failed" ? w.data.noWorker : w.data.noSeason);
  stopWorker(w);
  finished(w, m);
}

// The odds could not be played (to the end): the figures of the blocks done stand, with the reason;
// without any, the charts say why they are empty.
function failed(w, why) {
  const partial = w.partial, reached = w.bar.value;
  stopWorker(w);
  if (w.worker) w.worker.terminate();
  w.worker = null; // the next start (a what-if) tries a fresh one
  finished(w, partial);
  w.bar.value = reached; // not drawn as done
  w.status.textContent = partial ? fill(w.data.stopped, why, partial.runs) : fill(w.data.failed, why);
  w.status.classList.add("failed");
  if (!partial)
    w.tabs.panels.slice(0, 2).forEach((panel, i) =>
      panel.replaceChildren(el("div", { class: "ana-empty", "data-key": i ? "oddsTeams" : "oddsDrivers", text: w.status.textContent })));
}

const NoOdds = { runs: 0, drivers: [], teams: [], shownDrivers: [], shownTeams: [] };

function finished(w, result) {
  result = result || NoOdds;
  w.result = result;
  w.bar.value = w.bar.max;
  w.stop.disabled = true;
  w.status.textContent = fill(w.data.counted, result.runs);
  drawOdds(w, result);
}

// 中止: the worker is ended; the figures of the blocks it finished stand.
function stopOdds(w) {
  if (!w.running) return;
  stopWorker(w);
  finished(w, w.partial);
}

function drawOdds(w, odds) {
  if (odds && w.shownRuns === odds.runs) return;
  w.shownRuns = odds ? odds.runs : -1;
  const d = w.data;
  const byIndex = (list, i) => list.find(e => e.index === i);
  const drivers = odds ? odds.shownDrivers.map(i => byIndex(odds.drivers, i)) : [];
  const teams = odds ? odds.shownTeams.map(i => byIndex(odds.teams, i)) : [];
  w.tabs.panels[0].replaceChildren(oddsChart(drivers, true, d, e => d.colours[d.driverColorNo[e.index]], "oddsDrivers"));
  w.tabs.panels[1].replaceChildren(oddsChart(teams, false, d, e => d.colours[d.teamColorNo[e.index]], "oddsTeams"));
}

// A chance in percent with one decimal, as the core rounds it (OddsPercent).
const percent = p => Math.round(1000 * p) / 10;

// The title odds as bars, best on top, each with its number beside it; for drivers the crown beside.
function oddsChart(entries, drivers, d, colourOf, key) {
  // The names' column as wide as the longest name needs, up to 45% of the chart; a longer name is squeezed.
  const textWidth = t => [...t].reduce((n, c) => n + (c.codePointAt(0) > 0xFF ? 12 : 7), 0);
  const W = chartWidth(640, false), rowH = drivers ? 34 : 26, right = 24, top = 10;
  const left = Math.round(Math.min(W * 0.45, Math.max(80, ...entries.map(e => textWidth(e.Nm) + 14))));
  const H = top + Math.max(entries.length, 1) * rowH + 30 + (drivers ? 22 : 0);
  const plot = W - left - right;
  const s = svg("svg", { viewBox: `0 0 ${W} ${H}`, class: "ana-chart", "data-key": key, role: "img" });
  tip(s, drivers ? d.driversTip : d.teamsTip);
  for (let v = 0; v <= 100; v += 20) {
    const x = left + plot * v / 100;
    s.append(svg("line", { x1: x, x2: x, y1: top, y2: H - 30 - (drivers ? 22 : 0), class: "grid" }),
             svg("text", { x, y: H - 14 - (drivers ? 22 : 0), class: "axis", "text-anchor": "middle" }, v + "%"));
  }
  const sets = drivers ? 2 : 1, barH = rowH * 0.8 / sets;
  entries.forEach((e, i) => {
    const y0 = top + i * rowH + rowH * 0.1;
    const colour = colourOf(e) || "#787878";
    const name = svg("text", { x: left - 6, y: top + i * rowH + rowH / 2 + 4, "text-anchor": "end", class: "name" }, e.Nm);
    if (textWidth(e.Nm) > left - 8) { name.setAttribute("textLength", left - 8); name.setAttribute("lengthAdjust", "spacingAndGlyphs"); }
    s.append(name);
    const values = drivers ? [e.title, e.crowned] : [e.title];
    values.forEach((p, k) => {
      const v = percent(p), wBar = plot * v / 100, y = y0 + k * barH;
      const bar = svg("rect", { x: left, y, width: wBar, height: barH - 1, fill: colour, class: k ? "bar crown" : "bar",
                                "data-colour": colour });
      if (k) bar.setAttribute("fill-opacity", "0.45");
      s.append(tip(bar, `${e.Nm}\n${k ? d.crownSet : d.titleSet} ${v}%`));
      const label = v + "%";
      const inside = wBar + 6 + label.length * 7 > plot;
      s.append(svg("text", { x: inside ? left + wBar - 4 : left + wBar + 4, y: y + barH / 2 + 4, class: inside ? "value inside" : "value",
                             "text-anchor": inside ? "end" : "start" }, label));
    });
  });
  if (drivers) {
    const y = H - 14;
    [[d.titleSet, 1], [d.crownSet, 0.45]].forEach(([name, op], k) => {
      const x = left + k * Math.min(200, plot / 2);
      s.append(svg("rect", { x, y: y - 10, width: 14, height: 10, fill: "#555", "fill-opacity": op }),
               svg("text", { x: x + 20, y, class: "axis" }, name));
    });
  }
  return s;
}

// ---- style ------------------------------------------------------------------------------------

const style = document.createElement("style");
style.textContent = `
dialog.analysis { width: min(980px, calc(100vw / var(--zoom, 1) - 12px)); max-height: calc(100vh / var(--zoom, 1) - 12px); box-sizing: border-box; }
dialog.analysis .ana-body { display: flex; flex-direction: column; gap: 6px; padding: 8px; max-height: calc(100vh / var(--zoom, 1) - 48px); overflow: auto; box-sizing: border-box; }
.ana-heading { font-size: 15px; font-weight: bold; }
.ana-row { display: flex; align-items: center; gap: 6px; }
.ana-row.wrap { flex-wrap: wrap; }
.ana-row > .ana-status { flex: 1; min-width: 8em; }
.ana-status.failed { color: #b00000; }
.ana-row > progress { flex: 1; min-width: 6em; }
.ana-row select, .ana-row button, .ana-buttons button { font: inherit; }
.ana-list, .ana-note { white-space: pre-wrap; }
.ana-tabs { display: flex; flex-wrap: wrap; gap: 2px; border-bottom: 1px solid #888; }
.ana-tabs button { font: inherit; border: 1px solid #888; border-bottom: none; background: #e4e1d8; padding: 3px 10px; }
.ana-tabs button[aria-selected="true"] { background: #fff; font-weight: bold; }
.ana-panel { background: #fff; border: 1px solid #888; border-top: none; padding: 6px; min-height: 120px; }
dialog.analysis[data-form="frmOdds"] .ana-panel { min-height: min(440px, calc(100vh / var(--zoom, 1) - 330px)); }
svg.ana-chart { width: 100%; height: auto; display: block; background: #fff; font-family: inherit; }
svg .grid { stroke: #ddd; stroke-width: 1; }
svg .axis { font-size: 11px; fill: #333; }
svg .title { font-size: 12px; fill: #222; }
svg .name { font-size: 12px; fill: #222; }
svg .value { font-size: 11px; fill: #282828; }
svg .value.inside { fill: #fff; }
.ana-table { overflow: auto; max-height: 420px; }
.ana-table table { border-collapse: collapse; width: 100%; }
.ana-table th { position: sticky; top: 0; background: #ece9d8; border: 1px solid #aaa; font-weight: normal; padding: 1px 4px; white-space: nowrap; }
.ana-table td { border-bottom: 1px solid #eee; padding: 1px 4px; white-space: nowrap; }
.ana-table td.num, .ana-table th.num { text-align: right; }
.ana-table tr.grey td { color: #828282; }
.ana-table tr.bold td { font-weight: bold; }
/* Touch: every target at least 44 px either way. */
@media (pointer: coarse) {
.ana-tabs button, .ana-buttons button, .ana-row button, .ana-row select, .ana-row input { min-height: 44px; min-width: 44px; }
}
.ana-empty { padding: 3em 1em; text-align: center; white-space: pre-wrap; }
.ana-buttons { text-align: right; }
.ana-buttons button.default { outline: 2px solid #316ac5; }
`;
document.head.append(style);

window.karvenAnalysis = {
  show,
  close,
  // What the open window shows, for tests: its form, whether the odds still run, their figures.
  state: () => win && {
    form: win.data.form,
    running: !!win.running,
    runs: win.result ? win.result.runs : (win.partial ? win.partial.runs : 0),
    result: win.result,
    seed: win.seed,
    fixed: win.fixed || [],
  },
};
