// SPDX-License-Identifier: GPL-3.0-or-later
// Puts the site together in one folder: the page, the WebAssembly and its
// glue, the vendored chart library, the icons, the help text made from the
// same source as the help document, and a service worker that knows every
// file of this build. The page's shell gets its script and the binding's
// captions written in, so that it has its words before (and without) the
// WebAssembly, and asks for the page's modules at once. Its style sheet is
// written in too: the scripts wait for every style sheet, and one fewer
// file to wait for brings the first report nearer.
//
//   node web/build-site.mjs WASM_DIR SITE_DIR
import { copyFileSync, mkdirSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { marked } from 'marked';
import { writeServiceWorker } from './service-worker.mjs';
import { accessKeyParts } from './site/caption.js';

const [wasmDir, siteDir] = process.argv.slice(2);
if (!wasmDir || !siteDir) {
  console.error('usage: node web/build-site.mjs WASM_DIR SITE_DIR');
  process.exit(2);
}
const web = dirname(fileURLToPath(import.meta.url));
const root = dirname(web);
const modules = join(web, 'node_modules');

rmSync(siteDir, { recursive: true, force: true });
mkdirSync(siteDir, { recursive: true });
/** @type {(from: string, name: string) => void} */
const copy = (from, name) => copyFileSync(from, join(siteDir, name));

for (const name of readdirSync(join(web, 'site')))
  if (!['sw.js', 'index.html', 'shell.js', 'style.css'].includes(name)) copy(join(web, 'site', name), name);
copy(join(wasmDir, 'eh-antenna.js'), 'eh-antenna.js');
copy(join(wasmDir, 'eh-antenna.wasm'), 'eh-antenna.wasm');
copy(join(wasmDir, 'eh-explorer.js'), 'eh-explorer.js');
copy(join(wasmDir, 'eh-explorer.wasm'), 'eh-explorer.wasm');
copy(join(modules, 'uplot', 'dist', 'uPlot.esm.js'), 'uPlot.esm.js');
copy(join(modules, 'uplot', 'dist', 'uPlot.min.css'), 'uPlot.min.css');
copy(join(modules, 'uplot', 'LICENSE'), 'uPlot-LICENSE.txt');
for (const size of [48, 128, 256])
  copy(join(root, 'resources', 'icons', 'hicolor', `${size}x${size}`, 'apps', 'eh-antenna.png'), `icon-${size}.png`);

/** @type {(options?: object) => Promise<Calculator>} */
const calculatorModule = createRequire(import.meta.url)(resolve(wasmDir, 'eh-antenna.js'));
const wasm = readFileSync(join(wasmDir, 'eh-antenna.wasm'));
const calculator = await calculatorModule({
  /**
   * @param {WebAssembly.Imports} imports
   * @param {(instance: WebAssembly.Instance) => void} receive
   */
  instantiateWasm(imports, receive) {
    WebAssembly.instantiate(wasm, imports).then(({ instance }) => receive(instance));
    return {};
  },
});
const texts = calculator.pageTexts();
/** @type {Record<string, string>} */
const shellTexts = {
  title: texts.title,
  save: texts.save,
  calculate: Object.values(accessKeyParts(texts.calculate)).join(''),
  measurementTitle: texts.measurementTitle,
};
const help = marked.parse(readFileSync(join(root, 'resources', 'help', 'help_eh.md'), 'utf8'), { async: false });
// The page's modules are fetched with the page rather than one level of
// imports after another.
const appModules = ['app.js', ...[...readFileSync(join(web, 'site', 'app.js'), 'utf8')
  .matchAll(/^import .* from '\.\/([\w.-]+\.js)';$/gm)].map((match) => match[1])];
const page = readFileSync(join(web, 'site', 'index.html'), 'utf8')
  .replace('<link rel="manifest"', () =>
    `${appModules.map((name) => `<link rel="modulepreload" href="${name}">\n`).join('')}<link rel="manifest"`)
  .replace('<section id="help"></section>', () => `<section id="help">\n${help}</section>`)
  .replace('<script src="shell.js"></script>', () => `<script>\n${readFileSync(join(web, 'site', 'shell.js'), 'utf8')}</script>`)
  .replace('<link rel="stylesheet" href="style.css">', () => `<style>\n${readFileSync(join(web, 'site', 'style.css'), 'utf8')}</style>`)
  .replace(/(<(\w+)[^>]* data-text="(\w+)"[^>]*>)(<\/\2>)/g, (_, open, name, key, close) => {
    if (!(key in shellTexts)) throw new Error(`index.html: no text for data-text="${key}"`);
    return `${open}${shellTexts[key]}${close}`;
  });
writeFileSync(join(siteDir, 'index.html'), page);
writeServiceWorker(join(web, 'site', 'sw.js'), siteDir);
