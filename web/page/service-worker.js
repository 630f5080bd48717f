// Keeps the whole site in the browser's cache once it has loaded, so the page
// works without a network. precache.js, written by scripts/build-web, names
// the site's files and a version that changes with their contents.
importScripts("precache.js");

const kCacheName = "korvane-" + kSiteVersion;

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(kCacheName).then((cache) => cache.addAll(kSiteFiles)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== kCacheName).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The site's own files from the cache (an address with inputs is the page
// itself); anything else goes to the network as usual.
self.addEventListener("fetch", (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== "GET" || url.origin !== self.location.origin)
    return;
  event.respondWith(caches.open(kCacheName).then((cache) =>
    cache.match(event.request, { ignoreSearch: true }).then((cached) => cached || fetch(event.request))));
});
