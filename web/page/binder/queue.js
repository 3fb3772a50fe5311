// The player's clicks and keys as the game's events, in one queue: the game takes the next one as
// it waits for the player.
import { page } from "./state.js";

const events = [];
let waiting = null;
export function push(kind, form, key, value) {
  let name = key || "", index = "";
  const m = /^(.*)\((\d+)\)$/.exec(name);
  if (m) { name = m[1]; index = m[2]; }
  deliver([kind, form, name, index, value === undefined ? "" : String(value)].join("\t"));
}
export function deliver(event) {
  if (waiting) { const w = waiting; waiting = null; w(event); } else events.push(event);
}
// For tests: the game waits for the player with nothing left to take, every event handled.
page.idle = () => waiting !== null && events.length === 0;
// The next event, once there is one.
export function nextEvent() {
  return new Promise(resolve => {
    page.waits++;
    if (events.length) resolve(events.shift()); else waiting = resolve;
  });
}
