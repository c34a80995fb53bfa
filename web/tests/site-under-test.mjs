// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// What the browser tests share: the built site served on a free port for a
// test file's tests with one headless Chromium, a page opened as a user with
// a given browser language, screen and colour scheme opens it, and a file the
// page downloads as the browser saves it.
import { mkdtempSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { after, before } from 'node:test';
import { fileURLToPath } from 'node:url';
import { launchChromium } from '../chromium.mjs';
import { serve } from '../serve.mjs';

export const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const site = process.env.EH_SITE ?? join(root, 'build-web', 'site');

/**
 * Serves the site and starts the browser before the calling file's tests,
 * and stops both after them.
 */
export function siteUnderTest() {
  /** @type {import('puppeteer-core').Browser | undefined} */
  let browser;
  /** @type {import('node:http').Server | undefined} */
  let server;
  let origin = '';
  before(async () => {
    server = await serve(site, 0);
    origin = `http://127.0.0.1:${/** @type {import('node:net').AddressInfo} */ (server.address()).port}`;
    browser = await launchChromium();
  });
  after(async () => {
    await browser?.close();
    server?.close();
  });
  return {
    get origin() { return origin; },
    /**
     * The page at `search`, started and ready for input.
     * @param {string} [search]
     * @param {{ language?: string, width?: number, height?: number, dark?: boolean, errors?: string[] }} [user]
     *   `errors` collects the page's uncaught errors, from its start on
     */
    async open(search = '', { language = 'ru-RU', width = 1280, height = 800, dark = false, errors } = {}) {
      if (!browser) throw new Error('the browser has not started');
      const page = await browser.newPage();
      if (errors) page.on('pageerror', (error) => errors.push(error.message));
      await page.setViewport({ width, height });
      await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: dark ? 'dark' : 'light' }]);
      await page.evaluateOnNewDocument((lang) => {
        Object.defineProperty(navigator, 'language', { get: () => lang });
      }, language);
      await page.goto(`${origin}/index.html${search}`);
      await page.waitForSelector('body[data-ready="true"]');
      return page;
    },
  };
}

/**
 * Clicks `selector` and returns the bytes of the file `name` the browser
 * saves for it, failing after ten seconds without one.
 * @param {import('puppeteer-core').Page} page
 * @param {string} selector
 * @param {string} name
 */
export async function downloadedFile(page, selector, name) {
  const folder = mkdtempSync(join(tmpdir(), 'eh-download-'));
  try {
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await page.click(selector);
    // The browser writes under another name and renames the file when whole.
    for (const deadline = Date.now() + 10000; !readdirSync(folder).includes(name);) {
      if (Date.now() > deadline) throw new Error(`${name} was not downloaded within ten seconds`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    return readFileSync(join(folder, name));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}
