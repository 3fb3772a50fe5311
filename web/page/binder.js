// The page's generic binder: draws every form of the game's core from its state (controls as
// data become elements; modal forms become <dialog>s) and turns the player's clicks and keys into
// the events the core's handlers run on. One binder for every window, as the desktop has one. This
// module starts the program; its parts, one role each, are the modules it imports.
import { textOf } from "./binder/colours.js";
import { ResumeParam, showEnded } from "./binder/ended.js";
import { download, forgetDrop, mountAutosaves, openFileOrDropped, pickFiles, storeAutosaves, storing, warning } from "./binder/files.js";
import { closeForm, render } from "./binder/forms.js";
import { nextEvent } from "./binder/queue.js";
import { browserLanguage, language, lettersAlt, setLettersNeedAlt, setTextSize, showLanguage, storedLanguage, textSize } from "./binder/settings.js";
import { forms, page, setModule, topForm } from "./binder/state.js";
import "./binder/keys.js"; // the keyboard's listeners, which nothing else calls
import { Background } from "./background.js";

Object.assign(page, {
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
  forgetDrop,
  storeAutosaves,
  storing: () => !!storing,
  startBackground: Background.start,
  stopBackground: Background.stop,
  nextEvent,
  // What the innermost window shows, for tests: its form's name and its message text.
  top: () => {
    const warn = document.querySelector("dialog.warning[open] .text");
    if (warn) return { form: "warning", modal: true, message: warn.textContent };
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
});

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
const program = { karvenPage: page, arguments: args, preRun: [() => mountAutosaves(program)] };
setModule(program);
KarvenModule(program);
window.karvenPage = page;
