// The composition's copy in IndexedDB while it is unsaved, offered back when the page opens after a tab was lost.
const kDatabase = 'plinvaro';
const kStore = 'recovery';
const kKey = 'composition';
const kDelayMs = 1000;

function openDatabase() {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open(kDatabase, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(kStore);
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

async function transact(mode, work) {
  const db = await openDatabase();
  return new Promise((resolve, reject) => {
    const tx = db.transaction(kStore, mode);
    const request = work(tx.objectStore(kStore));
    tx.oncomplete = () => { db.close(); resolve(request.result); };
    tx.onerror = () => { db.close(); reject(tx.error); };
  });
}

export class Recovery {
  constructor(face) {
    this.face = face;
    this.timer = 0;
  }

  // The text may have changed: the copy follows a second later.
  changed() {
    if (this.timer) return;
    this.timer = setTimeout(() => { this.timer = 0; this.keep(); }, kDelayMs);
  }

  async keep() {
    if (!this.face.hasUnsavedText()) return transact('readwrite', (s) => s.delete(kKey));
    const bytes = this.face.sourceBytes().slice();
    return transact('readwrite', (s) => s.put(bytes, kKey));
  }

  // Offers a kept copy back; `ask(question)` resolves to true to restore it.
  async offer(ask) {
    const bytes = await transact('readonly', (s) => s.get(kKey));
    if (!bytes || bytes.length === 0) return;
    if (await ask()) this.face.restoreSourceText(bytes);
    else await transact('readwrite', (s) => s.delete(kKey));
  }
}
