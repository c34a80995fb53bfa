// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// SVG written as text: the drawing and the build sheet's chart are made as
// markup, so that the same code serves the page and the unit tests.

/**
 * An element with its attributes (an undefined one left out) and content,
 * the text of both escaped.
 * @param {string} name
 * @param {Record<string, string | number | undefined>} attributes
 * @param {string} [content] markup inside it
 */
export function tag(name, attributes, content) {
  const written = Object.entries(attributes).filter(([, value]) => value !== undefined)
    .map(([key, value]) => ` ${key}="${escapeText(String(value))}"`).join('');
  return content === undefined ? `<${name}${written}/>` : `<${name}${written}>${content}</${name}>`;
}

/**
 * A text element saying `words`.
 * @param {Record<string, string | number | undefined>} attributes
 * @param {string} words
 */
export const text = (attributes, words) => tag('text', attributes, escapeText(words));

/** @param {string} text */
export function escapeText(text) {
  return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
}

/**
 * A length in pixels, rounded to a hundredth so that a drawing's markup stays short.
 * @param {number} value
 */
export const px = (value) => Math.round(value * 100) / 100;

/**
 * How wide texts are in `font`, as the browser lays them out; each text
 * measured once (a layout tries the same labels at many scales).
 * @param {string} font a CSS font
 * @returns {(text: string) => number}
 */
export function textWidths(font) {
  const context = /** @type {CanvasRenderingContext2D} */ (document.createElement('canvas').getContext('2d'));
  context.font = font;
  /** @type {Map<string, number>} */
  const known = new Map();
  return (text) => {
    let width = known.get(text);
    if (width === undefined) {
      width = context.measureText(text).width;
      if (known.size > 1000) known.clear();
      known.set(text, width);
    }
    return width;
  };
}
