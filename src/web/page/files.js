// Chosen files into the core's in-memory file system, and written files out to the user.

// Removes `path` and everything below it from the in-memory file system.
export function removeTree(fs, path) {
  if (!fs.analyzePath(path).exists) return;
  for (const name of fs.readdir(path)) {
    if (name === '.' || name === '..') continue;
    const child = `${path}/${name}`;
    if (fs.isDir(fs.stat(child).mode)) removeTree(fs, child);
    else fs.unlink(child);
  }
  fs.rmdir(path);
}

// Files that come without a folder (several dropped, or a folder input that
// gives no paths) make a folder of this name.
const kLooseFolder = 'chosen files';

// `bytes` in memory the search worker can share, where the page may share memory.
function sharable(bytes) {
  if (!globalThis.crossOriginIsolated) return bytes;
  const shared = new Uint8Array(new SharedArrayBuffer(bytes.length));
  shared.set(bytes);
  return shared;
}

// Reads the entries directly inside a chosen folder (`files` from a folder
// input: each named by its path from the folder's parent) into memory, telling
// `show` how far it came: {name, files: [{name, bytes}]}, or null when no file
// lies directly inside the folder. `named`, when given, is the folder's name
// and `files` are its entries.
export async function readFolder(files, show, named = null) {
  const loose = files.every((f) => !f.webkitRelativePath);
  const direct = loose ? files : files.filter((f) => f.webkitRelativePath.split('/').length === 2);
  if (direct.length === 0) return null;
  const name = named ?? (loose ? kLooseFolder : direct[0].webkitRelativePath.split('/')[0]);
  const total = direct.reduce((sum, f) => sum + f.size, 0);
  const read = [];
  let done = 0;
  for (const [i, file] of direct.entries()) {
    read.push({ name: file.name, bytes: sharable(new Uint8Array(await file.arrayBuffer())) });
    done += file.size;
    show(`reading folder: ${i + 1} of ${direct.length} files, ${(done / 1e6).toFixed(1)} of ${(total / 1e6).toFixed(1)} MB`);
  }
  return { name, files: read };
}

// Puts a folder that readFolder read under `root`, in place of the folder
// there before, its files' bytes taken as they are, not copied: the folder's path.
export function installFolder(fs, root, folder) {
  removeTree(fs, root);
  const path = `${root}/${folder.name}`;
  fs.mkdirTree(path);
  for (const file of folder.files) fs.writeFile(`${path}/${file.name}`, file.bytes, { canOwn: true });
  return path;
}

// Hands the file at `path` to the user and forgets it: a save picker where the
// browser has one, else a download at once under the file's name.
export async function deliverFile(fs, path, type) {
  const bytes = fs.readFile(path);
  fs.unlink(path);
  const name = path.slice(path.lastIndexOf('/') + 1);
  const blob = new Blob([bytes], { type });
  if (window.showSaveFilePicker) {
    try {
      const handle = await window.showSaveFilePicker({ suggestedName: name });
      const stream = await handle.createWritable();
      await stream.write(blob);
      await stream.close();
      return;
    } catch (error) {
      if (error.name === 'AbortError') return;
    }
  }
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}
