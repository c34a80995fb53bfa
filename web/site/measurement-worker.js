// SPDX-License-Identifier: GPL-3.0-or-later
// Reads and analyses a measured sweep off the page's thread, so that a file
// of any size leaves the page responsive: the page's own binding, in a
// module instance of its own, made when the first file is opened.
// @ts-check
'use strict';
importScripts('eh-antenna.js');

const calculator = EhAntenna();

// A chart is at most this many columns wide: more points than that only
// cost the page the time to copy and draw them.
const kColumns = 2000;

// The curves cut to the points a chart shows anyway: in each of kColumns
// runs of the sweep, the first and last point and each curve's lowest and
// highest. `points` keeps the sweep's own count.
/** @param {MeasurementCurves} answer */
function thinned(answer) {
  const n = answer.frequencyMHz.length;
  answer.points = n;
  if (n <= 4 * kColumns) return answer;
  /** @type {MeasurementCurve[]} */
  const curves = ['swr', 'resistance', 'reactance', 'idealSwr'];
  const present = curves.filter((key) => answer[key]);
  const keep = [];
  for (let column = 0; column < kColumns; column++) {
    const from = Math.floor(column * n / kColumns);
    const to = Math.floor((column + 1) * n / kColumns);
    const picks = new Set([from, to - 1]);
    for (const key of present) {
      const values = /** @type {Float64Array} */ (answer[key]);
      let low = -1;
      let high = -1;
      for (let i = from; i < to; i++) {
        if (Number.isNaN(values[i])) continue;
        if (low < 0 || values[i] < values[low]) low = i;
        if (high < 0 || values[i] > values[high]) high = i;
      }
      if (low >= 0) picks.add(low).add(high);
    }
    keep.push(...[...picks].sort((a, b) => a - b));
  }
  /** @type {MeasurementCurve[]} */
  const thinnedKeys = ['frequencyMHz', ...present];
  for (const key of thinnedKeys) {
    const values = /** @type {Float64Array} */ (answer[key]);
    answer[key] = Float64Array.from(keep, (i) => values[i]);
  }
  return answer;
}

self.addEventListener('message', async (/** @type {MessageEvent<MeasurementRequest>} */ { data }) => {
  const module = await calculator;
  module.configure(data.language, data.units);
  const answer = module.measurement(data.name, data.bytes, data.texts, data.separator);
  self.postMessage({ token: data.token, answer: answer.fault ? answer : thinned(answer) });
});
