// The page's side of a search on the worker: one worker at a time, progress, cancelling by ending the worker.

export class SearchWorker {
  // `onProgress(progress)` and `onDone(results)` hear the running search, never
  // an ended one; `pauseMs`, for tests, makes the scan pause that long at each file.
  constructor(onProgress, onDone, pauseMs = 0) {
    this.onProgress = onProgress;
    this.onDone = onDone;
    this.pauseMs = pauseMs;
    this.folder = null;
    this.id = 0;  // the running search's
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
    if (this.folder) this.worker.postMessage({ type: 'folder', ...this.folder });
  }

  // The folder's path in the core's file system and its files ({name, bytes}).
  setFolder(folder, files) {
    this.folder = { folder, files };
    this.worker.postMessage({ type: 'folder', folder, files });
  }

  search(request) {
    this.id += 1;
    this.worker.postMessage({ type: 'search', id: this.id, directory: request.directory, pattern: request.pattern,
                              pauseMs: this.pauseMs });
  }

  // A scan runs to its end once begun: cancelling ends the worker and starts a fresh one.
  cancel() {
    this.id += 1;
    this.worker.terminate();
    this.start();
  }
}
