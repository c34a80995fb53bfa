// SPDX-License-Identifier: GPL-3.0-or-later
// Serves a folder on 127.0.0.1, with the types a browser needs for
// WebAssembly and the manifest. The browser tests start it too.
//
//   node web/serve.mjs SITE_DIR [PORT]    (PORT 0: any free port)
import { createReadStream, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

/** @type {Record<string, string>} */
const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.mjs': 'text/javascript',
  '.css': 'text/css', '.wasm': 'application/wasm', '.png': 'image/png', '.svg': 'image/svg+xml',
  '.webmanifest': 'application/manifest+json', '.txt': 'text/plain; charset=utf-8',
};

/**
 * @param {string} siteDir
 * @param {number} [port]
 * @param {object} [options]
 * @param {boolean} [options.fileTimes]  answer as Python's http.server does:
 *   Last-Modified and 304 Not Modified, no Cache-Control, so that browsers
 *   keep files as long as their age suggests
 * @param {(path: string) => Promise<void> | undefined} [options.hold]  a
 *   request waits for the promise this returns for its path
 * @param {Record<string, string>} [options.documents]  HTML documents
 *   answered at these paths besides the folder's files (the benchmark's
 *   blank page, served beside the site)
 */
export function serve(siteDir, port = 0, { fileTimes = false, hold = () => undefined, documents = {} } = {}) {
  const base = resolve(siteDir);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url ?? '/', 'http://localhost').pathname);
    if (Object.hasOwn(documents, path)) {
      response.writeHead(200, { 'Content-Type': types['.html'], 'Cache-Control': 'no-cache' }).end(documents[path]);
      return;
    }
    let file = normalize(join(base, path));
    if (!file.startsWith(base)) { response.writeHead(403).end(); return; }
    await hold(path);
    try {
      if (statSync(file).isDirectory()) file = join(file, 'index.html');
      const { size, mtime } = statSync(file);
      /** @type {Record<string, string | number>} */
      const headers = { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' };
      if (fileTimes) {
        headers['Last-Modified'] = mtime.toUTCString();
        const since = Date.parse(request.headers['if-modified-since'] ?? '');
        if (Math.floor(mtime.getTime() / 1000) <= since / 1000) { response.writeHead(304, headers).end(); return; }
      } else {
        headers['Cache-Control'] = 'no-cache';
      }
      response.writeHead(200, { ...headers, 'Content-Length': size });
      createReadStream(file).pipe(response);
    } catch {
      response.writeHead(404).end('not found');
    }
  });
  return new Promise((ready) => server.listen(port, '127.0.0.1', () => ready(server)));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [siteDir, port = '8080'] = process.argv.slice(2);
  serve(siteDir, Number(port)).then((server) =>
    console.log(`Serving ${siteDir} at http://127.0.0.1:${server.address().port}/ (Ctrl+C stops)`));
}
