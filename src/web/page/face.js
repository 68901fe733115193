// The page: builds the panel from the core's tables, realises the page object the core calls, and routes events to it.
import createPlinvaroCore from './plinvaro-core.js';
import { TextBox } from './editor.js';
import { readFolder, installFolder, deliverFile } from './files.js';
import { Recovery } from './recovery.js';
import { RecentFiles } from './recent.js';
import { SearchWorker } from './search.js';
import { loadSettings, saveSettings } from './settings.js';

const kControlKind = { Label: 1, LineEdit: 2, PushButton: 3, CheckBox: 4, ComboBox: 5, Trackbar: 7 };
const kKeyRun = { Digit: 0, Letter: 1, FunctionKey: 2, Up: 3, Down: 4, Left: 5, Right: 6, Control: 7 };
// PartButton order in the core: "<<", ">>", "Accept", "\/".
const kPartFields = ['prevButton', 'nextButton', 'acceptButton', 'moreButton'];
const kRightColumn = ['moreButton', 'startButton', 'pauseButton', 'searchButton', 'toSrcButton', 'stopButton', 'speedTrackbar'];
// The core's ids: DropUse, and the command of "On The Fly Mode".
const kDropUse = { Refused: 0, BaseFile: 1, BaseDirectory: 2 };
// The View items the page carries out: SeamCommand's ToggleTint, ToggleSources, ToggleFoundParts.
const kSeamIdBase = 100;
const kToggleTint = kSeamIdBase + 3;
const kToggleSources = kSeamIdBase + 4;
const kToggleFoundParts = kSeamIdBase + 5;
const kSeamRefreshMs = 250;
const kNoHandlesReason = 'This browser keeps no file handles between visits, so it cannot open a file again unasked.';
const kSaveFolder = '/save';
const kFolderRoot = '/folders';
const kOpenFolder = '/open';
// For tests: "?scanPauseMs=N" makes the worker pause N ms at each file, so that a search lasts.
const kScanPauseMs = Number(new URLSearchParams(location.search).get('scanPauseMs')) || 0;

const $ = (id) => document.getElementById(id);
const core = await createPlinvaroCore();
const kOnTheFlyCommand = core.controls().find((row) => row.field === 'onTheFlyCheck').commandId;
const optionTexts = core.optionTexts();
const widgets = {};
const timers = new Map();
let directory = '';
let face = null;
let hintShown = true;
let note = '';  // a face message for the status line (folder reading), until the next command
let progress = null;  // the running search's last progress, shown once kProgressDelay passed
let progressShown = false;
const changes = { status: false, views: false };  // deliveries of page.changed waiting
let searchRound = 0;  // searches begun or cancelled, so that a late step of an ended one does nothing

// The page object: what the core's platform parts call.
const page = {
  // The core's one change signal: the status, the copy and the settings once the
  // current event is done, the seam views within kSeamRefreshMs.
  changed() {
    if (!changes.status) {
      changes.status = true;
      queueMicrotask(() => { changes.status = false; afterCommand(); });
    }
    if (!changes.views) {
      changes.views = true;
      setTimeout(() => { changes.views = false; refreshViews(); }, kSeamRefreshMs);
    }
  },
  enablePartButton(index, on) { widgets[kPartFields[index]].disabled = !on; },
  isPartButtonEnabled(index) { return !widgets[kPartFields[index]].disabled; },
  isOnTheFlyChecked() { return widgets.onTheFlyCheck.checked; },
  setOnTheFlyChecked(on) { widgets.onTheFlyCheck.checked = on; },
  trackbarPosition() { return Number(widgets.speedTrackbar.value); },
  setTrackbarPosition(position) { widgets.speedTrackbar.value = String(position); },
  directoryText() { return directory; },
  setDirectoryText(text) { directory = text; $('dirText').value = text; },
  directoryHasFocus() { return false; },
  setTitle(title) { document.title = title; },
  selectFontSize(index) { widgets.fontSizeCombo.selectedIndex = index; },
  selectedFontSizeText() {
    const list = widgets.fontSizeCombo;
    return list.selectedIndex < 0 ? '' : list.options[list.selectedIndex].text;
  },
  startTimer(id, ms) {
    page.killTimer(id);
    timers.set(id, setInterval(() => { face.tick(); afterCommand(); }, ms));
    return id + 1;
  },
  killTimer(id) {
    clearInterval(timers.get(id));
    timers.delete(id);
  },
  // The browser's file picker where it gives handles (the file is then kept
  // for Open Recent), else the file input.
  pickBaseFile() {
    if (!RecentFiles.available()) { $('openFile').click(); return; }
    window.showOpenFilePicker().then(([handle]) => openHandle(handle)).catch(() => {});
  },
  // The browser's folder picker where it has one (the folder is then read
  // again at each search), else the folder input (a snapshot).
  pickDirectory() {
    if (!window.showDirectoryPicker) { $('baseDir').click(); return; }
    window.showDirectoryPicker().then(openFolderHandle).catch(() => {});
  },
  saveTarget(name) {
    core.FS.mkdirTree(kSaveFolder);
    const path = `${kSaveFolder}/${name}`;
    if (core.FS.analyzePath(path).exists) core.FS.unlink(path);
    return path;
  },
  showMessage(text, caption) {
    $('messageCaption').textContent = caption;
    $('messageText').textContent = text;
    if (!$('message').open) $('message').showModal();
  },
  closeWindow() { window.close(); },
  deliverFile(path, type) { deliverFile(core.FS, path, type); },
  searchReported() { hintShown = false; },
  // A Search the core began: the worker scans while commands pass the core's gate.
  startSearch(request) {
    const round = ++searchRound;
    const current = () => round === searchRound && face.isSearching();
    setSearching(true);
    progress = null;
    progressShown = false;
    setTimeout(() => { if (current()) { progressShown = true; showStatus(); } }, core.searchProgressDelay());
    refreshFolder().then(() => { if (current()) searchWorker.search(request); }, (error) => {
      if (!current()) return;
      face.cancelSearch();
      note = `the folder could not be read again: ${error.message}`;
      showStatus();
    });
  },
  searchCancelled() {
    searchRound += 1;
    searchWorker.cancel();
    setSearching(false);
    note = core.searchCancelledText();
    showStatus();
  },
};

function run(action) {
  note = '';
  hintShown = false;
  action();
  afterCommand();
}

function afterCommand() {
  showStatus();
  recovery.changed();
  keepSettings();
}

function keepSettings() {
  const options = face.options();
  saveSettings({
    speed: page.trackbarPosition(),
    fontSize: page.selectedFontSizeText(),
    onTheFly: page.isOnTheFlyChecked(),
    matchCase: options.matchCase,
    wanders: options.wanders,
    wanderWords: options.wanderWords,
    weights: face.weightEntries(),
  });
}

// The settings kept last time, each through the command its control runs.
function restoreSettings() {
  const kept = loadSettings();
  if (Number.isInteger(kept.speed)) {
    page.setTrackbarPosition(kept.speed);
    face.updateSpeed();
  }
  const sizes = [...widgets.fontSizeCombo.options].map((o) => o.text);
  if (sizes.includes(kept.fontSize)) {
    page.selectFontSize(sizes.indexOf(kept.fontSize));
    face.applyFontSize();
  }
  if (typeof kept.onTheFly === 'boolean' && kept.onTheFly !== page.isOnTheFlyChecked()) {
    page.setOnTheFlyChecked(kept.onTheFly);
    face.runCommand(kOnTheFlyCommand);
  }
  // The core refuses what is out of range or not well formed.
  if (typeof kept.matchCase === 'boolean') face.setMatchCase(kept.matchCase);
  if (typeof kept.wanderWords === 'number') face.setWanderWords(kept.wanderWords);
  if (typeof kept.wanders === 'boolean') face.setWanders(kept.wanders);
  face.restoreWeights(kept.weights ?? []);
}

function progressText() {
  const p = progress ?? { filesDone: 0, filesListed: 0, bytesDone: 0, bytesTotal: 0 };
  return face.progressText(p.filesDone, p.filesListed, p.bytesDone, p.bytesTotal);
}

function showStatus() {
  const s = face.status();
  const searching = face.isSearching() && progressShown;
  const first = searching ? progressText() : hintShown ? s.hint : (note || s.search);
  $('status').textContent = [first, s.playback, s.speed, s.preview, s.run, s.steering].filter(Boolean).join('  |  ');
}

function buildControls() {
  const top = $('topControls');
  for (const row of core.controls()) {
    let widget = null;
    if (row.kind === kControlKind.PushButton) {
      widget = document.createElement('button');
      widget.textContent = row.text;
      widget.addEventListener('click', () => press(row.commandId));
    } else if (row.kind === kControlKind.CheckBox) {
      const label = document.createElement('label');
      widget = document.createElement('input');
      widget.type = 'checkbox';
      widget.addEventListener('click', () => press(row.commandId));
      label.append(widget, row.text);
      top.append(label);
    } else if (row.kind === kControlKind.ComboBox) {
      widget = document.createElement('select');
      widget.setAttribute('aria-label', 'Font size');
      for (const size of core.fontSizes()) widget.add(new Option(size));
      widget.addEventListener('change', () => change(() => face.applyFontSize()));
      const label = document.createElement('label');
      label.append('Font size ', widget);
      top.append(label);
    } else if (row.kind === kControlKind.Trackbar) {
      widget = document.createElement('input');
      widget.type = 'range';
      widget.min = '0';
      widget.max = '100';
      widget.setAttribute('aria-label', 'Speed');
      widget.addEventListener('input', () => change(() => face.updateSpeed()));
    }
    if (!widget) continue;
    widget.id = row.field;
    widget.disabled = !row.enabled;
    if (row.kind === kControlKind.CheckBox) widget.checked = row.checked;
    widgets[row.field] = widget;
  }
  for (const field of kRightColumn) $('rightColumn').append(widgets[field]);
  widgets.browseButton.setAttribute('aria-label', 'Browse for the base directory');
  $('dirText').after(widgets.browseButton);
  for (const field of kPartFields.slice(0, 3)) $('partButtons').append(widgets[field]);
}

function buildMenus() {
  const bar = $('menubar');
  const close = () => {
    bar.querySelectorAll('.menu.open').forEach((m) => m.classList.remove('open'));
    bar.querySelectorAll('.submenu').forEach((list) => { list.hidden = true; });
  };
  // A pop-up titled `text` on the bar: its box, title button and list of items.
  const popup = (text) => {
    const box = document.createElement('div');
    box.className = 'menu';
    const title = document.createElement('button');
    title.textContent = text;
    title.setAttribute('aria-haspopup', 'menu');
    title.addEventListener('click', () => {
      const open = box.classList.contains('open');
      close();
      if (!open) box.classList.add('open');
    });
    const items = document.createElement('div');
    items.className = 'items';
    items.setAttribute('role', 'menu');
    box.append(title, items);
    return { box, title, items };
  };
  for (const menu of core.menus()) {
    if (menu.title === 'Help') bar.append(buildOptionsMenu(popup(optionTexts.title), close));
    const { box, items } = popup(menu.title);
    for (const item of menu.items) {
      if (item.id === 0) { items.append(document.createElement('hr')); continue; }
      const entry = document.createElement('button');
      entry.setAttribute('role', item.checkable ? 'menuitemcheckbox' : 'menuitem');
      if (item.checkable) entry.setAttribute('aria-checked', String(item.checked));
      entry.textContent = item.text;
      entry.addEventListener('click', () => { close(); runMenuItem(item, entry); });
      items.append(entry);
    }
    if (menu.title === 'File') addOpenRecent(items, close);
    bar.append(box);
  }
  document.addEventListener('click', (e) => { if (!bar.contains(e.target)) close(); });
}

// File > "Open Recent" after the menu's first item, its list filled from the
// kept handles at each opening; disabled, saying why, where the browser keeps none.
function addOpenRecent(items, close) {
  const entry = document.createElement('button');
  entry.setAttribute('role', 'menuitem');
  entry.setAttribute('aria-haspopup', 'menu');
  entry.textContent = core.openRecentText();
  const list = document.createElement('div');
  list.className = 'submenu';
  list.setAttribute('role', 'menu');
  list.hidden = true;
  items.firstChild.after(entry, list);
  if (!RecentFiles.available()) {
    entry.disabled = true;
    entry.title = kNoHandlesReason;
    return;
  }
  entry.addEventListener('click', async () => {
    if (!list.hidden) { list.hidden = true; return; }
    const kept = await recent.list();
    list.replaceChildren(...kept.map(({ handle }, i) => {
      const file = document.createElement('button');
      file.setAttribute('role', 'menuitem');
      file.textContent = core.recentItemText(i, handle.name);
      file.addEventListener('click', () => { list.hidden = true; close(); openRecent(handle); });
      return file;
    }));
    if (kept.length === 0) {
      const none = document.createElement('button');
      none.setAttribute('role', 'menuitem');
      none.disabled = true;
      none.textContent = core.noRecentFilesText();
      list.append(none);
    }
    list.hidden = false;
  });
}

// "Options": "Match case", "Wander every N words" (N written out) and "Words
// between wanders...", set in the core at once; the checks follow the core
// each time the menu opens.
const optionItems = {};

function buildOptionsMenu({ box, title, items }, close) {
  const item = (text, checkable, action) => {
    const entry = document.createElement('button');
    entry.setAttribute('role', checkable ? 'menuitemcheckbox' : 'menuitem');
    entry.textContent = text;
    entry.addEventListener('click', () => { close(); action(); });
    items.append(entry);
    return entry;
  };
  optionItems.matchCase = item(optionTexts.matchCase, true, () => run(() => face.setMatchCase(!face.options().matchCase)));
  optionItems.wander = item('', true, () => run(() => face.setWanders(!face.options().wanders)));
  item(optionTexts.wanderWords, false, askWanderWords);
  title.addEventListener('click', showOptions);
  return box;
}

function showOptions() {
  const options = face.options();
  optionItems.matchCase.setAttribute('aria-checked', String(options.matchCase));
  optionItems.wander.setAttribute('aria-checked', String(options.wanders));
  optionItems.wander.textContent = options.wanderText;
}

// Asks for N in the page's box; a number the core takes also turns the wander on.
function askWanderWords() {
  const box = $('wanderWords');
  const input = $('wanderWordsInput');
  input.value = String(face.options().wanderWords);
  box.returnValue = '';
  box.showModal();
  box.addEventListener('close', () => {
    if (box.returnValue !== 'ok') return;
    run(() => { if (face.setWanderWords(Number(input.value))) face.setWanders(true); });
  }, { once: true });
}

function runMenuItem(item, entry) {
  if (item.checkable) {
    const on = entry.getAttribute('aria-checked') !== 'true';
    entry.setAttribute('aria-checked', String(on));
    return toggleView(item.id, on);
  }
  face.routeMenuItem(item.id, () => run(() => face.runMenuItem(item.id)));
  showStatus();
}

// The seam views: tint and join marks in the composition, the Sources and Found parts lists.
const views = { tint: true, drawn: -1, sources: null, parts: null };

function toggleView(id, on) {
  if (id === kToggleTint) views.tint = on;
  else if (id === kToggleSources) $('sources').hidden = !on;
  else if (id === kToggleFoundParts) $('foundParts').hidden = !on;
  views.drawn = -1;
  views.sources = null;
  views.parts = null;
  refreshViews();
}

function tableRows(table, rows, cells) {
  table.replaceChildren(...rows.map((row, i) => {
    const tr = document.createElement('tr');
    for (const text of cells(row, i)) {
      const td = document.createElement('td');
      td.textContent = text;
      tr.append(td);
    }
    return tr;
  }));
}

// Draws what changed since the last round; never inside a tick.
function refreshViews() {
  const revision = face.seamRevision();
  if (revision !== views.drawn) {
    views.drawn = revision;
    sourceBox.setMarks(face.seams().spans, views.tint);
  }
  const sourcesKey = `${revision}:${face.weightsRevision()}:${directory}`;
  if (!$('sources').hidden && sourcesKey !== views.sources) {
    views.sources = sourcesKey;
    showSources($('sources').querySelector('table'));
  }
  if (!$('foundParts').hidden) {
    const table = $('foundParts').querySelector('table');
    const key = `${face.partsRevision()}:${face.weightsRevision()}`;
    if (key !== views.parts) {
      views.parts = key;
      const parts = face.foundParts();
      tableRows(table, parts, (p) => [p.matchLength, p.name, p.continuation]);
      [...table.rows].forEach((tr, i) => {
        tr.classList.toggle('left-out', parts[i].leftOut);
        tr.addEventListener('click', () => change(() => face.showPartAt(i)));
      });
    }
    const current = face.currentPartIndex();
    [...table.rows].forEach((tr, i) => tr.classList.toggle('current', i === current));
  }
}

// The Sources rows, each file of the folder with its weight; the rows and their
// inputs stay, so that a weight being typed keeps its focus.
function showSources(table) {
  const rows = face.sources();
  while (table.rows.length > rows.length) table.deleteRow(-1);
  rows.forEach((source, i) => {
    const tr = table.rows[i] ?? sourceRow(table);
    tr.cells[0].textContent = source.name;
    tr.cells[0].title = source.path || source.name;
    tr.cells[1].textContent = source.share;
    const input = tr.cells[2].firstChild;
    input.hidden = source.weight === null;
    input.dataset.name = source.name;
    input.dataset.weight = String(source.weight ?? '');
    input.setAttribute('aria-label', `Weight of ${source.name}`);
    if (document.activeElement !== input) input.value = input.dataset.weight;
  });
}

function sourceRow(table) {
  const tr = table.insertRow();
  for (let i = 0; i < 3; ++i) tr.insertCell();
  const input = document.createElement('input');
  input.type = 'number';
  input.min = String(optionTexts.minWeight);
  input.max = String(optionTexts.maxWeight);
  input.step = '1';
  // A weight the core refuses shows the file's weight again.
  input.addEventListener('change', () => run(() => {
    if (!face.setSourceWeight(input.dataset.name, input.value)) input.value = input.dataset.weight;
  }));
  tr.cells[2].append(input);
  return tr;
}

function showContextMenu(event) {
  const at = sourceBox.positionAt(event.clientX, event.clientY);
  if (at < 0) return;
  event.preventDefault();
  const menu = $('contextMenu');
  const item = $('showSource');
  item.disabled = !face.canShowSource(at);
  item.onclick = () => { menu.hidden = true; change(() => face.showSourceAt(at)); };
  menu.style.left = `${event.clientX}px`;
  menu.style.top = `${event.clientY}px`;
  menu.hidden = false;
}

function press(commandId) {
  face.routeCommand(commandId, () => run(() => face.runCommand(commandId)));
  showStatus();
}

// A change of a control's value, the base file or the folder: the gate runs it now or after the search.
function change(action) {
  face.routeChange(() => run(action));
  showStatus();
}

function setSearching(on) {
  sourceBox.setReadOnly(on);
  previewBox.setReadOnly(on);
}

function searchDone(results) {
  if (!face.isSearching()) return;
  setSearching(false);
  run(() => face.finishSearch(results));
}

// Yes or No to `question` in the page's own box.
function ask(question) {
  const box = $('ask');
  $('askText').textContent = question;
  box.showModal();
  return new Promise((resolve) => box.addEventListener('close', () => resolve(box.returnValue === 'yes'), { once: true }));
}

// The portable code of a key event: its run and index as the core's table names them.
function keyCodeOf(event) {
  const code = event.code;
  let m;
  if ((m = /^Digit(\d)$/.exec(code))) return core.keyCode(kKeyRun.Digit, Number(m[1]), false);
  if ((m = /^Numpad(\d)$/.exec(code))) return core.keyCode(kKeyRun.Digit, Number(m[1]), true);
  if ((m = /^Key([A-Z])$/.exec(code))) return core.keyCode(kKeyRun.Letter, m[1].charCodeAt(0) - 65, false);
  if ((m = /^F(\d+)$/.exec(code))) return core.keyCode(kKeyRun.FunctionKey, Number(m[1]) - 1, false);
  const arrows = { ArrowUp: kKeyRun.Up, ArrowDown: kKeyRun.Down, ArrowLeft: kKeyRun.Left, ArrowRight: kKeyRun.Right };
  if (code in arrows) return core.keyCode(arrows[code], 0, false);
  if (code === 'ControlLeft' || code === 'ControlRight') return core.keyCode(kKeyRun.Control, 0, false);
  return 0;
}

function onKey(event) {
  if (event.key === 'Escape' && face.isSearching()) { face.cancelSearch(); return; }
  const code = keyCodeOf(event);
  const control = event.ctrlKey;
  if (code === 0 || !face.isHotkey(code, control)) return;
  face.routeKey(code, control, () => run(() => face.handleKey(code, control)));
  showStatus();
  // The browser's own use of a function key (reload, caret browsing) would lose the page.
  if (/^F\d+$/.test(event.code)) event.preventDefault();
}

// `handle`, when the browser gave one, is kept for Open Recent once the file opened.
async function openBaseFile(file, handle = null) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  change(() => {
    core.FS.mkdirTree(kOpenFolder);
    const path = `${kOpenFolder}/${file.name}`;
    core.FS.writeFile(path, bytes);
    face.openBaseFile(path);
    if (handle && face.baseFilePath() === path) recent.note(handle);
  });
}

async function openHandle(handle) {
  await openBaseFile(await handle.getFile(), handle);
}

// A recent file: read again through its handle, with the user's leave where the browser asks for it.
async function openRecent(handle) {
  try {
    if (await handle.queryPermission({ mode: 'read' }) !== 'granted' &&
        await handle.requestPermission({ mode: 'read' }) !== 'granted') {
      throw new Error('the browser was not let read it');
    }
    await openHandle(handle);
  } catch (error) {
    hintShown = false;
    note = `${handle.name} could not be opened: ${error.message}`;
    showStatus();
  }
}

// A folder chosen through the browser's folder picker, read again before each search.
let folderHandle = null;
let folderStamp = '';  // its files' names, sizes and times as last read

async function filesOfHandle(handle) {
  const files = [];
  for await (const entry of handle.values()) if (entry.kind === 'file') files.push(await entry.getFile());
  return files;
}

const stampOf = (files) => files.map((f) => `${f.name}:${f.size}:${f.lastModified}`).sort().join('|');

async function openFolderHandle(handle) {
  const files = await filesOfHandle(handle);
  const read = await readFolderWithProgress(files, handle.name);
  if (read) change(() => useFolder(read, handle, stampOf(files)));
}

// Reads the picked folder again when its files changed since the last read;
// a search began, so the folder is taken at once.
async function refreshFolder() {
  if (!folderHandle) return;
  const handle = folderHandle;
  const files = await filesOfHandle(handle);
  const stamp = stampOf(files);
  if (stamp === folderStamp) return;
  const read = await readFolderWithProgress(files, handle.name);
  if (read) useFolder(read, handle, stamp);
}

// A folder's files read into memory, the status line telling how far.
function readFolderWithProgress(files, name = null) {
  const show = (text) => { hintShown = false; note = text; showStatus(); };
  return readFolder(files, show, name);
}

// `files`: a folder input's (a snapshot) or the entries of a dropped folder named `name`.
async function openFolder(files, name = null) {
  const read = await readFolderWithProgress(files, name);
  if (read) change(() => useFolder(read, null, ''));
}

// Puts a folder read into memory in place of the last one, here and in the
// worker; `handle`: the picked folder's, null for a snapshot.
function useFolder(read, handle, stamp) {
  const folder = installFolder(core.FS, kFolderRoot, read);
  folderHandle = handle;
  folderStamp = stamp;
  searchWorker.setFolder(folder, read.files);
  page.setDirectoryText(folder);
  page.changed();  // the Sources list shows the new folder's files
  hintShown = false;
  note = handle ? `${read.files.length} files read from the folder: read again at each search`
                : `${read.files.length} files read: a snapshot of the folder, taken now`;
}

// The files of a dropped folder's entry, those directly inside it.
async function filesOfFolder(entry) {
  const reader = entry.createReader();
  const entries = [];
  for (;;) {
    const batch = await new Promise((resolve, reject) => reader.readEntries(resolve, reject));
    if (batch.length === 0) break;
    entries.push(...batch);
  }
  const fileEntries = entries.filter((e) => e.isFile);
  return Promise.all(fileEntries.map((e) => new Promise((resolve, reject) => e.file(resolve, reject))));
}

// A drop as the core's rule reads it: one local file is the base file, one folder the base directory.
async function onDrop(event) {
  event.preventDefault();
  const items = [...event.dataTransfer.items];
  const entries = items.map((item) => (item.kind === 'file' ? item.webkitGetAsEntry() : null));
  const use = core.useOfDrop(entries.map((entry) => ({ local: entry !== null, directory: !!entry?.isDirectory })));
  if (use === kDropUse.BaseFile) {
    // The drop's data is gone after the first wait: the file and its handle are asked for now.
    const file = event.dataTransfer.files[0];
    const handle = items[0].getAsFileSystemHandle?.().catch(() => null);
    openBaseFile(file, (await handle) ?? null);
  }
  else if (use === kDropUse.BaseDirectory) openFolder(await filesOfFolder(entries[0]), entries[0].name);
}

buildMenus();
buildControls();
const sourceBox = new TextBox($('sourceBox'), 'Composition', (from, to, units) => run(() => face.userReplaced(0, from, to, units)),
                              (pos) => face.spanTooltipAt(pos));
const previewBox = new TextBox($('previewBox'), 'Preview', (from, to, units) => run(() => face.userReplaced(1, from, to, units)));
face = new core.WebFace(page, sourceBox, previewBox);
const searchWorker = new SearchWorker((p) => { progress = p; showStatus(); }, searchDone, kScanPauseMs);
const recovery = new Recovery(face);
const recent = new RecentFiles((keys, key) => core.recentOrder(keys, key));
restoreSettings();
showOptions();
$('openFile').addEventListener('change', (e) => { if (e.target.files[0]) openBaseFile(e.target.files[0]); });
$('baseDir').addEventListener('change', (e) => { if (e.target.files.length) openFolder([...e.target.files]); });
document.addEventListener('keydown', onKey);
$('showSource').textContent = core.WebFace.showSourceText();
$('wanderWordsCaption').textContent = optionTexts.wanderWordsCaption;
$('wanderWordsPrompt').textContent = optionTexts.wanderWordsPrompt;
$('wanderWordsInput').min = String(optionTexts.minWanderWords);
$('wanderWordsInput').max = String(optionTexts.maxWanderWords);
$('sourceBox').addEventListener('contextmenu', showContextMenu);
document.addEventListener('click', (e) => { if (!$('contextMenu').contains(e.target)) $('contextMenu').hidden = true; });
document.addEventListener('dragover', (e) => e.preventDefault());
document.addEventListener('drop', onDrop);
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
window.addEventListener('beforeunload', (e) => {
  if (face.hasUnsavedText()) { e.preventDefault(); e.returnValue = ''; }
});
afterCommand();
await recovery.offer(() => ask(core.recoveryQuestion()));
afterCommand();
// For automation: the core's free functions (searchParts) and the face.
globalThis.plinvaro = { core, face, sourceBox, previewBox };
document.body.dataset.ready = 'true';
