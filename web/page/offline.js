// The service worker that keeps the site for playing offline; browsers give one only to a secure
// page (https, or localhost), and a page without one plays online as before.
"use strict";

if ("serviceWorker" in navigator && window.isSecureContext)
  window.addEventListener("load", () => navigator.serviceWorker.register("service-worker.js").catch(() => {}));
