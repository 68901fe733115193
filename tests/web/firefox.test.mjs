// The writer's run in Firefox ESR, which has no save picker and no folder handles: the fallbacks.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFile, readdir } from 'node:fs/promises';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { serve } from '../../src/web/serve.mjs';
import { openBrowser, openFace, downloaded } from './browser.mjs';
import { chooseFolder, composition, fastest, openBase, saveAs, sourceText, waitForOutcome,
         waitForWords } from './actions.mjs';

const kRoot = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const kSite = process.env.PLINVARO_WEB_SITE ?? join(kRoot, 'build/web/site');
const kSamples = join(kRoot, 'samples');

let server;
let origin;
let session;

before(async () => {
  // Served as a plain host would, so that the page shares no memory with its worker: the copy and the restart.
  ({ server, origin } = await serve(kSite, 0, false));
  session = await openBrowser('firefox');
});

after(async () => {
  await session?.close();
  server?.close();
});

test('in Firefox a writer chooses the folder\'s files, plays, wanders and downloads the bytes shown', async (t) => {
  const { page, errors, close } = await openFace(session, origin);
  t.after(close);
  assert.equal(await page.evaluate(() => typeof window.showSaveFilePicker), 'undefined');
  assert.equal(await page.evaluate(() => crossOriginIsolated), false);
  // No file handles: Open Recent is there, disabled, and says why.
  await page.click('aria/File[role="button"]');
  assert.deepEqual(await page.$eval('aria/Open Recent[role="menuitem"]', (item) => [item.disabled, item.title !== '']),
                   [true, true]);
  await page.click('aria/File[role="button"]');
  // Firefox's automation takes no folder for a folder input: its files stand for it.
  const names = (await readdir(kSamples)).filter((name) => name.endsWith('.txt'));
  await chooseFolder(page, ...names.map((name) => join(kSamples, name)));
  await openBase(page, join(kSamples, 'winter-road.txt'));
  await fastest(page);
  await page.keyboard.press('F2');
  await waitForWords(page, 30);
  await page.keyboard.press('F4');
  assert.match(await waitForOutcome(page), / parts? in /);
  await page.keyboard.press('F3');
  const bytes = await composition(page);
  assert.equal(bytes.toString('utf8'), (await sourceText(page)));
  await saveAs(page);
  assert.ok((await downloaded(session.downloads, 'winter-road-composed.txt')).equals(bytes));
  const base = await readFile(join(kSamples, 'winter-road.txt'));
  assert.ok(bytes.subarray(0, 40).equals(base.subarray(0, 40)));
  assert.deepEqual(errors, []);
  assert.ok(session.requests.some((url) => url.endsWith('/plinvaro-core.wasm')));
  const away = session.requests.filter((url) => !url.startsWith(`${origin}/`) && !url.startsWith('blob:'));
  assert.deepEqual(away, []);
});
