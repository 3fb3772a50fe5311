// Charts as SVG, as the desktop draws them: bars, or a line per driver or team in the machine's colour,
// team-mates told apart by dashes and markers, one line picked out with the others faded. The
// binder draws a form's chart control with it.
export const Charts = (function () {
  const SVG = "http://www.w3.org/2000/svg";
  // Solid, dashed, dotted, dash-dotted, dash-dot-dotted in turn, and the markers in turn: the n-th
  // line of one colour (or of colours alike).
  const DashKinds = ["", "7 4", "2 3", "7 3 2 3", "7 3 2 3 2 3"];
  const Dashes = Array.from({ length: 15 }, (_, n) => DashKinds[n % 5]);
  const LegendWidth = 200;
  let clips = 0;

  function svg(tag, attrs, ...children) {
    const e = document.createElementNS(SVG, tag);
    for (const [k, v] of Object.entries(attrs || {})) e.setAttribute(k, v);
    e.append(...children);
    return e;
  }
  function tip(node, text) { node.append(svg("title", {}, text)); return node; }
  const fill = (template, ...values) => values.reduce((t, v, i) => t.split("{" + (i + 1) + "}").join(String(v)), template);
  const css = rgb => "#" + (rgb & 0xffffff).toString(16).padStart(6, "0");
  // As the game writes a chart's number: whole, or with one decimal.
  const number = v => Math.abs(v - Math.round(v)) < 1e-9 ? String(Math.round(v)) : v.toFixed(1);

  function marker(shape, x, y, colour, r) {
    const a = { fill: colour, stroke: "#fff", "stroke-width": 1 };
    shape %= 3; // the looks after the third take the markers again
    if (shape === 0) return svg("circle", { cx: x, cy: y, r, ...a });
    if (shape === 1) return svg("rect", { x: x - r, y: y - r, width: 2 * r, height: 2 * r, ...a });
    return svg("polygon", { points: `${x},${y - r - 1} ${x + r + 1},${y} ${x},${y + r + 1} ${x - r - 1},${y}`, ...a });
  }

  function lineIcon(colour, look, withMarker) {
    const s = svg("svg", { viewBox: "0 0 36 14", width: 36, height: 14, class: "icon" });
    s.append(svg("line", { x1: 1, x2: 35, y1: 7, y2: 7, stroke: colour, "stroke-width": 2.5, "stroke-dasharray": Dashes[look] }));
    if (withMarker) s.append(marker(look, 18, 7, colour, 4));
    return s;
  }

  // Every line as drawn, or one picked out thick with the others faded.
  function highlight(lines, picked) {
    lines.forEach((g, i) => {
      g.setAttribute("opacity", picked < 0 || picked === i ? "1" : "0.25");
      g.querySelector("polyline").setAttribute("stroke-width", picked === i ? 5 : 2.5);
      if (picked === i) g.parentNode.append(g); // on top
    });
  }

  // ○ a stop, ▲ a penalty, ✕ a retirement: dark outlines that show on every machine colour.
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

  // The value at a step, the nearest one drawn where the line does not reach it.
  const valueAt = (l, step) => l.values[Math.max(0, Math.min(l.values.length - 1, step - (l.first || 0)))];
  const written = (chart, v) => chart.y.decimals === undefined ? number(v) : v.toFixed(chart.y.decimals);
  const whoOf = l => l.who || l.name;
  function pointTip(chart, i, step) {
    const l = chart.lines[i], v = written(chart, valueAt(l, step));
    return chart.stepWords ? whoOf(l) + "\n" + fill(chart.stepWords, step, v) : fill(chart.pointTip, whoOf(l), step, v);
  }
  function words(chart, i, step) {
    if (i < 0 || !chart.lines[i]) return chart.info || "";
    const l = chart.lines[i];
    let text = l.summary || whoOf(l);
    if (step !== undefined && chart.stepWords) text += "\n" + fill(chart.stepWords, step, written(chart, valueAt(l, step)));
    return text;
  }

  // The grid lines on the multiples of the step between the axis's ends; which carry a number.
  function ticks(axis, room) {
    const first = Math.ceil((axis.from || 0) / axis.step - 1e-9), out = [];
    let every = axis.labelEvery || 1;
    if (axis.fitLabels) {
      const per = room * axis.step / Math.max(1e-9, axis.top - (axis.from || 0));
      every = [1, 2, 5, 10, 20, 50, 100, 200, 500, 1000].find(e => per * e >= 14) || 1000;
    }
    for (let k = first; k * axis.step <= axis.top + 1e-9; ++k)
      out.push({ v: k * axis.step, label: axis.fitLabels ? (every === 1 || k === first || k % every === 0) : k % every === 0 });
    return out;
  }

  // A form's chart into `box` (its control's element, `width` × `height` as laid out): the plot,
  // named `name`, its legend beside it (a list the keyboard moves in where the chart asks, with check
  // boxes where `checks` are given), the marks' key and the words under it. A legend entry picks its
  // line out (`onPick`, -1 for none); a check box tells `onCheck(entry, on)`.
  // Bars, best on top, each with its number beside it (a "0%" one too); the later sets paler and
  // named in a key under the bars. A screen reader hears every bar's name and number.
  function barChart(box, chart, width, height, name) {
    const textWidth = t => [...t].reduce((n, c) => n + (c.codePointAt(0) > 0xff ? 12 : 7), 0);
    const sets = chart.barSets.length, keyH = sets > 1 ? 22 : 0, unit = chart.x.unit || "";
    const entries = chart.lines, W = Math.max(320, width), T = 10, B = 30 + keyH, R = 24;
    const rowH = Math.max(14, Math.min(sets > 1 ? 34 : 26, (height - T - B) / Math.max(entries.length, 1)));
    const H = Math.max(120, Math.round(T + Math.max(entries.length, 1) * rowH + B));
    const L = Math.round(Math.min(W * 0.45, Math.max(80, ...entries.map(e => textWidth(e.name) + 14))));
    const x0 = chart.x.from || 0, span = Math.max(1e-9, chart.x.top - x0), plot = W - L - R;
    const X = v => L + plot * (v - x0) / span;
    // Every bar's name and number in its accessible name: the core's words for the bars.
    const s = svg("svg", { viewBox: `0 0 ${W} ${H}`, class: "chart-plot bars", role: "img",
                           "aria-label": [name || "", chart.info || ""].filter(t => t).join("\n") });
    for (let v = x0; v <= chart.x.top + 1e-9; v += chart.x.step || span) {
      s.append(svg("line", { x1: X(v), x2: X(v), y1: T, y2: H - B, class: "grid" }),
               svg("text", { x: X(v), y: H - B + 16, class: "axis", "text-anchor": "middle" }, number(v) + unit));
    }
    const barH = rowH * 0.8 / sets;
    entries.forEach((e, i) => {
      const colour = css(e.colour);
      const label = svg("text", { x: L - 6, y: T + i * rowH + rowH / 2 + 4, "text-anchor": "end", class: "name" }, e.name);
      if (textWidth(e.name) > L - 8) { label.setAttribute("textLength", L - 8); label.setAttribute("lengthAdjust", "spacingAndGlyphs"); }
      s.append(label);
      e.values.forEach((v, k) => {
        const y = T + i * rowH + rowH * 0.1 + k * barH, w = Math.max(0, X(v) - L);
        const bar = svg("rect", { x: L, y, width: w, height: Math.max(1, barH - 1), fill: colour, class: k ? "bar paler" : "bar",
                                  "data-colour": colour });
        if (k) bar.setAttribute("fill-opacity", "0.45");
        s.append(tip(bar, `${e.name}\n${chart.barSets[k]} ${number(v)}${unit}`));
        const text = number(v) + unit, inside = w + 6 + text.length * 7 > plot;
        s.append(svg("text", { x: inside ? L + w - 4 : L + w + 4, y: y + barH / 2 + 4, class: inside ? "value inside" : "value",
                               "text-anchor": inside ? "end" : "start" }, text));
      });
    });
    if (sets > 1)
      chart.barSets.forEach((set, k) => {
        const x = L + k * Math.min(200, plot / sets), y = H - 8;
        s.append(svg("rect", { x, y: y - 10, width: 14, height: 10, fill: "#555", "fill-opacity": k ? 0.45 : 1 }),
                 svg("text", { x: x + 20, y, class: "axis" }, set));
      });
    box.replaceChildren(s);
  }

  function lineChart(box, chart, width, height, onPick, name, onCheck) {
    const hadFocus = box.contains(document.activeElement), oldList = box.querySelector(".legend");
    const scrolled = oldList ? oldList.scrollTop : 0;
    const listed = !!chart.legendList, under = (chart.markNames ? 22 : 0) + (chart.info ? 40 : 0);
    const legendWidth = width >= 520 ? LegendWidth : 0;
    const W = Math.max(200, width - legendWidth - 6), H = Math.max(160, height - under), L = 48, R = 12, T = 12, B = 44;
    const x = chart.x, y = chart.y, x0 = x.from || 0, y0 = y.from || 0;
    const xSpan = Math.max(1e-9, x.top - x0), ySpan = Math.max(1e-9, (y.top || 1) - y0);
    const X = k => L + (W - L - R) * (k - x0) / xSpan;
    const Y = v => T + (H - T - B) * (y.reversed ? (v - y0) / ySpan : 1 - (v - y0) / ySpan);
    const s = svg("svg", { viewBox: `0 0 ${W} ${H}`, class: "chart-plot", role: "img", "aria-label": name || y.title });
    for (const t of ticks(y, H - T - B)) {
      if (!y.fitLabels) s.append(svg("line", { x1: L, x2: W - R, y1: Y(t.v), y2: Y(t.v), class: "grid" }));
      if (t.label) s.append(svg("text", { x: L - 4, y: Y(t.v) + 4, "text-anchor": "end", class: "axis" }, number(t.v)));
    }
    for (const t of ticks(x, W - L - R)) {
      s.append(svg("line", { x1: X(t.v), x2: X(t.v), y1: T, y2: H - B, class: "grid" }));
      if (t.label) s.append(svg("text", { x: X(t.v), y: H - B + 14, "text-anchor": "middle", class: "axis" }, number(t.v)));
    }
    s.append(svg("text", { x: (L + W - R) / 2, y: H - 8, "text-anchor": "middle", class: "title" }, x.title),
             svg("text", { x: 12, y: (T + H - B) / 2, "text-anchor": "middle", class: "title", transform: `rotate(-90 12 ${(T + H - B) / 2})` }, y.title));
    const withMarkers = chart.markers !== false;
    const pointsOf = l => l.values.map((v, k) => [X(k + (l.first || 0)), Y(v)]);
    // Lines stay inside the plot (a gap can run past the axis's end), as the desktop clips them.
    const clip = "chart-clip-" + ++clips;
    s.append(svg("clipPath", { id: clip }, svg("rect", { x: L, y: T - 6, width: W - L - R + 6, height: H - T - B + 12 })));
    const plot = svg("g", { "clip-path": `url(#${clip})` });
    s.append(plot);
    const lines = chart.lines.map((l, i) => {
      const colour = css(l.colour);
      const g = svg("g", { class: "line", "data-colour": colour, "data-row": i });
      g.append(svg("polyline", { points: pointsOf(l).map(p => p.join(",")).join(" "), fill: "none", "stroke-linejoin": "round",
                                 stroke: colour, "stroke-width": 2.5, "stroke-dasharray": Dashes[l.look] || "" }));
      if (withMarkers) l.values.forEach((v, k) => g.append(tip(marker(l.look, X(k + (l.first || 0)), Y(v), colour, 4), pointTip(chart, i, k + (l.first || 0)))));
      plot.append(g);
      return g;
    });
    if (chart.marks && chart.marks.length) {
      const marks = svg("g", { class: "marks" });
      for (const [line, step, value, kind] of chart.marks)
        marks.append(tip(mark(kind, X(step), Y(value)), fill(chart.markTip, whoOf(chart.lines[line]), step, chart.markNames[kind])));
      plot.append(marks);
    }

    const legend = document.createElement("div");
    legend.className = "legend";
    legend.title = chart.legendTip || "";
    if (listed) {
      legend.setAttribute("role", "listbox");
      legend.setAttribute("aria-label", chart.legendTip || "");
      legend.tabIndex = 0;
    }
    chart.lines.forEach((l, i) => {
      const entry = document.createElement(listed ? "div" : "button");
      if (listed) { entry.setAttribute("role", "option"); entry.title = l.summary || whoOf(l); entry.id = `${box.dataset.key || "chart"}-entry-${i}`; }
      else { entry.type = "button"; entry.tabIndex = -1; } // the list above the chart picks by keyboard
      entry.className = "entry";
      entry.dataset.row = i;
      const label = document.createElement("span");
      label.textContent = l.name;
      entry.append(lineIcon(css(l.colour), l.look, withMarkers), label);
      if (listed && onCheck) {
        // A box drawn, not a control of its own inside the entry: the entry is the one control, its
        // aria-checked tells a screen reader, and Space in the list ticks it.
        const check = document.createElement("span");
        check.className = "check";
        check.setAttribute("aria-hidden", "true");
        check.addEventListener("click", ev => {
          ev.stopPropagation();
          onCheck(i, entry.getAttribute("aria-checked") !== "true");
        });
        entry.prepend(check);
      }
      entry.addEventListener("click", () => onPick(listed ? i : box.picked === i ? -1 : i));
      legend.append(entry);
    });
    if (listed)
      legend.addEventListener("keydown", ev => {
        const n = chart.lines.length, at = box.picked;
        if (ev.key === "ArrowDown" || ev.key === "ArrowUp") {
          ev.preventDefault();
          ev.stopPropagation();
          onPick(Math.max(0, Math.min(n - 1, at + (ev.key === "ArrowDown" ? 1 : -1))));
        } else if (ev.key === " " && onCheck && at >= 0) {
          ev.preventDefault();
          ev.stopPropagation();
          onCheck(at, legend.children[at].getAttribute("aria-checked") !== "true");
        }
      });

    // The pointer over the plot: the nearest line within reach picks out while it rests there.
    const wordsLine = document.createElement("div");
    wordsLine.className = "chart-words";
    wordsLine.setAttribute("aria-live", "polite");
    const toPlot = ev => {
      const r = s.getBoundingClientRect();
      return [(ev.clientX - r.left) * W / r.width, (ev.clientY - r.top) * H / r.height];
    };
    const lineAt = ([px, py]) => {
      let best = 6, nearest = -1;
      lines.forEach((g, row) => {
        if (g.style.display === "none") return;
        const pts = pointsOf(chart.lines[row]);
        pts.forEach((b, i) => {
          const a = i ? pts[i - 1] : b, dx = b[0] - a[0], dy = b[1] - a[1], len = dx * dx + dy * dy;
          const u = len > 0 ? Math.max(0, Math.min(1, ((px - a[0]) * dx + (py - a[1]) * dy) / len)) : 0;
          if (Math.hypot(px - a[0] - u * dx, py - a[1] - u * dy) < best) { best = Math.hypot(px - a[0] - u * dx, py - a[1] - u * dy); nearest = row; }
        });
      });
      return nearest;
    };
    s.addEventListener("pointermove", ev => {
      const at = toPlot(ev), row = lineAt(at);
      if (row < 0) { highlight(lines, box.picked); wordsLine.textContent = words(chart, box.picked); return; }
      highlight(lines, row);
      const step = Math.max(Math.ceil(x0), Math.min(Math.floor(x.top), Math.round(x0 + (at[0] - L) / (W - L - R) * xSpan)));
      wordsLine.textContent = words(chart, row, step);
    });
    s.addEventListener("pointerleave", () => { highlight(lines, box.picked); wordsLine.textContent = words(chart, box.picked); });
    s.addEventListener("click", ev => { const row = lineAt(toPlot(ev)); if (row >= 0) onPick(row); });

    const row = document.createElement("div");
    row.className = "chart-row";
    row.append(s, legend);
    const parts = [row];
    if (chart.markNames) {
      const key = document.createElement("div");
      key.className = "chart-key";
      chart.markNames.forEach((markName, k) => {
        const m = svg("svg", { viewBox: "0 0 14 14", width: 14, height: 14, role: "img", "aria-label": markName });
        m.append(mark(k, 7, 7));
        const label = document.createElement("span");
        label.textContent = markName;
        key.append(m, label);
      });
      parts.push(key);
    }
    if (chart.info) parts.push(wordsLine);
    box.replaceChildren(...parts);
    box.chart = chart;
    box.lines = lines;
    box.words = wordsLine;
    box.picked = undefined;
    pick(box, -1);
    legend.scrollTop = scrolled;
    if (hadFocus && listed) legend.focus();
  }

  // The lines drawn: those checked, where the legend has check boxes.
  function show(box, checks) {
    if (!box.lines) return;
    const entries = box.querySelectorAll(".legend .entry");
    box.lines.forEach((g, i) => {
      const on = !checks || !checks.length || !!checks[i];
      g.style.display = on ? "" : "none";
      const check = entries[i] && entries[i].querySelector(".check");
      if (check) {
        check.textContent = on ? "✓" : "";
        entries[i].setAttribute("aria-checked", String(on));
      }
    });
  }

  // A strip: a row of coloured cells, each with its letter (the colour is never the only sign), a
  // few numbers under them.
  function strip(el, data) {
    const cell = 20, label = 56, n = data ? data.cells.length : 0;
    el.setAttribute("viewBox", `0 0 ${label + n * cell + 4} 34`);
    el.setAttribute("preserveAspectRatio", "xMinYMin meet"); // from the left, as the desktop draws it
    el.replaceChildren();
    if (!data) return;
    el.append(svg("text", { x: 0, y: 13, class: "axis" }, data.caption));
    data.cells.forEach((c, i) => {
      el.append(svg("rect", { x: label + i * cell, y: 0, width: cell - 1, height: 18, fill: css(c.colour) }),
                svg("text", { x: label + i * cell + cell / 2, y: 13.5, "text-anchor": "middle", "font-size": 11, fill: css(c.letterColour) }, c.letter));
      if (c.below) el.append(svg("text", { x: label + i * cell + cell / 2, y: 30, "text-anchor": "middle", class: "axis" }, c.below));
    });
  }

  function pick(box, picked) {
    if (!box.lines || box.picked === picked) return;
    box.picked = picked;
    highlight(box.lines, picked);
    const legend = box.querySelector(".legend");
    const listed = legend && legend.getAttribute("role") === "listbox";
    box.querySelectorAll(".legend .entry").forEach((e, i) => e.setAttribute(listed ? "aria-selected" : "aria-pressed", String(i === picked)));
    if (listed) {
      const entry = legend.children[picked];
      if (entry) { legend.setAttribute("aria-activedescendant", entry.id); entry.scrollIntoView({ block: "nearest" }); }
      else legend.removeAttribute("aria-activedescendant");
    }
    if (box.words) box.words.textContent = words(box.chart, picked);
  }

  return { svg, tip, fill, Dashes, marker, lineIcon, highlight, barChart, lineChart, pick, show, mark, strip };
})();
