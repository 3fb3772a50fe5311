// The autosaves in the browser's IndexedDB, one record per file, shared by every tab of the game.
// Each tab keeps a copy of the stored files in its program's folder; an autosave it writes there is
// added as a record of its own, so no tab writes the folder back over another's. A tab removes only
// its own files and those of tabs that are no longer open, the oldest beyond the newest ten, in the
// same transaction that adds its file: IndexedDB runs one such transaction at a time across tabs.
// The records keep the layout earlier visits stored them in (IDBFS's), so those autosaves stay.
export const Autosaves = (function () {
  const DbName = "/autosave", DbVersion = 21, Store = "FILE_DATA";
  const Kept = 10;
  const Name = /^(\d{8}-\d{6}-\d{3})(?:-(\d+))?\.krv$/;
  const tab = Array.from(crypto.getRandomValues(new Uint32Array(2)), n => n.toString(36)).join("");
  const LockPrefix = "karven.tab.";
  const channel = typeof BroadcastChannel === "function" ? new BroadcastChannel("karven.autosaves") : null;

  let fs = null, folder = "";
  let known = new Set(); // the names the folder and the store agree on; the folder's others are still to store
  let queue = Promise.resolve();
  const later = work => (queue = queue.then(work, work));

  // This tab is open as long as it holds its lock; another tab asks which are.
  if (navigator.locks) navigator.locks.request(LockPrefix + tab, () => new Promise(() => {})).catch(() => {});
  async function openTabs() {
    if (!navigator.locks) return null; // not told (a page that is not a secure context): the newest ten decide
    try {
      const held = (await navigator.locks.query()).held || [];
      return new Set(held.map(l => l.name).filter(n => n && n.startsWith(LockPrefix)).map(n => n.slice(LockPrefix.length)));
    } catch (e) { return null; }
  }

  function database() {
    return new Promise((resolve, reject) => {
      const request = indexedDB.open(DbName, DbVersion);
      request.onupgradeneeded = () => {
        const store = request.result.objectStoreNames.contains(Store)
          ? request.transaction.objectStore(Store) : request.result.createObjectStore(Store);
        if (!store.indexNames.contains("timestamp")) store.createIndex("timestamp", "timestamp", { unique: false });
      };
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
      request.onblocked = () => reject(new Error("blocked"));
    });
  }
  let db = null;
  async function connection() {
    if (!db) {
      db = await database();
      db.onversionchange = () => { db.close(); db = null; };
      db.onclose = () => { db = null; }; // the browser closed it (its storage cleared): opened again when next needed
    }
    return db;
  }

  const keyOf = name => folder + "/" + name;
  const nameOf = key => (key.startsWith(folder + "/") ? key.slice(folder.length + 1) : "");
  // Newest first: by time, then by the number a second save within one millisecond carries.
  function newestFirst(a, b) {
    const x = Name.exec(a), y = Name.exec(b);
    if (x[1] !== y[1]) return x[1] < y[1] ? 1 : -1;
    return (+(y[2] || 0)) - (+(x[2] || 0));
  }
  // A free name beside a taken one: the next number after the time.
  function freeName(name, taken) {
    const m = Name.exec(name);
    for (let n = +(m[2] || 0) + 1; ; ++n) {
      const next = `${m[1]}-${n}.krv`;
      if (!taken.has(next)) return next;
    }
  }

  function localNames() {
    try { return fs.readdir(folder).filter(n => Name.test(n)); } catch (e) { return []; }
  }

  function done(transaction) {
    return new Promise((resolve, reject) => {
      transaction.oncomplete = () => resolve();
      transaction.onabort = () => reject(transaction.error || new Error("aborted"));
    });
  }
  const asked = request => new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });

  // The stored names, and the records of those the folder lacks.
  async function readStore(store) {
    const names = (await asked(store.getAllKeys())).map(nameOf).filter(n => Name.test(n));
    const local = new Set(localNames());
    const missing = names.filter(n => !local.has(n));
    const records = await Promise.all(missing.map(n => asked(store.get(keyOf(n)))));
    return { names, records: new Map(missing.map((n, i) => [n, records[i]])) };
  }
  // The folder brought to the store: files another tab added appear, files removed there go; a
  // file this tab has still to store stays, even where another tab's file took its name.
  function mirror({ names, records }) {
    const stored = new Set(names), written = new Set();
    for (const [name, record] of records) {
      if (!record || !record.contents) continue;
      fs.writeFile(keyOf(name), new Uint8Array(record.contents));
      written.add(name);
    }
    for (const name of localNames()) if (known.has(name) && !stored.has(name)) fs.unlink(keyOf(name));
    known = new Set(names.filter(n => known.has(n) || written.has(n)));
  }

  // Before the program starts: every stored autosave into the folder.
  function load(module, path) {
    fs = module.FS;
    folder = path;
    fs.mkdir(folder);
    return later(async () => {
      try {
        await refreshNow();
      } catch (e) { /* storage refused (a private window): the autosaves last the visit */ }
    });
  }

  // The folder's new files added to the store, then the oldest beyond the newest ten removed where
  // this tab may remove them; the folder brought up to date. True once something was written.
  async function storeNow() {
    const local = localNames();
    const pending = local.filter(n => !known.has(n));
    if (!pending.length) return false;
    const files = pending.map(n => ({ name: n, contents: fs.readFile(keyOf(n)), mtime: fs.stat(keyOf(n)).mtime }));
    const open = await openTabs();
    const transaction = (await connection()).transaction(Store, "readwrite");
    const store = transaction.objectStore(Store);
    const finished = done(transaction);
    const renamed = new Map();
    try {
      const taken = new Set((await asked(store.getAllKeys())).map(nameOf).filter(n => Name.test(n)));
      const mine = new Set();
      for (const f of files) {
        // Another tab took the name within the same millisecond: this file takes the next one.
        const name = taken.has(f.name) ? freeName(f.name, new Set([...taken, ...local])) : f.name;
        if (name !== f.name) renamed.set(f.name, name);
        store.put({ timestamp: new Date(f.mtime), mode: 0o100644, contents: f.contents, tab }, keyOf(name));
        taken.add(name);
        mine.add(name);
      }
      const beyond = [...taken].sort(newestFirst).slice(Kept).filter(n => !mine.has(n));
      const records = await Promise.all(beyond.map(n => asked(store.get(keyOf(n)))));
      beyond.forEach((name, i) => {
        const of = records[i] && records[i].tab;
        if (of === tab || !open || !of || !open.has(of)) store.delete(keyOf(name));
      });
      await finished;
    } catch (e) {
      try { transaction.abort(); } catch (ignored) { /* ended already */ }
      await finished.catch(() => {});
      throw e;
    }
    for (const [from, to] of renamed) {
      try { fs.rename(keyOf(from), keyOf(to)); } catch (e) { /* gone from the folder meanwhile: stored all the same */ }
    }
    for (const f of files) known.add(renamed.get(f.name) || f.name);
    await refreshNow();
    if (channel) channel.postMessage("stored");
    return true;
  }

  async function refreshNow() {
    mirror(await readStore((await connection()).transaction(Store, "readonly").objectStore(Store)));
  }

  if (channel) channel.onmessage = () => { if (fs) later(() => refreshNow().catch(() => {})); };

  return {
    load,
    // Resolves true once the folder's new autosaves are stored; false when there was nothing to
    // store or the storage refused them (they are offered again at the next autosave).
    store: () => later(() => storeNow().catch(() => false)),
    // The folder as the store holds it now.
    refresh: () => later(() => refreshNow().catch(() => {})),
    tab,
  };
})();
// For the tests: which tab this is.
window.karvenAutosaves = Autosaves;
