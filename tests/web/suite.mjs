// What every browser suite starts from: the site served on a local origin and one browser for the file's tests.
import { before, after } from 'node:test';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { serve } from '../../src/web/serve.mjs';
import { openBrowser } from './browser.mjs';

export const kRoot = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const kSite = process.env.PLINVARO_WEB_SITE ?? join(kRoot, 'build/web/site');
export const kSamples = join(kRoot, 'samples');

// Serves the site and opens a `kind` browser (see openBrowser) before the file's
// tests and ends both after them; the tests read `origin` and `session` from the
// returned object.
export function servedSuite(kind = 'chromium') {
  const suite = { origin: null, session: null, server: null };
  before(async () => {
    ({ server: suite.server, origin: suite.origin } = await serve(kSite));
    suite.session = await openBrowser(kind);
  });
  after(async () => {
    await suite.session?.close();
    suite.server?.close();
  });
  return suite;
}
