// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// Hands the user a file the page made, under a name of the page's choosing.

/**
 * @param {string} name
 * @param {Blob} contents
 */
export function download(name, contents) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(contents);
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}
