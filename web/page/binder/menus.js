// The main window's menu bar: built from the form's menus, opened by a click, by Alt and by the
// arrows.
import { push } from "./queue.js";
import { topForm } from "./state.js";

// Menus: a bar of the form's top-level menus, their items (and submenus) as buttons.
export function buildMenus(f, controls) {
  const menus = controls.filter(c => c.kind === "menu");
  if (!menus.length) return null;
  const bar = document.createElement("div");
  bar.className = "menubar";
  bar.setAttribute("role", "menubar");
  const boxes = new Map();
  for (const m of menus) {
    const box = document.createElement("div");
    box.className = "menu";
    box.setAttribute("role", "none");
    const head = document.createElement("button");
    head.type = "button";
    head.setAttribute("role", "menuitem");
    head.setAttribute("aria-haspopup", "menu");
    head.setAttribute("aria-expanded", "false");
    const items = document.createElement("div");
    items.className = "items";
    items.setAttribute("role", "menu");
    head.dataset.key = m.key;
    box.append(head, items);
    boxes.set(m.key, { box, head, items });
    head.addEventListener("click", ev => {
      ev.stopPropagation();
      const open = !box.classList.contains("open");
      if (!m.parent) closeMenus(f);
      showMenu(box, open);
    });
  }
  for (const m of menus) {
    const parent = m.parent && boxes.get(m.parent);
    (parent ? parent.items : bar).append(boxes.get(m.key).box);
  }
  for (const c of controls) {
    if (c.kind !== "menuitem" && c.kind !== "separator") continue;
    const parent = boxes.get(c.parent);
    if (!parent) continue;
    let el;
    if (c.kind === "separator") {
      el = document.createElement("hr");
    } else {
      el = document.createElement("button");
      el.type = "button";
      el.setAttribute("role", c.group ? "menuitemradio" : "menuitem");
      el.addEventListener("click", ev => {
        ev.stopPropagation();
        closeMenus(f);
        push("click", f.data.name, c.key);
      });
    }
    el.dataset.key = c.key;
    parent.items.append(el);
    f.elements.set(c.key, el);
  }
  for (const [key, b] of boxes) f.elements.set(key, b.head), f.menuBoxes.set(key, b.box);
  return bar;
}

export function closeMenus(f) {
  for (const box of f.menuBoxes.values()) showMenu(box, false);
}
function showMenu(box, open) {
  box.classList.toggle("open", open);
  box.firstChild.setAttribute("aria-expanded", String(open));
}

// The menus by keyboard, as on the desktop: Alt and a menu's letter opens it, then a letter or
// the arrows and Enter choose an item; Esc closes.
function openMenu(f, box) {
  closeMenus(f);
  for (let b = box; b && b.classList.contains("menu"); b = b.parentElement.closest(".menu")) showMenu(b, true);
  const first = menuItems(box)[0];
  if (first) first.focus();
}
function menuItems(box) {
  return [...box.querySelector(":scope > .items").children]
    .map(el => el.classList.contains("menu") ? el.querySelector(":scope > button") : el)
    .filter(el => el.tagName === "BUTTON" && !el.hidden && !el.disabled && !(el.closest(".menu") || {}).hidden);
}
// The menu bar's menu beside this one, round at the ends, as the desktop's arrows move.
function nextTopMenu(f, box, step) {
  const tops = f.data.controls.filter(c => c.kind === "menu" && !c.parent && c.visible).map(c => f.menuBoxes.get(c.key));
  const at = tops.indexOf(box);
  return tops[(at + step + tops.length) % tops.length];
}
function innermostOpenMenu(f) {
  let open = null;
  for (const box of f.menuBoxes.values()) if (box.classList.contains("open") && (!open || open.contains(box))) open = box;
  return open;
}
export function menuKey(f, ev) {
  const box = innermostOpenMenu(f);
  if (ev.altKey && /^[a-z]$/i.test(ev.key) && !box) {
    const letter = ev.key.toUpperCase();
    const m = f.data.controls.find(c => c.kind === "menu" && !c.parent && c.visible && c.access === letter);
    if (!m) return false;
    openMenu(f, f.menuBoxes.get(m.key));
    return true;
  }
  if (!box) return false;
  const items = menuItems(box);
  const at = items.indexOf(document.activeElement);
  const parentBox = box.parentElement.closest(".menu");
  switch (ev.key) {
  case "ArrowDown": case "ArrowUp":
    if (items.length) {
      const down = ev.key === "ArrowDown";
      items[at < 0 ? (down ? 0 : items.length - 1) : (at + (down ? 1 : items.length - 1)) % items.length].focus();
    }
    return true;
  case "ArrowRight": {
    const sub = document.activeElement && document.activeElement.parentElement;
    if (sub && sub.classList.contains("menu") && box.contains(sub) && sub !== box) openMenu(f, sub);
    else if (!parentBox) openMenu(f, nextTopMenu(f, box, 1));
    return true;
  }
  case "ArrowLeft": case "Escape":
    if (parentBox) { showMenu(box, false); parentBox.querySelector(":scope > button").focus(); }
    else if (ev.key === "ArrowLeft") openMenu(f, nextTopMenu(f, box, -1));
    else { closeMenus(f); document.activeElement.blur(); }
    return true;
  case "Enter": case " ":
    if (at >= 0) items[at].click();
    return true;
  }
  if (/^[a-z0-9]$/i.test(ev.key) && !ev.ctrlKey && !ev.metaKey) {
    const letter = ev.key.toUpperCase();
    const menu = [...f.menuBoxes].find(([, b]) => b === box)[0];
    const c = f.data.controls.find(x => (x.kind === "menuitem" || x.kind === "menu") && x.parent === menu &&
                                        x.visible && x.enabled && x.access === letter);
    if (c) {
      const el = f.elements.get(c.key);
      if (c.kind === "menu") openMenu(f, f.menuBoxes.get(c.key)); else el.click();
    }
    return true;
  }
  return true; // an open menu takes every key
}

// Alt pressed and let go alone opens the first menu, as on the desktop: the way to a menu whose
// letter a command takes where letters need Alt.
let altAlone = false;
document.addEventListener("keydown", ev => { altAlone = ev.key === "Alt"; }, true);
document.addEventListener("keyup", ev => {
  if (ev.key !== "Alt" || !altAlone) return;
  altAlone = false;
  const f = topForm();
  if (!f || f.data.modal || !f.menuBoxes.size || innermostOpenMenu(f)) return;
  ev.preventDefault();
  openMenu(f, nextTopMenu(f, null, 1));
});
