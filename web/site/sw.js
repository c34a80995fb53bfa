// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the whole site for use without a network: every file is cached at
// installation, answers come from the cache first. The build writes the
// list of files and a version that changes with their contents.
'use strict';
const VERSION = '@VERSION@';
const FILES = @FILES@;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(VERSION).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((key) => key !== VERSION).map((key) => caches.delete(key))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  // The page is the same whatever design its address carries.
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((cached) => cached ?? fetch(event.request)));
});
