// The player's settings the browser keeps: the language, the text size, letters that need Alt.
import { fitMain, flowDialog, placeDialog } from "./layout.js";
import { forms } from "./state.js";

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
export let textSize = storedTextSize();
// Viewport units grow with the zoom: the page's CSS divides them by --zoom.
function applyTextSize() {
  const root = document.documentElement.style;
  root.zoom = textSize > 100 ? String(textSize / 100) : "";
  if (textSize > 100) root.setProperty("--zoom", String(textSize / 100));
  else root.removeProperty("--zoom");
}
export function setTextSize(size) {
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
export function lettersNeedAlt() {
  try { return localStorage.getItem(LettersKey) === "1"; } catch (e) { return false; }
}
export function setLettersNeedAlt(on) {
  try { localStorage.setItem(LettersKey, on ? "1" : "0"); } catch (e) { /* kept for this visit only */ }
  lettersAlt = !!on;
}
export let lettersAlt = lettersNeedAlt();

export function storedLanguage() {
  try {
    const code = localStorage.getItem(LanguageKey);
    return code === "en" || code === "ja" ? code : "";
  } catch (e) { return ""; }
}
export function browserLanguage() {
  const first = (navigator.languages && navigator.languages[0]) || navigator.language || "";
  return /^ja\b/i.test(first) ? "ja" : "en";
}
export function showLanguage(code) {
  document.documentElement.lang = code;
  document.getElementById("loading").textContent = code === "en" ? "KARVEN: loading…" : "KARVEN 読み込み中…";
}
export function language(code) {
  try { localStorage.setItem(LanguageKey, code); } catch (e) { /* not kept: Japanese next time */ }
  showLanguage(code);
}
