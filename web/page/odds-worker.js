// The title odds off the page's thread: karven-odds plays the rest of the season and posts its
// figures block by block; the page ends the worker to cancel.
"use strict";
importScripts("karven-odds.js");
const ready = KarvenOdds();
onmessage = async ev => {
  let m;
  try {
    m = await ready;
  } catch (e) {
    postMessage({ type: "failed" }); // its WebAssembly could not be loaded
    return;
  }
  const job = ev.data;
  m.FS.writeFile("/season.krv", job.season);
  m.ccall("RunOdds", null, ["string", "number", "number", "number", "string", "number", "number", "string"],
          ["/season.krv", job.switches[0], job.switches[1], job.switches[2], job.seed, job.runs, job.stopAfterMs, job.fixed]);
};
