// SPDX-License-Identifier: GPL-3.0-or-later
// The build sheet's parts that need no browser: a curve's path, the chart's
// bands and their edges, and the drawing laid out from the model's shapes.
//
//   cd web && npm test
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { placeFigure, drawingMarkup } from '../../site/drawing-svg.js';
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

test('the drawing fits its labels, a label steps clear of its neighbour, and a fault is said', () => {
  /** @type {DrawingFigure} */
  const figure = {
    title: '', fault: '', strokes: [], notes: ['Turns: 12'],
    bodies: [{ coil: false, x: -25, y: 0, width: 50, height: 100 }, { coil: true, x: -25, y: 101, width: 50, height: 30 }],
    dimensions: [
      { from: [25, 100], to: [25, 0], side: 'right', label: '100' },
      { from: [25, 101], to: [25, 100], side: 'right', label: '1' },
      { from: [-25, 0], to: [25, 0], side: 'above', label: '50' },
    ],
  };
  const room = { left: 0, top: 0, right: 200, bottom: 300 };
  const placed = placeFigure(figure, room, measure);
  assert.ok(placed);
  const [length, gap] = placed.labels;
  assert.ok(gap.left >= length.right || gap.top >= length.bottom, 'the gap\'s label is clear of the length\'s');
  for (const box of [...placed.labels, ...placed.notes])
    assert.ok(box.left >= room.left - 1e-9 && box.right <= room.right + 1e-9 && box.top >= room.top - 1e-9 && box.bottom <= room.bottom + 1e-9);
  assert.equal(placeFigure({ ...figure, fault: 'not to scale' }, room, measure), null);

  const drawn = drawingMarkup({ caption: 'Drawing', fault: '', figures: [figure, { ...figure, title: 'Flat', bodies: [], dimensions: [], notes: [] }] }, 260, 420, measure);
  assert.equal(drawn.viewBox, '0 0 260 420');
  assert.equal([...drawn.markup.matchAll(/data-part="cylinder"/g)].length, 1);
  assert.match(drawn.markup, /height="100"/);
  assert.match(drawn.markup, />Flat</);
  assert.match(drawingMarkup({ caption: 'Drawing', fault: 'Not <calculated>', figures: [figure, figure] }, 260, 420, measure).markup,
    /Not &lt;calculated&gt;/);
});
