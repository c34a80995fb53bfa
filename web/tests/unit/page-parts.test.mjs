// SPDX-License-Identifier: GPL-3.0-or-later
// The page's parts that need no browser: a caption's access key, the saved
// report's name, what a failed WebAssembly load tells the user, and a
// measurement file taken before its section has loaded.
//
//   cd web && npm test
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';
import { accessKeyParts } from '../../site/caption.js';
import { FileIntake } from '../../site/file-intake.js';
import { reportFileName } from '../../site/report-name.js';
import { LoadFailure, instantiateWasm } from '../../site/wasm-load.js';

test('a caption splits around the letter after "&"', () => {
  /** @type {[string, ReturnType<typeof accessKeyParts>][]} */
  const cases = [
    ['Ра&cсчитать', { before: 'Ра', key: 'c', after: 'считать' }],
    ['&Файл', { before: '', key: 'Ф', after: 'айл' }],
    ['Сохранить', { before: 'Сохранить', key: '', after: '' }],
    ['Конец&', { before: 'Конец', key: '', after: '' }],
  ];
  for (const [caption, parts] of cases) assert.deepEqual(accessKeyParts(caption), parts, caption);
});

test('a saved report is named after its frequency, in letters any file system takes', () => {
  /** @type {[number | undefined, string][]} */
  const cases = [
    [14.2, 'eh-antenna-14.2MHz.txt'],
    [7.0745, 'eh-antenna-7.0745MHz.txt'],
    [0.1 + 0.2, 'eh-antenna-0.3MHz.txt'],
    [144.123456789, 'eh-antenna-144.123MHz.txt'],
    [1e300, 'eh-antenna-1e300MHz.txt'],
    [1e-7, 'eh-antenna-1e-7MHz.txt'],
    [0, 'eh-antenna.txt'],
    [-3.5, 'eh-antenna.txt'],
    [Number.NaN, 'eh-antenna.txt'],
    [Number.POSITIVE_INFINITY, 'eh-antenna.txt'],
    [undefined, 'eh-antenna.txt'],
  ];
  for (const [frequency, name] of cases) assert.equal(reportFileName(frequency), name, String(frequency));
});

// The smallest module there is: the magic number and version 1.
const emptyModule = new Uint8Array([0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00]);
const wasmType = { 'Content-Type': 'application/wasm' };
/** @type {Record<string, string>} */
const russianTexts = JSON.parse(readFileSync(new URL('../../../text/languages/ru.json', import.meta.url), 'utf8')).texts;
/** The page's Russian words, as the shell gives them. */
const russian = (/** @type {string} */ key, /** @type {Record<string, string>} */ values = {}) =>
  russianTexts[`page.${key}`].replace(/\{(\w+)\}/g, (_, name) => values[name]);

/**
 * The WebAssembly as the shell starts it: compiled as it arrives when the
 * answer names its type.
 * @param {() => Promise<Response>} fetchFile
 * @returns {WasmStart}
 */
const started = (fetchFile) => {
  const response = fetchFile();
  const module = response.then((answer) =>
    answer.ok && answer.headers.get('Content-Type') === 'application/wasm' ? WebAssembly.compileStreaming(answer) : null);
  module.catch(() => {});
  return { file: 'eh-antenna.wasm', response, module };
};

test('the WebAssembly starts whether or not the server names its type', async () => {
  for (const headers of [wasmType, {}]) {
    const { instance } = await instantiateWasm(started(async () => new Response(emptyModule, { headers })), {}, russian);
    assert.ok(instance instanceof WebAssembly.Instance);
  }
});

test('a failed WebAssembly load names the file and the cause', async () => {
  /** @type {[string, () => Promise<Response>, string | RegExp][]} */
  const cases = [
    ['no server', async () => { throw new TypeError('Failed to fetch'); }, 'сервер не ответил'],
    ['missing', async () => new Response('not found', { status: 404, statusText: 'Not Found' }), 'сервер ответил «404 Not Found»'],
    ['an error without words', async () => new Response('', { status: 503 }), 'сервер ответил «503»'],
    ['cut off', async () => new Response(emptyModule.slice(0, 6), { headers: wasmType }), /^файл повреждён или пришёл не целиком \(.+\)$/],
    ['not WebAssembly', async () => new Response('<html>', { headers: { 'Content-Type': 'text/html' } }), /^файл повреждён или пришёл не целиком \(.+\)$/],
  ];
  for (const [what, fetchFile, reason] of cases) {
    await assert.rejects(instantiateWasm(started(fetchFile), {}, russian), (error) => {
      assert.ok(error instanceof LoadFailure, what);
      assert.equal(error.file, 'eh-antenna.wasm', what);
      if (typeof reason === 'string') assert.equal(error.reason, reason, what);
      else assert.match(error.reason, reason, what);
      return true;
    });
  }
});

test('a file picked or dropped before the measurement section loads is opened once it has, the newest only', () => {
  /** @param {string} name */
  const file = (name) => /** @type {File} */ (/** @type {unknown} */ ({ name }));
  /** @type {any} */
  const picker = Object.assign(new EventTarget(), { files: [file('first.s1p')], value: 'first.s1p' });
  /** @type {any} */
  const zone = Object.assign(new EventTarget(), { classList: { add() {}, remove() {} }, contains: () => false });
  const status = /** @type {HTMLElement} */ (/** @type {unknown} */ ({ textContent: '' }));
  const intake = new FileIntake(picker, zone, status, (name) => russian('measurement.waiting', { name }), new EventTarget());
  picker.dispatchEvent(new Event('change'));
  assert.equal(picker.value, '', 'the same file can be picked again');
  const drop = Object.assign(new Event('drop', { cancelable: true }),
    { dataTransfer: { types: ['Files'], files: [file('second.s1p')] } });
  zone.dispatchEvent(drop);
  assert.ok(drop.defaultPrevented, 'the browser does not open the dropped file itself');
  assert.equal(status.textContent, '«second.s1p» откроется, как только раздел загрузится…');

  /** @type {string[]} */
  const opened = [];
  intake.deliverTo((taken) => opened.push(taken.name));
  assert.deepEqual(opened, ['second.s1p']);
  picker.files = [file('third.s1p')];
  picker.dispatchEvent(new Event('change'));
  assert.deepEqual(opened, ['second.s1p', 'third.s1p']);
});
