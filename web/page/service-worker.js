// Plays offline: every file of the site is kept in a cache named after this build, and the page's
// requests are answered from it. A new build changes this file (its version and list), so the
// browser installs it beside the old; it takes over at once and removes the older builds' caches.
"use strict";

const Version = "@KARVEN_SITE_VERSION@";
const Files = [
@KARVEN_SITE_FILES@];
const Prefix = "karven-";
const Cache = Prefix + Version;

self.addEventListener("install", ev => {
  ev.waitUntil((async () => {
    const cache = await caches.open(Cache);
    // Each file checked with the server past the browser's own HTTP cache, which may still hold
    // an older build's: what the page has just loaded comes back as "not modified".
    await cache.addAll(Files.map(f => new Request(f, { cache: "no-cache" })));
    await self.skipWaiting();
  })());
});

self.addEventListener("activate", ev => {
  ev.waitUntil((async () => {
    for (const name of await caches.keys())
      if (name.startsWith(Prefix) && name !== Cache) await caches.delete(name);
    await self.clients.claim();
  })());
});

// The site's files from the cache (the page itself whatever its query: "?seed=5"), anything else
// from the network as usual.
const scope = new URL(self.registration.scope).pathname;
self.addEventListener("fetch", ev => {
  const request = ev.request, url = new URL(request.url);
  if (request.method !== "GET" || url.origin !== location.origin || !url.pathname.startsWith(scope)) return;
  let name = decodeURIComponent(url.pathname.slice(scope.length));
  if (name === "" && request.mode === "navigate") name = "index.html";
  if (!Files.includes(name)) return;
  ev.respondWith((async () => {
    const cache = await caches.open(Cache);
    return (await cache.match(name)) || fetch(request);
  })());
});

// Which build this is, for the page that asks.
self.addEventListener("message", ev => {
  if (ev.data === "version" && ev.ports[0]) ev.ports[0].postMessage(Version);
});
