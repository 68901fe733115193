// The page's service worker: its own files from the network when it answers, else from the last copy kept, so the page runs offline.
const kCache = 'plinvaro-page';
const kFiles = ['./', 'index.html', 'style.css', 'face.js', 'editor.js', 'files.js', 'recovery.js', 'search.js',
                'search-worker.js', 'settings.js', 'plinvaro-core.js', 'plinvaro-core.wasm', 'plinvaro.svg',
                'manifest.webmanifest'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(kCache);
    try {
      const response = await fetch(request);
      if (response.ok) await cache.put(request, response.clone());
      return response;
    } catch (error) {
      const kept = await cache.match(request, { ignoreSearch: true });
      if (kept) return kept;
      throw error;
    }
  })());
});
