// Labels read as tables (the results grid, the season results, the market's seats). The labels show
// the cells; beside them a grid that shows nothing itself takes the focus (with its key or Tab),
// walks the cells with the arrows as the active descendant, and rings the label of the current cell.
// A screen reader reads the grid; the labels it reads are hidden from it, so nothing is told twice.
export const LabelTables = (function () {
  const Page = 8;
  let made = 0;

  function create(f) {
    const el = document.createElement("div");
    el.className = "labeltable visually-hidden";
    el.setAttribute("role", "grid");
    el.setAttribute("aria-readonly", "true");
    el.tabIndex = 0;
    el.id = "labeltable" + ++made;
    f.content.append(el);
    const g = { el, rows: [], row: 0, column: 0 };
    el.addEventListener("keydown", ev => { if (move(f, g, ev)) { ev.preventDefault(); ev.stopPropagation(); } });
    el.addEventListener("focus", () => show(f, g));
    el.addEventListener("blur", () => ring(f, g, false));
    return g;
  }

  // The grid's rows, the headings first, made as needed and kept: a cell that stays keeps its element.
  function row(g, at) {
    while (g.rows.length <= at) {
      const tr = document.createElement("div");
      tr.setAttribute("role", "row");
      g.el.append(tr);
      g.rows.push(tr);
    }
    const tr = g.rows[at];
    tr.hidden = false;
    return tr;
  }

  function cell(g, r, k, role, text) {
    const tr = row(g, r);
    while (tr.children.length <= k) {
      const td = document.createElement("div");
      tr.append(td);
    }
    const td = tr.children[k];
    td.setAttribute("role", role);
    td.id = g.el.id + "-" + r + "-" + k;
    if (td.textContent !== text) td.textContent = text;
    return td;
  }

  function fill(f, g) {
    const t = g.data;
    g.el.setAttribute("aria-label", t.label);
    g.el.setAttribute("aria-keyshortcuts", t.shortcut.replace("Ctrl", "Control"));
    // An empty table is not there: no stop for Tab, nor for its key, nor a grid without rows.
    g.el.hidden = !t.rows.length || !t.headings.length;
    const columns = t.headings.length;
    t.headings.forEach((h, k) => cell(g, 0, k, "columnheader", h));
    t.rows.forEach((cells, r) => cells.forEach(([key, text], k) => {
      cell(g, r + 1, k, "gridcell", text);
      const label = key && f.elements.get(key);
      if (label) label.setAttribute("aria-hidden", "true");
    }));
    // Rows and cells the table no longer reads are hidden, not removed, for the next race's.
    g.rows.forEach((tr, r) => {
      tr.hidden = r > t.rows.length || columns === 0;
      Array.from(tr.children).forEach((td, k) => { td.hidden = k >= columns; });
    });
    g.row = Math.max(0, Math.min(g.row, t.rows.length - 1));
    g.column = Math.max(0, Math.min(g.column, columns - 1));
    show(f, g);
  }

  function current(g) { return g.rows[g.row + 1] && g.rows[g.row + 1].children[g.column]; }

  function ring(f, g, on) {
    for (const el of f.content.querySelectorAll(".cell-current")) el.classList.remove("cell-current");
    const at = g.data && g.data.rows[g.row];
    const label = on && at && at[g.column] && f.elements.get(at[g.column][0]);
    if (label) label.classList.add("cell-current");
  }

  function show(f, g) {
    const td = g.data && g.data.rows.length ? current(g) : null;
    if (td) g.el.setAttribute("aria-activedescendant", td.id);
    else g.el.removeAttribute("aria-activedescendant");
    ring(f, g, document.activeElement === g.el);
  }

  function move(f, g, ev) {
    if (ev.altKey || ev.metaKey || !g.data) return false;
    const rows = g.data.rows.length, columns = g.data.headings.length;
    if (!rows || !columns) return false;
    const to = {
      ArrowUp: [g.row - 1, g.column], ArrowDown: [g.row + 1, g.column],
      ArrowLeft: [g.row, g.column - 1], ArrowRight: [g.row, g.column + 1],
      PageUp: [g.row - Page, g.column], PageDown: [g.row + Page, g.column],
      Home: ev.ctrlKey ? [0, 0] : [g.row, 0], End: ev.ctrlKey ? [rows - 1, columns - 1] : [g.row, columns - 1],
    }[ev.key];
    if (!to) return false;
    g.row = Math.max(0, Math.min(rows - 1, to[0]));
    g.column = Math.max(0, Math.min(columns - 1, to[1]));
    show(f, g);
    return true;
  }

  return {
    // After the form is drawn: the tables as the form reads them now.
    update(f) {
      f.labelTables = f.labelTables || new Map();
      for (const t of f.data.tables || []) {
        let g = f.labelTables.get(t.name);
        if (!g) { g = create(f); f.labelTables.set(t.name, g); }
        g.data = t;
        fill(f, g);
      }
    },
    // The key that puts the keyboard in the window's first table (a table of labels, else a list
    // of its own); true when it did.
    jump(f, ev) {
      if (!ev.ctrlKey || ev.altKey || ev.metaKey || ev.key.length !== 1) return false;
      const key = "Ctrl+" + ev.key.toUpperCase();
      for (const g of (f.labelTables || new Map()).values()) {
        if (g.data.shortcut !== key || !g.data.rows.length) continue;
        g.el.focus();
        return true;
      }
      if (f.labelTables && f.labelTables.size || f.data.tableKey !== key) return false;
      const list = [...f.content.querySelectorAll(".tablebox")].find(el => el.getClientRects().length > 0);
      if (!list) return false;
      list.focus();
      return true;
    },
  };
})();
