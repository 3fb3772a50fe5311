// Files in and out: the open dialog, a season dropped on the page, downloads, the autosaves' folder
// kept in IndexedDB, and the warnings.
import { Autosaves } from "../autosaves.js";
import { textOf } from "./colours.js";
import { push } from "./queue.js";
import { module, page, topForm } from "./state.js";

export function warning(text) {
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
export function openFile(accept) {
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
export function pickFiles(folder, accept) {
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
export function forgetDrop() { dropped = ""; }
export function openFileOrDropped(accept) {
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
export let storing = null, storeAgain = false;
export function mountAutosaves(m) {
  m.addRunDependency("autosaves");
  Autosaves.load(m, AutosaveFolder).then(() => m.removeRunDependency("autosaves"));
}
export function storeAutosaves() {
  if (storing) { storeAgain = true; return storing; }
  storing = Autosaves.store().then(() => {
    storing = null;
    page.stored++;
    if (storeAgain) { storeAgain = false; return storeAutosaves(); }
  });
  return storing;
}

export function download(path, name) {
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
