// What the page's binder shares: the forms drawn, the pictures read, the running program and the
// page object the program and the tests reach.

export const forms = new Map(); // form name -> { data, root, elements, dialog, touched }
export const pictures = new Map(); // path in the program's files -> object URL
export let module = null;
export function setModule(m) { module = m; }
// The program's and the tests' way in (window.karvenPage); the binder adds its calls. Counters the
// tests watch: `waits` grows as the game waits for the player, `stored` as an autosave is stored.
export const page = { unsaved: false, stored: 0, waits: 0 };

// The window that takes input: the innermost open dialog, else the main window.
export function topForm() {
  let top = null;
  for (const f of forms.values()) if (f.dialog && f.dialog.open) top = f;
  if (top) return top;
  for (const f of forms.values()) if (!f.data.modal) return f;
  return null;
}
