// The game's work beside the windows (the title odds) in a Web Worker, so that the page keeps
// running: the request goes to the worker, each answer it posts comes back to the game as an event
// of its job; ending the worker stops it. Tests fix the odds' seed and runs by the address
// (?oddsSeed=N&oddsRuns=N), as karven-sim --seed and --odds take them.
import { deliver } from "./binder/queue.js";

const params = new URLSearchParams(location.search);
const digits = name => (/^\d+$/.test(params.get(name) || "") ? params.get(name) : "");
let worker = null, job = 0, running = false, heard = 0, last = "", header = "";

function end() {
  if (worker) worker.terminate();
  worker = null;
  running = false;
}

// The worker cannot be loaded or stops running: the game hears that it failed.
function failed(id) {
  if (id !== job || !running) return;
  end();
  deliver(`background-failed\t${id}`);
}

export const Background = {
  // `request`: the bytes of the game's request. Its job's number, which its events carry.
  start(request) {
    end();
    const id = ++job;
    heard = 0;
    last = "";
    header = new TextDecoder("latin1").decode(request.subarray(0, Math.min(request.length, 4096))).split("\nseason ")[0];
    try {
      worker = new Worker("odds-worker.js");
    } catch (e) {
      running = true;
      setTimeout(() => failed(id), 0);
      return id;
    }
    running = true;
    worker.onmessage = ev => {
      if (id !== job || !running) return;
      const m = ev.data;
      if (m.type !== "answer") return failed(id);
      ++heard;
      last = m.answer;
      if (!/^state partial$/m.test(m.answer)) running = false; // its last answer
      deliver(`background\t${id}\t${m.answer}`);
    };
    worker.onerror = ev => { ev.preventDefault(); failed(id); };
    worker.postMessage({ request, seed: digits("oddsSeed"), runs: digits("oddsRuns") }, [request.buffer]);
    return id;
  },
  stop() {
    ++job;
    end();
  },
};

// For tests: whether a job runs, its request's header, and its answers so far.
window.karvenBackground = { state: () => ({ running, header, heard, last }) };
