// The search worker: its own core scans the chosen folder, read in place from the files the page hands it.
import createPlinvaroCore from './plinvaro-core.js';

const ready = createPlinvaroCore();
let mounted = '';

function mount(core, folder, files) {
  const fs = core.FS;
  if (mounted) fs.unmount(mounted);
  mounted = '';
  fs.mkdirTree(folder);
  fs.mount(fs.filesystems.WORKERFS, { files }, folder);
  mounted = folder;
}

onmessage = async (event) => {
  const core = await ready;
  const message = event.data;
  if (message.type === 'folder') {
    mount(core, message.folder, message.files);
  } else if (message.type === 'search') {
    const progress = (filesDone, filesListed, bytesDone, bytesTotal) =>
      postMessage({ type: 'progress', filesDone, filesListed, bytesDone, bytesTotal });
    const results = core.scanFolder(message.directory, message.pattern, progress);
    postMessage({ type: 'done', results });
  }
};
