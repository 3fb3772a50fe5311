// The service worker that keeps the site for playing offline; browsers give one only to a secure
// page (https, or localhost), and a page without one plays online as before.
"use strict";

// Registered once the game's first screen is up, so that keeping the files does not hold it back.
if ("serviceWorker" in navigator && window.isSecureContext)
  document.addEventListener("karvenshown", () => navigator.serviceWorker.register("service-worker.js").catch(() => {}), { once: true });
