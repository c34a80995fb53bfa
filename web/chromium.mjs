// SPDX-License-Identifier: GPL-3.0-or-later
// Debian's Chromium, headless, for the browser tests, the benchmark and the
// screenshots (EH_CHROMIUM names another build).
import puppeteer from 'puppeteer-core';

/** @param {string[]} [extraArguments] */
export function launchChromium(extraArguments = []) {
  return puppeteer.launch({
    executablePath: process.env.EH_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage', ...extraArguments],
  });
}
