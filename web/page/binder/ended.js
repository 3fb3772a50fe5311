// The page once the game has ended, and leaving the page with unsaved work.
import { forms, page } from "./state.js";
import { closeForm } from "./forms.js";

// The program has ended (End, ﾌｧｲﾙ → 終了, or a start-up that failed): its windows go, and the
// page says so and offers to start again, as the rules start or from the newest autosave. Each
// starts the page afresh; the newest autosave is asked for in the address, taken out on arrival.
export let ended = false;
export const ResumeParam = "open";
export function showEnded(json) {
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
export function endedKey(ev) {
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
