// The suite's browser: Debian's chromium, headless, with a fresh profile, a download folder, and every request kept.
import puppeteer from 'puppeteer-core';
import { mkdtemp, rm, readdir, readFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const kWaitMs = 20000;
const kChromium = process.env.PLINVARO_CHROMIUM ?? '/usr/bin/chromium';
const kFirefox = process.env.PLINVARO_FIREFOX ?? '/usr/bin/firefox-esr';

function launchOptions(kind, profile, downloads) {
  if (kind === 'firefox') {
    return {
      browser: 'firefox',
      executablePath: kFirefox,
      userDataDir: profile,
      // Downloads land in `downloads` without a question; nothing is fetched in the background.
      extraPrefsFirefox: {
        'browser.download.dir': downloads,
        'browser.download.folderList': 2,
        'browser.download.useDownloadDir': true,
        'browser.download.always_ask_before_handling_new_types': false,
        'browser.safebrowsing.downloads.enabled': false,
        'network.captive-portal-service.enabled': false,
        'app.update.enabled': false,
      },
    };
  }
  return {
    executablePath: kChromium,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           `--user-data-dir=${profile}`],
  };
}

// `kind`: 'chromium' (Debian's, over CDP) or 'firefox' (Debian's ESR, over WebDriver BiDi).
export async function openBrowser(kind = 'chromium') {
  const profile = await mkdtemp(join(tmpdir(), 'plinvaro-profile-'));
  const downloads = await mkdtemp(join(tmpdir(), 'plinvaro-downloads-'));
  const browser = await puppeteer.launch({
    headless: true,
    protocolTimeout: kWaitMs * 3,
    ...launchOptions(kind, profile, downloads),
  });
  const requests = [];
  const close = async () => {
    await browser.close().catch(() => {});
    await rm(profile, { recursive: true, force: true });
    await rm(downloads, { recursive: true, force: true });
  };
  return { kind, browser, requests, downloads, close };
}

// A page of the face at `origin`, its requests kept in `requests`; the save
// picker taken away, so that Save as downloads into `downloads`.
export function newContext(session) {
  if (session.kind === 'firefox') return session.browser.createBrowserContext();
  return session.browser.createBrowserContext({
    downloadBehavior: { policy: 'allow', downloadPath: session.downloads },
  });
}

// A page of the face, ready for keys. Each page has a context of its own
// unless one is given, so that no stored copy of another's composition is offered.
// `prepare(page)` runs before the page loads.
export async function openFace(session, origin, given = null, prepare = null) {
  const context = given ?? await newContext(session);
  const page = await loadFace(session, origin, context, prepare);
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  await page.waitForSelector('body[data-ready=true]');
  return { page, errors, close: () => context.close().catch(() => {}) };
}

// The face's page loading in `context`, not waited for.
export async function loadFace(session, origin, context, prepare = null) {
  const page = await context.newPage();
  if (prepare) await prepare(page);
  page.setDefaultTimeout(kWaitMs);
  page.on('request', (r) => session.requests.push(r.url()));
  await page.evaluateOnNewDocument(() => { delete window.showSaveFilePicker; });
  await page.goto(`${origin}/index.html`);
  return page;
}

// The bytes of the one file that lands in `folder` as `name`.
export async function downloaded(folder, name) {
  const deadline = Date.now() + kWaitMs;
  while (Date.now() < deadline) {
    const names = await readdir(folder);
    if (names.includes(name)) return readFile(join(folder, name));
    await new Promise((r) => setTimeout(r, 100));
  }
  throw new Error(`no download named ${name} in ${kWaitMs} ms`);
}
