// The writer's run in Firefox ESR, which has no save picker and no folder handles: the fallbacks.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFile, readdir } from 'node:fs/promises';
import { join } from 'node:path';
import { downloaded } from './browser.mjs';
import { composition, saveAs, sourceText, waitForOutcome, waitForWords, writerPage } from './actions.mjs';
import { kSamples, servedSuite } from './suite.mjs';

const suite = servedSuite('firefox');

test('in Firefox a writer chooses the folder\'s files, plays, wanders and downloads the bytes shown', async (t) => {
  // Firefox's automation takes no folder for a folder input: its files stand for it.
  const names = (await readdir(kSamples)).filter((name) => name.endsWith('.txt'));
  const { page, errors } = await writerPage(t, suite, { folder: names.map((name) => join(kSamples, name)),
                                                        base: join(kSamples, 'winter-road.txt') });
  assert.equal(await page.evaluate(() => typeof window.showSaveFilePicker), 'undefined');
  await page.keyboard.press('F2');
  await waitForWords(page, 30);
  await page.keyboard.press('F4');
  assert.match(await waitForOutcome(page), / parts? in /);
  await page.keyboard.press('F3');
  const bytes = await composition(page);
  assert.equal(bytes.toString('utf8'), (await sourceText(page)));
  await saveAs(page);
  assert.ok((await downloaded(suite.session.downloads, 'winter-road-composed.txt')).equals(bytes));
  const base = await readFile(join(kSamples, 'winter-road.txt'));
  assert.ok(bytes.subarray(0, 40).equals(base.subarray(0, 40)));
  assert.deepEqual(errors, []);
  const { requests } = suite.session;
  assert.ok(requests.some((url) => url.endsWith('/plinvaro-core.wasm')));
  const away = requests.filter((url) => !url.startsWith(`${suite.origin}/`) && !url.startsWith('blob:'));
  assert.deepEqual(away, []);
});
