// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the site's service worker: the list of the site's files and a
// version named after their contents, so that any change to a file makes
// browsers install the site anew.
import { createHash } from 'node:crypto';
import { readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

/**
 * @param {string} template  the service worker's source (web/site/sw.js)
 * @param {string} siteDir  the built site, every file but the worker itself
 */
export function writeServiceWorker(template, siteDir) {
  const files = readdirSync(siteDir).filter((name) => name !== 'sw.js').sort();
  const hash = createHash('sha256');
  for (const name of files) hash.update(name).update(readFileSync(join(siteDir, name)));
  const worker = readFileSync(template, 'utf8')
    .replace(/\/\* version \*\/ '[^']*'/, () => JSON.stringify(`eh-antenna-${hash.digest('hex').slice(0, 16)}`))
    .replace('/* files */ []', () => JSON.stringify(['./', ...files]));
  writeFileSync(join(siteDir, 'sw.js'), worker);
}
