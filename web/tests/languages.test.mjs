// SPDX-License-Identifier: GPL-3.0-or-later
// The page in either language and either unit, and for everyone: the
// report and the saved file as the native tool writes them, the language
// chosen by the link, the browser or the switch, wire gauges, axe-core's
// accessibility rules at a phone's and a desktop's size, the keyboard's
// focus always drawn, the narrowest phone, and a measured sweep in English.
//
//   EH_SITE=build-web/site [EH_CLI=build/cli/antenna/eh-antenna-cli] node --test web/tests/
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { seriesResonance } from '../synthetic-sweep.mjs';
import { downloadedFile, siteUnderTest } from './site-under-test.mjs';

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// The example design, and the same design typed in inches.
const millimetres = ['14.2', '50', '3', '1', '2', '50', '0'];
const inches = ['14.2', '1.968503937', '3', '0.0393700787', '0.0787401575', '1.968503937', '0'];
const keys = ['frequency', 'cylinder-diameter', 'ratio', 'wire-diameter', 'pitch', 'turn-diameter', 'bandwidth'];
/** @param {string[]} values @param {string} [extra] */
const query = (values, extra = '') => `?${new URLSearchParams(keys.map((key, i) => [key, values[i]]))}${extra}`;

const { open } = siteUnderTest();

const reportLines = (page) => page.$$eval('#report > *', (lines) => lines.map((line) => line.textContent));
/** @param {string} search */
const lang = (search) => new URL(search, 'http://x').searchParams;

test('each language and unit reports as the native tool does and says so on the page', async (t) => {
  if (!process.env.EH_CLI) return t.skip('EH_CLI does not name the native eh-antenna-cli');
  // The explorer shows its lengths in the fields' unit.
  /** @type {[string, string, string[], string, string, string][]} */
  const cases = [
    ['en', 'mm', millimetres, 'EH Antenna Design', 'Cylinder diameter (mm) =', 'Cylinder diameter (mm)'],
    ['en', 'in', inches, 'EH Antenna Design', 'Cylinder diameter (in) =', 'Cylinder diameter (in)'],
    ['ru', 'in', inches, 'Программа для расчета параметров ЕН Антенны', 'Диаметр цилиндров (дюйм) =', 'Диаметр цилиндров (дюйм)'],
  ];
  // The explorer's tuning plan of the typed band, in each case.
  /** @type {string[]} */
  const plans = [];
  for (const [language, units, values, title, label, axis] of cases) {
    const what = `${language} ${units}`;
    const page = await open(query(values, `&lang=${language}&units=${units}&separator=.`));
    await page.waitForSelector('#report > :nth-child(38)');
    const tool = execFileSync(process.env.EH_CLI, ['--language', language, '--units', units, '-s', '.', ...values], { encoding: 'utf8' });
    assert.deepEqual(await reportLines(page), tool.trimEnd().split('\n'), what);
    const shown = await page.evaluate(() => ({
      lang: document.documentElement.lang,
      title: document.title,
      axis: /** @type {HTMLSelectElement} */ (document.getElementById('sweep-input')).options[1].text,
      label: document.getElementById('cylinder-diameter')?.previousElementSibling?.textContent,
      switches: [/** @type {HTMLSelectElement} */ (document.getElementById('language')).value, /** @type {HTMLSelectElement} */ (document.getElementById('units')).value],
      // Every word outside the report and the language's own name.
      cyrillic: /[А-яЁё]/.test([...document.querySelectorAll('body *:not(script, #report, #report *, option[lang="ru"])')]
        .filter((node) => node instanceof HTMLElement && node.offsetParent !== null && node.childNodes.length)
        .map((node) => [...node.childNodes].filter((child) => child.nodeType === Node.TEXT_NODE).map((child) => child.textContent).join('')
          + (node.getAttribute('aria-label') ?? '') + (node.getAttribute('title') ?? '')).join(' ')),
    }));
    assert.deepEqual(shown, { lang: language, title, axis, label, switches: [language, units], cyrillic: language === 'ru' }, what);
    await page.waitForSelector('#coverage tr.typed');
    plans.push(await page.$eval('#coverage tr.typed', (row) => row.textContent ?? ''));
    await page.close();
  }
  // The explorer reads the fields in their unit, as the report does: the
  // same design whether typed in millimetres or in inches.
  assert.equal(plans[1], plans[0]);
});

test('"Save" downloads the English inch report the native tool saves', async (t) => {
  if (!process.env.EH_CLI) return t.skip('EH_CLI does not name the native eh-antenna-cli');
  const page = await open(query(inches, '&lang=en&units=in&separator=.'));
  await page.waitForSelector('#report > :nth-child(38)');
  assert.equal(await page.$eval('#save', (button) => button.textContent), 'Save');
  const saved = await downloadedFile(page, '#save', 'eh-antenna-14.2MHz.txt');
  const tool = execFileSync(process.env.EH_CLI, ['--language', 'en', '--units', 'in', '-s', '.', '--output', '-', ...inches]);
  assert.match(saved.toString('latin1'), /^EH Antenna Design\r\n[^]*\r\n$/);
  assert.deepEqual(saved, tool);
  await page.close();
});

test('the language comes from the link, else the browser; the switches and the link carry it', async () => {
  for (const [browserLanguage, search, expected] of [
    ['ru-RU', '', 'ru'],
    ['ru', '', 'ru'],
    ['en-GB', '', 'en'],
    ['de-DE', '', 'en'],
    ['en-US', '?lang=ru', 'ru'],
    ['ru-RU', '?lang=en', 'en'],
    ['ru-RU', '?lang=xx', 'ru'],
  ]) {
    const page = await open(search, { language: browserLanguage });
    assert.equal(await page.evaluate(() => document.documentElement.lang), expected, `${browserLanguage} ${search}`);
    await page.close();
  }
  const page = await open(query(millimetres), { language: 'ru-RU' });
  await page.waitForSelector('#report > :nth-child(38)');
  assert.equal(lang(page.url()).get('lang'), 'ru');
  await Promise.all([page.waitForNavigation(), page.select('#language', 'en')]);
  await page.waitForSelector('#report > :nth-child(38)');
  assert.deepEqual([(await reportLines(page))[0], await page.$eval('#help summary', (node) => node.textContent)], ['EH Antenna Design', 'Help']);
  await Promise.all([page.waitForNavigation(), page.select('#units', 'in')]);
  await page.waitForSelector('body[data-ready="true"]');
  const address = lang(page.url());
  assert.deepEqual([address.get('lang'), address.get('units'), address.get('cylinder-diameter')], ['en', 'in', '50']);
  await page.close();
});

test('the wire field takes a gauge and shows its diameter, except in the window\'s Russian millimetres', async () => {
  for (const [search, shown] of [['?lang=en&units=in', '= 0.064 in'], ['?lang=en&units=mm', '= 1.628 mm'], ['?lang=ru&units=mm', null]]) {
    const page = await open(`${search}&separator=.`);
    await page.type('#wire-diameter', '14 AWG');
    assert.equal(await page.$eval('#wire-diameter', (input) => input.parentElement?.querySelector('output')?.textContent ?? null), shown, search);
    await page.close();
  }
});

test('axe-core finds no accessibility fault at a phone\'s and a desktop\'s size, light or dark, in either language', async () => {
  for (const language of ['ru', 'en']) {
    /** @type {[number, number, boolean][]} */
    const screens = [[390, 844, false], [1280, 800, false], [1280, 800, true]];
    for (const [width, height, dark] of screens) {
      const page = await open(query(millimetres, `&lang=${language}`), { width, height, dark });
      await page.waitForSelector('#report > :nth-child(38)');
      await page.waitForFunction(() => Number(document.getElementById('chart')?.dataset.points) > 0);
      // The help opened and the explorer laid out, so that all of it is checked.
      await page.evaluate(() => {
        /** @type {HTMLDetailsElement} */ (document.getElementById('help')).open = true;
        for (const id of ['explorer', 'help']) /** @type {HTMLElement} */ (document.getElementById(id)).style.contentVisibility = 'visible';
      });
      await page.evaluate(axeSource);
      const violations = await page.evaluate(async () =>
        // @ts-expect-error: axe is the script just run in the page
        (await window.axe.run(document)).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`));
      assert.deepEqual(violations, [], `${language} ${width}×${height}${dark ? ' dark' : ''}`);
      await page.close();
    }
  }
});

test('every Tab stop shows where the focus is', async () => {
  const page = await open(query(millimetres, '&lang=en'));
  await page.waitForSelector('#report > :nth-child(38)');
  await page.waitForFunction(() => Number(document.getElementById('chart')?.dataset.points) > 0);
  /** @type {string[]} */
  const unmarked = [];
  const seen = new Set();
  for (let i = 0; i < 80; i++) {
    await page.keyboard.press('Tab');
    const stop = await page.evaluate(() => {
      const element = document.activeElement;
      if (!element || element === document.body) return null;
      // A file input is drawn by its label, which shows the focus within.
      const drawn = element.matches('input[type="file"]') ? element.closest('label') ?? element : element;
      const style = getComputedStyle(drawn);
      const name = `${element.tagName.toLowerCase()}#${element.id}${element instanceof HTMLInputElement ? `[${element.value}]` : ''}`;
      return { name, marked: style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2 };
    });
    if (!stop || seen.has(stop.name)) break;
    seen.add(stop.name);
    if (!stop.marked) unmarked.push(stop.name);
  }
  assert.ok(seen.size > 20, `${seen.size} Tab stops`);
  assert.deepEqual(unmarked, []);
  await page.close();
});

test('at 320 px nothing, the coverage table included, is wider than the screen', async () => {
  for (const language of ['ru', 'en']) {
    const page = await open(query(millimetres, `&lang=${language}`), { width: 320, height: 700 });
    await page.waitForFunction(() => document.querySelectorAll('#coverage tbody tr').length > 0);
    const widths = await page.evaluate(() => {
      const explorer = /** @type {HTMLElement} */ (document.getElementById('explorer'));
      explorer.style.contentVisibility = 'visible';
      const table = /** @type {HTMLElement} */ (document.getElementById('coverage'));
      return { page: document.documentElement.scrollWidth, table: Math.ceil(table.getBoundingClientRect().right) };
    });
    assert.ok(widths.page <= 320 && widths.table <= 320, `${language} ${JSON.stringify(widths)}`);
    await page.close();
  }
});

test('a measured sweep is analysed in English words', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'eh-web-'));
  try {
    const file = join(folder, 'antenna.s1p');
    writeFileSync(file, seriesResonance({ resonanceHz: 14.2e6, q: 40, resistanceOhm: 50 }));
    const page = await open(query(millimetres, '&lang=en&separator=.'));
    await (await page.$('input#measurement-file'))?.uploadFile(file);
    await page.waitForSelector('#measurement-result:not([hidden])');
    const shown = await page.$eval('#measurement', (section) => ({
      labels: [...section.querySelectorAll('#measurement-figures th')].map((cell) => cell.textContent),
      words: /** @type {HTMLElement} */ (section).innerText,
    }));
    assert.deepEqual(shown.labels.slice(0, 3), ['Points measured', 'Resonance', 'SWR at resonance']);
    assert.doesNotMatch(shown.words, /[А-яЁё]/);
    await page.close();
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});
