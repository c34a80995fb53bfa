// SPDX-License-Identifier: GPL-3.0-or-later
// Puts the site together in one folder: the page and its scripts
// (minified), the WebAssembly and its glue (minified further than emscripten does), the vendored chart library
// (minified: its package ships the module only in full), the icons, the page's help in each
// language, and a service worker that knows every file of this build. The
// page's shell gets its script and the page's words in every language
// written in, so that it has its words before (and without) the
// WebAssembly, and asks for the page's modules at once. Its style sheet is
// written in too: the scripts wait for every style sheet, and one fewer
// file to wait for brings the first report nearer. For the same reason the
// page's script comes as one file with the modules it imports (esbuild),
// the explorer's and the measurement's modules, loaded after the first
// report, apart.
//
//   node web/build-site.mjs WASM_DIR SITE_DIR
import { copyFileSync, mkdirSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { build } from 'esbuild';
import { marked } from 'marked';
import { minify } from 'terser';
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

// The page's script with the modules it imports, in one file.
const bundled = await build({
  entryPoints: [join(web, 'site', 'app.js')],
  bundle: true,
  format: 'esm',
  external: ['./explorer.js', './measurement.js'],
  banner: { js: '// SPDX-License-Identifier: GPL-3.0-or-later' },
  outfile: join(siteDir, 'app.js'),
  minify: true,
  metafile: true,
  logLevel: 'warning',
});
/** @param {string} name a module of web/site: the site's modules it imports */
const importsOf = (name) => [...readFileSync(join(web, 'site', name), 'utf8')
  .matchAll(/^import .* from '\.\/([\w.-]+\.js)';$/gm)].map((match) => match[1]);
const siteModules = readdirSync(join(web, 'site')).filter((name) => name.endsWith('.js'));
// A module in app.js stays a file of its own only when another imports it.
const inApp = new Set(Object.keys(bundled.metafile.inputs).map((input) => input.split('/').pop()));
const importedElsewhere = new Set(siteModules.filter((name) => !inApp.has(name)).flatMap(importsOf));
/**
 * Writes the script at `from` minified (a third smaller, gzipped).
 * @param {string} from
 * @param {string} name
 * @param {boolean} module whether it is an ES module
 */
const minified = async (from, name, module) =>
  writeFileSync(join(siteDir, name), (await minify(readFileSync(from, 'utf8'), { module })).code ?? '');
// The page's other scripts minified too: its modules, and its workers,
// which are classic scripts.
for (const name of readdirSync(join(web, 'site'))) {
  if (['sw.js', 'index.html', 'shell.js', 'style.css'].includes(name) || (inApp.has(name) && !importedElsewhere.has(name)))
    continue;
  if (name.endsWith('.js')) await minified(join(web, 'site', name), name, !name.endsWith('-worker.js'));
  else copy(join(web, 'site', name), name);
}

await minified(join(wasmDir, 'eh-antenna.js'), 'eh-antenna.js', false);
copy(join(wasmDir, 'eh-antenna.wasm'), 'eh-antenna.wasm');
await minified(join(wasmDir, 'eh-explorer.js'), 'eh-explorer.js', false);
copy(join(wasmDir, 'eh-explorer.wasm'), 'eh-explorer.wasm');
await minified(join(modules, 'uplot', 'dist', 'uPlot.esm.js'), 'uPlot.esm.js', true);
copy(join(modules, 'uplot', 'dist', 'uPlot.min.css'), 'uPlot.min.css');
copy(join(modules, 'uplot', 'LICENSE'), 'uPlot-LICENSE.txt');
// The tab's icon and the installed page's: a browser scales the 256 px one
// down where it wants another size, so the site carries no 128 px one.
for (const size of [48, 256])
  copy(join(root, 'resources', 'icons', 'hicolor', `${size}x${size}`, 'apps', 'eh-antenna.png'), `icon-${size}.png`);

// The page's words in each language, from the same text files the program
// is built with: its own texts ("page.…", the key without the prefix), the
// units ("unit.…") and the window's texts that the page's first screen shows.
/** @type {Record<string, Record<string, string>>} */
const pageTexts = {};
for (const language of ['ru', 'en']) {
  /** @type {{ language: string, texts: Record<string, string> }} */
  const file = JSON.parse(readFileSync(join(root, 'text', 'languages', `${language}.json`), 'utf8'));
  const texts = Object.fromEntries(Object.entries(file.texts)
    .filter(([key]) => key.startsWith('page.') || key.startsWith('unit.'))
    .map(([key, text]) => [key.replace(/^page\./, ''), text]));
  texts.title = file.texts['window.caption'];
  texts.save = file.texts['window.save'];
  texts.calculate = Object.values(accessKeyParts(file.texts['window.calculate'])).join('');
  texts.measurementTitle = file.texts['measurement.title'];
  texts['explorer.print-sheet'] = Object.values(accessKeyParts(file.texts['explorer.design.print-sheet'])).join('');
  pageTexts[language] = texts;
}
/** @type {(text: string) => string} */
const escape = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
// The page's help in each language; the page shows the one of its language.
const help = Object.keys(pageTexts).map((language) =>
  `<div class="help-text" lang="${language}">\n${marked.parse(readFileSync(join(web, 'help', `${language}.md`), 'utf8'), { async: false })}</div>\n`).join('');
const page = readFileSync(join(web, 'site', 'index.html'), 'utf8')
  // The page's script is asked for with the page, not after its body is read.
  .replace('<link rel="manifest"', () => '<link rel="modulepreload" href="app.js">\n<link rel="manifest"')
  .replace('</summary></details>', () => `</summary>\n${help}</details>`)
  // The texts go into a script element, where "</" would end it.
  .replace('<script id="page-texts" type="application/json"></script>', () =>
    `<script id="page-texts" type="application/json">${JSON.stringify(pageTexts).replace(/</g, '\\u003c')}</script>`)
  .replace('<script src="shell.js"></script>', () => `<script>\n${readFileSync(join(web, 'site', 'shell.js'), 'utf8')}</script>`)
  .replace('<link rel="stylesheet" href="style.css">', () => `<style>\n${readFileSync(join(web, 'site', 'style.css'), 'utf8')}</style>`)
  // Written in Russian, the page's first language; the shell rewords it.
  .replace(/(<(\w+)[^>]* data-text="([\w.-]+)"[^>]*>)(<\/\2>)/g, (_, open, name, key, close) => {
    if (!(key in pageTexts.ru)) throw new Error(`index.html: no text for data-text="${key}"`);
    return `${open}${escape(pageTexts.ru[key])}${close}`;
  })
  .replace(/ data-label="([\w.-]+)"/g, (whole, key) => {
    if (!(key in pageTexts.ru)) throw new Error(`index.html: no text for data-label="${key}"`);
    return `${whole} aria-label="${escape(pageTexts.ru[key])}"`;
  });
writeFileSync(join(siteDir, 'index.html'), page);
writeServiceWorker(join(web, 'site', 'sw.js'), siteDir);
