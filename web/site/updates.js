// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The service worker keeps the site for use without a network. A new
// version of the site installs beside the one in use and waits; the page
// offers it ("Обновить") and reloads into it when the user agrees, rather
// than changing under a design being typed.

/**
 * @param {HTMLElement} offer  shown when a new version is ready
 * @param {HTMLButtonElement} button  takes the new version into use
 */
export async function keepSiteForOffline(offer, button) {
  if (!('serviceWorker' in navigator)) return;
  const updating = navigator.serviceWorker.controller !== null;
  const registration = await navigator.serviceWorker.register('sw.js');

  /** @param {ServiceWorker} worker */
  const offerUpdate = (worker) => {
    offer.hidden = false;
    button.onclick = () => worker.postMessage('take over');
  };
  /** @param {ServiceWorker | null} worker  one being installed */
  const offerWhenInstalled = (worker) => worker?.addEventListener('statechange', () => {
    if (worker.state === 'installed' && navigator.serviceWorker.controller) offerUpdate(worker);
  });
  // The browser looks for a new version as the page loads: it may be
  // waiting already, or still installing.
  if (registration.waiting && updating) offerUpdate(registration.waiting);
  offerWhenInstalled(registration.installing);
  registration.addEventListener('updatefound', () => offerWhenInstalled(registration.installing));
  // The first installation takes over a page that had no worker: nothing
  // to reload then.
  let reloading = false;
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (!updating || reloading) return;
    reloading = true;
    location.reload();
  });
}
