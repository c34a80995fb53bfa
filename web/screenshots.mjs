// SPDX-License-Identifier: GPL-3.0-or-later
// The page at a phone's and a desktop's size, for docs/, a measured sweep's
// analysis on the phone too, the page in English and inches, and the build
// sheet as it prints.
//
//   node web/screenshots.mjs build-web/site docs
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launchChromium } from './chromium.mjs';
import { serve } from './serve.mjs';
import { seriesResonance } from './synthetic-sweep.mjs';

const [site = 'build-web/site', out = 'docs'] = process.argv.slice(2);
const design = '?frequency=14.2&cylinder-diameter=50&ratio=3&wire-diameter=1&pitch=2&turn-diameter=50&bandwidth=0&separator=,&lang=ru';
// The same design in inches, the wire as its gauge.
const inchDesign = '?frequency=14.2&cylinder-diameter=1.968503937&ratio=3&wire-diameter=18%20AWG&pitch=0.0787401575&turn-diameter=1.968503937&bandwidth=0&separator=.&lang=en&units=in';
const server = await serve(site, 0);
const browser = await launchChromium(['--lang=ru-RU', '--font-render-hinting=none']);
// A sweep of the built antenna, tuned a little low, a little mismatched and
// lossier than the design promises.
const folder = mkdtempSync(join(tmpdir(), 'eh-shots-'));
const sweep = join(folder, 'antenna-20m.s1p');
writeFileSync(sweep, seriesResonance({ resonanceHz: 14.12e6, q: 9, resistanceOhm: 38, points: 401, spanBandwidths: 2.6 }));
/** @type {[`${string}.png`, number, number, string | null, string?, number?][]} */
const shots = [
  ['screenshot-web-phone.png', 390, 844, null],
  ['screenshot-web-phone-report.png', 390, 844, '#report'],
  ['screenshot-web-phone-measurement.png', 390, 844, '#measurement'],
  ['screenshot-web-desktop.png', 1280, 800, null],
  ['screenshot-web-explorer.png', 1280, 800, '#explorer'],
  ['screenshot-web-phone-english-inches.png', 390, 844, null, inchDesign],
  ['screenshot-web-phone-english-inches-report.png', 390, 844, '#report', inchDesign],
  ['screenshot-web-desktop-english-inches.png', 1280, 800, null, inchDesign],
  ['screenshot-web-explorer-english-inches.png', 1280, 800, '#explorer', inchDesign],
  ['screenshot-web-explorer-english-inches-200.png', 1280, 800, '#explorer', inchDesign, 2],
];
for (const [name, width, height, scroll, search = design, scale = 1] of shots) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: scale });
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html${search}`);
  await page.waitForSelector('#report > :nth-child(38)');
  await page.waitForSelector('body[data-ready="true"]');
  await page.waitForFunction(() => Number(document.getElementById('chart').dataset.points) > 0);
  if (scroll === '#measurement') {
    await (await page.$('input#measurement-file')).uploadFile(sweep);
    await page.waitForSelector('#measurement-result:not([hidden])');
  }
  if (scroll) await page.$eval(scroll, (node) => node.scrollIntoView());
  await page.evaluate(() => /** @type {HTMLElement} */ (document.activeElement).blur());
  await page.screenshot({ path: /** @type {`${string}.png`} */ (join(out, name)) });
  await page.close();
}
// The build sheet on an A4 page's width, in the print style, its margins added.
const page = await browser.newPage();
await page.setViewport({ width: 794, height: 1123 });
await page.goto(`http://127.0.0.1:${server.address().port}/index.html${design}`);
await page.waitForSelector('body[data-ready="true"]');
await page.waitForFunction(() => Number(document.getElementById('chart').dataset.points) > 0);
await page.evaluate(() => { window.print = () => { document.body.dataset.printed = 'true'; }; });
await page.click('#print-sheet');
await page.waitForSelector('body[data-printed="true"]');
await page.emulateMediaType('print');
await page.addStyleTag({ content: '#sheet { padding: 12mm; }' });
await page.screenshot({ path: /** @type {`${string}.png`} */ (join(out, 'screenshot-web-buildsheet.png')), fullPage: true });
await browser.close();
server.close();
rmSync(folder, { recursive: true, force: true });
