// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The antenna's to-scale drawing as SVG, from the drawing the model lays out
// (what is drawn, what each dimension says and where everything lands are
// the model's; this only writes them down). The bodies keep their
// millimetres under a scaling group.
import { px, tag, text } from './svg-markup.js';

// The drawing's 12-pixel font and the height of its lines.
const kFont = 12;
const kLine = 15;

/** @typedef {{ left: number, top: number, right: number, bottom: number }} Box */

/**
 * A text centred in a box.
 * @param {Box} box
 * @param {string} words
 */
const centred = (box, words) => text({ x: px((box.left + box.right) / 2), y: px((box.top + box.bottom) / 2), 'text-anchor': 'middle', 'dominant-baseline': 'central' }, words);

/** @param {[number, number][]} corners */
const polygon = (corners) => `M${corners.map(([x, y]) => `${px(x)} ${px(y)}`).join('L')}Z`;

/**
 * @param {PlacedDrawingFigure} figure
 * @param {string} part what its bars are: "cylinder" or "arm"
 */
function figureMarkup(figure, part) {
  let markup = figure.title ? text({ x: px(figure.area.left), y: px(figure.area.top + kFont) }, figure.title) : '';
  if (figure.fault) return markup + centred(figure.room, figure.fault);
  if (!(figure.scale > 0)) return markup;
  // The bodies in millimetres, their outlines a pixel wide at any scale.
  const bodies = figure.bodies.map((body) => tag('rect', { x: body.x, y: body.y, width: body.width, height: body.height,
    class: body.coil ? 'coil' : 'arm', 'data-part': body.coil ? 'coil' : part })).join('')
    + figure.strokes.map((stroke) => tag('line', { x1: stroke.from[0], y1: stroke.from[1], x2: stroke.to[0], y2: stroke.to[1],
      class: stroke.turn ? 'turn' : 'wire' })).join('');
  markup += tag('g', { transform: `translate(${px(figure.origin[0])} ${px(figure.origin[1])}) scale(${figure.scale})` }, bodies);
  for (const { from, to, heads, label, box } of figure.dimensions) {
    markup += tag('g', { class: 'dimension' }, tag('line', { x1: px(from[0]), y1: px(from[1]), x2: px(to[0]), y2: px(to[1]) })
      + heads.map((head) => tag('path', { d: polygon(head) })).join('') + centred(box, label));
  }
  for (const note of figure.notes) markup += centred(note.box, note.text);
  return markup;
}

/**
 * The drawing `width` × `height` pixels: the caption, the cylinders over
 * the coil, and the flat variant under them.
 * @param {(width: number, height: number, measure: (text: string) => number, lineHeight: number) => PlacedDrawing} layOut
 *   the model's layout of the drawing
 * @param {number} width
 * @param {number} height
 * @param {(text: string) => number} measure a text's width in pixels at the drawing's 12-pixel font
 * @returns {{ viewBox: string, markup: string }}
 */
export function drawingMarkup(layOut, width, height, measure) {
  const drawing = layOut(width, height, measure, kLine);
  let markup = text({ x: drawing.inner.left, y: drawing.inner.top + kFont }, drawing.caption);
  if (drawing.fault) {
    markup += centred(drawing.inner, drawing.fault);
  } else {
    const [cylinder, flat] = drawing.figures;
    markup += figureMarkup(cylinder, 'cylinder') + figureMarkup(flat, 'arm');
  }
  return { viewBox: `0 0 ${width} ${height}`, markup };
}
