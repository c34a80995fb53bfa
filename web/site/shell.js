// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The page's first script, written into index.html itself when the site is
// built, so that it runs whatever else does not arrive. While the page
// loads it says so (the body's class "loading"); when a script of the page
// cannot be fetched, or the start fails, it says what failed instead of
// leaving an empty form.
'use strict';

(() => {
  /** @param {string} text */
  function fail(text) {
    const status = document.getElementById('status');
    // The first failure is the one to mend; one after the start is not the
    // shell's to report.
    if (!status || !document.body.classList.contains('loading')) return;
    status.textContent = text;
    document.body.classList.replace('loading', 'failed');
  }

  // The calculator's WebAssembly is asked for now and, when the server names
  // its type, compiled as it arrives, while the rest of the page is read and
  // its scripts are fetched; wasm-load.js takes it up and says what failed.
  const file = 'eh-antenna.wasm';
  const response = fetch(file);
  const module = response.then((answer) =>
    answer.ok && answer.headers.get('Content-Type')?.startsWith('application/wasm') ? WebAssembly.compileStreaming(answer) : null);
  // Their failures are reported where they are taken up.
  response.catch(() => {});
  module.catch(() => {});

  window.ehShell = {
    wasm: { file, response, module },
    fileFailed: (file, reason) =>
      fail(`Страница не загрузилась: ${file} — ${reason}. Проверьте связь с сервером и обновите страницу.`),
    startFailed: (error) =>
      fail(`Страница не запустилась: ${error}. Обновите страницу; если это повторится, возможно, браузер устарел.`),
  };

  addEventListener('error', (event) => {
    const element = event.target;
    if (element instanceof HTMLScriptElement) {
      window.ehShell.fileFailed(new URL(element.src).pathname.split('/').pop() ?? element.src, 'файл не получен');
    } else if (event instanceof ErrorEvent) {
      window.ehShell.startFailed(event.message);
    }
  }, true);
})();
