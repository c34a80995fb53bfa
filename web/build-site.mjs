// SPDX-License-Identifier: GPL-3.0-or-later
// Puts the site together in one folder: the page, the WebAssembly and its
// glue, the vendored chart library, the icons, the help text made from the
// same source as the help document, and a service worker that knows every
// file of this build.
//
//   node web/build-site.mjs WASM_DIR SITE_DIR
import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { marked } from 'marked';

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
const copy = (from, name) => copyFileSync(from, join(siteDir, name));

for (const name of readdirSync(join(web, 'site')))
  if (name !== 'sw.js' && name !== 'index.html') copy(join(web, 'site', name), name);
copy(join(wasmDir, 'eh-antenna.js'), 'eh-antenna.js');
copy(join(wasmDir, 'eh-antenna.wasm'), 'eh-antenna.wasm');
copy(join(modules, 'uplot', 'dist', 'uPlot.iife.min.js'), 'uPlot.iife.min.js');
copy(join(modules, 'uplot', 'dist', 'uPlot.min.css'), 'uPlot.min.css');
copy(join(modules, 'uplot', 'LICENSE'), 'uPlot-LICENSE.txt');
for (const size of [48, 128, 256])
  copy(join(root, 'resources', 'icons', 'hicolor', `${size}x${size}`, 'apps', 'eh-antenna.png'), `icon-${size}.png`);

const help = marked.parse(readFileSync(join(root, 'resources', 'help', 'help_eh.md'), 'utf8'));
const page = readFileSync(join(web, 'site', 'index.html'), 'utf8')
  .replace('<section id="help"></section>', () => `<section id="help">\n${help}</section>`);
writeFileSync(join(siteDir, 'index.html'), page);

const files = readdirSync(siteDir).sort();
const hash = createHash('sha256');
for (const name of files) hash.update(name).update(readFileSync(join(siteDir, name)));
const worker = readFileSync(join(web, 'site', 'sw.js'), 'utf8')
  .replace('@VERSION@', `eh-antenna-${hash.digest('hex').slice(0, 16)}`)
  .replace('@FILES@', JSON.stringify(['./', ...files]));
writeFileSync(join(siteDir, 'sw.js'), worker);
