// Where windows go: dialogs placed, and laid out again for a narrow screen; the main window fitted
// to the screen, or in columns.
import { textOf } from "./colours.js";
import { MenuKinds, updateControl } from "./controls.js";
import { textSize } from "./settings.js";
import { forms } from "./state.js";

// The layout's width and height: on a phone, the screen's, whatever the zoom (the visual
// viewport, innerWidth, grows with the page and would keep a page once laid out wide that wide).
export const screenWidth = () => document.documentElement.clientWidth;
const screenHeight = () => document.documentElement.clientHeight;

// A window the game placed (the commentary against the main window's right edge) opens there, at
// the main window's scale, as far as the screen allows; the others open centred.
export function placeDialog(f) {
  const main = [...forms.values()].find(m => !m.data.modal);
  const d = f.dialog, s = d.style;
  // Over a main window in columns (a phone held upright), at the bottom of the screen.
  d.classList.toggle("docked", !!(f.data.placed && main && main.columns));
  if (!f.data.placed || !main || main.columns) { s.margin = ""; s.left = s.top = ""; return; }
  // The board's place on the screen, in the page's own (zoomed) pixels as the rest here.
  const seen = main.root.getBoundingClientRect(), zoom = textSize / 100;
  const board = { left: seen.left / zoom, top: seen.top / zoom };
  const scale = main.scale || 1;
  const w = d.offsetWidth, h = d.offsetHeight;
  const left = board.left + (f.data.x - main.data.x) * scale;
  const top = board.top + (f.data.y - main.data.y) * scale;
  s.margin = "0";
  s.left = Math.max(0, Math.min(left, screenWidth() - w)) + "px";
  s.top = Math.max(0, Math.min(top, screenHeight() - h)) + "px";
}

// A window too wide for the screen, or any window on a touch screen, is laid out again: its
// controls in rows as the form has them, top to bottom, each row left to right and wrapped where
// the width ends, a list, table or text as wide as the window; empty labels and frames left out.
const touch = window.matchMedia("(pointer: coarse)");
export function flowDialog(f) {
  const flow = touch.matches || f.data.w > screenWidth() - 8;
  f.dialog.classList.toggle("flow", flow);
  if (!flow) return;
  const shown = f.data.controls.filter(c => !MenuKinds.has(c.kind) && c.visible && c.w > 0 && c.h > 0)
    .sort((a, b) => a.y - b.y || a.x - b.x);
  // A control begins a row below the middle of the row's lowest control (a tall list beside
  // several rows of fields holds none of them).
  const rows = [];
  for (const c of shown) {
    const row = rows[rows.length - 1];
    if (!row || c.y >= row.top + Math.min(row.height, c.h) / 2) rows.push({ top: c.y, height: c.h, controls: [c] });
    else { row.controls.push(c); row.height = Math.min(row.height, c.h); }
  }
  f.breaks = f.breaks || [];
  rows.forEach((row, i) => {
    row.controls.sort((a, b) => a.x - b.x).forEach((c, k) => {
      const el = f.elements.get(c.key);
      el.style.order = String(i * 1000 + k);
      if (c.kind === "label") el.classList.toggle("empty", !textOf(c.text).trim());
    });
    if (!f.breaks[i]) {
      f.breaks[i] = document.createElement("div");
      f.breaks[i].className = "rowbreak";
      f.content.append(f.breaks[i]);
    }
    f.breaks[i].style.order = String(i * 1000 + 999);
  });
}

// The main window scales down to the browser's width and height, never up. On a narrow screen
// in portrait (a phone) the columns it names are stacked, each as wide as the screen allows, and
// the page scrolls down; a window with no columns takes the whole width.
export function fitMain(f) {
  const portrait = screenHeight() > screenWidth();
  // A phone held sideways: the columns side by side without the commentary's frame, as wide as
  // the screen, the page scrolling down; the whole window would shrink to the low screen's height.
  const sideways = !portrait && touch.matches && screenHeight() < 600;
  const columns = portrait || sideways ? formColumns(f.data) : [];
  // Moving an element takes the keyboard focus from it: it is given back.
  const focused = document.activeElement;
  const stacked = columns.length > 1;
  if (stacked) stackColumns(f, columns, sideways);
  else unstackColumns(f);
  if (focused && focused !== document.activeElement && f.content.contains(focused)) focused.focus({ preventScroll: true });
  if (stacked) return;
  // The form's height is its client area's: the menu bar comes on top, the status line below.
  const bar = f.root.querySelector(":scope > .menubar");
  const w = f.data.w, h = f.data.h + (bar ? bar.offsetHeight : 0);
  const across = screenWidth() / w;
  const room = screenHeight() - document.getElementById("status").offsetHeight - 2;
  // Where the player enlarged the text, the window keeps its size and the page scrolls: shrunk
  // to fit, it would take the enlargement back.
  const scale = textSize > 100 ? 1 : Math.min(1, portrait ? across : Math.min(across, room / h));
  f.root.style.transform = scale < 1 ? "scale(" + scale + ")" : "";
  f.scale = scale;
  const board = document.getElementById("board");
  board.style.width = Math.floor(w * scale) + "px";
  board.style.height = Math.ceil(h * scale) + "px";
}

// The form's columns, where the form says they begin: the controls whose left edge is in each,
// and each control's column by its key. A column of nothing but frames (where the commentary
// windows appear) is left out: held upright, those windows come at the bottom of the screen.
function formColumns(data) {
  const starts = data.columnStarts || [];
  if (!starts.length) return [];
  const columns = [0, ...starts].map(() => ({ left: Infinity, right: -Infinity, top: Infinity, bottom: -Infinity, used: false, frames: true }));
  const of = new Map();
  for (const c of data.controls) {
    if (MenuKinds.has(c.kind) || c.w <= 0 || c.h <= 0) continue;
    let i = 0;
    while (i < starts.length && c.x >= starts[i]) ++i;
    const col = columns[i];
    col.left = Math.min(col.left, c.x);
    col.right = Math.max(col.right, c.x + c.w);
    col.top = Math.min(col.top, c.y);
    col.bottom = Math.max(col.bottom, c.y + c.h);
    col.used = true;
    if (!(c.kind === "label" && c.border)) col.frames = false;
    of.set(c.key, col);
  }
  const used = columns.filter(col => col.used && !col.frames);
  used.forEach((col, i) => { col.index = i; });
  used.of = of;
  return used;
}

function stackColumns(f, columns, sideBySide) {
  const across = screenWidth() - 8;
  const gap = 8, widths = columns.map(c => c.right - c.left);
  const together = sideBySide ? Math.min(1, (across - gap * (columns.length - 1)) / widths.reduce((a, b) => a + b, 0)) : 0;
  f.root.style.transform = "";
  f.scale = sideBySide ? together : Math.min(1, across / Math.max(...widths));
  if (!f.columns || f.columns.length !== columns.length) {
    unstackColumns(f);
    f.columns = columns.map(() => {
      const outer = document.createElement("div");
      outer.className = "column";
      const inner = document.createElement("div");
      inner.className = "form";
      outer.append(inner);
      f.content.append(outer);
      return { outer, inner };
    });
  }
  // One below the other, each as wide as the screen allows; or side by side at one scale.
  let top = 0, left = Math.floor((screenWidth() - (widths.reduce((a, b) => a + b, 0) * together + gap * (columns.length - 1))) / 2);
  columns.forEach((col, i) => {
    const { outer, inner } = f.columns[i];
    const w = col.right - col.left, h = col.bottom - col.top;
    const scale = sideBySide ? together : Math.min(1, across / w);
    inner.style.width = w + "px";
    inner.style.height = h + "px";
    inner.style.transform = scale < 1 ? "scale(" + scale + ")" : "";
    const x = sideBySide ? left : Math.floor((screenWidth() - w * scale) / 2), y = sideBySide ? 0 : top;
    Object.assign(outer.style, { left: x + "px", top: y + "px", width: Math.ceil(w * scale) + "px", height: Math.ceil(h * scale) + "px" });
    if (sideBySide) {
      left += Math.ceil(w * scale) + gap;
      top = Math.max(top, Math.ceil(h * scale) + gap);
    } else {
      top += Math.ceil(h * scale) + gap;
    }
  });
  for (const c of f.data.controls) {
    const col = columns.of.get(c.key), el = f.elements.get(c.key);
    if (!col || !el) continue;
    el.classList.toggle("left-out", col.index === undefined);
    if (col.index === undefined) continue;
    const { inner } = f.columns[col.index];
    if (el.parentElement !== inner) inner.append(el);
    if (el.list_ && el.list_.parentElement !== inner) inner.append(el.list_);
    el.style.left = c.x - col.left + "px";
    el.style.top = c.y - col.top + "px";
  }
  f.content.style.width = screenWidth() + "px";
  f.content.style.height = top + "px";
  const board = document.getElementById("board");
  board.style.width = screenWidth() + "px";
  board.style.height = top + 22 + "px";
}

// Back to the form's own layout (the screen turned, or a window with one column).
function unstackColumns(f) {
  if (!f.columns) return;
  for (const c of f.data.controls) {
    const el = f.elements.get(c.key);
    if (!el || MenuKinds.has(c.kind)) continue;
    if (el.parentElement !== f.content) f.content.append(el);
    if (el.list_ && el.list_.parentElement !== f.content) f.content.append(el.list_);
    el.classList.remove("left-out");
    el.style.left = c.x + "px";
    el.style.top = c.y + "px";
  }
  for (const { outer } of f.columns) outer.remove();
  f.columns = null;
  f.content.style.width = f.data.w + "px";
  f.content.style.height = f.data.h + "px";
}
window.addEventListener("resize", () => {
  for (const f of forms.values()) if (!f.data.modal) fitMain(f);
  for (const f of forms.values()) if (f.data.modal) {
    // Charts drawn again for the width they now have.
    for (const c of f.data.controls) if (c.kind === "chart") updateControl(f, c, f.elements.get(c.key));
    flowDialog(f);
    placeDialog(f);
  }
});
