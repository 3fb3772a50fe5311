// Charts as SVG, as the desktop draws them: a line per driver or team in the machine's colour,
// team-mates told apart by dashes and markers, one line picked out with the others faded. The
// binder draws a form's chart control with it; the analysis windows share its pieces.
"use strict";

window.karvenCharts = (function () {
  const SVG = "http://www.w3.org/2000/svg";
  // Solid, dashed, dotted, dash-dotted, dash-dot-dotted in turn, and the markers in turn: the n-th
  // line of one colour (or of colours alike).
  const DashKinds = ["", "7 4", "2 3", "7 3 2 3", "7 3 2 3 2 3"];
  const Dashes = Array.from({ length: 15 }, (_, n) => DashKinds[n % 5]);
  const LegendWidth = 200;

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

  // A form's chart into `box` (its control's element, `width` × `height` as laid out): the plot,
  // named `name`, and its legend beside it, a legend entry picking its line out (`onPick`, -1 for none).
  function lineChart(box, chart, width, height, onPick, name) {
    const legendWidth = width >= 520 ? LegendWidth : 0;
    const W = Math.max(200, width - legendWidth - 6), H = Math.max(160, height), L = 48, R = 12, T = 12, B = 44;
    const steps = Math.max(1, chart.x.top), top = chart.y.top || 1;
    const X = k => L + (W - L - R) * k / steps, Y = v => T + (H - T - B) * (1 - v / top);
    const s = svg("svg", { viewBox: `0 0 ${W} ${H}`, class: "chart-plot", role: "img", "aria-label": name || chart.y.title });
    for (let v = 0, n = 0; v <= top + 1e-9; v += chart.y.step, ++n) {
      s.append(svg("line", { x1: L, x2: W - R, y1: Y(v), y2: Y(v), class: "grid" }));
      if (n % chart.y.labelEvery === 0) s.append(svg("text", { x: L - 4, y: Y(v) + 4, "text-anchor": "end", class: "axis" }, number(v)));
    }
    for (let k = 0, n = 0; k <= steps + 1e-9; k += chart.x.step, ++n) {
      s.append(svg("line", { x1: X(k), x2: X(k), y1: T, y2: H - B, class: "grid" }));
      if (n % chart.x.labelEvery === 0) s.append(svg("text", { x: X(k), y: H - B + 14, "text-anchor": "middle", class: "axis" }, number(k)));
    }
    s.append(svg("text", { x: (L + W - R) / 2, y: H - 8, "text-anchor": "middle", class: "title" }, chart.x.title),
             svg("text", { x: 12, y: (T + H - B) / 2, "text-anchor": "middle", class: "title", transform: `rotate(-90 12 ${(T + H - B) / 2})` }, chart.y.title));
    const lines = chart.lines.map(l => {
      const colour = css(l.colour);
      const g = svg("g", { class: "line", "data-colour": colour });
      g.append(svg("polyline", { points: l.values.map((v, k) => `${X(k)},${Y(v)}`).join(" "), fill: "none",
                                 stroke: colour, "stroke-width": 2.5, "stroke-dasharray": Dashes[l.look] || "" }));
      l.values.forEach((v, k) => g.append(tip(marker(l.look, X(k), Y(v), colour, 4), fill(chart.pointTip, l.name, k, number(v)))));
      s.append(g);
      return g;
    });
    const legend = document.createElement("div");
    legend.className = "legend";
    legend.title = chart.legendTip || "";
    chart.lines.forEach((l, i) => {
      const entry = document.createElement("button");
      entry.type = "button";
      entry.className = "entry";
      entry.tabIndex = -1; // the list above the chart picks by keyboard
      const name = document.createElement("span");
      name.textContent = l.name;
      entry.append(lineIcon(css(l.colour), l.look, true), name);
      entry.addEventListener("click", () => onPick(box.picked === i ? -1 : i));
      legend.append(entry);
    });
    box.replaceChildren(s, legend);
    box.lines = lines;
    box.picked = -1;
  }

  function pick(box, picked) {
    if (!box.lines || box.picked === picked) return;
    box.picked = picked;
    highlight(box.lines, picked);
    box.querySelectorAll(".legend .entry").forEach((e, i) => e.setAttribute("aria-pressed", String(i === picked)));
  }

  return { svg, tip, fill, Dashes, marker, lineIcon, highlight, lineChart, pick };
})();
