// The title odds off the page's thread: karven-odds reads the game's request, plays the rest of
// the season and posts its answers block by block; the page ends the worker to stop it.
"use strict";
importScripts("karven-odds.js");
const ready = KarvenOdds({ postAnswer: answer => postMessage({ type: "answer", answer }) });
onmessage = async ev => {
  let m;
  try {
    m = await ready;
  } catch (e) {
    postMessage({ type: "failed" }); // its WebAssembly could not be loaded
    return;
  }
  const job = ev.data;
  m.FS.writeFile("/request", job.request);
  m.ccall("RunOdds", null, ["string", "string", "string"], ["/request", job.seed, job.runs]);
};
