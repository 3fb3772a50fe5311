// A form's controls as elements: made once, then brought up to date with the form's state; the
// steps of its tabs and its access keys.
import { Charts } from "../charts.js";
import { cssColor, readable, textOf } from "./colours.js";
import { screenWidth } from "./layout.js";
import { iconUrl, pictureUrl } from "./pictures.js";
import { push } from "./queue.js";

// An element id made from a form's name and a control's key ("lbl1(5)"), unique in the page.
export function uniqueId(f, key) {
  return ("k-" + f.data.name + "-" + key).replace(/[^\w-]/g, "_");
}

function caption(c) {
  const text = textOf(c.text);
  if (!c.access || text.toUpperCase().includes(c.access)) return text;
  return text + "(" + c.access + ")";
}

export function createControl(f, c) {
  const form = f.data.name;
  let el;
  switch (c.kind) {
  case "button":
    el = document.createElement("button");
    el.type = "button";
    el.className = "cmd";
    el.addEventListener("click", () => { f.touched = true; push("click", form, c.key); });
    break;
  case "textbox":
    el = document.createElement("input");
    el.type = "text";
    el.addEventListener("input", () => push("edit", form, c.key, el.value));
    break;
  case "combobox":
    if (c.picked) { // a choice among its entries alone
      el = document.createElement("select");
      el.className = "picker";
      el.addEventListener("change", () => push("select", form, c.key, el.selectedIndex));
      break;
    }
    el = document.createElement("input");
    el.type = "text";
    el.setAttribute("list", "list-" + form + "-" + c.key);
    el.list_ = document.createElement("datalist");
    el.list_.id = "list-" + form + "-" + c.key;
    el.addEventListener("input", () => push("edit", form, c.key, el.value));
    break;
  case "tabs":
    el = document.createElement("div");
    el.className = "tabs";
    el.setAttribute("role", "tablist");
    el.addEventListener("click", ev => {
      const tab = ev.target.closest("button");
      if (tab) push("select", form, c.key, Number(tab.dataset.page));
    });
    el.addEventListener("keydown", ev => {
      if (ev.key !== "ArrowRight" && ev.key !== "ArrowLeft") return;
      ev.preventDefault();
      ev.stopPropagation();
      stepTabs(f, ev.key === "ArrowRight" ? 1 : -1, c.key);
    });
    break;
  case "chart":
    el = document.createElement("div");
    el.className = "chart";
    el.setAttribute("role", "group");
    el.dataset.key = c.key;
    break;
  case "progress":
    el = document.createElement("progress");
    break;
  case "strip":
    el = document.createElementNS("http://www.w3.org/2000/svg", "svg");
    el.setAttribute("class", "strip");
    el.setAttribute("role", "img");
    break;
  case "listbox":
    el = document.createElement("select");
    el.size = 2;
    el.addEventListener("change", () => push("select", form, c.key, el.selectedIndex));
    break;
  case "picture":
    el = document.createElement("img");
    el.alt = "";
    el.className = "picture";
    break;
  case "document":
    el = document.createElement("div");
    el.className = "document";
    el.tabIndex = 0; // scrolled by keys too
    break;
  case "table":
    // A grid whose rows are chosen by keys while the box keeps the focus: the chosen row is its
    // active descendant.
    el = document.createElement("div");
    el.className = "tablebox";
    el.tabIndex = 0;
    el.setAttribute("role", "grid");
    el.setAttribute("aria-readonly", "true");
    el.addEventListener("click", ev => {
      const tr = ev.target.closest("tbody tr");
      if (tr) push("select", form, c.key, tr.rowIndex - 1);
    });
    // A double click does what Enter does: the window's default button.
    el.addEventListener("dblclick", ev => {
      if (ev.target.closest("tbody tr") && f.data.defaultButton && visibleButton(f, f.data.defaultButton))
        push("click", form, f.data.defaultButton);
    });
    break;
  default:
    el = document.createElement("div");
    el.className = "label";
    el.append(document.createElement("span"));
    el.addEventListener("click", () => push("click", form, c.key));
  }
  el.dataset.key = c.key;
  if (c.kind !== "label" && c.kind !== "picture") {
    const now = () => f.data.controls.find(x => x.key === c.key) || {};
    el.addEventListener("focus", () => { if (now().gotFocus) push("focus", form, c.key); });
    el.addEventListener("blur", () => { if (now().lostFocus) push("blur", form, c.key); });
  }
  f.content.append(el);
  if (el.list_) f.content.append(el.list_);
  f.elements.set(c.key, el);
  return el;
}

export function setText(el, text) { if (el.textContent !== text) el.textContent = text; }

// A <select>'s entries and the one chosen, as the form has them.
function showChoices(el, c) {
  const items = (c.items || []).join("\n");
  if (el.dataset.items !== items) {
    el.dataset.items = items;
    el.replaceChildren(...(c.items || []).map(t => { const o = document.createElement("option"); o.textContent = t; return o; }));
  }
  const index = c.index === undefined ? -1 : c.index;
  if (el.selectedIndex !== index) el.selectedIndex = index;
}

export const MenuKinds = new Set(["menu", "menuitem", "separator"]);
export function updateControl(f, c, el) {
  if (MenuKinds.has(c.kind)) {
    el.hidden = !c.visible;
    if (c.kind !== "separator") {
      setText(el, caption(c));
      el.disabled = !c.enabled;
      el.classList.toggle("checked", !!c.checked);
      // The form does not say which items can be checked: one that has been is told as such.
      if (c.checked && !c.group) el.setAttribute("role", "menuitemcheckbox");
      if (el.getAttribute("role") !== "menuitem") el.setAttribute("aria-checked", String(!!c.checked));
      if (c.tip) el.title = c.tip;
    }
    return;
  }
  const s = el.style;
  s.left = c.x + "px"; s.top = c.y + "px"; s.width = c.w + "px"; s.height = c.h + "px";
  s.display = c.visible ? "" : "none";
  s.color = c.color !== undefined ? cssColor(c.kind === "label" ? readable(c) : c.color) : "";
  s.backgroundColor = c.back !== undefined ? cssColor(c.back) : "";
  s.fontSize = c.font ? c.font + "pt" : "";
  s.fontWeight = c.bold || c.highlight ? "bold" : "";
  el.classList.toggle("highlight", !!c.highlight);
  s.textAlign = c.align || "";
  el.title = c.tip || "";
  el.classList.toggle("border", !!c.border);
  el.classList.toggle("wrap", !!c.wrap);
  el.classList.toggle("default", f.data.modal && c.key === f.data.defaultButton);
  if ("disabled" in el) el.disabled = !c.enabled;
  // A name the form gives where the caption does not say it (▲, ▼, a picture).
  if (c.kind !== "picture") {
    if (c.spoken) el.setAttribute("aria-label", c.spoken);
    else if (el.hasAttribute("aria-label") && el.dataset.spoken) el.removeAttribute("aria-label");
    el.dataset.spoken = c.spoken ? "1" : "";
  }
  switch (c.kind) {
  case "button": setText(el, caption(c)); break;
  case "textbox":
    // Typing stops at the limit; a longer text put there by the game stays whole.
    if (c.maxLength) el.maxLength = c.maxLength; else el.removeAttribute("maxlength");
    if (el.value !== c.text) el.value = c.text;
    break;
  case "combobox": {
    if (c.picked) { showChoices(el, c); break; }
    if (el.value !== c.text) el.value = c.text;
    const items = (c.items || []).join("\n");
    if (el.list_.dataset.items !== items) {
      el.list_.dataset.items = items;
      el.list_.replaceChildren(...(c.items || []).map(t => { const o = document.createElement("option"); o.value = t; return o; }));
    }
    break;
  }
  case "listbox": showChoices(el, c); break;
  case "tabs": {
    const items = (c.items || []).join("\n");
    if (el.dataset.items !== items) {
      el.dataset.items = items;
      el.replaceChildren(...(c.items || []).map((t, i) => {
        const b = document.createElement("button");
        b.type = "button";
        b.setAttribute("role", "tab");
        b.dataset.page = String(i);
        b.textContent = t;
        b.title = (c.itemTips || [])[i] || "";
        return b;
      }));
    }
    const had = el.contains(document.activeElement);
    [...el.children].forEach((b, i) => {
      b.setAttribute("aria-selected", String(i === c.index));
      b.tabIndex = i === c.index ? 0 : -1;
      if (had && i === c.index) b.focus();
    });
    el.title = "";
    break;
  }
  case "chart": {
    const json = JSON.stringify(c.chart || null);
    // Drawn for the room it has: a phone's width where the window is laid out again.
    const width = Math.min(c.w, screenWidth() - 24);
    if (el.dataset.json !== json || el.dataset.width !== String(width)) {
      el.dataset.json = json;
      el.dataset.width = String(width);
      if (c.chart && c.chart.barSets)
        Charts.barChart(el, c.chart, width, c.h, c.spoken || c.tip);
      else if (c.chart)
        Charts.lineChart(el, c.chart, width, c.h, i => push("select", f.data.name, c.key, i), c.spoken || c.tip,
                               c.checks ? (i, on) => push("check", f.data.name, c.key, i + " " + (on ? 1 : 0)) : null);
      else el.replaceChildren();
    }
    Charts.show(el, c.checks);
    Charts.pick(el, c.index === undefined ? -1 : c.index);
    break;
  }
  case "progress":
    el.max = Math.max(1, c.max || 1);
    el.value = Math.max(0, Math.min(c.value || 0, el.max));
    el.title = c.tip || "";
    el.setAttribute("aria-label", c.spoken || "");
    break;
  case "strip": {
    const json = JSON.stringify(c.strip || null);
    if (el.dataset.json !== json) {
      el.dataset.json = json;
      Charts.strip(el, c.strip);
    }
    el.setAttribute("aria-label", c.spoken || "");
    break;
  }
  case "picture": {
    if (c.picture === ":information" || c.picture === ":question") {
      const url = iconUrl(c.picture);
      if (el.src !== url) el.src = url;
      el.alt = c.picture === ":information" ? "ℹ" : "?";
      el.classList.add("icon");
    } else {
      const url = c.picture ? pictureUrl(c.picture) : "";
      if (url) { if (el.src !== url) el.src = url; } else el.removeAttribute("src");
      // Told by its own name or its tool tip; without either, what it shows is told in words elsewhere.
      el.alt = c.spoken || c.tip || "";
    }
    break;
  }
  case "document":
    if (el.dataset.html !== c.text) {
      el.dataset.html = c.text;
      el.innerHTML = c.text;
      for (const img of el.querySelectorAll("img")) {
        const url = pictureUrl(img.getAttribute("src"));
        if (url) img.src = url; else img.removeAttribute("src");
        if (!img.hasAttribute("alt")) img.alt = ""; // the text around it tells what it shows
      }
    }
    break;
  case "table": {
    const json = JSON.stringify([c.columns, c.rows]);
    if (el.dataset.json !== json) {
      el.dataset.json = json;
      // The grid's own roles, the table's as laid out for the eye taken off.
      const table = document.createElement("table");
      table.setAttribute("role", "presentation");
      const thead = table.createTHead(), head = thead.insertRow();
      thead.setAttribute("role", "rowgroup");
      head.setAttribute("role", "row");
      for (const col of c.columns || []) {
        const th = document.createElement("th");
        th.setAttribute("role", "columnheader");
        th.textContent = col.heading;
        if (col.width) th.style.width = col.width + "px";
        head.append(th);
      }
      const body = table.createTBody();
      body.setAttribute("role", "rowgroup");
      const id = uniqueId(f, c.key);
      (c.rows || []).forEach((row, r) => {
        const tr = body.insertRow();
        tr.setAttribute("role", "row");
        row.forEach((cell, k) => {
          const td = tr.insertCell();
          td.setAttribute("role", "gridcell");
          if (k === 0) td.id = id + "-" + r;
          td.textContent = cell;
          td.style.textAlign = (c.columns[k] || {}).align || "left";
        });
      });
      el.replaceChildren(table);
    }
    const rows = el.querySelectorAll("tbody tr");
    rows.forEach((tr, k) => {
      tr.classList.toggle("selected", k === c.index);
      if (k === c.index) tr.setAttribute("aria-selected", "true"); else tr.removeAttribute("aria-selected");
    });
    const active = rows[c.index] && rows[c.index].cells[0];
    if (active) el.setAttribute("aria-activedescendant", active.id); else el.removeAttribute("aria-activedescendant");
    // A row chosen by keyboard (or by the form) is scrolled to.
    const index = String(c.index === undefined ? -1 : c.index);
    if (el.dataset.index !== index) {
      el.dataset.index = index;
      if (rows[c.index]) rows[c.index].scrollIntoView({ block: "nearest" });
    }
    break;
  }
  default:
    // A mark told beside the colour (a signed seat), never the colour alone.
    setText(el.firstChild, c.mark ? c.mark + " " + textOf(c.text) : textOf(c.text));
    el.firstChild.style.textAlign = c.align || "";
  }
}

// The window's tabs a page on (Ctrl+Tab, Ctrl+Page keys, the arrows on a tab); false without tabs.
export function stepTabs(f, by, key) {
  const t = f.data.controls.find(x => x.kind === "tabs" && x.visible && x.enabled && (!key || x.key === key));
  const count = t ? (t.items || []).length : 0;
  if (!count) return false;
  push("select", f.data.name, t.key, ((t.index || 0) + by + count) % count);
  return true;
}

// Alt and a letter in a window: the button of that letter pressed, or the field named by the
// label of that letter given the keyboard.
export function accessKey(f, letter) {
  const c = f.data.controls.find(x => x.access === letter && x.visible && x.enabled && (x.kind === "button" || x.kind === "label"));
  if (!c) return false;
  if (c.kind === "button") { push("click", f.data.name, c.key); return true; }
  const field = f.data.controls.find(x => x.labelledBy === c.key && x.visible && x.enabled);
  const el = field && f.elements.get(field.key);
  if (el) el.focus();
  return !!el;
}

export function visibleButton(f, key) {
  const c = f.data.controls.find(x => x.key === key);
  return c && c.visible && c.enabled;
}
