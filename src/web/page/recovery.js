// The composition's copy in IndexedDB while it is unsaved, offered back when the page opens after a tab was lost.
import { transact } from './store.js';

const kStore = 'recovery';
const kKey = 'composition';
const kDelayMs = 1000;

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
    if (!this.face.hasUnsavedText()) return transact(kStore, 'readwrite', (s) => s.delete(kKey));
    const bytes = this.face.sourceBytes().slice();
    return transact(kStore, 'readwrite', (s) => s.put(bytes, kKey));
  }

  // Offers a kept copy back; `ask(question)` resolves to true to restore it.
  async offer(ask) {
    const bytes = await transact(kStore, 'readonly', (s) => s.get(kKey));
    if (!bytes || bytes.length === 0) return;
    if (await ask()) this.face.restoreSourceText(bytes);
    else await transact(kStore, 'readwrite', (s) => s.delete(kKey));
  }
}
