// SPDX-License-Identifier: GPL-3.0-or-later
// The page at a phone's and a desktop's size, for docs/.
//
//   node web/screenshots.mjs build-web/site docs
import { join } from 'node:path';
import { launchChromium } from './chromium.mjs';
import { serve } from './serve.mjs';

const [site = 'build-web/site', out = 'docs'] = process.argv.slice(2);
const design = '?frequency=14.2&cylinder-diameter=50&ratio=3&wire-diameter=1&pitch=2&turn-diameter=50&bandwidth=0';
const server = await serve(site, 0);
const browser = await launchChromium(['--lang=ru-RU', '--font-render-hinting=none']);
/** @type {[`${string}.png`, number, number, string | null][]} */
const shots = [

  ['screenshot-web-phone.png', 390, 844, null],
  ['screenshot-web-phone-report.png', 390, 844, '#report'],
  ['screenshot-web-desktop.png', 1280, 800, null],
  ['screenshot-web-explorer.png', 1280, 800, '#explorer'],
];
for (const [name, width, height, scroll] of shots) {
  const page = await browser.newPage();
  await page.setViewport({ width, height });
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html${design}&separator=,`);
  await page.waitForSelector('#report > :nth-child(38)');
  await page.waitForFunction(() => Number(document.getElementById('chart').dataset.points) > 0);
  if (scroll) await page.$eval(scroll, (node) => node.scrollIntoView());
  await page.evaluate(() => /** @type {HTMLElement} */ (document.activeElement).blur());
  await page.screenshot({ path: /** @type {`${string}.png`} */ (join(out, name)) });
  await page.close();
}
await browser.close();
server.close();
