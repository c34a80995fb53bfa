// SPDX-License-Identifier: GPL-3.0-or-later
// The page as a user meets it, in headless Chromium: the report of a typed
// design line by line, a field that is not a number, the saved bytes, a
// design in the address, the explorer, a measured sweep's file, a phone's
// screen and a reload without a network.
//
//   EH_SITE=build-web/site [EH_CLI=build/cli/antenna/eh-antenna-cli] node --test web/tests/
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { seriesResonance } from '../synthetic-sweep.mjs';
import { downloadedFile, root, site, siteUnderTest } from './site-under-test.mjs';


// The example design's report as the desktop tests know it (a comma as the
// decimal separator): the second string of each row of the Russian table.
const exampleReport = [...readFileSync(join(root, 'tests', 'support', 'ExampleReport.h'), 'utf8')
  .split('kExampleAReportEnglish')[0]
  .matchAll(/\{TReportLineKind::\w+, "((?:[^"\\]|\\.)*)"/g)].map((m) => JSON.parse(`"${m[1]}"`));
const exampleDesign = { frequency: '14.2', 'cylinder-diameter': '50', ratio: '3', 'wire-diameter': '1', pitch: '2', 'turn-diameter': '50', bandwidth: '0' };

const harness = siteUnderTest();
const { open } = harness;

const reportLines = (page) => page.$$eval('#report > *', (lines) => lines.map((line) => line.textContent));
const query = (design, extra = '') => `?${new URLSearchParams(design)}${extra}`;

test('the typed example design gives the 38 report lines with their styles', async () => {
  const page = await open('?separator=,');
  for (const [key, value] of Object.entries(exampleDesign)) await page.type(`#${key}`, value);
  await page.keyboard.press('Enter');
  await page.waitForSelector('#report > :nth-child(38)');
  assert.deepEqual(await reportLines(page), exampleReport);
  assert.equal(exampleReport.length, 38);
  // The styled runs: the title bold, underlined and large, a heading bold,
  // a value line's number alone bold.
  const styled = await page.$$eval('#report > :is(:nth-child(1), :nth-child(2), :nth-child(12))', (lines) =>
    lines.map((line) => [...line.children].map((span) =>
      [span.textContent, /** @type {HTMLElement} */ (span).style.fontWeight === 'bold', /** @type {HTMLElement} */ (span).style.textDecoration === 'underline', /** @type {HTMLElement} */ (span).style.fontSize])));
  assert.deepEqual(styled, [
    [['Расчет параметров ЕН Антенны', true, true, '14pt']],
    [['Частота = ', false, false, '9pt'], ['14,20', true, false, '9pt'], [' МГц', false, false, '9pt']],
    [['Вычисление параметров катушки настройки', true, false, '9pt']],
  ]);
  assert.match(page.url(), /frequency=14\.2&cylinder-diameter=50/);
  // The window's own words: the caption's third letter is a Latin c, the
  // bandwidth field has no tip.
  const words = await page.evaluate(() => ({
    caption: document.getElementById('calculate').textContent,
    label: document.querySelector('label.field span').textContent,
    tips: [...document.querySelectorAll('#design input')].map((input) => /** @type {HTMLInputElement} */ (input).title),
  }));
  assert.equal(words.caption, 'Ра\u0063считать');
  assert.equal(words.label, 'Частота (МГц)  = ');
  assert.equal(words.tips[0], 'средняя частота резонанса антенны');
  assert.equal(words.tips[6], '');
  await page.close();
});

test('the decimal separator follows the language unless the address names one', async () => {
  for (const [language, extra, expected] of [
    ['ru-RU', '', 'Частота = 14,20 МГц'],
    ['en-US', '', 'Частота = 14.20 МГц'],
    ['en-US', '&separator=,', 'Частота = 14,20 МГц'],
    ['de-DE', '&separator=9', 'Частота = 14,20 МГц'], // a digit cannot be one: the language's stays
  ]) {
    const page = await open(query(exampleDesign, `${extra}&lang=ru`), { language });
    await page.waitForSelector('#report > :nth-child(38)');
    assert.equal((await reportLines(page))[1], expected, `${language}${extra}`);
    await page.close();
  }
});

test('a field that is not a number is reset, focused and selected, and nothing is reported', async () => {
  const page = await open();
  for (const [key, value] of Object.entries({ ...exampleDesign, pitch: '2..5' })) await page.type(`#${key}`, value);
  await page.click('#calculate');
  await page.waitForFunction(() => document.activeElement.id === 'pitch');
  const state = await page.evaluate(() => {
    const field = /** @type {HTMLInputElement} */ (document.activeElement);
    return { value: field.value, selected: field.value.slice(field.selectionStart, field.selectionEnd), lines: document.querySelectorAll('#report > *').length, later: /** @type {HTMLInputElement} */ (document.getElementById('turn-diameter')).value };
  });
  assert.deepEqual(state, { value: '0.1', selected: '0.1', lines: 0, later: '50' });
  await page.close();
});

test('the pitch notice and a fault are shown as the window shows them', async () => {
  for (const [design, message, lines] of [
    [{ ...exampleDesign, 'wire-diameter': '3' }, 'Ошибка!!! Шаг намотки меньше диаметра провода!', 38],
    [{ ...exampleDesign, frequency: '0' }, 'Floating point division by zero.', 0],
  ]) {
    const page = await open(query(design));
    await page.waitForSelector('dialog[open]');
    assert.equal(await page.$eval('dialog p', (p) => p.textContent), message);
    await page.click('dialog button');
    await page.waitForFunction((n) => document.querySelectorAll('#report > *').length === n && !document.querySelector('dialog[open]'), {}, lines);
    await page.close();
  }
});

test('"Сохранить" downloads the bytes the desktop program saves', async (t) => {
  if (!process.env.EH_CLI) return t.skip('EH_CLI does not name the native eh-antenna-cli');
  const page = await open(query(exampleDesign, '&separator=,'));
  await page.waitForSelector('#report > :nth-child(38)');
  const saved = await downloadedFile(page, '#save', 'eh-antenna-14.2MHz.txt');
  const desktop = execFileSync(process.env.EH_CLI, ['-s', ',', '--output', '-', ...Object.values(exampleDesign)]);
  assert.ok(saved.length > 38 * 2);
  assert.deepEqual(saved, desktop);
  await page.close();
});

test('the explorer charts its points, shades the bands and draws the antenna, live', async () => {
  const page = await open(query(exampleDesign));
  await page.waitForFunction(() => document.getElementById('chart').dataset.points === '500');
  const before = await page.evaluate(() => ({
    cylinders: document.querySelectorAll('#drawing [data-part="cylinder"]').length,
    bands: document.querySelectorAll('#coverage tbody tr').length,
    height: document.querySelector('#drawing [data-part="cylinder"]').getAttribute('height'),
  }));
  assert.deepEqual(before, { cylinders: 2, bands: 11, height: '150' });
  await page.click('#ratio', { count: 3 });
  await page.type('#ratio', '4');
  await page.waitForFunction(() => document.querySelector('#drawing [data-part="cylinder"]').getAttribute('height') === '200');
  await page.click('#sweep-points', { count: 3 });
  await page.type('#sweep-points', '1000');
  await page.waitForFunction(() => document.getElementById('chart').dataset.points === '1000');
  await page.close();
});

test('on a phone the page does not scroll sideways and the fields ask for a decimal keyboard', async () => {
  const page = await open(query(exampleDesign), { width: 390, height: 844 });
  await page.waitForSelector('#report > :nth-child(38)');
  const layout = await page.evaluate(() => ({
    width: document.documentElement.scrollWidth,
    decimal: [...document.querySelectorAll('#design input')].every((input) => /** @type {HTMLInputElement} */ (input).inputMode === 'decimal'),
  }));
  assert.deepEqual(layout, { width: 390, decimal: true });
  await page.close();
});

test('after the first visit the page works without a network', async () => {
  const page = await open();
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  await page.setOfflineMode(true);
  await page.goto(`${harness.origin}/index.html${query(exampleDesign, '&separator=,')}`);
  await page.waitForSelector('#report > :nth-child(38)');
  assert.deepEqual(await reportLines(page), exampleReport);
  await page.close();
});

test('a sweep file is read on the device: the window\'s figures, its bandwidth into the field, a refused file named', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'eh-web-'));
  try {
    const good = join(folder, 'antenna.s1p');
    writeFileSync(good, seriesResonance({ resonanceHz: 14.2e6, q: 40, resistanceOhm: 50 }));
    const page = await open(query(exampleDesign, '&separator=,'));
    await page.waitForSelector('#report > :nth-child(38)');
    // Nothing leaves the page: what it asks for after loading (the worker
    // that reads the file and its scripts) are plain requests for the
    // site's own files.
    const requests = [];
    page.on('request', (request) => requests.push(request));

    await (await page.$('input#measurement-file')).uploadFile(good);
    await page.waitForSelector('#measurement-result:not([hidden])');
    const figures = Object.fromEntries(await page.$$eval('#measurement-figures tr', (rows) =>
      rows.map((row) => [row.cells[0].textContent, row.cells[1].textContent])));
    assert.deepEqual(Object.keys(figures), ['Точек в измерении', 'Резонанс', 'КСВ в резонансе', 'R в резонансе',
      'X в резонансе', 'Q', 'Полоса пропуск. по ур.3 dB', 'Полоса по КСВ ≤ 2,618', 'Полоса по КСВ ≤ 2', 'Полоса по расчету']);
    assert.equal(figures['Точек в измерении'], '201');
    assert.equal(figures['Резонанс'], '14,2000 МГц');
    assert.equal(figures['R в резонансе'], '50,00 Ом');
    assert.equal(figures['Полоса по расчету'], '1106,17 КГц, Q = 12,84');
    const number = (text) => Number(text.split(' ')[0].replace(',', '.'));
    assert.ok(Math.abs(number(figures['Q']) / 40 - 1) < 0.01, figures['Q']);
    assert.equal(await page.$eval('#measurement-chart', (chart) => /** @type {HTMLElement} */ (chart).dataset.points), '201');

    // The button writes the bandwidth with the page's separator and
    // calculates again: the report is the design's with that bandwidth.
    await page.click('#measurement-apply');
    await page.waitForFunction(() => /** @type {HTMLInputElement} */ (document.getElementById('bandwidth')).value !== '0');
    const written = await page.$eval('#bandwidth', (field) => /** @type {HTMLInputElement} */ (field).value);
    assert.match(written, /^\d+,\d+$/);
    assert.ok(Math.abs(number(written) / 355 - 1) < 0.01, written);
    const rr = (lines) => lines.find((line) => line.startsWith('RR='));
    await page.waitForFunction(() => ![...document.querySelectorAll('#report > *')].some((line) => line.textContent === 'RR= 0,00 Ом'));
    const expected = await page.evaluate(() => window.eh.calculator.calculate(window.eh.fieldTexts(), ',').lines.map((line) => line.text));
    assert.deepEqual(await reportLines(page), expected);
    assert.notEqual(rr(expected), rr(exampleReport));
    assert.match(page.url(), /bandwidth=\d+%2C\d+/);

    // A two-port file dropped on the section: refused at its line, and
    // nothing shown or typed changes.
    await page.$eval('#measurement', (section) => {
      const transfer = new DataTransfer();
      transfer.items.add(new File(['# MHZ S RI R 50\n14.1 0.1 0.2\n14.2 0.1 0.2 0.3 0.4\n'], 'two-port.s1p'));
      section.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
    });
    await page.waitForSelector('dialog[open]');
    assert.match(await page.$eval('dialog p', (p) => p.textContent), /^«two-port\.s1p»\nФайл не прочитан, строка 3: /);
    await page.click('dialog button');
    assert.equal(await page.$eval('#bandwidth', (field) => /** @type {HTMLInputElement} */ (field).value), written);
    assert.equal(await page.$eval('#measurement-figures tr td', (cell) => cell.textContent), '201');
    const siteFiles = new Set(readdirSync(site).map((name) => `${harness.origin}/${name}`));
    assert.deepEqual(requests.filter((request) => request.method() !== 'GET' || request.postData() !== undefined ||
      !siteFiles.has(request.url())).map((request) => request.url()), []);
    await page.close();
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});
