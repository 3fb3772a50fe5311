// Forms drawn from the game's state: the main window in the page, every other window a dialog,
// each named for a screen reader.
import { LabelTables } from "../labeltables.js";
import { textOf } from "./colours.js";
import { createControl, setText, uniqueId, updateControl, visibleButton } from "./controls.js";
import { fitMain, flowDialog, placeDialog } from "./layout.js";
import { buildMenus, closeMenus } from "./menus.js";
import { push } from "./queue.js";
import { forms } from "./state.js";

function createForm(data) {
  const f = { data, elements: new Map(), menuBoxes: new Map(), touched: false };
  f.content = document.createElement("div");
  f.content.className = "form";
  if (data.modal) {
    const dialog = document.createElement("dialog");
    dialog.className = "window";
    dialog.dataset.form = data.name;
    dialog.setAttribute("role", "dialog");
    dialog.setAttribute("aria-modal", "true");
    const bar = document.createElement("div");
    bar.className = "titlebar";
    f.title = document.createElement("span");
    f.title.id = uniqueId(f, "caption");
    const close = document.createElement("button");
    close.type = "button";
    close.textContent = "×";
    close.tabIndex = -1;
    close.setAttribute("aria-label", closeText());
    close.addEventListener("click", () => push("close", data.name));
    // The window's name for a screen reader where its caption is blank (the commentary's race and lap).
    f.spoken = document.createElement("span");
    f.spoken.className = "visually-hidden";
    f.spoken.id = uniqueId(f, "spoken");
    bar.append(f.title, f.spoken, close);
    dialog.append(bar, f.content);
    // Esc is the form's: its cancel button or its close box, never the browser's own closing.
    dialog.addEventListener("cancel", ev => ev.preventDefault());
    dialog.addEventListener("pointerdown", () => { f.touched = true; });
    document.body.append(dialog);
    f.dialog = dialog;
    dialog.showModal();
    if (data.autoCloseMs > 0)
      setTimeout(() => { if (!f.touched && dialog.open && data.defaultButton) push("click", data.name, data.defaultButton); }, data.autoCloseMs);
  } else {
    const main = document.getElementById("main");
    main.hidden = false;
    const bar = buildMenus(f, data.controls);
    if (bar) main.append(bar);
    main.append(f.content);
    f.root = main;
    document.addEventListener("click", () => closeMenus(f));
  }
  forms.set(data.name, f);
  return f;
}

// What the game announces (a race's result, the standings) goes to a polite live region that
// shows nothing: the windows show it already.
function announce(text) {
  let region = document.getElementById("announcer");
  if (!region) {
    region = document.createElement("div");
    region.id = "announcer";
    region.className = "visually-hidden";
    region.setAttribute("role", "status");
    region.setAttribute("aria-live", "polite");
    document.body.append(region);
  }
  // Emptied first, so that the same words again are told again.
  region.textContent = "";
  setTimeout(() => { region.textContent = text; }, 50);
}

export function render(json) {
  const data = JSON.parse(json);
  let f = forms.get(data.name);
  if (f && data.modal && !(f.dialog && f.dialog.open)) {
    forms.delete(data.name);
    f.dialog.remove();
    f = null;
  }
  if (!f) f = createForm(data);
  f.data = data;
  if (f.title) setText(f.title, data.caption);
  if (f.spoken) setText(f.spoken, data.spokenCaption || "");
  else document.title = data.caption || "KARVEN";
  f.content.style.width = data.w + "px";
  f.content.style.height = data.h + "px";
  let created = false;
  for (const c of data.controls) {
    let el = f.elements.get(c.key);
    if (!el) { el = createControl(f, c); created = true; }
    updateControl(f, c, el);
  }
  if (created) nameControls(f);
  LabelTables.update(f);
  if (data.announce) announce(data.announce.join("\n"));
  // The main window is laid out before focus is given: laying it out may move its elements.
  if (!data.modal) fitMain(f);
  const loading = document.getElementById("loading");
  if (!loading.hidden) {
    loading.hidden = true;
    document.dispatchEvent(new Event("karvenshown")); // the first screen is up
  }
  if (data.focus) {
    const el = f.elements.get(data.focus);
    if (el) el.focus();
  } else if (data.modal && !f.content.contains(document.activeElement)) {
    // A window opens with the focus on its default button, else on its first control.
    const def = data.defaultButton && visibleButton(f, data.defaultButton) && f.elements.get(data.defaultButton);
    (def || firstControl(f) || f.dialog).focus();
  }
  if (data.modal) {
    flowDialog(f);
    placeDialog(f);
  }
}

// What a screen reader tells of the window and its controls. A window is named by its title; one
// without (the commentary) by its message, which it is otherwise described by and which is told
// again when it changes. A field is named by the label just before it on its line, else by its
// tool tip (its title), else by the window's title; a table by such a label or the window's title.
function nameControls(f) {
  const d = f.dialog;
  const message = f.elements.get("lblMsg");
  if (message) {
    message.id = uniqueId(f, "lblMsg");
    message.setAttribute("aria-live", "polite");
  }
  if (d) {
    if (f.data.caption) {
      d.setAttribute("aria-labelledby", f.title.id);
      if (message) d.setAttribute("aria-describedby", message.id);
    } else if (f.data.spokenCaption) {
      d.setAttribute("aria-labelledby", f.spoken.id);
      if (message) d.setAttribute("aria-describedby", message.id);
    } else if (message) {
      d.setAttribute("aria-labelledby", message.id);
    } else {
      d.setAttribute("aria-label", "KARVEN");
    }
  }
  const labels = f.data.controls.filter(c => c.kind === "label" && c.visible && textOf(c.text).trim());
  for (const c of f.data.controls) {
    if (!["textbox", "combobox", "listbox", "table"].includes(c.kind)) continue;
    const el = f.elements.get(c.key);
    // The form's own word first: the label it names, or a name of its own (set with the control).
    const own = c.labelledBy && f.elements.get(c.labelledBy);
    if (own) {
      own.id = uniqueId(f, c.labelledBy);
      el.setAttribute("aria-labelledby", own.id);
      continue;
    }
    if (c.spoken) continue;
    let before = null;
    for (const l of labels) {
      const gap = c.x - (l.x + l.w), overlap = Math.min(c.y + c.h, l.y + l.h) - Math.max(c.y, l.y);
      if (gap >= 0 && gap <= 16 && overlap >= Math.min(c.h, l.h) / 2 && (!before || gap < before.gap)) before = { l, gap };
    }
    if (before) {
      const label = f.elements.get(before.l.key);
      label.id = uniqueId(f, before.l.key);
      el.setAttribute("aria-labelledby", label.id);
    } else if (f.title && f.data.caption && (c.kind === "table" || !c.tip)) {
      el.setAttribute("aria-labelledby", f.title.id);
    }
  }
}

// The first control of a window that takes the focus, in the order of its controls.
function firstControl(f) {
  for (const c of f.data.controls) {
    const el = f.elements.get(c.key);
    if (c.visible && c.enabled && el && el.tabIndex >= 0 && !el.closest(".menubar") && el.matches("button, input, select, [tabindex]")) return el;
  }
  return null;
}

// The close box's name in the page's language.
function closeText() { return document.documentElement.lang === "en" ? "Close" : "閉じる"; }

export function closeForm(name) {
  const f = forms.get(name);
  if (!f || !f.dialog) return;
  forms.delete(name);
  f.dialog.close();
  f.dialog.remove();
}
