// The page's service worker: its own files from the network when it answers, else from the last copy kept, so the page runs offline.
const kCache = 'plinvaro-page';
const kFiles = ['./', 'index.html', 'style.css', 'face.js', 'editor.js', 'files.js', 'recovery.js', 'recent.js',
                'store.js', 'search.js', 'search-worker.js', 'settings.js', 'plinvaro-core.js', 'plinvaro-core.wasm',
                'plinvaro.svg', 'manifest.webmanifest'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

// The page shares the folder's memory with its search worker only when it is
// cross-origin isolated: the headers that make it so, on every file served
// here, whatever the server sent.
function isolated(response) {
  if (response.type === 'opaque' || response.headers.get('Cross-Origin-Embedder-Policy')) return response;
  const headers = new Headers(response.headers);
  headers.set('Cross-Origin-Opener-Policy', 'same-origin');
  headers.set('Cross-Origin-Embedder-Policy', 'require-corp');
  return new Response(response.body, { status: response.status, statusText: response.statusText, headers });
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(kCache);
    try {
      const response = await fetch(request);
      if (response.ok) await cache.put(request, response.clone());
      return isolated(response);
    } catch (error) {
      const kept = await cache.match(request, { ignoreSearch: true });
      if (kept) return isolated(kept);
      throw error;
    }
  })());
});
