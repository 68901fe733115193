// The page's figures beside the native ones: search over a folder in the worker and on the page's thread
// (with the SIMD128 kernel and the portable one) against plinvaro-cli, a playback tick with its repaint on a 10 MB composition, load time, and size.
// node bench.mjs SITE FOLDER CLI  (FOLDER: the benchmark corpus, made by plinvaro-bench)
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { join } from 'node:path';
import { serve } from '../../src/web/serve.mjs';
import { openBrowser, openFace } from './browser.mjs';

const [site, folder, cli] = process.argv.slice(2);
const kPatterns = ['zebra quagga', 'no teatest'];
const kRounds = 3;
const kTicks = 60;
const kWarmTicks = 20;  // after the 10 MB came in: the view and the engine settle
const kBigMb = 10;
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const p95 = (xs) => [...xs].sort((a, b) => a - b)[Math.min(xs.length - 1, Math.floor(xs.length * 0.95))];

const { server, origin } = await serve(site);
const session = await openBrowser();
try {
  const rows = [];
  const loads = [];
  for (let i = 0; i < 5; ++i) {
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    const started = Date.now();
    await page.goto(`${origin}/index.html`);
    await page.waitForSelector('body[data-ready=true]');
    loads.push(Date.now() - started);
    await context.close();
  }
  const { page, close } = await openFace(session, origin);
  page.setDefaultTimeout(600000);
  let started = Date.now();
  await (await page.$('#baseDir')).uploadFile(folder);
  await page.waitForFunction(() => document.getElementById('status').textContent.includes('files read'));
  rows.push(['folder read into the page', Date.now() - started, '']);
  const directory = await page.evaluate(() => document.getElementById('dirText').value);
  for (const pattern of kPatterns) {
    const native = [];
    const onPage = [];
    const portable = [];
    const inWorker = [];
    for (let r = 0; r < kRounds; ++r) {
      const t = Date.now();
      execFileSync(cli, ['search', folder, pattern], { stdio: 'ignore' });
      native.push(Date.now() - t);
      const onPageWith = (kernel) => page.evaluate((d, p, k) => plinvaro.core.searchParts(d, new TextEncoder().encode(p), k).ms,
                                                  directory, pattern, kernel);
      onPage.push(await onPageWith('auto'));
      portable.push(await onPageWith('scalar'));
      inWorker.push(await page.evaluate((d, p) => new Promise((resolve) => {
        // The page's folder, as the page hands it to its worker: shared, not copied.
        const fs = plinvaro.core.FS;
        const files = fs.readdir(d).filter((name) => name !== '.' && name !== '..')
          .map((name) => ({ name, bytes: fs.lookupPath(`${d}/${name}`).node.contents }));
        const worker = new Worker('search-worker.js', { type: 'module' });
        worker.postMessage({ type: 'folder', folder: d, files });
        let t0 = 0;
        worker.onmessage = (e) => {
          if (e.data.type === 'folder') {
            t0 = performance.now();
            worker.postMessage({ type: 'search', directory: d, pattern: new TextEncoder().encode(p) });
          } else if (e.data.type === 'done') {
            worker.terminate();
            resolve(performance.now() - t0);
          }
        };
      }), directory, pattern));
    }
    rows.push([`native plinvaro-cli search "${pattern}" (whole process)`, median(native), '1.00']);
    rows.push([`page thread, "${pattern}"`, median(onPage), (median(onPage) / median(native)).toFixed(2)]);
    rows.push([`  portable kernel instead of SIMD128`, median(portable), (median(portable) / median(native)).toFixed(2)]);
    rows.push([`worker, "${pattern}"`, median(inWorker), (median(inWorker) / median(native)).toFixed(2)]);
  }
  await close();

  // A playback tick with its repaint on a composition of kBigMb MB.
  const big = await openFace(session, origin);
  await (await big.page.$('#openFile')).uploadFile(join(folder, 'part0.txt'));
  await big.page.waitForFunction(() => document.title.endsWith('part0.txt'));
  const ticks = await big.page.evaluate(async (mb, n, warm) => {
    const words = new TextEncoder().encode('the quiet harbour and the old road '.repeat(Math.ceil(mb * 1e6 / 35)));
    plinvaro.face.restoreSourceText(words.subarray(0, mb * 1e6));
    // Playing at the slowest speed, so that the ticks driven here are nearly all there are.
    const slider = document.querySelector('[aria-label="Speed"]');
    slider.value = '0';
    slider.dispatchEvent(new Event('input'));
    plinvaro.face.runCommand(2);  // Start
    const before = plinvaro.face.sourceBytes().length;
    // The tick, then the style and layout its repaint needs, forced at once;
    // the frame after it settles the view's own measuring, uncounted.
    const times = [];
    for (let i = 0; i < warm + n; ++i) {
      const t = performance.now();
      plinvaro.face.tick();
      void document.getElementById('sourceBox').getBoundingClientRect().height;
      void document.body.offsetHeight;
      if (i >= warm) times.push(performance.now() - t);
      await new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0)));
    }
    if (plinvaro.face.sourceBytes().length <= before + n) throw new Error('the ticks played nothing');
    return times;
  }, kBigMb, kTicks, kWarmTicks);
  rows.push([`playback tick with its layout, ${kBigMb} MB composition, p95`, p95(ticks), '']);
  rows.push([`  median`, median(ticks), '']);
  await big.close();

  rows.push(['load to first possible keypress, median of 5', median(loads), '']);
  const files = ['plinvaro-core.wasm', 'plinvaro-core.js', 'face.js', 'editor.js', 'files.js', 'recovery.js', 'recent.js',
                 'store.js', 'search.js', 'search-worker.js', 'settings.js', 'sw.js'];
  const gz = files.reduce((sum, f) => sum + gzipSync(readFileSync(join(site, f)), { level: 9 }).length, 0);
  console.log('figure'.padEnd(64), 'ms'.padStart(9), 'ratio'.padStart(7));
  for (const [name, ms, ratio] of rows) console.log(name.padEnd(64), ms.toFixed(1).padStart(9), ratio.padStart(7));
  console.log(`WebAssembly plus script, gzipped: ${(gz / 1024).toFixed(1)} KB`);
} finally {
  await session.close();
  server.close();
}
