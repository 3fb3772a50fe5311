// The keyboard: a window's default and cancel buttons, its letter keys, the menus' shortcuts and
// the tables' keys.
import { LabelTables } from "../labeltables.js";
import { accessKey, stepTabs, visibleButton } from "./controls.js";
import { ended, endedKey } from "./ended.js";
import { menuKey } from "./menus.js";
import { push } from "./queue.js";
import { lettersAlt } from "./settings.js";
import { topForm } from "./state.js";

function keyName(ev) {
  const names = { ArrowUp: "Up", ArrowDown: "Down", ArrowLeft: "Left", ArrowRight: "Right", PageUp: "PageUp", PageDown: "PageDown" };
  if (names[ev.key]) return names[ev.key];
  return ev.key.length === 1 ? ev.key.toUpperCase() : "";
}

// A focused table's rows by keyboard, as the desktop's: the arrows, Home, End and the page keys
// move the selection, which the form takes as a click on the row.
function tableKey(f, el, ev) {
  const c = f.data.controls.find(x => x.key === el.dataset.key);
  const count = c && c.enabled ? (c.rows || []).length : 0;
  if (!count) return false;
  const at = c.index === undefined ? -1 : c.index;
  const row = el.querySelector("tbody tr"), head = el.querySelector("thead");
  const page = row ? Math.max(1, Math.floor((el.clientHeight - (head ? head.offsetHeight : 0)) / row.offsetHeight) - 1) : 10;
  const moves = {
    ArrowUp: at - 1, ArrowDown: at < 0 ? 0 : at + 1, Home: 0, End: count - 1,
    PageUp: at - page, PageDown: at < 0 ? 0 : at + page,
  };
  if (!(ev.key in moves)) return false;
  const next = Math.max(0, Math.min(count - 1, moves[ev.key]));
  if (next !== at) push("select", f.data.name, c.key, next);
  return true;
}

document.addEventListener("keydown", ev => {
  if (ended) return endedKey(ev);
  const warn = document.querySelector("dialog.warning[open]");
  if (warn) return; // the warning's own keys
  const f = topForm();
  if (!f) return;
  if (LabelTables.jump(f, ev)) { ev.preventDefault(); return; }
  // Where letters need Alt, Alt and a command's letter is the command's before it is a menu's.
  if (lettersAlt && ev.altKey && !ev.ctrlKey && !ev.metaKey && /^[a-z]$/i.test(ev.key)) {
    const button = f.data.keys[ev.key.toUpperCase()];
    if (button) {
      ev.preventDefault();
      f.touched = true;
      if (visibleButton(f, button)) push("click", f.data.name, button);
      return;
    }
  }
  if (f.data.modal && ev.ctrlKey && !ev.altKey && (ev.key === "Tab" || ev.key === "PageDown" || ev.key === "PageUp")) {
    if (stepTabs(f, ev.key === "PageUp" || (ev.key === "Tab" && ev.shiftKey) ? -1 : 1)) { ev.preventDefault(); return; }
  }
  if (f.data.modal && ev.altKey && !ev.ctrlKey && !ev.metaKey && /^[a-z]$/i.test(ev.key) && accessKey(f, ev.key.toUpperCase())) {
    ev.preventDefault();
    return;
  }
  if (!f.data.modal && f.menuBoxes.size && menuKey(f, ev)) { ev.preventDefault(); return; }
  // A menu item's own key ("Ctrl+S"), from anywhere in the main window: the browser's own use
  // of the key gives way.
  if (ev.ctrlKey && !ev.altKey && !ev.metaKey && !f.data.modal && /^[a-z]$/i.test(ev.key)) {
    const key = "Ctrl+" + ev.key.toUpperCase();
    const item = f.data.controls.find(c => c.kind === "menuitem" && c.shortcut === key);
    if (item) {
      ev.preventDefault();
      if (item.visible && item.enabled) push("click", f.data.name, item.key);
      return;
    }
  }
  if (ev.ctrlKey || ev.altKey || ev.metaKey) return;
  f.touched = true;
  const focused = document.activeElement;
  const inForm = focused && f.content.contains(focused);
  if (ev.key === "Enter") {
    ev.preventDefault();
    // Enter presses the focused button; with the focus elsewhere, the window's default button.
    if (inForm && focused.tagName === "BUTTON") push("click", f.data.name, focused.dataset.key);
    else if (f.data.defaultButton && visibleButton(f, f.data.defaultButton)) push("click", f.data.name, f.data.defaultButton);
    return;
  }
  if (ev.key === "Escape") {
    ev.preventDefault();
    if (!f.data.modal) return;
    if (f.data.cancelButton) push("click", f.data.name, f.data.cancelButton);
    else push("close", f.data.name);
    return;
  }
  if (inForm && focused.classList.contains("tablebox") && tableKey(f, focused, ev)) { ev.preventDefault(); return; }
  // Letters and arrows press the form's key buttons, except while typing in a text box (and
  // letters not at all without Alt where the player chose so).
  if (inForm && focused.tagName === "INPUT") return;
  const name = keyName(ev);
  if (lettersAlt && name.length === 1) return;
  const button = name && f.data.keys[name];
  if (button && visibleButton(f, button)) {
    ev.preventDefault();
    push("click", f.data.name, button);
  }
});
