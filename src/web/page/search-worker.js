// The search worker: its own core scans its own copy of the chosen folder, read once from the files the page hands it.
import createPlinvaroCore from './plinvaro-core.js';
import { removeTree } from './files.js';

const ready = createPlinvaroCore();

// Reading the files at each search would cost a disk's speed each time; a copy
// in memory costs it once.
function copyFolder(fs, folder, files) {
  removeTree(fs, folder.slice(0, folder.lastIndexOf('/')));
  fs.mkdirTree(folder);
  const reader = new FileReaderSync();
  for (const file of files) fs.writeFile(`${folder}/${file.name}`, new Uint8Array(reader.readAsArrayBuffer(file)));
}

onmessage = async (event) => {
  const core = await ready;
  const message = event.data;
  if (message.type === 'folder') {
    copyFolder(core.FS, message.folder, message.files);
    postMessage({ type: 'folder', folder: message.folder });
  } else if (message.type === 'search') {
    const progress = (filesDone, filesListed, bytesDone, bytesTotal) =>
      postMessage({ type: 'progress', filesDone, filesListed, bytesDone, bytesTotal });
    const results = core.scanFolder(message.directory, message.pattern, progress);
    postMessage({ type: 'done', results });
  }
};
