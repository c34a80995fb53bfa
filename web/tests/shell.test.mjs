// SPDX-License-Identifier: GPL-3.0-or-later
// The page's shell in headless Chromium: what it shows while the calculator
// loads and when a file does not arrive, what "Сохранить" saves, and a new
// version reaching a user whose server sends old file times without
// Cache-Control.
//
//   EH_SITE=build-web/site node --test web/tests/
import assert from 'node:assert/strict';
import { appendFileSync, cpSync, mkdtempSync, readdirSync, rmSync, utimesSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { launchChromium } from '../chromium.mjs';
import { serve } from '../serve.mjs';
import { writeServiceWorker } from '../service-worker.mjs';
import { downloadedFile } from './site-under-test.mjs';

const web = join(dirname(fileURLToPath(import.meta.url)), '..');
const site = process.env.EH_SITE ?? join(web, '..', 'build-web', 'site');
const design = '?frequency=14.2&cylinder-diameter=50&ratio=3&wire-diameter=1&pitch=2&turn-diameter=50&bandwidth=0&separator=,&lang=ru';

/** @type {import('puppeteer-core').Browser} */
let browser;
/** @type {string} */
let folder;
before(async () => {
  browser = await launchChromium();
  folder = mkdtempSync(join(tmpdir(), 'eh-shell-'));
});
after(async () => {
  await browser?.close();
  rmSync(folder, { recursive: true, force: true });
});

/**
 * A copy of the site to change, served on a port of its own (so that each
 * test has its own service worker and cache).
 * @param {string} name
 * @param {Parameters<typeof serve>[2]} [options]
 */
async function serveCopy(name, options) {
  const copy = join(folder, name);
  cpSync(site, copy, { recursive: true });
  const server = await serve(copy, 0, options);
  return { copy, server, origin: `http://127.0.0.1:${/** @type {import('node:net').AddressInfo} */ (server.address()).port}` };
}

/** @param {import('puppeteer-core').Page} page */
const shell = (page) => page.evaluate(() => {
  /** @param {string} id */
  const shown = (id) => /** @type {HTMLElement} */ (document.getElementById(id)).offsetParent !== null;
  const save = /** @type {HTMLButtonElement} */ (document.getElementById('save'));
  return {
    title: document.title,
    heading: document.getElementById('title')?.textContent,
    save: [save.textContent, save.disabled],
    calculate: document.getElementById('calculate')?.textContent,
    status: shown('status') ? document.getElementById('status')?.textContent : null,
    form: shown('design'),
  };
});

const title = 'Программа для расчета параметров ЕН Антенны';

test('while the WebAssembly is on its way the page has its captions and says it is loading', async () => {
  /** @type {() => void} */
  let release = () => {};
  const arrived = new Promise((resolve) => { release = () => resolve(undefined); });
  const { server, origin } = await serveCopy('slow', { hold: (path) => (path === '/eh-antenna.wasm' ? arrived : undefined) });
  // The English page has its words before the WebAssembly too.
  const english = await browser.newPage();
  await english.goto(`${origin}/index.html${design.replace('lang=ru', 'lang=en')}`);
  assert.deepEqual(await shell(english), {
    title: 'EH Antenna Design', heading: 'EH Antenna Design', save: ['Save', true], calculate: 'Calculate', status: 'Loading the calculator…', form: false,
  });
  await english.close();
  const page = await browser.newPage();
  await page.goto(`${origin}/index.html${design}`);
  assert.deepEqual(await shell(page), {
    title, heading: title, save: ['Сохранить', true], calculate: 'Раcсчитать', status: 'Загрузка калькулятора…', form: false,
  });
  release();
  await page.waitForSelector('#report > :nth-child(38)');
  assert.deepEqual(await shell(page), { title, heading: title, save: ['Сохранить', false], calculate: 'Раcсчитать', status: null, form: true });
  await page.close();
  server.close();
});

test('a file of the page that does not arrive is named in place of the form', async () => {
  const advice = 'Проверьте связь с сервером и обновите страницу.';
  for (const [file, message] of [
    ['eh-antenna.wasm', `Страница не загрузилась: eh-antenna.wasm — сервер ответил «404 Not Found». ${advice}`],
    ['eh-antenna.js', `Страница не загрузилась: eh-antenna.js — файл не получен. ${advice}`],
    ['app.js', `Страница не загрузилась: app.js — файл не получен. ${advice}`],
  ]) {
    const { copy, server, origin } = await serveCopy(`without-${file}`);
    rmSync(join(copy, file));
    const page = await browser.newPage();
    await page.goto(`${origin}/index.html${design}`);
    await page.waitForSelector('body.failed');
    assert.deepEqual(await shell(page), { title, heading: title, save: ['Сохранить', true], calculate: 'Раcсчитать', status: message, form: false }, file);
    await page.close();
    server.close();
  }
});

test('"Сохранить" saves only a report, under the design\'s frequency', async () => {
  const { server, origin } = await serveCopy('save');
  const page = await browser.newPage();
  await page.goto(`${origin}/index.html${design}`);
  await page.waitForSelector('#report > :nth-child(38)');
  const saveDisabled = () => page.$eval('#save', (button) => /** @type {HTMLButtonElement} */ (button).disabled);
  /**
   * Types a text into a field and calculates (the page answers Enter at
   * once), closing the message if one shows.
   * @param {string} field
   * @param {string} text
   */
  const calculateWith = async (field, text) => {
    await page.click(`#${field}`, { count: 3 });
    await page.type(`#${field}`, text);
    await page.keyboard.press('Enter');
    if (await page.$('dialog[open]')) await page.click('dialog button');
  };
  for (const [field, text, disabled] of [
    ['frequency', '0', true], // a fault
    ['frequency', '7,1', false],
    ['pitch', '2..5', true], // a field reset
    ['pitch', '2', false],
  ]) {
    await calculateWith(String(field), String(text));
    assert.equal(await saveDisabled(), disabled, `${field} = ${text}`);
  }
  const text = new TextDecoder('windows-1251').decode(await downloadedFile(page, '#save', 'eh-antenna-7.1MHz.txt'));
  assert.deepEqual(text.split('\r\n').slice(0, 2), ['Расчет параметров ЕН Антенны', 'Частота = 7,10 МГц']);
  await page.close();
  server.close();
});

test('a new version reaches the user past old file times, when the user takes it', async () => {
  const { copy, server, origin } = await serveCopy('update', { fileTimes: true });
  // Both versions carry the times of builds made long ago, which the
  // browser takes for files that will not change for months.
  /** @param {string} date */
  const dateFiles = (date) => { for (const name of readdirSync(copy)) utimesSync(join(copy, name), new Date(date), new Date(date)); };
  dateFiles('2020-01-01T00:00:00Z');
  const page = await browser.newPage();
  await page.goto(`${origin}/index.html${design}`);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  // The next version: its app.js marks the page.
  appendFileSync(join(copy, 'app.js'), "\ndocument.documentElement.dataset.version = 'next';\n");
  writeServiceWorker(join(web, 'site', 'sw.js'), copy);
  dateFiles('2021-01-01T00:00:00Z');
  await page.reload();
  await page.waitForSelector('#update:not([hidden])');
  assert.equal(await page.evaluate(() => document.documentElement.dataset.version), undefined);
  await Promise.all([page.waitForNavigation(), page.click('#take-update')]);
  await page.waitForSelector('#report > :nth-child(38)');
  assert.equal(await page.evaluate(() => document.documentElement.dataset.version), 'next');
  await page.close();
  server.close();
});
