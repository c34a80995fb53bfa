// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The window's captions mark their access key with "&" (as "Ра&cсчитать"):
// the page underlines that letter and gives it to the button as its key.

/**
 * The caption split around its access key; `key` is empty when the caption
 * marks none.
 * @param {string} caption
 * @returns {{ before: string, key: string, after: string }}
 */
export function accessKeyParts(caption) {
  const at = caption.indexOf('&');
  if (at < 0 || at === caption.length - 1) return { before: caption.replace('&', ''), key: '', after: '' };
  return { before: caption.slice(0, at), key: caption[at + 1], after: caption.slice(at + 2) };
}

/**
 * Writes a caption into a button, its access key underlined and given to the
 * button.
 * @param {HTMLElement} button
 * @param {string} caption
 */
export function writeCaption(button, caption) {
  const parts = accessKeyParts(caption);
  if (!parts.key) {
    button.textContent = parts.before;
    return;
  }
  const key = document.createElement('u');
  key.textContent = parts.key;
  button.replaceChildren(parts.before, key, parts.after);
  button.accessKey = parts.key.toLowerCase();
}
