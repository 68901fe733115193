// The search worker: its own core scans the chosen folder the page hands it, shared where the page shares memory.
import createPlinvaroCore from './plinvaro-core.js';
import { installFolder } from './files.js';

const ready = createPlinvaroCore();
let going = null;  // shared with the page: the id of the search that may go on

// Holds the scan for `ms` (a test's pause at each file).
function pause(ms) {
  const end = performance.now() + ms;
  while (performance.now() < end);
}

onmessage = async (event) => {
  const core = await ready;
  const message = event.data;
  if (message.type === 'going') {
    going = message.going;
  } else if (message.type === 'folder') {
    const path = message.folder;
    const slash = path.lastIndexOf('/');
    installFolder(core.FS, path.slice(0, slash), { name: path.slice(slash + 1), files: message.files });
    postMessage({ type: 'folder', folder: path });
  } else if (message.type === 'search') {
    const { id } = message;
    const progress = (filesDone, filesListed, bytesDone, bytesTotal) => {
      postMessage({ type: 'progress', id, filesDone, filesListed, bytesDone, bytesTotal });
      if (message.pauseMs > 0) pause(message.pauseMs);
      return going !== null && Atomics.load(going, 0) !== id;
    };
    const results = core.scanFolder(message.directory, message.pattern, message.matchCase, progress);
    postMessage({ type: 'done', id, results });
  }
};
