// SPDX-License-Identifier: GPL-3.0-or-later
// The browser edition's figures for docs/performance.md, in headless Chromium
// from a local server: transfer sizes, time to the first report (cold, and
// from the service worker's cache) beside a blank page's load from the same
// server, a 1,000-point sweep, a keystroke to a redrawn chart at
// 100,000 points with the page's longest task meanwhile, and a
// million-point measured sweep's file to its figures with the longest pause
// of the page.
//
//   node web/bench.mjs build-web/site [PREVIOUS_SITE]
//
// The loads of the blank page, this site and a previous build's site
// alternate in the same run (a busy machine slows all alike); what counts is
// each site's median against the blank page's.
import { mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launchChromium } from './chromium.mjs';
import { serve } from './serve.mjs';
import { seriesResonance } from './synthetic-sweep.mjs';

const site = process.argv[2] ?? 'build-web/site';
const previousSite = process.argv[3];
/** @param {string[]} names */
const gzipKB = (names) => names.reduce((sum, name) => sum + gzipSync(readFileSync(join(site, name)), { level: 9 }).length, 0) / 1024;
/** @param {number[]} values */
const median = (values) => { const v = [...values].sort((a, b) => a - b); return (v[(v.length - 1) >> 1] + v[v.length >> 1]) / 2; };
const design = '?frequency=14.2&cylinder-diameter=50&ratio=3&wire-diameter=1&pitch=2&turn-diameter=50&bandwidth=0';
const rounds = 10;

/** @type {import('node:http').Server[]} */
const servers = [];
/**
 * @param {string} folder
 * @param {Record<string, string>} [documents]
 */
const origin = async (folder, documents) => {
  const server = await serve(folder, 0, { documents });
  servers.push(server);
  return `http://127.0.0.1:${/** @type {import('node:net').AddressInfo} */ (server.address()).port}`;
};
// The blank page comes from the same server as the site, so that loads from
// the service worker's cache are measured against a blank page the same
// worker answers (it passes what it does not keep to the server).
const blankPage = '<!DOCTYPE html><html lang="ru"><head><meta charset="utf-8"><title>-</title></head><body></body></html>';
const nowOrigin = await origin(site, { '/blank.html': blankPage });
/** @type {Record<string, string>} */
const pages = {
  blank: `${nowOrigin}/blank.html`,
  now: `${nowOrigin}/index.html${design}`,
  ...(previousSite ? { previous: `${await origin(previousSite)}/index.html${design}` } : {}),
};
const launch = () => launchChromium();

/**
 * A new tab. Chromium now and then refuses one right after another tab
 * closed ("Session with given id not found"); a second try gets it.
 * @param {import('puppeteer-core').Browser} browser
 * @returns {Promise<import('puppeteer-core').Page>}
 */
async function newPage(browser) {
  for (let attempt = 1; ; attempt++) {
    try {
      return await browser.newPage();
    } catch (error) {
      if (attempt === 3) throw error;
    }
  }
}

/**
 * Milliseconds from navigation to the page's first report (for the blank
 * page: to its load event), in a new tab of the browser.
 * @param {import('puppeteer-core').Browser} browser
 * @param {string} address
 * @param {boolean} blank
 */
async function load(browser, address, blank) {
  const page = await newPage(browser);
  await page.evaluateOnNewDocument(() => {
    new MutationObserver((_, observer) => {
      const report = document.getElementById('report');
      if (report && report.children.length === 38) { /** @type {any} */ (window).firstReportAt = performance.now(); observer.disconnect(); }
    }).observe(document, { childList: true, subtree: true });
  });
  await page.goto(address);
  const at = blank
    ? await page.evaluate(() => /** @type {PerformanceNavigationTiming} */ (performance.getEntriesByType('navigation')[0]).loadEventStart)
    : await (await page.waitForFunction(() => /** @type {any} */ (window).firstReportAt)).jsonValue();
  await page.close();
  return Number(at);
}

/** @type {Record<string, { cold: number[], warm: number[] }>} */
const times = Object.fromEntries(Object.keys(pages).map((name) => [name, { cold: [], warm: [] }]));
// Cold: a fresh browser with a fresh profile each time, no cache, no service worker.
for (let i = 0; i < rounds; i++) {
  for (const [name, address] of Object.entries(pages)) {
    const cold = await launch();
    times[name].cold.push(await load(cold, address, name === 'blank'));
    await cold.close();
  }
}
// Warm: each site visited once (its service worker installed and in
// control), then loaded again in new tabs of the same browser.
const warmBrowser = await launch();
// The browser stays open between the loads' tabs.
const keeper = await newPage(warmBrowser);
for (const [name, address] of Object.entries(pages)) {
  const first = await newPage(warmBrowser);
  await first.goto(address);
  if (name !== 'blank') await first.waitForFunction(() => navigator.serviceWorker.controller !== null);
  await first.close();
}
for (let i = 0; i < rounds; i++)
  for (const [name, address] of Object.entries(pages)) times[name].warm.push(await load(warmBrowser, address, name === 'blank'));
await keeper.close();
await warmBrowser.close();

const browser = await launch();
const page = await browser.newPage();
await page.setViewport({ width: 1280, height: 800 });
await page.goto(pages.now);
await page.waitForSelector('body[data-ready="true"]');
// The binding's sweep alone, as the worker runs it.
const sweeps = await page.evaluate(() => {
  const { explorer, fieldTexts, separator } = window.eh;
  /** @type {ExplorerBinding} */
  const calculator = /** @type {any} */ (explorer).binding;
  const job = { texts: fieldTexts(), separator, language: /** @type {PageLanguage} */ ('ru'), units: /** @type {PageUnits} */ ('mm'), input: 0, from: '1.8', to: '30', points: '1000', outputs: [2, 17, 13], region: 1, pins: [] };
  const times = [];
  for (let i = 0; i < 11; i++) {
    const start = performance.now();
    calculator.explorerSweep(job, 1000, false);
    times.push(performance.now() - start);
  }
  return times.slice(1);
});
// Typing into a field with 100,000 points to sweep: each key to the chart
// redrawn for the new design (its preview; the whole sweep follows from the
// worker), and the longest task on the page's thread while typing.
await page.evaluate(() => {
  const watch = /** @type {any} */ (window);
  watch.longest = 0;
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) watch.longest = Math.max(watch.longest, entry.duration);
  }).observe({ type: 'longtask', buffered: false });
});
await page.click('#sweep-points', { count: 3 });
await page.type('#sweep-points', '100000');
await page.waitForFunction(() => document.getElementById('chart').dataset.points === '100000', { timeout: 120000 });
const keystrokes = [];
const wholeSweeps = [];
// Only the typing at 100,000 points counts, not the change of the points.
await page.evaluate(() => { /** @type {any} */ (window).longest = 0; });
for (const key of '4545454545') {
  await page.focus('#ratio');
  await page.evaluate(() => {
    const field = /** @type {HTMLInputElement} */ (document.getElementById('ratio'));
    field.setSelectionRange(field.value.length - 1, field.value.length);
    field.addEventListener('keydown', () => { /** @type {any} */ (window).keyAt = performance.now(); }, { once: true });
  });
  await page.keyboard.type(key);
  await page.waitForFunction(() => Number(document.getElementById('chart').dataset.drawnAt) > /** @type {any} */ (window).keyAt);
  keystrokes.push(await page.evaluate(() => Number(document.getElementById('chart').dataset.drawnAt) - /** @type {any} */ (window).keyAt));
  await page.waitForFunction(() => document.getElementById('chart').dataset.points === '100000', { timeout: 120000 });
  wholeSweeps.push(await page.evaluate(() => Number(document.getElementById('chart').dataset.drawnAt) - /** @type {any} */ (window).keyAt));
}
const longestTask = await page.evaluate(() => /** @type {any} */ (window).longest);
await page.close();
// A million-point sweep's file picked: the time to its figures, and the
// longest the page's thread is kept from a 10 ms timer meanwhile.
const folder = mkdtempSync(join(tmpdir(), 'eh-bench-'));
const sweepFile = join(folder, 'million.s1p');
writeFileSync(sweepFile, seriesResonance({ points: 1000000 }));
const measured = [];
for (let i = 0; i < 3; i++) {
  const fresh = await newPage(browser);
  await fresh.goto(pages.now);
  await fresh.waitForSelector('body[data-ready="true"]');
  await fresh.evaluate(() => {
    const watch = /** @type {any} */ (window);
    watch.pause = 0;
    let last = performance.now();
    setInterval(() => { const now = performance.now(); watch.pause = Math.max(watch.pause, now - last); last = now; }, 10);
    watch.pickedAt = performance.now();
  });
  await (await fresh.$('input#measurement-file')).uploadFile(sweepFile);
  await fresh.waitForSelector('#measurement-result:not([hidden])', { timeout: 120000 });
  measured.push(await fresh.evaluate(() => {
    const watch = /** @type {any} */ (window);
    return { shown: performance.now() - watch.pickedAt, pause: watch.pause };
  }));
  await fresh.close();
}
rmSync(folder, { recursive: true, force: true });
await browser.close();
for (const server of servers) server.close();

const files = readdirSync(site);
/** @type {(what: string, value: string, goal: string) => void} */
const row = (what, value, goal) => console.log(`| ${what} | ${value} | ${goal} |`);
console.log('| Measure | Value | Goal |\n|---|---|---|');
row('WASM and glue, gzip -9', `${gzipKB(['eh-antenna.wasm', 'eh-antenna.js']).toFixed(1)} KB`, '≤ 150 KB');
row('the explorer\'s WASM and glue (loaded after the first report), gzip -9', `${gzipKB(['eh-explorer.wasm', 'eh-explorer.js']).toFixed(1)} KB`, '');
row(`whole site (${files.length} files), gzip -9`, `${gzipKB(files).toFixed(1)} KB`, '≤ 400 KB');
/** @param {number[]} values */
const spread = (values) => `${median(values).toFixed(0)} ms (${Math.min(...values).toFixed(0)}–${Math.max(...values).toFixed(0)})`;
for (const [kind, how, goal] of [['cold', 'cold loads', 4], ['warm', 'loads from the service worker\'s cache', 2]]) {
  const blank = median(times.blank[kind]);
  row(`blank page's load event, median of ${rounds} ${how === 'cold loads' ? 'cold loads' : 'loads in a warm browser'}`, spread(times.blank[kind]), '');
  row(`first report, median of ${rounds} ${how}`, `${spread(times.now[kind])}, ${(median(times.now[kind]) / blank).toFixed(2)}× blank`, `≤ ${goal}× blank`);
  if (times.previous) row('the same for the previous site', `${spread(times.previous[kind])}, ${(median(times.previous[kind]) / blank).toFixed(2)}× blank`, '');
}
row('1,000-point sweep, 3 outputs (in the worker), median of 10', `${median(sweeps).toFixed(1)} ms`, '≤ 50 ms');
row('keystroke to redrawn chart at 100,000 points, median of 10', `${spread(keystrokes)}`, '≤ 300 ms');
row('keystroke to the whole 100,000-point sweep drawn, median of 10', `${spread(wholeSweeps)}`, '');
row('longest task on the page\'s thread while typing at 100,000 points', `${longestTask.toFixed(0)} ms`, '≤ 50 ms');
row('1,000,000-point sweep file picked to its figures, median of 3', `${median(measured.map((m) => m.shown)).toFixed(0)} ms`, '');
row('longest pause of the page meanwhile, median of 3', `${median(measured.map((m) => m.pause)).toFixed(0)} ms`, '≤ 200 ms');
