// File > "Open Recent" where the browser keeps file handles: the handles in IndexedDB, in the order the core's rule gives.
import { transact } from './store.js';

const kStore = 'recent';
const kKey = 'files';

export class RecentFiles {
  // `order(keys, key)`: the core's rule, the kept keys with `key` put first.
  constructor(order) {
    this.order = order;
    this.queue = Promise.resolve();  // one change at a time
  }

  // Whether the browser gives file handles, which alone can be opened again on a later visit.
  static available() { return typeof window.showOpenFilePicker === 'function'; }

  // [{key, handle}], the newest first.
  async list() {
    const kept = await transact(kStore, 'readonly', (s) => s.get(kKey));
    return Array.isArray(kept) ? kept : [];
  }

  // Puts the file of `handle` first, as the same entry when it is kept already.
  note(handle) {
    this.queue = this.queue.then(() => this.put(handle)).catch(() => {});
    return this.queue;
  }

  async put(handle) {
    const entries = await this.list();
    let key = null;
    for (const entry of entries) {
      if (await entry.handle.isSameEntry(handle)) { key = entry.key; break; }
    }
    key ??= crypto.randomUUID();
    const handles = new Map(entries.map((entry) => [entry.key, entry.handle]));
    handles.set(key, handle);
    const kept = this.order(entries.map((entry) => entry.key), key).map((k) => ({ key: k, handle: handles.get(k) }));
    await transact(kStore, 'readwrite', (s) => s.put(kept, kKey));
  }
}
