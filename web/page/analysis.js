// The analysis windows in the page: title odds (played in a Web Worker) and how each race unfolded. The game puts together what they show (WebAnalysis.cpp) and waits while
// one is open; this module draws it in a <dialog>, its charts as SVG in the machine colours, and
// hands the player's choices back as "analysis" events.
"use strict";

(function () {
  const { svg, tip, fill, Dashes, lineIcon, highlight } = window.karvenCharts;
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
  let clips = 0;
  // Lines stay inside the plot, as the desktop's charts clip them.
  function clipTo(s, x, y, width, height) {
    const id = "ana-clip-" + ++clips;
    s.append(svg("clipPath", { id }, svg("rect", { x, y, width, height })));
    return `url(#${id})`;
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
    if (data.kind === "odds") openOdds(win);
    else openRace(win);
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
      } else if (w.data.kind === "race" && w.race) {
        raceShown(w, w.race);
      }
    }, 100);
  });

  function show(json, module) {
    const data = JSON.parse(json);
    if (data.kind) return open(data, module);
    if (!win) return;
    if (data.update) oddsUpdate(win, data.update);
    if (data.race) raceShown(win, data.race);
    if (data.gapScale && win.gapPage) win.gapPage.scale(data.gapScale);
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

  // ---- レース分析 ----------------------------------------------------------------------------------

  function openRace(w) {
    const d = w.data;
    const a = accel(d.picker);
    const picker = el("select", { "data-key": "raceGp", title: d.pickerTip }, ...d.races.map(t => el("option", { text: t })));
    w.accels.set(a.key, () => picker.focus());
    w.body.append(el("div", { class: "ana-row" }, el("label", {}, a.node, picker)));
    w.firstFocus = picker;
    if (!d.races.length) {
      picker.disabled = true;
      w.firstFocus = null;
      w.body.append(el("div", { class: "ana-empty", "data-key": "raceNone", text: d.none }));
      return;
    }
    w.tabs = tabs(d.tabs, "raceTabs");
    w.body.append(w.tabs.box);
    picker.selectedIndex = d.selected;
    picker.addEventListener("change", () => send("race", picker.selectedIndex));
    w.racePicker = picker;
    raceShown(w, d.race);
  }

  function raceShown(w, race) {
    w.race = race;
    w.racePicker.selectedIndex = race.index;
    w.tabs.panels[0].replaceChildren(raceChart(w, race, true));
    w.gapPage = null;
    w.tabs.panels[1].replaceChildren(raceChart(w, race, false));
    w.tabs.panels[2].replaceChildren(raceReport(w, race));
  }

  // ○ a tyre stop, ▲ a penalty, ✕ a retirement: dark outlines that show on every machine colour.
  function mark(kind, x, y) {
    const r = 4.5;
    if (kind === 0) return svg("circle", { cx: x, cy: y, r, fill: "#fff", stroke: "#1e1e1e", "stroke-width": 1.6, class: "mark pit" });
    if (kind === 1) return svg("polygon", { points: `${x},${y - r} ${x + r},${y + r} ${x - r},${y + r}`, fill: "#dc1e1e",
                                            stroke: "#780000", "stroke-width": 1.2, class: "mark penalty" });
    const g = svg("g", { class: "mark retired" });
    for (const [c, wd] of [["#fff", 4.2], ["#000", 2.2]])
      g.append(svg("path", { d: `M${x - r},${y - r}L${x + r},${y + r}M${x + r},${y - r}L${x - r},${y + r}`, stroke: c,
                             "stroke-width": wd, "stroke-linecap": "round" }));
    return g;
  }

  function raceChart(w, race, places) {
    const t = w.data.texts, cars = race.cars, laps = Math.max(race.laps, 1);
    const W = chartWidth(600, true), H = Math.round(380 * Math.max(0.8, W / 600)), L = 44, R = 12, T = 12, B = 40;
    let gapTop = race.gapScale[0], gapStep = race.gapScale[1];
    const X = lap => L + (W - L - R) * lap / laps;
    const Yp = p => T + (H - T - B) * (p - 0.5) / Math.max(cars.length, 1);
    const Yg = g => T + (H - T - B) * g / gapTop;
    const s = svg("svg", { viewBox: `0 0 ${W} ${H}`, class: "ana-chart", "data-key": places ? "raceLapChart" : "raceGapChart", role: "img" });
    tip(s, places ? t.lapChartTip : t.gapChartTip);
    const axes = svg("g", {});
    s.append(axes);
    const drawAxes = () => {
      axes.replaceChildren();
      for (let lap = 0; lap <= laps; lap += race.lapTick)
        axes.append(svg("line", { x1: X(lap), x2: X(lap), y1: T, y2: H - B, class: "grid" }),
                    svg("text", { x: X(lap), y: H - B + 14, "text-anchor": "middle", class: "axis" }, String(lap)));
      if (places) {
        const every = [1, 2, 5, 10, 20, 50].find(e => (H - T - B) / cars.length * e >= 14) || 100;
        for (let k = 1; k <= cars.length; ++k)
          if (every === 1 || k === 1 || k % every === 0)
            axes.append(svg("text", { x: L - 4, y: Yp(k) + 4, "text-anchor": "end", class: "axis" }, String(k)));
      } else {
        for (let k = 0; k * gapStep <= gapTop + 1e-9; ++k)
          axes.append(svg("line", { x1: L, x2: W - R, y1: Yg(k * gapStep), y2: Yg(k * gapStep), class: "grid" }),
                      svg("text", { x: L - 4, y: Yg(k * gapStep) + 4, "text-anchor": "end", class: "axis" },
                          (k * gapStep).toFixed(gapStep >= 1 ? 0 : 1)));
      }
      axes.append(svg("text", { x: (L + W - R) / 2, y: H - 6, "text-anchor": "middle", class: "title" }, places ? t.lapAxis : t.gapLapAxis),
                  svg("text", { x: 12, y: (T + H - B) / 2, "text-anchor": "middle", class: "title",
                                transform: `rotate(-90 12 ${(T + H - B) / 2})` }, places ? t.placeAxis : t.gapAxis));
    };
    drawAxes();
    const points = c => places
      ? [...c.place.map((p, lap) => [lap, p]), ...(c.retiredLap ? [[c.retiredLap, c.retiredPlace]] : [])]
      : c.gap.map((g, k) => [k + 1, g]);
    const Y = places ? Yp : Yg;
    const plotArea = svg("g", { "clip-path": clipTo(s, L, T - 6, W - L - R + 6, H - T - B + 12) });
    s.append(plotArea);
    const lines = cars.map((c, row) => {
      const g = svg("g", { class: "line", "data-colour": c.colour, "data-row": row });
      g.append(svg("polyline", { fill: "none", stroke: c.colour, "stroke-width": 2.5, "stroke-dasharray": Dashes[c.look],
                                 "stroke-linejoin": "round" }));
      plotArea.append(g);
      return g;
    });
    const place = () => lines.forEach((g, row) =>
      g.firstChild.setAttribute("points", points(cars[row]).map(([x, y]) => `${X(x)},${Y(y)}`).join(" ")));
    place();
    const marks = svg("g", { class: "marks" });
    if (places) {
      cars.forEach((c, row) => {
        const at = lap => (c.retiredLap === 0 || lap < c.retiredLap) ? c.place[lap] : c.retiredPlace;
        c.pit.forEach(lap => { if (lap >= 0 && lap <= race.laps) marks.append(tip(mark(0, X(lap), Yp(at(lap))), fill(t.atMark, c.carName, lap, t.marks[0]))); });
        c.penalty.forEach(lap => { if (lap >= 0 && lap <= race.laps) marks.append(tip(mark(1, X(lap), Yp(at(lap))), fill(t.atMark, c.carName, lap, t.marks[1]))); });
        if (c.retiredLap) marks.append(tip(mark(2, X(c.retiredLap), Yp(c.retiredPlace)), fill(t.atMark, c.carName, c.retiredLap, t.marks[2])));
      });
      s.append(marks);
    }
    const info = el("div", { class: "ana-info", "data-key": places ? "raceLapInfo" : "raceGapInfo", text: t.info });
    let picked = -1;
    const showInfo = (row, lap) => {
      if (row < 0) { info.textContent = t.info; return; }
      const c = cars[row];
      let text = c.summary;
      if (lap !== undefined) {
        if (places) text += "\n" + fill(t.atPlace, lap, (c.retiredLap === 0 || lap < c.retiredLap) ? c.place[lap] : c.retiredPlace);
        else if (lap >= 1 && c.gap[lap - 1] !== undefined) text += "\n" + fill(t.atGap, lap, c.gap[lap - 1].toFixed(2));
      }
      info.textContent = text;
    };
    const pick = row => { picked = row; highlight(lines, row); showInfo(row); };
    // The pointer over the chart: the nearest line within reach picks out.
    const toChart = ev => {
      const box = s.getBoundingClientRect();
      return [(ev.clientX - box.left) * W / box.width, (ev.clientY - box.top) * H / box.height];
    };
    const lineAt = ([px, py]) => {
      let best = 6, nearest = -1;
      lines.forEach((g, row) => {
        if (g.style.display === "none") return;
        const pts = points(cars[row]).map(([x, y]) => [X(x), Y(y)]);
        pts.forEach((b, i) => {
          const a = i ? pts[i - 1] : b, dx = b[0] - a[0], dy = b[1] - a[1], len = dx * dx + dy * dy;
          const u = len > 0 ? Math.max(0, Math.min(1, ((px - a[0]) * dx + (py - a[1]) * dy) / len)) : 0;
          const dist = Math.hypot(px - a[0] - u * dx, py - a[1] - u * dy);
          if (dist < best) { best = dist; nearest = row; }
        });
      });
      return nearest;
    };
    s.addEventListener("pointermove", ev => {
      const at = toChart(ev), row = lineAt(at);
      if (row < 0) { highlight(lines, picked); showInfo(picked); return; }
      highlight(lines, row);
      showInfo(row, Math.max(0, Math.min(race.laps, Math.round((at[0] - L) / (W - L - R) * laps))));
    });
    s.addEventListener("pointerleave", () => { highlight(lines, picked); showInfo(picked); });
    s.addEventListener("click", ev => { const row = lineAt(toChart(ev)); if (row >= 0) legend.select(row); });

    // The legend: a list in finishing order; in the gap chart its check boxes choose the cars drawn.
    const list = el("div", { class: "ana-legend race", role: "listbox", tabindex: "0", title: places ? t.lapLegendTip : t.gapLegendTip,
                             "data-key": places ? "raceLegend" : "raceGapLegend" });
    const items = cars.map((c, row) => {
      const item = el("div", { class: "entry", role: "option", "data-row": row, title: c.summary },
                      lineIcon(c.colour, c.look, false), el("span", { text: c.label }));
      if (!places) {
        const box = el("input", { type: "checkbox", tabindex: "-1" });
        box.checked = row < race.gapCarsAtFirst;
        lines[row].style.display = box.checked ? "" : "none";
        box.addEventListener("click", ev => ev.stopPropagation());
        box.addEventListener("change", () => toggled(row, box.checked));
        item.prepend(box);
      }
      item.addEventListener("click", () => legend.select(row));
      list.append(item);
      return item;
    });
    const toggled = (row, on) => {
      lines[row].style.display = on ? "" : "none";
      let most = 0;
      cars.forEach((c, k) => { if (lines[k].style.display !== "none") for (const g of c.gap) most = Math.max(most, g); });
      send("gapscale", most);
    };
    const legend = {
      select: row => {
        items.forEach((it, k) => it.setAttribute("aria-selected", String(k === row)));
        if (items[row]) items[row].scrollIntoView({ block: "nearest" });
        pick(row);
      },
    };
    list.addEventListener("keydown", ev => {
      if (ev.key === "ArrowDown" || ev.key === "ArrowUp") {
        ev.preventDefault();
        legend.select(Math.max(0, Math.min(cars.length - 1, picked + (ev.key === "ArrowDown" ? 1 : -1))));
      } else if (ev.key === " " && !places && picked >= 0) {
        ev.preventDefault();
        const box = items[picked].querySelector("input");
        box.checked = !box.checked;
        toggled(picked, box.checked);
      }
    });
    if (!places)
      w.gapPage = {
        scale: ([top, step]) => { gapTop = top; gapStep = step; drawAxes(); place(); },
      };
    const page = el("div", { class: "ana-page", "data-key": places ? "raceLapPage" : "raceGapPage" },
                    el("div", { class: "ana-chartrow" }, el("div", { class: "ana-chartbox" }, s), list));
    if (places) {
      const key = el("div", { class: "ana-row ana-key" });
      t.marks.forEach((name, k) => {
        const m = svg("svg", { viewBox: "0 0 14 14", width: 14, height: 14 });
        m.append(mark(k, 7, 7));
        key.append(m, el("span", { text: name }));
      });
      page.append(key);
    }
    page.append(info);
    return page;
  }


  function raceReport(w, race) {
    const t = w.data.texts, n = race.weather.length, cell = 20, label = 56;
    const s = svg("svg", { viewBox: `0 0 ${label + n * cell + 4} 34`, class: "ana-weather", "data-key": "raceWeather",
                           role: "img", "aria-label": race.weatherStory });
    tip(s, t.weatherTip);
    s.append(svg("text", { x: 0, y: 13, class: "axis" }, t.weather));
    const letters = { 1: t.fine, 2: t.cloudy, 3: t.rain };
    const colours = { 1: t.weatherColours[0], 2: t.weatherColours[1], 3: t.weatherColours[2] };
    race.weather.forEach((wx, i) => {
      s.append(svg("rect", { x: label + i * cell, y: 0, width: cell - 1, height: 18, fill: colours[wx] || colours[3] }));
      // The weather's letter in its cell: the colour is not the only sign.
      s.append(svg("text", { x: label + i * cell + cell / 2, y: 13.5, "text-anchor": "middle", "font-size": 11,
                             fill: wx === 1 || wx === 2 ? "#202020" : "#ffffff" }, letters[wx] || letters[3]));
      if (i === 0 || i % 5 === 0 || i === n - 1)
        s.append(svg("text", { x: label + i * cell + cell / 2, y: 30, "text-anchor": "middle", class: "axis" }, i === 0 ? "S" : String(i)));
    });
    const report = table(race.report, "raceReport");
    report.title = t.reportTip;
    report.querySelectorAll("tbody tr").forEach((tr, r) => {
      const gained = tr.cells[4];
      if (gained.textContent.startsWith("↑")) gained.classList.add("up");
      else if (gained.textContent.startsWith("↓")) gained.classList.add("down");
      void r;
    });
    return el("div", { class: "ana-page", "data-key": "raceReportPage" }, s,
              el("div", { class: "ana-summary", "data-key": "raceSummary", text: race.summary }), report);
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
.ana-list, .ana-note, .ana-info, .ana-summary { white-space: pre-wrap; }
.ana-info { min-height: 2.6em; }
.ana-tabs { display: flex; flex-wrap: wrap; gap: 2px; border-bottom: 1px solid #888; }
.ana-tabs button { font: inherit; border: 1px solid #888; border-bottom: none; background: #e4e1d8; padding: 3px 10px; }
.ana-tabs button[aria-selected="true"] { background: #fff; font-weight: bold; }
.ana-panel { background: #fff; border: 1px solid #888; border-top: none; padding: 6px; min-height: 120px; }
dialog.analysis[data-form="frmOdds"] .ana-panel { min-height: min(440px, calc(100vh / var(--zoom, 1) - 330px)); }
.ana-chartrow { display: flex; gap: 6px; flex-wrap: wrap; }
.ana-chartbox { flex: 1 1 380px; min-width: 0; }
svg.ana-chart { width: 100%; height: auto; display: block; background: #fff; font-family: inherit; }
svg.ana-weather { width: 100%; max-width: 100%; height: 34px; display: block; }
svg .grid { stroke: #ddd; stroke-width: 1; }
svg .axis { font-size: 11px; fill: #333; }
svg .title { font-size: 12px; fill: #222; }
svg .name { font-size: 12px; fill: #222; }
svg .value { font-size: 11px; fill: #282828; }
svg .value.inside { fill: #fff; }
.ana-legend { flex: 0 1 220px; min-width: 160px; max-height: 380px; overflow: auto; border: 1px solid #aaa; background: #fff; }
.ana-legend .entry { display: flex; align-items: center; gap: 4px; width: 100%; box-sizing: border-box; font: inherit; background: none; border: none; padding: 1px 4px; text-align: left; white-space: pre; cursor: pointer; }
.ana-legend .entry[aria-selected="true"] { background: #316ac5; color: #fff; }
.ana-key { gap: 4px; }
.ana-key span { margin-right: 12px; }
.ana-table { overflow: auto; max-height: 420px; }
.ana-table table { border-collapse: collapse; width: 100%; }
.ana-table th { position: sticky; top: 0; background: #ece9d8; border: 1px solid #aaa; font-weight: normal; padding: 1px 4px; white-space: nowrap; }
.ana-table td { border-bottom: 1px solid #eee; padding: 1px 4px; white-space: nowrap; }
.ana-table td.num, .ana-table th.num { text-align: right; }
.ana-table tr.grey td { color: #828282; }
.ana-table tr.bold td { font-weight: bold; }
.ana-table td.up { color: #00823c; } .ana-table td.down { color: #be1e1e; }
.ana-table tr.grey td.up { color: #00823c; } .ana-table tr.grey td.down { color: #be1e1e; }
@media (max-width: 640px) { .ana-legend { flex: 1 1 100%; max-height: 200px; } .ana-legend .entry { white-space: pre-wrap; } }
/* Touch: every target at least 44 px either way. */
@media (pointer: coarse) {
  .ana-tabs button, .ana-buttons button, .ana-row button, .ana-row select, .ana-row input { min-height: 44px; min-width: 44px; }
  .ana-legend .entry { min-height: 44px; }
  .ana-legend { max-height: 264px; }
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
})();
