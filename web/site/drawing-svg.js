// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The antenna's to-scale drawing as SVG, from the model's shapes (what is
// drawn and what each dimension says are the model's; this only lays them
// out): each figure at the largest scale at which it, its dimension lines and
// their labels fit whole, a label that would overlap another moved outwards.
// The bodies keep their millimetres under a scaling group.
import { px, tag, text } from './svg-markup.js';

const kArrow = 5;
// How far a dimension line stands off the edge it measures.
const kSideLineGap = 8;
const kEdgeLineGap = 5;
// The share of the height the flat variant takes.
const kFlatShare = 0.3;
const kFont = 12;
const kLine = 15;

/** @typedef {{ left: number, top: number, right: number, bottom: number }} Box */

/** @type {(a: Box, b: Box) => Box} */
const union = (a, b) => ({ left: Math.min(a.left, b.left), top: Math.min(a.top, b.top),
  right: Math.max(a.right, b.right), bottom: Math.max(a.bottom, b.bottom) });
/** @type {(a: Box, b: Box) => boolean} */
const overlap = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
/** @type {(box: Box, dx: number, dy: number) => Box} */
const moved = (box, dx, dy) => ({ left: box.left + dx, top: box.top + dy, right: box.right + dx, bottom: box.bottom + dy });

/** @type {Record<DrawingSide, [number, number]>} */
const kShift = { left: [-kSideLineGap, 0], right: [kSideLineGap, 0], above: [0, -kEdgeLineGap], below: [0, kEdgeLineGap] };

/**
 * The figure at `scale` pixels a millimetre, its origin at 0, 0.
 * @param {DrawingFigure} figure
 * @param {number} scale
 * @param {(text: string) => number} measure a text's width in pixels
 */
function layOut(figure, scale, measure) {
  /** @type {Box | null} */
  let bounds = null;
  /** @param {Box} box */
  const grow = (box) => { bounds = bounds ? union(bounds, box) : box; };
  for (const body of figure.bodies)
    grow({ left: body.x * scale, top: body.y * scale, right: (body.x + body.width) * scale, bottom: (body.y + body.height) * scale });
  /** @type {[number, number, number, number][]} */
  const lines = [];
  /** @type {Box[]} */
  const labels = [];
  for (const dimension of figure.dimensions) {
    const [dx, dy] = kShift[dimension.side];
    const line = /** @type {[number, number, number, number]} */ (
      [dimension.from[0] * scale + dx, dimension.from[1] * scale + dy, dimension.to[0] * scale + dx, dimension.to[1] * scale + dy]);
    lines.push(line);
    const width = measure(dimension.label) + 4;
    const cx = (line[0] + line[2]) / 2;
    const cy = (line[1] + line[3]) / 2;
    const side = dimension.side;
    const x = side === 'left' ? cx - width - 2 : side === 'right' ? cx + 2 : cx - width / 2;
    const y = side === 'above' ? cy - kLine - 1 : side === 'below' ? cy + 1 : cy - kLine / 2;
    let box = { left: x, top: y, right: x + width, bottom: y + kLine };
    // Short neighbouring dimensions: the later label steps outwards until
    // it stands clear of the earlier ones.
    for (let tries = 0; tries < labels.length; ++tries) {
      const other = labels.find((one) => overlap(one, box));
      if (!other) break;
      box = side === 'left' ? moved(box, other.left - box.right, 0) : side === 'right' ? moved(box, other.right - box.left, 0)
        : side === 'above' ? moved(box, 0, other.top - box.bottom) : moved(box, 0, other.bottom - box.top);
    }
    labels.push(box);
    grow({ left: Math.min(line[0], line[2]) - kArrow, top: Math.min(line[1], line[3]) - kArrow,
      right: Math.max(line[0], line[2]) + kArrow, bottom: Math.max(line[1], line[3]) + kArrow });
    grow(box);
  }
  const all = /** @type {Box} */ (bounds ?? { left: 0, top: 0, right: 0, bottom: 0 });
  const centre = (all.left + all.right) / 2;
  /** @type {Box[]} */
  const notes = [];
  let y = all.bottom + 2;
  for (const note of figure.notes) {
    const width = measure(note) + 4;
    notes.push({ left: centre - width / 2, top: y, right: centre + width / 2, bottom: y + kLine });
    grow(notes[notes.length - 1]);
    y += kLine;
  }
  return { scale, lines, labels, notes, bounds: /** @type {Box} */ (bounds ?? all) };
}

/**
 * The figure laid out in `room` at the largest scale at which it fits, or
 * null where there is nothing to draw or no room.
 * @param {DrawingFigure} figure
 * @param {Box} room
 * @param {(text: string) => number} measure
 */
export function placeFigure(figure, room, measure) {
  if (figure.fault || figure.bodies.length === 0 || room.right <= room.left || room.bottom <= room.top) return null;
  const extent = figure.bodies.map((body) => ({ left: body.x, top: body.y, right: body.x + body.width, bottom: body.y + body.height }))
    .reduce(union);
  const width = room.right - room.left;
  const height = room.bottom - room.top;
  /** @param {ReturnType<typeof layOut>} layout */
  const fits = ({ bounds }) => bounds.right - bounds.left <= width && bounds.bottom - bounds.top <= height;
  // The layout only grows with the scale, so halving the interval finds it.
  let low = 0;
  let high = Math.min(width / (extent.right - extent.left), height / (extent.bottom - extent.top));
  if (!fits(layOut(figure, high, measure))) {
    for (let i = 0; i < 40; ++i) {
      const middle = (low + high) / 2;
      if (fits(layOut(figure, middle, measure))) low = middle;
      else high = middle;
    }
    high = low;
  }
  if (!(high > 0)) return null;
  const placed = layOut(figure, high, measure);
  // Centred across, from the top.
  const dx = (room.left + room.right) / 2 - (placed.bounds.left + placed.bounds.right) / 2;
  const dy = room.top - placed.bounds.top;
  return {
    scale: high,
    origin: [dx, dy],
    lines: placed.lines.map(([x1, y1, x2, y2]) => [x1 + dx, y1 + dy, x2 + dx, y2 + dy]),
    labels: placed.labels.map((box) => moved(box, dx, dy)),
    notes: placed.notes.map((box) => moved(box, dx, dy)),
  };
}

/**
 * A text centred in a box.
 * @param {Box} box
 * @param {string} words
 */
const centred = (box, words) => text({ x: px((box.left + box.right) / 2), y: px((box.top + box.bottom) / 2), 'text-anchor': 'middle', 'dominant-baseline': 'central' }, words);

/**
 * @param {DrawingFigure} figure
 * @param {string} part what its bars are: "cylinder" or "arm"
 * @param {Box} area
 * @param {(text: string) => number} measure
 */
function figureMarkup(figure, part, area, measure) {
  let markup = figure.title ? text({ x: px(area.left), y: px(area.top + kFont) }, figure.title) : '';
  const room = figure.title ? { ...area, top: area.top + kLine + 8 } : area;
  if (figure.fault) return markup + centred(room, figure.fault);
  const placed = placeFigure(figure, room, measure);
  if (!placed) return markup;
  const { scale, origin } = placed;
  // The bodies in millimetres, their outlines a pixel wide at any scale.
  const bodies = figure.bodies.map((body) => tag('rect', { x: body.x, y: body.y, width: body.width, height: body.height,
    class: body.coil ? 'coil' : 'arm', 'data-part': body.coil ? 'coil' : part })).join('')
    + figure.strokes.map((stroke) => tag('line', { x1: stroke.from[0], y1: stroke.from[1], x2: stroke.to[0], y2: stroke.to[1],
      class: stroke.turn ? 'turn' : 'wire' })).join('');
  markup += tag('g', { transform: `translate(${px(origin[0])} ${px(origin[1])}) scale(${scale})` }, bodies);
  placed.lines.forEach(([x1, y1, x2, y2], i) => {
    const angle = Math.atan2(y2 - y1, x2 - x1);
    const head = (/** @type {number} */ x, /** @type {number} */ y, /** @type {number} */ direction) =>
      tag('path', { d: `M${px(x)} ${px(y)}L${[0.4, -0.4].map((turn) =>
        `${px(x + Math.cos(direction + turn) * kArrow)} ${px(y + Math.sin(direction + turn) * kArrow)}`).join('L')}Z` });
    markup += tag('g', { class: 'dimension' }, tag('line', { x1: px(x1), y1: px(y1), x2: px(x2), y2: px(y2) })
      + head(x1, y1, angle) + head(x2, y2, angle + Math.PI) + centred(placed.labels[i], figure.dimensions[i].label));
  });
  figure.notes.forEach((note, i) => { markup += centred(placed.notes[i], note); });
  return markup;
}

/**
 * The drawing `width` × `height` pixels: the caption, the cylinders over
 * the coil, and the flat variant under them.
 * @param {AntennaShapes} shapes
 * @param {number} width
 * @param {number} height
 * @param {(text: string) => number} measure a text's width in pixels at the drawing's 12-pixel font
 * @returns {{ viewBox: string, markup: string }}
 */
export function drawingMarkup(shapes, width, height, measure) {
  const all = { left: 6, top: 6, right: width - 6, bottom: height - 6 };
  let markup = text({ x: all.left, y: all.top + kFont }, shapes.caption);
  if (shapes.fault) {
    markup += centred(all, shapes.fault);
  } else {
    const flatHeight = (all.bottom - all.top) * kFlatShare;
    const [cylinder, flat] = shapes.figures;
    markup += figureMarkup(cylinder, 'cylinder', { ...all, top: all.top + kLine + 8, bottom: all.bottom - flatHeight - 8 }, measure);
    markup += figureMarkup(flat, 'arm', { ...all, top: all.bottom - flatHeight }, measure);
  }
  return { viewBox: `0 0 ${width} ${height}`, markup };
}
