// A static server for the built page on 127.0.0.1: `node serve.mjs DIR [PORT]` prints its address; the suite imports serve().
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { pathToFileURL } from 'node:url';

const kTypes = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.svg': 'image/svg+xml', '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
};

// The page shares the folder's memory with its search worker only when it is
// cross-origin isolated, which these headers make it.
export const kIsolation = {
  'Cross-Origin-Opener-Policy': 'same-origin',
  'Cross-Origin-Embedder-Policy': 'require-corp',
};

// Serves `root` on 127.0.0.1:`port` (0: any free port); resolves to {server, origin}.
// `isolate`: false serves without the isolation headers, as a plain host would.
export function serve(root, port = 0, isolate = true) {
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(root, path === '/' ? 'index.html' : path);
    if (!file.startsWith(normalize(root))) { response.writeHead(403).end(); return; }
    try {
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': kTypes[extname(file)] ?? 'application/octet-stream',
                                'Cache-Control': 'no-cache', ...(isolate ? kIsolation : {}) });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () =>
    resolve({ server, origin: `http://127.0.0.1:${server.address().port}` })));
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const { origin } = await serve(process.argv[2] ?? '.', Number(process.argv[3] ?? 8080));
  console.log(`Plinvaro is served at ${origin}/ (Ctrl+C ends it)`);
}
