// SPDX-License-Identifier: GPL-3.0-or-later
// The rules the page's JavaScript and the web tooling are held to
// (npm run lint).
import js from '@eslint/js';
import globals from 'globals';

export default [
  { ignores: ['node_modules/'] },
  js.configs.recommended,
  {
    rules: {
      eqeqeq: ['error', 'always', { null: 'ignore' }],
      'no-var': 'error',
      'prefer-const': 'error',
      'no-unused-vars': ['error', { argsIgnorePattern: '^_', caughtErrors: 'none' }],
    },
  },
  {
    // The page: ES modules in the browser, beside the WebAssembly glue.
    files: ['site/**/*.js'],
    languageOptions: { globals: { ...globals.browser, EhAntenna: 'readonly', EhExplorer: 'readonly' } },
  },
  {
    // Written into index.html as a classic script; the service worker.
    files: ['site/shell.js'],
    languageOptions: { sourceType: 'script' },
  },
  {
    files: ['site/sw.js'],
    languageOptions: { sourceType: 'script', globals: globals.serviceworker },
  },
  {
    // A classic worker: it loads the WebAssembly glue with importScripts.
    files: ['site/measurement-worker.js', 'site/explorer-worker.js'],
    languageOptions: { sourceType: 'script', globals: { ...globals.worker, EhAntenna: 'readonly', EhExplorer: 'readonly' } },
  },
  {
    // Building, serving, measuring and testing: Node.
    files: ['*.js', '*.mjs', 'tests/**/*.mjs'],
    languageOptions: { globals: globals.node },
  },
  {
    // The browser tests also run functions inside the page.
    files: ['tests/**/*.mjs', 'bench.mjs', 'screenshots.mjs'],
    languageOptions: { globals: globals.browser },
  },
];
