// The browser page in headless Chromium: a writer's run, exact bytes through the page, the steering options, the core's search against the command line's, no request off the origin.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdir, mkdtemp, readFile, readdir, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { basename, dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { serve } from '../../src/web/serve.mjs';
import { openBrowser, openFace, loadFace, newContext, downloaded, kWaitMs } from './browser.mjs';
import { chooseFolder, composition, fastest, menu, openBase, playToRest, saveAs, sourceText, statusText,
         waitForOutcome, waitForWords } from './actions.mjs';

const kRoot = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const kSite = process.env.PLINVARO_WEB_SITE ?? join(kRoot, 'build/web/site');
const kCli = process.env.PLINVARO_CLI ?? join(kRoot, 'build/dev/src/cli/plinvaro-cli');
const kSamples = join(kRoot, 'samples');
const kScreenshot = process.env.PLINVARO_WEB_SCREENSHOT;

let server;
let origin;
const origins = [];  // every origin the suite served the page from
let session;
let scratch;

before(async () => {
  ({ server, origin } = await serve(kSite));
  origins.push(origin);
  session = await openBrowser();
  scratch = await mkdtemp(join(tmpdir(), 'plinvaro-web-'));
});

after(async () => {
  await session?.close();
  server?.close();
  if (scratch) await rm(scratch, { recursive: true, force: true });
});

test('a writer chooses a folder and a base file, plays, wanders, and saves the bytes shown', async (t) => {
  const { page, errors, close } = await openFace(session, origin);
  t.after(close);
  await chooseFolder(page, kSamples);
  await openBase(page, join(kSamples, 'harbour.txt'));
  await fastest(page);
  assert.equal(await page.$eval('aria/On The Fly Mode', (c) => c.checked), true);
  await page.keyboard.press('F2');
  await waitForWords(page, 30);
  await page.keyboard.press('F4');
  await page.waitForFunction(() => / parts? in |no match/.test(document.getElementById('status').textContent));
  const outcome = await statusText(page);
  await page.click('aria/Pause[role="button"]');
  await page.click('aria/Start[role="button"]');
  await new Promise((r) => setTimeout(r, 300));
  await page.click('aria/Pause[role="button"]');
  const shown = await sourceText(page);
  await saveAs(page);
  const saved = await downloaded(session.downloads, 'harbour-composed.txt');
  assert.equal(saved.toString('utf8'), shown);
  const base = await readFile(join(kSamples, 'harbour.txt'));
  assert.ok(saved.subarray(0, 40).equals(base.subarray(0, 40)), 'playback starts at the base file');
  assert.match(outcome, / parts? in /);
  assert.deepEqual(errors, []);
});

test('in preview mode a writer steps, accepts, takes the join back, exports and saves', async (t) => {
  const { page, errors, close } = await openFace(session, origin);
  t.after(close);
  await chooseFolder(page, kSamples);
  await openBase(page, join(kSamples, 'orchard.txt'));
  await fastest(page);
  await page.click('aria/On The Fly Mode');
  assert.equal(await page.$eval('aria/On The Fly Mode', (c) => c.checked), false);
  await page.keyboard.press('F2');
  await waitForWords(page, 25);
  await page.keyboard.press('F3');
  const before = await composition(page);
  await page.click('aria/Search[role="button"]');
  await page.waitForFunction(() => !document.getElementById('acceptButton')?.disabled &&
                                    plinvaro.previewBox.text().length > 0);
  if (await page.$eval('aria/>>', (b) => !b.disabled)) {
    await page.click('aria/>>');
    await page.click('aria/<<');
  }
  const preview = await page.evaluate(() => plinvaro.previewBox.text());
  await page.click('aria/Accept');
  const accepted = await composition(page);
  assert.ok(accepted.length > before.length, 'Accept brings the part in');
  assert.ok(accepted.subarray(0, before.length).equals(before));
  assert.ok(preview.startsWith(accepted.subarray(before.length, before.length + 8).toString('utf8')));

  // The seam views: the join marked, the files' shares, the parts, a span's source.
  await page.waitForSelector('#sourceBox .seam-join');
  await page.click('aria/View[role="button"]');
  await page.click('aria/Sources[role="menuitemcheckbox"]');
  await page.click('aria/View[role="button"]');
  await page.click('aria/Found parts[role="menuitemcheckbox"]');
  await page.waitForFunction(() => document.querySelectorAll('#sources tr').length >= 2 &&
                                    document.querySelectorAll('#foundParts tr').length >= 1);
  assert.match(await page.$eval('#sources', (list) => list.textContent), /orchard\.txt/);
  await page.click('#sourceBox .cm-line', { button: 'right', offset: { x: 4, y: 4 } });
  await page.click('aria/Show source[role="menuitem"]');
  const base = await readFile(join(kSamples, 'orchard.txt'));
  await page.waitForFunction((start) => plinvaro.previewBox.text().startsWith(start), {},
                             base.subarray(0, 30).toString('utf8'));
  if (kScreenshot) await page.screenshot({ path: kScreenshot });

  await menu(page, 'File', 'Export sources...');
  const sources = JSON.parse((await downloaded(session.downloads, 'orchard-sources.json')).toString('utf8'));
  assert.equal(sources.format, 'plinvaro-provenance');
  assert.equal(sources.length, accepted.length);
  assert.deepEqual(sources.spans.map((span) => span.kind).slice(0, 1), ['base']);
  assert.ok(sources.spans.some((span) => span.kind === 'accepted'));

  await menu(page, 'Edit', 'Undo join');
  assert.ok((await composition(page)).equals(before), 'Undo join takes the part back');
  await saveAs(page);
  assert.ok((await downloaded(session.downloads, 'orchard-composed.txt')).equals(before));
  assert.ok(before.equals(base.subarray(0, before.length)), 'the base file, played from its start');
  assert.deepEqual(errors, []);
});

test('bytes that are not UTF-8 text, and CR LF, come back from the page exactly', async (t) => {
  const bytes = Buffer.concat([
    Buffer.from('caf\u00e9 au lait\r\nna'), Buffer.from([0xEF]), Buffer.from('ve words '),
    Buffer.from([0xFF]), Buffer.from(' between '), Buffer.from([0xC3]), Buffer.from(' lone\r\n'),
    Buffer.from('\u2019quoted\u2019 \u{1F30A} end\r\n'),
  ]);
  const file = join(scratch, 'mixed.txt');
  await writeFile(file, bytes);
  const { page, errors, close } = await openFace(session, origin);
  t.after(close);
  await openBase(page, file);
  await fastest(page);
  await page.keyboard.press('F2');
  await page.waitForFunction(() => plinvaro.sourceBox.text().includes('end'));
  await playToRest(page);
  const shown = await sourceText(page);
  assert.ok(shown.startsWith('caf\u00e9 au lait'), 'UTF-8 shows as text');
  assert.ok(shown.includes('\u2019quoted\u2019 \u{1F30A}'));
  await saveAs(page);
  const saved = await downloaded(session.downloads, 'mixed-composed.txt');
  assert.deepEqual([...saved], [...bytes]);
  assert.deepEqual(errors, []);
});

test('a tab lost mid-composition has its text offered back whole', async (t) => {
  const context = await newContext(session);
  t.after(() => context.close().catch(() => {}));
  const { page } = await openFace(session, origin, context);
  await openBase(page, join(kSamples, 'lighthouse.txt'));
  await fastest(page);
  await page.keyboard.press('F2');
  await waitForWords(page, 40);
  await page.keyboard.press('F3');
  const kept = await page.evaluate(() => [...plinvaro.face.sourceBytes()]);
  await new Promise((r) => setTimeout(r, 2500));  // the copy follows a change within a second
  const cdp = await page.createCDPSession();
  // The crash answers no call: the page's own report of it ends the wait.
  const crashed = new Promise((resolve) => page.once('error', resolve));
  cdp.send('Page.crash').catch(() => {});
  await crashed;
  await page.close().catch(() => {});

  const again = await loadFace(session, origin, context);
  await again.waitForSelector('#ask[open]');
  assert.match(await again.$eval('#askText', (p) => p.textContent), /did not end cleanly/);
  await again.click('aria/Yes');
  await again.waitForSelector('body[data-ready=true]');
  assert.deepEqual(await again.evaluate(() => [...plinvaro.face.sourceBytes()]), kept);
  assert.equal(await again.evaluate(() => plinvaro.face.hasUnsavedText()), true);
});

test('the page keeps its settings and opens again offline once it was loaded', async (t) => {
  const own = await serve(kSite);  // an origin of its own, whose server goes away
  t.after(() => own.server.close());
  origins.push(own.origin);
  const context = await newContext(session);
  t.after(() => context.close().catch(() => {}));
  const { page } = await openFace(session, own.origin, context);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.$eval('aria/Speed', (slider) => {
    slider.value = '70';
    slider.dispatchEvent(new Event('input'));
  });
  await page.click('aria/On The Fly Mode');
  const size = await page.$eval('aria/Font size', (list) => {
    list.selectedIndex = list.options.length - 1;
    list.dispatchEvent(new Event('change'));
    return list.value;
  });
  own.server.closeAllConnections();
  own.server.close();
  await page.reload();
  await page.waitForSelector('body[data-ready=true]');
  assert.equal(await page.$eval('aria/Speed', (slider) => slider.value), '70');
  assert.equal(await page.$eval('aria/On The Fly Mode', (box) => box.checked), false);
  assert.equal(await page.$eval('aria/Font size', (list) => list.value), size);
  assert.match(await statusText(page), /Stopped/);
});

test('a folder from the browser\'s folder picker is read again at each search', async (t) => {
  // The picker stands in for the user: a folder whose files the test changes.
  const picker = (page) => page.evaluateOnNewDocument(() => {
    window.testFolder = new Map([['one.txt', 'at night the lamp was lit above the door ']]);
    window.showDirectoryPicker = async () => ({
      kind: 'directory',
      name: 'live',
      async *values() {
        if (!window.testFolder) throw new DOMException('The folder is gone.', 'NotFoundError');
        for (const [name, text] of window.testFolder) {
          yield { kind: 'file', name, getFile: async () => new File([text], name, { lastModified: text.length }) };
        }
      },
    });
  });
  const { page, errors, close } = await openFace(session, origin, null, picker);
  t.after(close);
  await page.click('aria/Browse for the base directory');
  await page.waitForFunction(() => document.getElementById('status').textContent.includes('read again at each search'));
  const base = join(scratch, 'lamp.txt');
  await writeFile(base, 'we walked home and saw the lamp');
  await openBase(page, base);
  await fastest(page);
  await page.click('aria/On The Fly Mode');
  await page.keyboard.press('F2');
  await page.waitForFunction(() => plinvaro.sourceBox.text().endsWith('lamp'));
  await page.keyboard.press('F4');
  assert.match(await waitForOutcome(page), /in 1 file$|in 1 file /);
  await page.evaluate(() => window.testFolder.set('two.txt', 'by morning the lamp was cold '));
  await page.keyboard.press('F4');
  await page.waitForFunction(() => / in 2 files/.test(document.getElementById('status').textContent));
  // A folder that can no longer be read ends the search with the reason, and the page goes on.
  await page.evaluate(() => { window.testFolder = null; });
  await page.keyboard.press('F4');
  await page.waitForFunction(() => /folder could not be read again: The folder is gone/.test(
    document.getElementById('status').textContent));
  assert.equal(await page.evaluate(() => plinvaro.face.isSearching()), false);
  assert.deepEqual(errors, []);
});

test('Esc cancels a running search: nothing changes, what waited is dropped, and the next search runs', async (t) => {
  const { page, errors, close } = await openFace(session, origin);
  t.after(close);
  // The worker pauses at each file, so that the search lasts for the keys.
  await page.goto(`${origin}/index.html?scanPauseMs=400`);
  await page.waitForSelector('body[data-ready=true]');
  await chooseFolder(page, kSamples);
  await openBase(page, join(kSamples, 'market.txt'));
  await fastest(page);
  await page.click('aria/On The Fly Mode');
  await page.keyboard.press('F2');
  await waitForWords(page, 20);
  await page.keyboard.press('F3');
  const before = await composition(page);
  const title = await page.title();
  const searching = () => document.getElementById('status').textContent.startsWith('searching ');
  await page.keyboard.press('F4');
  await page.waitForFunction(searching);
  await page.keyboard.press('F2');
  await page.waitForFunction(() => document.getElementById('status').textContent.includes('; 1 command waits'));
  await page.keyboard.press('Escape');
  assert.match(await statusText(page), /^search cancelled: nothing changed/);
  await new Promise((r) => setTimeout(r, 600));  // a Start still held would have played by now
  assert.ok((await composition(page)).equals(before), 'the composition is as it was');
  assert.equal(await page.title(), title, 'no file was switched to');
  assert.equal(await page.evaluate(() => plinvaro.previewBox.text()), '');
  // The folder is held once: its bytes are memory the worker shares, so the cancel ended no worker.
  assert.equal(await page.evaluate(() => plinvaro.core.FS.lookupPath('/folders/samples/market.txt')
    .node.contents.buffer instanceof SharedArrayBuffer), true);

  await page.keyboard.press('F4');
  await page.waitForFunction(searching);
  await page.keyboard.press('F2');
  assert.match(await waitForOutcome(page), / parts? in /);
  await page.waitForFunction((n) => plinvaro.face.sourceBytes().length > n, {}, before.length);  // Start ran after
  assert.deepEqual(errors, []);
});

// The items of File > "Open Recent", once they are `expected`.
async function recentItems(page, expected) {
  const deadline = Date.now() + kWaitMs;
  for (;;) {
    await page.click('aria/File[role="button"]');
    await page.click('aria/Open Recent[role="menuitem"]');
    await page.waitForSelector('#menubar .submenu:not([hidden])');
    const items = await page.$$eval('#menubar .submenu button', (buttons) => buttons.map((b) => b.textContent));
    if (JSON.stringify(items) === JSON.stringify(expected) || Date.now() > deadline) return items;
    await page.click('aria/File[role="button"]');  // closes the menu
  }
}

test('Open Recent opens the files picked before, newest first, on a later visit', async (t) => {
  // The picker stands in for the user: it hands out files of the page's private folder, real handles.
  const picker = (page) => page.evaluateOnNewDocument(() => {
    window.showOpenFilePicker = async () => {
      const root = await navigator.storage.getDirectory();
      return [await root.getFileHandle(window.nextPick)];
    };
  });
  const context = await newContext(session);
  t.after(() => context.close().catch(() => {}));
  const { page, errors } = await openFace(session, origin, context, picker);
  await page.evaluate(async (texts) => {
    const root = await navigator.storage.getDirectory();
    for (const [name, text] of Object.entries(texts)) {
      const writable = await (await root.getFileHandle(name, { create: true })).createWritable();
      await writable.write(text);
      await writable.close();
    }
  }, { 'first.txt': 'the first of the kept files ', 'second.txt': 'the second of the kept files ' });
  for (const name of ['first.txt', 'second.txt', 'first.txt', 'second.txt']) {
    await page.evaluate((n) => { window.nextPick = n; }, name);
    await menu(page, 'File', 'Open...');
    await page.waitForFunction((n) => document.title.endsWith(n), {}, name);
  }
  assert.deepEqual(await recentItems(page, ['1 second.txt', '2 first.txt']), ['1 second.txt', '2 first.txt']);

  await page.reload();
  await page.waitForSelector('body[data-ready=true]');
  assert.deepEqual(await recentItems(page, ['1 second.txt', '2 first.txt']), ['1 second.txt', '2 first.txt']);
  await page.click('aria/2 first.txt[role="menuitem"]');
  await page.waitForFunction(() => document.title.endsWith('first.txt'));
  await fastest(page);
  await page.keyboard.press('F2');
  await page.waitForFunction(() => plinvaro.sourceBox.text().startsWith('the first of'));
  await page.keyboard.press('F3');
  assert.deepEqual(await recentItems(page, ['1 first.txt', '2 second.txt']), ['1 first.txt', '2 second.txt']);

  // A kept file that is gone is said so; nothing else changes.
  await page.evaluate(async () => (await navigator.storage.getDirectory()).removeEntry('second.txt'));
  await page.click('aria/2 second.txt[role="menuitem"]');
  await page.waitForFunction(() => /second\.txt could not be opened/.test(document.getElementById('status').textContent));
  assert.match(await page.title(), /first\.txt$/);
  assert.deepEqual(errors, []);
});

// The patterns' lines without the file index, whose order is the directory listing's.
function partsByName(lines) {
  return lines.split('\n').filter(Boolean).map((line) => {
    const [length, offset, , size, path] = line.split('\t');
    return `${length}\t${offset}\t${size}\t${basename(path)}`;
  }).sort();
}

test('the core in the page finds the parts the command line finds', async (t) => {
  const { page, close } = await openFace(session, origin);
  t.after(close);
  await chooseFolder(page, kSamples);
  const patterns = ['the', 'the old road', 'walked down the', 'sea.', 'and the', 'zzzq', 'of the harbour',
                    'light', 'she', ', and'];
  let found = 0;
  for (const pattern of patterns) {
    const native = execFileSync(kCli, ['search', kSamples, pattern], { encoding: 'utf8' });
    found += partsByName(native).length;
    const inPage = await page.evaluate((p) => plinvaro.core.searchParts('/folders/samples',
      new TextEncoder().encode(p), 'auto').parts, pattern);
    assert.deepEqual(partsByName(inPage), partsByName(native), `pattern "${pattern}"`);
  }
  assert.ok(found > 50, `only ${found} parts in all: the table tells little`);
});

// A page of its own over the folder `name` of `files` ({name: text}), "...saw the lamp" played in preview mode; options(): [text, checked].
async function steeringPage(t, name, files) {
  const folder = join(scratch, name);
  await mkdir(folder, { recursive: true });
  for (const [file, text] of Object.entries(files)) await writeFile(join(folder, file), text);
  await writeFile(join(scratch, 'walk.txt'), 'we walked home and saw the lamp');
  const context = await newContext(session);
  t.after(() => context.close().catch(() => {}));
  const { page, errors } = await openFace(session, origin, context);
  await chooseFolder(page, folder);
  await openBase(page, join(scratch, 'walk.txt'));
  await fastest(page);
  await page.click('aria/On The Fly Mode');
  await page.keyboard.press('F2');
  await playToRest(page);
  const options = () => menu(page, 'Options', null).then(() => page.$$eval('#menubar .menu.open .items button',
    (items) => items.map((b) => [b.textContent, b.getAttribute('aria-checked')])));
  return { page, errors, folder, options };
}

const setInput = (page, label, value) => page.$eval(`aria/${label}`, (input, v) => {
  input.value = v; input.dispatchEvent(new Event('change')); }, value);

// Presses Search and waits for it to end: the status line then.
const search = (page) => page.keyboard.press('F4')
  .then(() => page.waitForFunction(() => !plinvaro.face.isSearching())).then(() => statusText(page));

// Loads the page again, leaving its unsaved composition and declining the copy offered back.
async function reload(page) {
  page.once('dialog', (dialog) => dialog.accept());
  await page.reload();
  await page.waitForSelector('body[data-ready=true], #ask[open]');
  if (await page.$('#ask[open]')) await page.click('aria/No');
  await page.waitForSelector('body[data-ready=true]');
}

test('a file of weight 0 is marked among the parts and never picked, and its weight outlives a reload', async (t) => {
  const { page, errors, folder } = await steeringPage(t, 'weights', {
    'keep.txt': 'by night the lamp was lit. '.repeat(3), 'drop.txt': 'at dawn the lamp was cold. '.repeat(3) });
  const showSources = () => menu(page, 'View', 'Sources').then(() => page.waitForSelector('aria/Weight of drop.txt'));
  await showSources();
  await menu(page, 'View', 'Found parts');
  await setInput(page, 'Weight of drop.txt', '0');
  await setInput(page, 'Weight of keep.txt', '11');  // refused: the weight stays
  assert.equal(await page.$eval('aria/Weight of keep.txt', (input) => input.value), '1');
  for (let picks = 0; picks < 6; ++picks) assert.match(await search(page), /part \d of 6: keep\.txt.*1 file left out/);
  await page.waitForFunction(() => [...document.querySelectorAll('#foundParts tr.left-out')]
    .filter((tr) => tr.cells[1].textContent === 'drop.txt (weight 0)').length === 3);
  await reload(page);
  await chooseFolder(page, folder);
  await showSources();
  assert.equal(await page.$eval('aria/Weight of drop.txt', (input) => input.value), '0');
  assert.deepEqual(errors, []);
});

test('Match case off joins "THE LAMP", the wander searches by itself every N words, and both outlive a reload', async (t) => {
  const { page, errors, options } = await steeringPage(t, 'cases', { 'loud.txt': 'IN THE STORM THE LAMP WENT OUT. ' });
  assert.match(await search(page), /^no match/);
  await menu(page, 'Options', 'Match case');
  assert.match(await search(page), /^1 part in 1 file.*case ignored/);
  // Every 3 words in On The Fly Mode, Search runs with no key pressed; the status counts the words left.
  await page.click('aria/On The Fly Mode');
  await page.click('aria/Stop[role="button"]');
  await menu(page, 'Options', 'Words between wanders...');
  await setInput(page, 'Words played before Search runs by itself:', '3');
  await page.click('aria/OK');
  await page.waitForFunction(() => document.getElementById('status').textContent.includes('wander in 3 words'));
  const searched = await page.evaluate(() => plinvaro.face.partsRevision());
  await page.click('aria/Start[role="button"]');
  await page.waitForFunction((before) => plinvaro.face.partsRevision() !== before, {}, searched);
  await reload(page);
  assert.deepEqual(await options(), [['Match case', 'false'], ['Wander every 3 words', 'true'],
                                     ['Words between wanders...', null]]);
  assert.deepEqual(errors, []);
});

test('no request leaves the page\'s origin', () => {
  assert.ok(session.requests.length > 0);
  const away = session.requests.filter((url) => !origins.some((o) => url.startsWith(`${o}/`)) &&
                                               !url.startsWith('blob:') && !url.startsWith('data:'));
  assert.deepEqual(away, []);
});
