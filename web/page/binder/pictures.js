// The game's pictures from the program's files as object URLs, and the standard icons.
import { module, pictures } from "./state.js";

// A picture the game names, or its PNG twin the site carries in its place.
export function pictureUrl(path) {
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
export function iconUrl(name) {
  if (!icons.has(name)) {
    const mark = name === ":information" ? "i" : "?";
    const svg = '<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32"><circle cx="16" cy="16" r="15" fill="#2b63c6" stroke="#173f8a"/>' +
      '<text x="16" y="23" font-family="serif" font-size="21" font-weight="bold" fill="#fff" text-anchor="middle">' + mark + "</text></svg>";
    icons.set(name, URL.createObjectURL(new Blob([svg], { type: "image/svg+xml" })));
  }
  return icons.get(name);
}
