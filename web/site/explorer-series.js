// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The curves of one chart, each thinned on its own, on the one x array the
// chart library draws from: a value where the curve has a point, nothing
// (undefined, drawn across) where only another curve has one, and a gap
// (null) between two runs of a curve, where its points faulted.

/**
 * @param {ExplorerCurve[]} curves
 * @returns {{ x: number[], y: (number | null | undefined)[][], low: number[], high: number[] }}
 *   `low` and `high` are each curve's extremes (NaN for a curve with no point).
 */
export function alignCurves(curves) {
  /** @type {Map<number, number>[]} */
  const points = curves.map(() => new Map());
  /** @type {Set<number>[]} */
  const gaps = curves.map(() => new Set());
  const xs = new Set();
  const low = curves.map(() => NaN);
  const high = curves.map(() => NaN);
  curves.forEach((curve, c) => {
    curve.runs.forEach((run, r) => {
      if (r > 0 && run.x.length > 0) {
        const before = curve.runs[r - 1].x;
        const gap = (before[before.length - 1] + run.x[0]) / 2;
        gaps[c].add(gap);
        xs.add(gap);
      }
      run.x.forEach((x, i) => {
        points[c].set(x, run.y[i]);
        xs.add(x);
        if (!(run.y[i] >= low[c])) low[c] = run.y[i];
        if (!(run.y[i] <= high[c])) high[c] = run.y[i];
      });
    });
  });
  const x = [...xs].sort((a, b) => a - b);
  const y = curves.map((_, c) => x.map((value) => (points[c].has(value) ? points[c].get(value)
    : gaps[c].has(value) ? null : undefined)));
  return { x, y, low, high };
}
