// SPDX-License-Identifier: GPL-3.0-or-later
// The browser edition's figures for docs/performance.md, in headless Chromium
// from a local server: transfer sizes, time to the first report, a
// 1,000-point sweep and a keystroke to a redrawn chart.
//
//   node web/bench.mjs build-web/site [PREVIOUS_SITE]
//
// With a previous build's site, its cold loads alternate with this one's in
// the same run (a busy machine slows both alike) and its median is printed
// beside.
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launchChromium } from './chromium.mjs';
import { serve } from './serve.mjs';

const site = process.argv[2] ?? 'build-web/site';
const previousSite = process.argv[3];
const gzipKB = (names) => names.reduce((sum, name) => sum + gzipSync(readFileSync(join(site, name)), { level: 9 }).length, 0) / 1024;
const median = (values) => { const v = [...values].sort((a, b) => a - b); return (v[(v.length - 1) >> 1] + v[v.length >> 1]) / 2; };
const design = '?frequency=14.2&cylinder-diameter=50&ratio=3&wire-diameter=1&pitch=2&turn-diameter=50&bandwidth=0';

const server = await serve(site, 0);
const origin = `http://127.0.0.1:${server.address().port}`;
const previousServer = previousSite ? await serve(previousSite, 0) : undefined;
const launch = () => launchChromium();

// Cold loads: a fresh browser with a fresh profile each time, no cache, no
// service worker yet.
async function coldLoad(origin) {
  const cold = await launch();
  const page = await cold.newPage();
  await page.setCacheEnabled(false);
  await page.evaluateOnNewDocument(() => {
    new MutationObserver((_, observer) => {
      const report = document.getElementById('report');
      if (report && report.children.length === 38) { /** @type {any} */ (window).firstReportAt = performance.now(); observer.disconnect(); }
    }).observe(document, { childList: true, subtree: true });
  });
  await page.goto(`${origin}/index.html${design}`);
  await page.waitForFunction(() => /** @type {any} */ (window).firstReportAt !== undefined);
  const at = await page.evaluate(() => /** @type {any} */ (window).firstReportAt);
  await cold.close();
  return at;
}
const firstReport = [];
const previousFirstReport = [];
for (let i = 0; i < 10; i++) {
  firstReport.push(await coldLoad(origin));
  if (previousServer) previousFirstReport.push(await coldLoad(`http://127.0.0.1:${previousServer.address().port}`));
}

const browser = await launch();
const page = await browser.newPage();
await page.setViewport({ width: 1280, height: 800 });
await page.goto(`${origin}/index.html${design}`);
await page.waitForSelector('body[data-ready="true"]');
const sweeps = await page.evaluate(() => {
  const { calculator, fieldTexts, separator } = window.eh;
  const times = [];
  for (let i = 0; i < 11; i++) {
    const start = performance.now();
    calculator.sweep(fieldTexts(), separator, 0, '1.8', '30', 1000, [2, 17, 13]);
    times.push(performance.now() - start);
  }
  return times.slice(1);
});
const keystrokes = [];
for (const key of '4545454545') {
  await page.focus('#ratio');
  await page.evaluate(() => {
    const field = /** @type {HTMLInputElement} */ (document.getElementById('ratio'));
    field.setSelectionRange(field.value.length - 1, field.value.length);
    field.addEventListener('keydown', () => { /** @type {any} */ (window).keyAt = performance.now(); }, { once: true });
  });
  await page.keyboard.type(key);
  keystrokes.push(await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() =>
    resolve(Number(document.getElementById('chart').dataset.drawnAt) - /** @type {any} */ (window).keyAt)))));
}
await browser.close();
server.close();
previousServer?.close();

const files = readdirSync(site);
const row = (what, value, goal) => console.log(`| ${what} | ${value} | ${goal} |`);
console.log('| Measure | Value | Goal |\n|---|---|---|');
row('WASM and glue, gzip -9', `${gzipKB(['eh-antenna.wasm', 'eh-antenna.js']).toFixed(1)} KB`, '≤ 150 KB');
row(`whole site (${files.length} files), gzip -9`, `${gzipKB(files).toFixed(1)} KB`, '≤ 400 KB');
const spread = (times) => `${median(times).toFixed(0)} ms (${Math.min(...times).toFixed(0)}–${Math.max(...times).toFixed(0)})`;
row('first report after navigation, median of 10 cold loads', spread(firstReport), '≤ 300 ms');
if (previousServer) row('the same for the previous site, loads alternating', spread(previousFirstReport), '');
row('1,000-point sweep, 3 outputs, median of 10', `${median(sweeps).toFixed(1)} ms`, '≤ 50 ms');
row('keystroke to redrawn chart (500 points), median of 10', `${median(keystrokes).toFixed(1)} ms`, '≤ 100 ms');
