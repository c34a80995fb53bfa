// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The explorer's charts as SVG for the build sheet: the same stacked charts,
// axes and ticks as on screen (the model lays them out), the bands shaded
// with their edges drawn, the typed value in red, every curve a path.
import { px, tag, text } from './svg-markup.js';

// As on screen; red is left to the typed value's line.
export const kPalette = ['#2471a3', '#229954', '#7d3c98', '#b9770e', '#17202a', '#d35400'];
const kFont = 11;

/**
 * A curve's runs as one path's data: a subpath each, broken where its
 * points faulted (and where a value is not a number).
 * @param {ExplorerRun[]} runs
 * @param {(x: number) => number} toX
 * @param {(y: number) => number} toY
 */
export function runsPath(runs, toX, toY) {
  let d = '';
  for (const run of runs) {
    let drawing = false;
    run.x.forEach((x, i) => {
      const y = run.y[i];
      if (!Number.isFinite(x) || !Number.isFinite(y)) {
        drawing = false;
        return;
      }
      d += `${drawing ? 'L' : 'M'}${px(toX(x))} ${px(toY(y))}`;
      drawing = true;
    });
  }
  return d;
}

/**
 * The lowest and highest value of the curves, NaN for none.
 * @param {ExplorerCurve[]} curves
 */
function extremes(curves) {
  let low = Infinity;
  let high = -Infinity;
  for (const curve of curves)
    for (const run of curve.runs)
      for (const y of run.y)
        if (Number.isFinite(y)) {
          low = Math.min(low, y);
          high = Math.max(high, y);
        }
  return low <= high ? [low, high] : [NaN, NaN];
}

/**
 * @typedef {{
 *   results: ExplorerResult[],
 *   bands: ExplorerBand[],
 *   axis: (low: number, high: number, maxTicks: number) => ExplorerAxis,
 *   placeNames: (centres: number[], widths: number[], left: number, right: number, rows: number, gap: number) =>
 *     ({ left: number; row: number } | null)[],
 *   measure: (text: string) => number,
 *   width: number,
 *   height: number,
 * }} SheetChartParts
 */

/**
 * Each chart of the answer as SVG markup `width` × `height`, with its
 * legend's entries (colour, dashed, caption) for the page to wrap under it.
 * @param {ExplorerSweepAnswer} answer a whole sweep
 * @param {SheetChartParts} parts the model's axes and bands, and the text's widths
 * @returns {{ svg: string, legend: { colour: string, dashed: boolean, caption: string }[] }[]}
 */
export function sheetCharts(answer, parts) {
  const { results, bands, axis, width, height, measure } = parts;
  const curves = answer.curves ?? [];
  const pinned = answer.pinned ?? [];
  const xAxis = axis(answer.from ?? 0, answer.to ?? 1, Math.max(2, Math.floor(width / 90)));
  return (answer.charts ?? []).map((outputs, c) => {
    const typed = curves.filter((curve) => outputs.includes(curve.result));
    const shown = [...typed.map((curve, i) => ({ curve, colour: kPalette[i % kPalette.length], dashed: false, caption: results[curve.result].caption })),
      ...pinned.flatMap((pin) => pin.curves.filter((curve) => outputs.includes(curve.result)).map((curve) => ({
        curve, colour: kPalette[typed.findIndex((one) => one.result === curve.result) % kPalette.length], dashed: true,
        caption: `${results[curve.result].caption} (${pin.label})`,
      })))];
    /** @type {string[]} */
    const units = [];
    for (const { curve } of shown) if (!units.includes(results[curve.result].unit)) units.push(results[curve.result].unit);
    const yAxes = units.map((unit) => {
      const [low, high] = extremes(shown.filter(({ curve }) => results[curve.result].unit === unit).map(({ curve }) => curve));
      return axis(Number.isFinite(low) ? low : 0, Number.isFinite(high) ? high : 1, Math.max(3, Math.floor(height / 40)));
    });
    const room = (/** @type {ExplorerAxis | undefined} */ one) => (one ? 10 + Math.max(0, ...one.labels.map(measure)) : 10);
    const inside = bands.filter((band) => band.highMHz >= xAxis.low && band.lowMHz <= xAxis.high);
    // Room above the first chart for the bands' names.
    const named = c === 0 && inside.length > 0;
    const plot = { left: room(yAxes[0]), top: named ? 3 * kFont + 8 : kFont + 8, right: width - room(yAxes[1]), bottom: height - 2 * kFont - 10 };
    const toX = (/** @type {number} */ x) => plot.left + (x - xAxis.low) / (xAxis.high - xAxis.low) * (plot.right - plot.left);
    const toY = (/** @type {ExplorerAxis} */ one) => (/** @type {number} */ y) =>
      plot.bottom - (y - one.low) / (one.high - one.low) * (plot.bottom - plot.top);
    const clip = `sheet-clip-${c}`;
    let markup = tag('clipPath', { id: clip }, tag('rect', { x: plot.left, y: plot.top, width: px(plot.right - plot.left), height: px(plot.bottom - plot.top) }));
    // The bands behind the curves, each edge a line, the names on the first chart.
    for (const band of inside) {
      const left = Math.max(plot.left, toX(band.lowMHz));
      const right = Math.min(plot.right, toX(band.highMHz));
      markup += tag('rect', { class: 'band', x: px(left), y: plot.top, width: px(Math.max(0.5, right - left)), height: px(plot.bottom - plot.top) });
      for (const edge of [band.lowMHz, band.highMHz])
        if (edge >= xAxis.low && edge <= xAxis.high)
          markup += tag('line', { class: 'band-edge', 'data-edge': edge, x1: px(toX(edge)), x2: px(toX(edge)), y1: plot.top, y2: plot.bottom });
    }
    if (named) {
      const names = inside.map((band) => band.name);
      // Two rows where they crowd.
      parts.placeNames(inside.map((band) => (toX(band.lowMHz) + toX(band.highMHz)) / 2), names.map(measure), plot.left, plot.right, 2, 4)
        .forEach((place, i) => {
          if (place) markup += text({ class: 'band-name', x: px(place.left), y: plot.top - 4 - (1 - place.row) * (kFont + 2) }, names[i]);
        });
    }
    // The grid and the ticks: x below, the first unit on the left, the second on the right.
    xAxis.values.forEach((value, i) => {
      const x = px(toX(value));
      markup += tag('line', { class: 'grid', x1: x, x2: x, y1: plot.top, y2: plot.bottom })
        + text({ x, y: plot.bottom + kFont + 3, 'text-anchor': 'middle' }, xAxis.labels[i]);
    });
    yAxes.forEach((one, u) => one.values.forEach((value, i) => {
      const y = px(toY(one)(value));
      if (u === 0) markup += tag('line', { class: 'grid', x1: plot.left, x2: plot.right, y1: y, y2: y });
      markup += text({ x: u === 0 ? plot.left - 4 : plot.right + 4, y: px(y + kFont / 3), 'text-anchor': u === 0 ? 'end' : 'start' }, one.labels[i]);
    }));
    units.forEach((unit, u) => {
      markup += text({ class: 'unit', x: u === 0 ? 2 : width - 2, y: kFont, 'text-anchor': u === 0 ? 'start' : 'end' }, unit);
    });
    markup += text({ x: px((plot.left + plot.right) / 2), y: height - 2, 'text-anchor': 'middle' }, answer.xLabel ?? '');
    const curvePaths = shown.map(({ curve, colour, dashed }) => tag('path', {
      class: 'curve', d: runsPath(curve.runs, toX, toY(yAxes[units.indexOf(results[curve.result].unit)])), stroke: colour,
      'stroke-dasharray': dashed ? '6 4' : undefined,
    })).join('');
    const typedValue = answer.typedValue;
    const typedLine = typedValue !== undefined && typedValue >= xAxis.low && typedValue <= xAxis.high
      ? tag('line', { class: 'typed', x1: px(toX(typedValue)), x2: px(toX(typedValue)), y1: plot.top, y2: plot.bottom }) : '';
    markup += tag('g', { 'clip-path': `url(#${clip})` }, curvePaths + typedLine)
      + tag('rect', { class: 'frame', x: plot.left, y: plot.top, width: px(plot.right - plot.left), height: px(plot.bottom - plot.top) });
    return {
      svg: tag('svg', { xmlns: 'http://www.w3.org/2000/svg', viewBox: `0 0 ${width} ${height}`, class: 'sheet-chart', role: 'img' }, markup),
      legend: shown.map(({ colour, dashed, caption }) => ({ colour, dashed, caption })),
    };
  });
}
