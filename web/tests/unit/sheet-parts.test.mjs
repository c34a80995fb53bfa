// SPDX-License-Identifier: GPL-3.0-or-later
// The build sheet's parts that need no browser: a curve's path, the chart's
// bands and their edges, and the drawing written from the model's layout.
//
//   cd web && npm test
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { drawingMarkup } from '../../site/drawing-svg.js';
import { runsPath, sheetCharts } from '../../site/sheet-chart.js';

/** @param {number[]} x @param {number[]} y */
const run = (x, y) => ({ x: Float64Array.from(x), y: Float64Array.from(y) });
// Seven pixels a character: widths that need no fonts.
const measure = (/** @type {string} */ text) => 7 * text.length;

test('a curve is one path, a subpath for each run, broken where a value is not a number', () => {
  const double = (/** @type {number} */ v) => 2 * v;
  assert.equal(runsPath([run([1, 2, 3, 4], [5, NaN, 6, 7.126]), run([8], [9])], double, (y) => -y),
    'M2 -5M6 -6L8 -7.13M16 -9');
  assert.equal(runsPath([], double, double), '');
});

test('the chart shades the bands in its range and draws each edge inside it, the typed value and the pins', () => {
  const [chart, ...more] = sheetCharts({
    message: '', complete: true, from: 13, to: 15, frequency: true, xLabel: 'F', typedValue: 14.2,
    curves: [{ result: 0, runs: [run([13, 14, 15], [1, 3, 2])] }],
    pinned: [{ label: 'D = 40', curves: [{ result: 0, runs: [run([13, 15], [2, 2])] }] }],
    charts: [[0]],
  }, {
    results: [{ caption: 'Efficiency', unit: '%', chosen: true }],
    bands: [{ name: '20 m', lowMHz: 14, highMHz: 14.35 }, { name: '15 m', lowMHz: 21, highMHz: 21.45 }, { name: '22 m', lowMHz: 12.9, highMHz: 13.5 }],
    axis: (low, high) => ({ low, high, values: [low, high], labels: [String(low), String(high)] }),
    placeNames: (centres) => centres.map((centre) => ({ left: centre, row: 0 })),
    measure,
    width: 700,
    height: 250,
  });
  assert.equal(more.length, 0);
  // 12.9 lies left of the range: its band is shaded, its edge not drawn.
  assert.deepEqual([...chart.svg.matchAll(/data-edge="([\d.]+)"/g)].map((match) => match[1]), ['14', '14.35', '13.5']);
  assert.equal([...chart.svg.matchAll(/class="band"/g)].length, 2);
  assert.match(chart.svg, />20 m</);
  assert.doesNotMatch(chart.svg, />15 m</);
  assert.match(chart.svg, /class="typed"/);
  assert.equal([...chart.svg.matchAll(/class="curve"/g)].length, 2);
  assert.deepEqual(chart.legend, [
    { colour: '#2471a3', dashed: false, caption: 'Efficiency' },
    { colour: '#2471a3', dashed: true, caption: 'Efficiency (D = 40)' },
  ]);
});

test('the drawing writes what the model placed: bodies in millimetres, dimensions and notes where they land, a fault said', () => {
  const box = { left: 10, top: 20, right: 30, bottom: 40 };
  /** @type {PlacedDrawingFigure} */
  const figure = {
    title: '', fault: '', area: box, room: box, scale: 2, origin: [100, 5], strokes: [],
    bodies: [{ coil: false, x: -25, y: 0, width: 50, height: 100 }, { coil: true, x: -25, y: 101, width: 50, height: 30 }],
    dimensions: [{ from: [1, 2], to: [1, 50], heads: [[[1, 2], [3, 7], [-1, 7]], [[1, 50], [3, 45], [-1, 45]]], label: '100', box }],
    notes: [{ text: 'Turns: 12', box: { left: 0, top: 60, right: 40, bottom: 75 } }],
  };
  /** @type {PlacedDrawingFigure} */
  const flat = { ...figure, title: 'Flat', scale: 0, bodies: [], dimensions: [], notes: [] };
  /** @type {number[][]} */
  const asked = [];
  const drawn = drawingMarkup((width, height, measure, lineHeight) => {
    asked.push([width, height, measure('abc'), lineHeight]);
    return { caption: 'Drawing', fault: '', inner: { left: 6, top: 6, right: 254, bottom: 414 }, figures: [figure, flat] };
  }, 260, 420, (text) => 7 * text.length);
  assert.deepEqual(asked, [[260, 420, 21, 15]]);
  assert.equal(drawn.viewBox, '0 0 260 420');
  assert.match(drawn.markup, /<g transform="translate\(100 5\) scale\(2\)"><rect x="-25" y="0" width="50" height="100" class="arm" data-part="cylinder"/);
  assert.match(drawn.markup, /<path d="M1 2L3 7L-1 7Z"/);
  assert.match(drawn.markup, /x="20" y="30"[^>]*>100</);
  assert.match(drawn.markup, /x="20" y="67.5"[^>]*>Turns: 12</);
  assert.match(drawn.markup, />Flat</);
  assert.equal([...drawn.markup.matchAll(/data-part=/g)].length, 2);
  const faulty = drawingMarkup(() => ({ caption: 'Drawing', fault: 'Not <calculated>', inner: box, figures: [figure, figure] }), 260, 420, () => 0);
  assert.match(faulty.markup, /Not &lt;calculated&gt;/);
  assert.doesNotMatch(faulty.markup, /<rect/);
});
