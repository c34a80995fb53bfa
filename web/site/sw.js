// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// Keeps the whole site for use without a network: every file is cached at
// installation, answers come from the cache first. The build writes the
// list of files and a version that changes with their contents.
//
// A new version is fetched past the browser's HTTP cache: a server that
// sends file times without Cache-Control lets the browser reuse the old
// files for days, and the new version would keep the old files under its
// name. It then waits until the page asks it to take over (updates.js).
'use strict';

const worker = /** @type {ServiceWorkerGlobalScope} */ (/** @type {unknown} */ (self));
const VERSION = /* version */ 'eh-antenna-unbuilt';
/** @type {string[]} */
const FILES = /* files */ [];

worker.addEventListener('install', (event) => {
  event.waitUntil(caches.open(VERSION)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' })))));
});

worker.addEventListener('message', (event) => {
  if (event.data === 'take over') worker.skipWaiting();
});

worker.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((key) => key !== VERSION).map((key) => caches.delete(key))))
    .then(() => worker.clients.claim()));
});

worker.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  // The page is the same whatever design its address carries; its other
  // files are looked up by their whole address, in this version's cache
  // alone, which is quicker than searching every cache without the query.
  const address = new URL(event.request.url);
  address.search = '';
  event.respondWith(caches.open(VERSION)
    .then((cache) => cache.match(event.request.mode === 'navigate' ? address.href : event.request))
    .then((cached) => cached ?? fetch(event.request)));
});
