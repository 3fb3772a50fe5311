// The page's generic binder: draws every form of the game's core from its state (controls as
// data become elements; modal forms become <dialog>s) and turns the player's clicks and keys into
// the events the core's handlers run on. One binder for every window, as the desktop has one.
"use strict";

(function () {
  const events = [];
  let waiting = null;
  const forms = new Map(); // form name -> { data, root, elements, dialog, touched }
  const pictures = new Map(); // path in the program's files -> object URL
  let module = null;

  function push(kind, form, key, value) {
    let name = key || "", index = "";
    const m = /^(.*)\((\d+)\)$/.exec(name);
    if (m) { name = m[1]; index = m[2]; }
    deliver([kind, form, name, index, value === undefined ? "" : String(value)].join("\t"));
  }
  function deliver(event) {
    if (waiting) { const w = waiting; waiting = null; w(event); } else events.push(event);
  }

  // The window that takes input: the innermost open dialog, else the main window.
  function topForm() {
    let top = null;
    for (const f of forms.values()) if (f.dialog && f.dialog.open) top = f;
    if (top) return top;
    for (const f of forms.values()) if (!f.data.modal) return f;
    return null;
  }

  function cssColor(rgb) {
    return "#" + (rgb & 0xFFFFFF).toString(16).padStart(6, "0");
  }

  // A picture the game names, or its PNG twin the site carries in its place.
  function pictureUrl(path) {
    if (pictures.has(path)) return pictures.get(path);
    let url = "";
    for (const [file, type] of [[path, "image/bmp"], [path + ".png", "image/png"]]) {
      try {
        url = URL.createObjectURL(new Blob([module.FS.readFile(file)], { type }));
        break;
      } catch (e) { url = ""; }
    }
    pictures.set(path, url);
    return url;
  }

  // The message boxes' icons, drawn as the desktop's: a blue disc with "i" or "?".
  const icons = new Map();
  function iconUrl(name) {
    if (!icons.has(name)) {
      const mark = name === ":information" ? "i" : "?";
      const svg = '<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32"><circle cx="16" cy="16" r="15" fill="#2b63c6" stroke="#173f8a"/>' +
        '<text x="16" y="23" font-family="serif" font-size="21" font-weight="bold" fill="#fff" text-anchor="middle">' + mark + "</text></svg>";
      icons.set(name, URL.createObjectURL(new Blob([svg], { type: "image/svg+xml" })));
    }
    return icons.get(name);
  }

  function textOf(text) { return (text || "").replace(/\r\n/g, "\n"); }

  // A label's text colour as the form gives it, made just as much darker (or lighter) as reading it
  // against its background needs: WCAG's 4.5 to 1, 3 to 1 for large text.
  let windowBack = null;
  function readable(c) {
    if (windowBack === null) windowBack = rgbOf(getComputedStyle(document.body).backgroundColor);
    const back = c.back !== undefined ? c.back & 0xFFFFFF : windowBack;
    const points = c.font || 9.75; // the page's 13 px
    const need = (points >= 18 || (points >= 14 && (c.bold || c.highlight)) ? 3 : 4.5) + 0.1;
    const toward = luminance(back) > 0.18 ? 0x000000 : 0xFFFFFF;
    let colour = c.color & 0xFFFFFF;
    for (let t = 0.1; contrast(colour, back) < need && t <= 1.001; t += 0.1) colour = mix(c.color & 0xFFFFFF, toward, t);
    return colour;
  }
  function rgbOf(css) {
    const m = /rgba?\((\d+), (\d+), (\d+)/.exec(css);
    return m ? (+m[1] << 16) | (+m[2] << 8) | +m[3] : 0xFFFFFF;
  }
  function luminance(rgb) {
    const [r, g, b] = [16, 8, 0].map(shift => {
      const v = ((rgb >> shift) & 255) / 255;
      return v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  }
  function contrast(a, b) {
    const x = luminance(a), y = luminance(b);
    return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05);
  }
  function mix(a, b, t) {
    return [16, 8, 0].reduce((out, shift) => out | (Math.round(((a >> shift) & 255) * (1 - t) + ((b >> shift) & 255) * t) << shift), 0);
  }

  // An element id made from a form's name and a control's key ("lbl1(5)"), unique in the page.
  function uniqueId(f, key) {
    return ("k-" + f.data.name + "-" + key).replace(/[^\w-]/g, "_");
  }

  // Menus: a bar of the form's top-level menus, their items (and submenus) as buttons.
  function buildMenus(f, controls) {
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

  function closeMenus(f) {
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
  function menuKey(f, ev) {
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

  function caption(c) {
    const text = textOf(c.text);
    if (!c.access || text.toUpperCase().includes(c.access)) return text;
    return text + "(" + c.access + ")";
  }

  function createControl(f, c) {
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

  function setText(el, text) { if (el.textContent !== text) el.textContent = text; }

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

  const MenuKinds = new Set(["menu", "menuitem", "separator"]);
  function updateControl(f, c, el) {
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
        if (c.chart)
          karvenCharts.lineChart(el, c.chart, width, c.h, i => push("select", f.data.name, c.key, i), c.spoken || c.tip,
                                 c.checks ? (i, on) => push("check", f.data.name, c.key, i + " " + (on ? 1 : 0)) : null);
        else el.replaceChildren();
      }
      karvenCharts.show(el, c.checks);
      karvenCharts.pick(el, c.index === undefined ? -1 : c.index);
      break;
    }
    case "strip": {
      const json = JSON.stringify(c.strip || null);
      if (el.dataset.json !== json) {
        el.dataset.json = json;
        karvenCharts.strip(el, c.strip);
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

  function render(json) {
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
    karvenLabelTables.update(f);
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

  // The layout's width and height: on a phone, the screen's, whatever the zoom (the visual
  // viewport, innerWidth, grows with the page and would keep a page once laid out wide that wide).
  const screenWidth = () => document.documentElement.clientWidth;
  const screenHeight = () => document.documentElement.clientHeight;

  // A window the game placed (the commentary against the main window's right edge) opens there, at
  // the main window's scale, as far as the screen allows; the others open centred.
  function placeDialog(f) {
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
  function flowDialog(f) {
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
  function fitMain(f) {
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

  function closeForm(name) {
    const f = forms.get(name);
    if (!f || !f.dialog) return;
    forms.delete(name);
    f.dialog.close();
    f.dialog.remove();
  }

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

  // The window's tabs a page on (Ctrl+Tab, Ctrl+Page keys, the arrows on a tab); false without tabs.
  function stepTabs(f, by, key) {
    const t = f.data.controls.find(x => x.kind === "tabs" && x.visible && x.enabled && (!key || x.key === key));
    const count = t ? (t.items || []).length : 0;
    if (!count) return false;
    push("select", f.data.name, t.key, ((t.index || 0) + by + count) % count);
    return true;
  }

  // Alt and a letter in a window: the button of that letter pressed, or the field named by the
  // label of that letter given the keyboard.
  function accessKey(f, letter) {
    const c = f.data.controls.find(x => x.access === letter && x.visible && x.enabled && (x.kind === "button" || x.kind === "label"));
    if (!c) return false;
    if (c.kind === "button") { push("click", f.data.name, c.key); return true; }
    const field = f.data.controls.find(x => x.labelledBy === c.key && x.visible && x.enabled);
    const el = field && f.elements.get(field.key);
    if (el) el.focus();
    return !!el;
  }

  function visibleButton(f, key) {
    const c = f.data.controls.find(x => x.key === key);
    return c && c.visible && c.enabled;
  }

  document.addEventListener("keydown", ev => {
    if (ended) return endedKey(ev);
    const warn = document.querySelector("dialog.warning[open], dialog.analysis[open]");
    if (warn) return; // the warning's and the analysis windows' own keys
    const f = topForm();
    if (!f) return;
    if (karvenLabelTables.jump(f, ev)) { ev.preventDefault(); return; }
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

  function warning(text) {
    return new Promise(resolve => {
      const dialog = document.createElement("dialog");
      dialog.className = "window warning";
      dialog.setAttribute("role", "alertdialog");
      dialog.setAttribute("aria-modal", "true");
      dialog.setAttribute("aria-labelledby", "warning-title");
      dialog.setAttribute("aria-describedby", "warning-text");
      dialog.innerHTML = '<div class="titlebar"><span id="warning-title">KARVEN</span></div><div class="text" id="warning-text"></div><div class="buttons"><button type="button">OK</button></div>';
      dialog.querySelector(".text").textContent = "⚠ " + textOf(text);
      const ok = dialog.querySelector("button");
      const done = () => { dialog.close(); dialog.remove(); resolve(); };
      ok.addEventListener("click", done);
      dialog.addEventListener("cancel", ev => { ev.preventDefault(); done(); });
      document.body.append(dialog);
      dialog.showModal();
      ok.focus();
    });
  }

  // The player's file, copied into the program's files; "" when cancelled.
  function openFile(accept) {
    return new Promise(resolve => {
      const input = document.createElement("input");
      input.type = "file";
      if (accept) input.accept = accept;
      input.addEventListener("cancel", () => resolve(""));
      input.addEventListener("change", async () => {
        const file = input.files[0];
        if (!file) return resolve("");
        const bytes = new Uint8Array(await file.arrayBuffer());
        try { module.FS.mkdir("/upload"); } catch (e) { /* there already */ }
        const path = "/upload/" + file.name.replace(/\//g, "_");
        module.FS.writeFile(path, bytes);
        resolve(path);
      });
      input.click();
    });
  }

  // The player's CSV files, several at once, copied into `folder`; the folder, "" when cancelled.
  // A browser names a second download of a file "teams (1).csv": such a name is read as teams.csv.
  function pickFiles(folder, accept) {
    return new Promise(resolve => {
      const input = document.createElement("input");
      input.type = "file";
      input.multiple = true;
      if (accept) input.accept = accept;
      input.addEventListener("cancel", () => resolve(""));
      input.addEventListener("change", async () => {
        if (!input.files.length) return resolve("");
        for (const file of input.files) {
          const bytes = new Uint8Array(await file.arrayBuffer());
          const name = file.name.replace(/^(.*?) ?\(\d+\)(\.[^.]*)$/, "$1$2").replace(/\//g, "_");
          module.FS.writeFile(folder + "/" + name, bytes);
        }
        resolve(folder);
      });
      input.click();
    });
  }

  // A season file dropped on the main window is opened as ﾌｧｲﾙ → 開く opens one, its questions
  // about unsaved work first: the command runs, and its file picker takes the dropped file.
  let dropped = "";
  function openFileOrDropped(accept) {
    if (dropped) { const path = dropped; dropped = ""; return Promise.resolve(path); }
    return openFile(accept);
  }
  document.addEventListener("dragover", ev => {
    if (!ev.dataTransfer || !Array.from(ev.dataTransfer.types).includes("Files")) return;
    ev.preventDefault();
    const main = topForm();
    const takes = !!main && !main.data.modal;
    ev.dataTransfer.dropEffect = takes ? "copy" : "none";
    document.body.classList.toggle("dropping", takes);
  });
  document.addEventListener("dragleave", ev => { if (!ev.relatedTarget) document.body.classList.remove("dropping"); });
  document.addEventListener("drop", async ev => {
    document.body.classList.remove("dropping");
    if (!ev.dataTransfer || !ev.dataTransfer.files.length) return;
    ev.preventDefault();
    const main = topForm();
    const file = ev.dataTransfer.files[0];
    if (!main || main.data.modal || !/\.(krv|sin)$/i.test(file.name)) return;
    const bytes = new Uint8Array(await file.arrayBuffer());
    try { module.FS.mkdir("/upload"); } catch (e) { /* there already */ }
    dropped = "/upload/" + file.name.replace(/\//g, "_");
    module.FS.writeFile(dropped, bytes);
    push("click", main.data.name, "File_open");
  });

  // The autosaves live in IndexedDB (autosaves.js): read into their folder before the program
  // starts, each new one stored after an autosave. One store at a time, the last one always done.
  const AutosaveFolder = "/autosave";
  let storing = null, storeAgain = false;
  function mountAutosaves(m) {
    m.addRunDependency("autosaves");
    karvenAutosaves.load(m, AutosaveFolder).then(() => m.removeRunDependency("autosaves"));
  }
  function storeAutosaves() {
    if (storing) { storeAgain = true; return storing; }
    storing = karvenAutosaves.store().then(() => {
      storing = null;
      page.stored++;
      if (storeAgain) { storeAgain = false; return storeAutosaves(); }
    });
    return storing;
  }

  function download(path, name) {
    const bytes = module.FS.readFile(path);
    const url = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
    const a = document.createElement("a");
    a.href = url;
    a.download = name;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  // The player's language, kept in the browser for the next visit. Storage may be refused (a
  // private window, a file: page): the game then starts as on a first visit, in the browser's own
  // language as the desktop starts in the system's: Japanese for Japanese, English otherwise.
  const LanguageKey = "karven.language";
  // ﾍﾙﾌﾟ → 文字の大きさ: the whole page zoomed, 100 to 200 %, remembered as the language is. The
  // layout works in the zoomed page's pixels (its width the screen's divided by the zoom).
  const TextSizeKey = "karven.textSize";
  function storedTextSize() {
    try {
      const size = Number(localStorage.getItem(TextSizeKey));
      return size >= 100 && size <= 200 ? size : 100;
    } catch (e) { return 100; }
  }
  let textSize = storedTextSize();
  // Viewport units grow with the zoom: the page's CSS divides them by --zoom.
  function applyTextSize() {
    const root = document.documentElement.style;
    root.zoom = textSize > 100 ? String(textSize / 100) : "";
    if (textSize > 100) root.setProperty("--zoom", String(textSize / 100));
    else root.removeProperty("--zoom");
  }
  function setTextSize(size) {
    textSize = Math.max(100, Math.min(200, Math.round(Number(size) || 100)));
    try { localStorage.setItem(TextSizeKey, String(textSize)); } catch (e) { /* for this visit only */ }
    applyTextSize();
    for (const f of forms.values()) {
      if (!f.data.modal) fitMain(f);
      else if (f.dialog && f.dialog.open) { flowDialog(f); placeDialog(f); }
    }
  }
  applyTextSize();

  // ﾍﾙﾌﾟ → 文字キーにAltを使う, remembered as the language is.
  const LettersKey = "karven.lettersNeedAlt";
  function lettersNeedAlt() {
    try { return localStorage.getItem(LettersKey) === "1"; } catch (e) { return false; }
  }
  function setLettersNeedAlt(on) {
    try { localStorage.setItem(LettersKey, on ? "1" : "0"); } catch (e) { /* kept for this visit only */ }
    lettersAlt = !!on;
  }
  let lettersAlt = lettersNeedAlt();

  function storedLanguage() {
    try {
      const code = localStorage.getItem(LanguageKey);
      return code === "en" || code === "ja" ? code : "";
    } catch (e) { return ""; }
  }
  function browserLanguage() {
    const first = (navigator.languages && navigator.languages[0]) || navigator.language || "";
    return /^ja\b/i.test(first) ? "ja" : "en";
  }
  function showLanguage(code) {
    document.documentElement.lang = code;
    document.getElementById("loading").textContent = code === "en" ? "KARVEN: loading…" : "KARVEN 読み込み中…";
  }
  function language(code) {
    try { localStorage.setItem(LanguageKey, code); } catch (e) { /* not kept: Japanese next time */ }
    showLanguage(code);
  }

  // The program has ended (End, ﾌｧｲﾙ → 終了, or a start-up that failed): its windows go, and the
  // page says so and offers to start again, as the rules start or from the newest autosave. Each
  // starts the page afresh; the newest autosave is asked for in the address, taken out on arrival.
  let ended = false;
  const ResumeParam = "open";
  function showEnded(json) {
    const t = JSON.parse(json);
    ended = true;
    page.unsaved = false;
    for (const name of [...forms.keys()]) closeForm(name);
    for (const d of document.querySelectorAll("dialog")) { if (d.open) d.close(); d.remove(); }
    document.getElementById("main").hidden = true;
    document.getElementById("board").hidden = true;
    document.title = "KARVEN";
    const box = document.getElementById("ended");
    const heading = document.createElement("h1");
    heading.id = "ended-title";
    heading.textContent = t.title;
    const text = document.createElement("p");
    text.textContent = t.text;
    const buttons = document.createElement("div");
    buttons.className = "buttons";
    const button = (label, key, start) => {
      const b = document.createElement("button");
      b.type = "button";
      b.dataset.key = key;
      // "始める(&N)" or "Start a &new season": the letter underlined.
      const m = /^(.*?)(?:\(&(\w)\)|&(\w))(.*)$/.exec(label);
      if (m) {
        const letter = m[2] || m[3], u = document.createElement("u");
        u.textContent = letter;
        b.append(m[1] + (m[2] ? "(" : ""), u, (m[2] ? ")" : "") + m[4]);
        b.dataset.letter = letter.toUpperCase();
      } else b.textContent = label;
      b.addEventListener("click", start);
      buttons.append(b);
      return b;
    };
    const address = resume => {
      const url = new URL(location.href);
      url.searchParams.set(ResumeParam, resume ? "autosave" : "new");
      return url.href;
    };
    const first = button(t.again, "endedNew", () => location.assign(address(false)));
    if (t.resume) button(t.resume, "endedResume", () => location.assign(address(true)));
    box.replaceChildren(heading, text, buttons);
    box.hidden = false;
    first.focus();
  }
  // The ended page's keys: a button's letter presses it; Enter and Space are the buttons' own.
  function endedKey(ev) {
    if (ev.ctrlKey || ev.metaKey || ev.key.length !== 1) return;
    const b = document.querySelector(`#ended button[data-letter="${ev.key.toUpperCase()}"]`);
    if (b) { ev.preventDefault(); b.click(); }
  }

  // Leaving the page with unsaved work: the browser asks first, as the desktop asks on End.
  window.addEventListener("beforeunload", ev => {
    if (!page.unsaved) return;
    ev.preventDefault();
    ev.returnValue = "";
  });

  const page = {
    unsaved: false,
    render,
    closeForm,
    ended: showEnded,
    lettersNeedAlt: () => lettersAlt,
    textSize: () => textSize,
    setTextSize,
    setLettersNeedAlt,
    status: text => { document.getElementById("status").textContent = textOf(text); },
    language,
    download,
    warning,
    openFile: openFileOrDropped,
    pickFiles,
    forgetDrop: () => { dropped = ""; },
    storeAutosaves,
    // Autosaves stored in IndexedDB, for tests: grows once a store has ended.
    stored: 0,
    storing: () => !!storing,
    // An event of a window the binder does not draw (analysis.js), in the same queue.
    send: deliver,
    // The game waits for the player: tests wait for `waits` to grow before they look.
    waits: 0,
    nextEvent: () => new Promise(resolve => {
      page.waits++;
      if (events.length) resolve(events.shift()); else waiting = resolve;
    }),
    // What the innermost window shows, for tests: its form's name and its message text.
    top: () => {
      const warn = document.querySelector("dialog.warning[open] .text");
      if (warn) return { form: "warning", modal: true, message: warn.textContent };
      const analysis = document.querySelector("dialog.analysis[open]");
      if (analysis) return { form: analysis.dataset.form, modal: true, message: null };
      const f = topForm();
      if (!f) return null;
      const msg = f.data.controls.find(c => c.key === "lblMsg");
      return { form: f.data.name, modal: !!f.data.modal, message: msg ? msg.text : null };
    },
    // The texts of a form's controls by key, for tests.
    texts: name => {
      const f = forms.get(name);
      return f ? Object.fromEntries(f.data.controls.map(c => [c.key, c.visible ? c.text : null])) : null;
    },
  };

  // ?seed=N: a reproducible game, as karven-sim --seed N plays it.
  const args = [];
  const seed = new URLSearchParams(location.search).get("seed");
  if (seed && /^\d+$/.test(seed)) args.push("--seed", seed);
  // The language chosen on an earlier visit (ﾍﾙﾌﾟ → 言語), the browser's the first time.
  const chosen = storedLanguage() || browserLanguage();
  args.push("--lang", chosen);
  // Started again from the ended page, to continue from the newest autosave or as the rules
  // start (not offered the last season again): once only.
  const query = new URLSearchParams(location.search);
  const resume = query.get(ResumeParam);
  if (resume === "autosave" || resume === "new") {
    args.push(resume === "autosave" ? "--open-autosave" : "--new");
    const url = new URL(location.href);
    url.searchParams.delete(ResumeParam);
    history.replaceState(history.state, "", url.href);
  }
  showLanguage(chosen);
  // The object handed in is the module itself: main runs (and draws) before the promise resolves.
  module = { karvenPage: page, arguments: args, preRun: [() => mountAutosaves(module)] };
  KarvenModule(module);
  window.karvenPage = page;
})();
