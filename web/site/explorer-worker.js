// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the explorer's sweeps and searches off the page's thread, so that
// typing never waits for one: a sweep's preview of as many points as the chart has columns
// first, then the whole sweep. The page ends a worker whose sweep it no
// longer wants; the last whole sweep stays here for the readout.
// @ts-check
'use strict';
importScripts('eh-explorer.js');

const binding = EhExplorer();

self.addEventListener('message', async (/** @type {MessageEvent<ExplorerWorkerRequest>} */ { data }) => {
  const module = await binding;
  if ('readoutAt' in data) {
    self.postMessage({ token: data.token, readout: module.explorerReadoutAt(data.readoutAt, data.exact) });
    return;
  }
  if ('csv' in data) {
    self.postMessage({ token: data.token, csv: module.explorerSweepCsv() });
    return;
  }
  if ('solve' in data) {
    self.postMessage({ token: data.token, solved: module.explorerSolve(data.solve) });
    return;
  }
  const first = module.explorerSweep(data.job, data.columns, true);
  self.postMessage({ token: data.token, sweep: first });
  if (first.complete === false)
    self.postMessage({ token: data.token, sweep: module.explorerSweep(data.job, data.columns, false) });
});
