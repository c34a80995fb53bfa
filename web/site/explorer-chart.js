// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// Draws a sweep's answer as the model stacks it: one chart per two units,
// a value axis each on the left and the right, the ticks and ranges the
// model lays out (so that no range, however narrow, reaches the chart
// library's own tick rules), the bands shaded and the typed value marked (the red line the notes name).
import uPlot from './uPlot.esm.js';
import { alignCurves } from './explorer-series.js';

// Red is left to the typed value's line.
const kPalette = ['#2471a3', '#229954', '#7d3c98', '#b9770e', '#17202a', '#d35400'];
// Pixels a tick label needs beside the next one.
const kTickSpacingX = 90;
const kTickSpacingY = 40;

export class ExplorerCharts {
  /**
   * @param {HTMLElement} host where the charts stack
   * @param {ExplorerBinding} binding
   * @param {string} separator
   * @param {PageLanguage} language of the captions and the band names
   * @param {PageUnits} units of the lengths
   * @param {(value: number) => void} onHover the swept value under the cursor
   */
  constructor(host, binding, separator, language, units, onHover) {
    this.host = host;
    this.binding = binding;
    this.separator = separator;
    this.language = language;
    this.onHover = onHover;
    this.results = binding.explorerResults(language, units);
    /** @type {uPlot[]} */
    this.charts = [];
    /** Values of the swept input that answer the search, marked in green. */
    this.marks = /** @type {number[]} */ ([]);
    /**
     * What each chart's ranges, ticks and shading read when it draws.
     * @type {{ x: ExplorerAxis, y: ExplorerAxis[], bands: ExplorerBand[], typed: number | undefined, names: boolean, sizes: number[] }[]}
     */
    this.states = [];
    this.layout = '';
  }

  /** The columns a chart has to draw into. */
  columns() {
    return Math.max(100, Math.round(this.host.clientWidth || 600));
  }

  clear() {
    for (const chart of this.charts) chart.destroy();
    this.charts = [];
    this.states = [];
    this.layout = '';
    this.host.replaceChildren();
  }

  /**
   * Draws the answer; charts of the same layout as the last are kept and
   * given the new data, which costs the page far less than new ones.
   * @param {ExplorerSweepAnswer} answer
   * @param {number} region
   */
  draw(answer, region) {
    const curves = answer.curves ?? [];
    const width = this.columns();
    const height = Math.round(Math.min(300, Math.max(180, width * 0.45)));
    const layout = JSON.stringify([answer.charts, answer.pinned?.map((pin) => pin.label), answer.xLabel, answer.frequency, region, width]);
    if (layout !== this.layout) {
      this.clear();
      this.layout = layout;
    }
    const bands = answer.frequency ? this.binding.explorerBands(region, this.language) : [];
    const xAxis = this.binding.explorerAxis(answer.from ?? 0, answer.to ?? 1, Math.max(2, Math.floor(width / kTickSpacingX)), this.separator);
    const pinned = answer.pinned ?? [];
    const plans = (answer.charts ?? []).map((outputs) => {
      const typed = curves.filter((curve) => outputs.includes(curve.result));
      // The pinned designs' curves follow the typed design's, dashed in the same colours.
      const shown = [...typed, ...pinned.flatMap((pin) => pin.curves.filter((curve) => outputs.includes(curve.result)))];
      const labels = [...typed.map((curve) => this.results[curve.result].caption),
        ...pinned.flatMap((pin) => pin.curves.filter((curve) => outputs.includes(curve.result))
          .map((curve) => `${this.results[curve.result].caption} (${pin.label})`))];
      const aligned = alignCurves(shown);
      /** @type {string[]} */
      const units = [];
      for (const curve of shown) {
        const unit = this.results[curve.result].unit;
        if (!units.includes(unit)) units.push(unit);
      }
      const yAxes = units.map((unit) => {
        const of = shown.map((curve, i) => i).filter((i) => this.results[shown[i].result].unit === unit);
        const low = Math.min(...of.map((i) => aligned.low[i]).filter(Number.isFinite));
        const high = Math.max(...of.map((i) => aligned.high[i]).filter(Number.isFinite));
        return this.binding.explorerAxis(low, high, Math.max(3, Math.floor(height / kTickSpacingY)), this.separator);
      });
      return { shown, labels, typedCount: typed.length, aligned, units, yAxes };
    });
    // The same room for the value axes on every chart, so that the charts'
    // x axes line up.
    const room = (/** @type {number} */ side) => 24 + 8 * Math.max(0, ...plans.flatMap((plan) => plan.yAxes[side]?.labels.map((text) => text.length) ?? []));
    const sizes = [room(0), room(1)];
    plans.forEach(({ shown, labels, typedCount, aligned, units, yAxes }, c) => {
      const state = { x: xAxis, y: yAxes, bands, typed: answer.typedValue, names: c === 0, sizes };
      const data = /** @type {uPlot.AlignedData} */ ([aligned.x, ...aligned.y]);
      const kept = this.charts[c];
      if (kept) {
        this.states[c] = Object.assign(this.states[c], state);
        kept.setData(data);
        return;
      }
      /** @param {ExplorerCurve} curve the typed design's curve of the same result */
      const typed = (curve) => shown.findIndex((one) => one.result === curve.result);
      this.states[c] = state;
      const box = document.createElement('div');
      box.className = 'explorer-chart';
      this.host.append(box);
      const charts = this;
      /** @type {uPlot.Options} */
      const options = {
        width,
        height,
        legend: { live: false },
        cursor: { drag: { x: false, y: false }, sync: { key: 'explorer' } },
        scales: {
          x: { time: false, range: () => [state.x.low, state.x.high] },
          ...Object.fromEntries(yAxes.map((_, u) => [`u${u}`, { range: () => [state.y[u].low, state.y[u].high] }])),
        },
        series: [
          { label: answer.xLabel },
          ...shown.map((curve, i) => ({
            label: labels[i],
            stroke: kPalette[(i < typedCount ? i : typed(curve)) % kPalette.length],
            dash: i < typedCount ? undefined : [6, 4],
            width: i < typedCount ? 2 : 1.5,
            scale: `u${units.indexOf(this.results[curve.result].unit)}`,
            points: { show: false },
            // Broken where its points faulted.
            spanGaps: false,
          })),
        ],
        axes: [
          { label: answer.xLabel, splits: () => state.x.values, values: () => state.x.labels },
          ...yAxes.map((_, u) => ({
            scale: `u${u}`,
            side: u === 0 ? 3 : 1,
            label: units[u],
            // Wide enough for the longest label.
            size: () => state.sizes[u],
            splits: () => state.y[u].values,
            values: () => state.y[u].labels,
            grid: { show: u === 0 },
          })),
          // A chart without a right axis keeps its room, blank, to line up with those that have one.
          ...(units.length < 2 && plans.some((plan) => plan.units.length > 1) ? [{
            scale: 'u0',
            side: 1,
            size: () => state.sizes[1],
            label: '',
            splits: () => state.y[0].values,
            values: () => state.y[0].values.map(() => ''),
            grid: { show: false },
            ticks: { show: false },
          }] : []),
        ],
        hooks: {
          drawClear: [(u) => charts.shade(u, state.bands, state.typed)],
          draw: [(u) => {
            if (state.names) charts.nameBands(u, state.bands);
            charts.host.dataset.drawnAt = String(performance.now());
          }],
          setCursor: [(u) => {
            const left = u.cursor.left;
            if (left != null && left >= 0) charts.onHover(u.posToVal(left, 'x'));
          }],
        },
      };
      this.charts.push(new uPlot(options, data, box));
    });
    this.host.dataset.points = answer.complete === false ? 'preview' : String(answer.points ?? 0);
    this.host.dataset.charts = String(this.charts.length);
  }

  /**
   * The bands' names over the curves, staggered where they crowd and left
   * out where there is no room, as the model places them.
   * @param {uPlot} u
   * @param {ExplorerBand[]} bands
   */
  nameBands(u, bands) {
    const { ctx, bbox } = u;
    const shown = bands.filter((band) => u.valToPos(band.highMHz, 'x', true) >= bbox.left
      && u.valToPos(band.lowMHz, 'x', true) <= bbox.left + bbox.width);
    if (shown.length === 0) return;
    const line = Math.round(11 * devicePixelRatio);
    ctx.save();
    ctx.font = `${line}px sans-serif`;
    ctx.textBaseline = 'top';
    ctx.fillStyle = 'rgb(120, 90, 0)';
    const widths = shown.map((band) => ctx.measureText(band.name).width);
    const centres = shown.map((band) => (u.valToPos(band.lowMHz, 'x', true) + u.valToPos(band.highMHz, 'x', true)) / 2);
    const rows = Math.min(3, Math.max(1, Math.floor(bbox.height / 3 / line)));
    this.binding.explorerBandLabels(centres, widths, bbox.left, bbox.left + bbox.width, rows, line / 3).forEach((place, i) => {
      if (place) ctx.fillText(shown[i].name, place.left, bbox.top + 2 + line * place.row);
    });
    ctx.restore();
  }

  /**
   * Marks answers of the search on the charts (none when they are values of
   * another input than the one swept).
   * @param {number[]} values
   */
  mark(values) {
    if (values.length === this.marks.length && values.every((value, i) => value === this.marks[i])) return;
    this.marks = values;
    for (const chart of this.charts) chart.redraw(false);
  }

  /**
   * The bands behind the curves, a line at the typed value and the
   * answers' marks.
   * @param {uPlot} u
   * @param {ExplorerBand[]} bands
   * @param {number | undefined} typed
   */
  shade(u, bands, typed) {
    const { ctx, bbox } = u;
    ctx.save();
    ctx.fillStyle = 'rgba(255, 196, 0, 0.18)';
    for (const band of bands) {
      const left = u.valToPos(band.lowMHz, 'x', true);
      const right = u.valToPos(band.highMHz, 'x', true);
      if (right < bbox.left || left > bbox.left + bbox.width) continue;
      ctx.fillRect(left, bbox.top, Math.max(1, right - left), bbox.height);
    }
    ctx.fillStyle = 'rgba(34, 153, 84, 0.9)';
    for (const value of this.marks) {
      const at = u.valToPos(value, 'x', true);
      if (at >= bbox.left && at <= bbox.left + bbox.width) ctx.fillRect(at - 1, bbox.top, 3, bbox.height);
    }
    if (typed !== undefined) {
      const at = u.valToPos(typed, 'x', true);
      if (at >= bbox.left && at <= bbox.left + bbox.width) {
        // Red, as the notes call it.
        ctx.strokeStyle = '#d00000';
        ctx.lineWidth = 2;
        ctx.beginPath();
        ctx.moveTo(at, bbox.top);
        ctx.lineTo(at, bbox.top + bbox.height);
        ctx.stroke();
      }
    }
    ctx.restore();
  }
}
