// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The page's first script, written into index.html itself when the site is
// built, so that it runs whatever else does not arrive. It chooses the
// page's language and units and words the page in that language (the texts
// of every language are written into the page beside it). While the page
// loads it says so (the body's class "loading"); when a script of the page
// cannot be fetched, or the start fails, it says what failed instead of
// leaving an empty form.
'use strict';

(() => {
  const address = new URL(location.href);
  const asked = address.searchParams.get('lang');
  // A shared link's language first, else the browser's: Russian for Russian,
  // English for any other.
  /** @type {PageLanguage} */
  const language = asked === 'ru' || asked === 'en' ? asked : /^ru\b/i.test(navigator.language) ? 'ru' : 'en';
  /** @type {PageUnits} */
  const units = address.searchParams.get('units') === 'in' ? 'in' : 'mm';
  document.documentElement.lang = language;
  /** @type {Record<PageLanguage, Record<string, string>>} */
  const texts = JSON.parse(document.getElementById('page-texts')?.textContent ?? '{}');

  /**
   * The page's text of `key` in its language, each "{name}" replaced by its value.
   * @param {string} key
   * @param {Record<string, string | number>} [values]
   */
  function text(key, values = {}) {
    const words = texts[language]?.[key];
    if (words === undefined) throw new Error(`no text for the key ${key}`);
    return words.replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole));
  }

  /** @param {string} words */
  function fail(words) {
    const status = document.getElementById('status');
    // The first failure is the one to mend; one after the start is not the
    // shell's to report.
    if (!status || !document.body.classList.contains('loading')) return;
    status.textContent = words;
    document.body.classList.replace('loading', 'failed');
  }

  // The calculator's WebAssembly (on its way since the page's first line
  // asked for it) is, when the server names its type, compiled as it
  // arrives, while the rest of the page is read and its scripts are fetched;
  // wasm-load.js takes it up and says what failed.
  const file = 'eh-antenna.wasm';
  const response = fetch(file);
  const module = response.then((answer) =>
    answer.ok && answer.headers.get('Content-Type')?.startsWith('application/wasm') ? WebAssembly.compileStreaming(answer) : null);
  // Their failures are reported where they are taken up.
  response.catch(() => {});
  module.catch(() => {});

  // The decimal mark the browser's language writes numbers with. Loading the
  // language's number rules takes a new page 20 ms or more of the processor,
  // so it is done as soon as the page has been read (not while it is read,
  // which it would hold up), while the WebAssembly and the page's script may
  // still be on their way, rather than when they have come. A returning
  // visitor's page (the site's worker answering it) takes the mark kept on
  // an earlier visit, for as long as the language stays the same. A first
  // visit does not touch the storage before its report: opening it in a new
  // profile costs time too.
  const markKey = `eh-antenna decimal mark ${navigator.language}`;
  /** @type {string | undefined} */
  let mark;
  const decimalMark = {
    get() {
      if (mark !== undefined) return mark;
      if (navigator.serviceWorker?.controller) {
        try {
          mark = localStorage.getItem(markKey) ?? undefined;
          if (mark) return mark;
        } catch {
          // Storage refused (a private window, a policy): the language's rules tell.
        }
      }
      mark = new Intl.NumberFormat(navigator.language).formatToParts(1.5).find((part) => part.type === 'decimal')?.value ?? '.';
      return mark;
    },
    /** Kept for the next visit, once the page has its report. */
    keep() {
      const shown = decimalMark.get();
      try {
        if (localStorage.getItem(markKey) !== shown) localStorage.setItem(markKey, shown);
      } catch {
        // As above.
      }
    },
  };
  document.addEventListener('readystatechange', decimalMark.get, { once: true });

  window.ehShell = {
    language,
    units,
    text,
    wasm: { file, response, module },
    decimalMark,
    fileFailed: (file, reason) => fail(text('load-failed', { file, reason })),
    startFailed: (error) => fail(text('start-failed', { error })),
  };

  // The page is written in Russian; the other language's words go in as
  // soon as the elements are there.
  document.addEventListener('DOMContentLoaded', () => {
    if (language === 'ru') return;
    for (const element of document.querySelectorAll('[data-text]')) {
      const key = /** @type {HTMLElement} */ (element).dataset.text ?? '';
      element.textContent = text(key);
    }
    for (const element of document.querySelectorAll('[data-label]'))
      element.setAttribute('aria-label', text(/** @type {HTMLElement} */ (element).dataset.label ?? ''));
  });

  addEventListener('error', (event) => {
    const element = event.target;
    if (element instanceof HTMLScriptElement) {
      window.ehShell.fileFailed(new URL(element.src).pathname.split('/').pop() ?? element.src, text('file-not-received'));
    } else if (event instanceof ErrorEvent) {
      window.ehShell.startFailed(event.message);
    }
  }, true);
})();
