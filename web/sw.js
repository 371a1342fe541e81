// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the web site in the browser, so that once the page has been opened
// it opens and works without the network.
//
// The page itself comes from the network when there is one, so that an
// updated site is taken at the next visit; everything else is asked for
// with the site's version in its address and comes from the kept copy of
// that version. A new version, kept whole, replaces the old one.
'use strict';
const VERSION = '@VERSION@';
const FILES = [@FILES@];
const KEPT = 'kavrel-' + VERSION;

// Files with the version in their address are what the page has just
// fetched, taken from the browser's own cache; the others are asked for
// anew.
self.addEventListener('install', event => {
  event.waitUntil(caches.open(KEPT)
    .then(kept => kept.addAll(FILES.map(file => new Request(file, {cache: file.includes('?v=') ? 'default' : 'reload'}))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
  event.waitUntil(caches.keys()
    .then(names => Promise.all(names.filter(name => name.startsWith('kavrel-') && name !== KEPT)
                                    .map(name => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
  if (event.request.mode === 'navigate') {
    event.respondWith(fetch(event.request)
      .catch(() => caches.match(new URL('index.html', self.registration.scope).href)));
    return;
  }
  event.respondWith(caches.match(event.request).then(kept => kept || fetch(event.request)));
});
