// The page's side of a search on the worker: one worker at a time, the folder it scans, progress, cancelling.
//
// Where the page may share memory (it is cross-origin isolated) the folder's
// bytes are shared: the worker scans the very bytes the page holds, and a
// cancel is a shared word the scan reads at each file. Elsewhere the worker
// holds a copy of the folder, and a cancel ends the worker, which starts anew
// with a fresh copy.
export class SearchWorker {
  // `onProgress(progress)` and `onDone(results)` hear the running search, never
  // an ended one; `pauseMs`, for tests, makes the scan pause that long at each file.
  constructor(onProgress, onDone, pauseMs = 0) {
    this.onProgress = onProgress;
    this.onDone = onDone;
    this.pauseMs = pauseMs;
    this.folder = null;
    this.id = 0;  // the running search's
    // The id of the search the scan may go on for, shared with the worker.
    this.going = globalThis.crossOriginIsolated ? new Int32Array(new SharedArrayBuffer(4)) : null;
    this.start();
  }

  start() {
    this.worker = new Worker(new URL('search-worker.js', import.meta.url), { type: 'module' });
    this.worker.onmessage = (event) => {
      const message = event.data;
      if (message.id !== this.id) return;
      if (message.type === 'progress') this.onProgress(message);
      else if (message.type === 'done') this.onDone(message.results);
    };
    if (this.going) this.worker.postMessage({ type: 'going', going: this.going });
    if (this.folder) this.worker.postMessage({ type: 'folder', ...this.folder });
  }

  // The folder's path in the core's file system and its files ({name, bytes}).
  setFolder(folder, files) {
    this.folder = { folder, files };
    this.worker.postMessage({ type: 'folder', folder, files });
  }

  search(request) {
    this.id += 1;
    if (this.going) Atomics.store(this.going, 0, this.id);
    this.worker.postMessage({ type: 'search', id: this.id, directory: request.directory, pattern: request.pattern,
                              matchCase: request.matchCase, pauseMs: this.pauseMs });
  }

  cancel() {
    this.id += 1;
    if (this.going) {
      Atomics.store(this.going, 0, this.id);
      return;
    }
    this.worker.terminate();
    this.start();
  }
}
