// SPDX-License-Identifier: GPL-3.0-or-later
// The design explorer: the typed design swept over one input, the chosen
// outputs charted with the amateur bands shaded, the bands' coverage and a
// to-scale drawing, redrawn as the fields change.
// @ts-nocheck: typed when the explorer is rebuilt on the shared model.
import uPlot from './uPlot.esm.js';

export class Explorer {
  constructor(calculator, texts, separator, fieldTexts) {
    this.calculator = calculator;
    this.separator = separator;
    this.fieldTexts = fieldTexts;
    this.outputs = calculator.outputs();
    this.$ = (id) => document.getElementById(id);
    this.frequencyInput = 0;
    this.text = window.ehShell.text;
    this.millimetres = this.text('unit.millimetre');

    const select = this.$('sweep-input');
    texts.fields.forEach((field, i) => select.add(new Option(field.sweepLabel, i)));
    // Bandwidth, efficiency and the tuning coil's turns: what a builder
    // weighs first.
    const chosen = new Set(['BandwidthKHz', 'EfficiencyPct', 'TurnCount']);
    this.outputs.forEach((output, i) => {
      const row = document.createElement('label');
      const box = document.createElement('input');
      box.type = 'checkbox';
      box.value = i;
      box.checked = chosen.has(output.member);
      row.append(box, ` ${output.name}${output.unit ? `, ${output.unit}` : ''}`);
      this.$('outputs').append(row);
    });
    const bands = calculator.bands(1);
    this.setRange(bands[0].lowMHz, bands[bands.length - 2].highMHz);
    select.addEventListener('change', () => this.onInputChange());
    for (const id of ['sweep-from', 'sweep-to', 'sweep-points', 'region'])
      this.$(id).addEventListener('input', () => this.update());
    this.$('outputs').addEventListener('change', () => this.rebuildChart());
    window.addEventListener('resize', () => this.chart?.setSize(this.chartSize()));
  }

  setRange(from, to) {
    this.$('sweep-from').value = this.calculator.formatNumber(from, this.separator);
    this.$('sweep-to').value = this.calculator.formatNumber(to, this.separator);
  }

  onInputChange() {
    const input = Number(this.$('sweep-input').value);
    const bands = this.calculator.bands(Number(this.$('region').value));
    if (input === this.frequencyInput) {
      this.setRange(bands[0].lowMHz, bands[bands.length - 2].highMHz);
    } else {
      // Half to twice the typed value, as a first look around it.
      const value = this.calculator.sweep(this.fieldTexts(), this.separator, input, '0', '1', 2, []).typedValue;
      if (value > 0) this.setRange(value / 2, value * 2);
    }
    this.rebuildChart();
  }

  // The series or the swept input changed: the chart is made anew.
  rebuildChart() {
    this.chart?.destroy();
    this.chart = null;
    this.update();
  }

  chosenOutputs() {
    return [...this.$('outputs').querySelectorAll('input:checked')].map((box) => Number(box.value));
  }

  chartSize() {
    const width = Math.max(200, this.$('chart').clientWidth || 600);
    return { width, height: Math.round(Math.min(360, width * 0.6)) };
  }

  update() {
    const texts = this.fieldTexts();
    const region = Number(this.$('region').value);
    const input = Number(this.$('sweep-input').value);
    const chosen = this.chosenOutputs();
    const sweep = this.calculator.sweep(texts, this.separator, input, this.$('sweep-from').value,
      this.$('sweep-to').value, Number(this.$('sweep-points').value), chosen);
    const note = this.$('explorer-note');
    if (!sweep.typed || sweep.planFault !== undefined) {
      note.textContent = this.text(sweep.typed ? 'explorer.bad-range' : 'explorer.fill-fields');
      this.$('chart').dataset.points = '0';
    } else {
      note.textContent = sweep.faults;
      this.draw(sweep, chosen, input === this.frequencyInput ? this.calculator.bands(region) : []);
    }
    this.drawCoverage(this.calculator.coverage(texts, this.separator, region));
    this.drawAntenna(this.calculator.drawing(texts, this.separator));
  }

  draw(sweep, chosen, bands) {
    const data = [Array.from(sweep.x), ...sweep.series.map((s) => Array.from(s, (v) => (Number.isFinite(v) ? v : null)))];
    const palette = ['#c0392b', '#2471a3', '#229954', '#7d3c98', '#b9770e', '#17202a'];
    if (!this.chart) {
      const swept = this.$('sweep-input');
      const series = [{
        label: swept.options[swept.selectedIndex].text,
        value: (u, v) => (v == null ? '—' : this.calculator.formatNumber(v, this.separator)),
      }, ...chosen.map((k, i) => ({
        label: `${this.outputs[k].name}${this.outputs[k].unit ? `, ${this.outputs[k].unit}` : ''}`,
        stroke: palette[i % palette.length], width: 2, scale: `y${i}`,
        value: (u, v) => (v == null ? '—' : this.calculator.formatNumber(v, this.separator)),
      }))];
      // The axes' numbers with the page's decimal mark, without grouping.
      const values = (u, splits) => splits.map((v) => String(Number(v.toPrecision(12))).replace('.', this.separator));
      const axes = [{ values }, ...chosen.map((k, i) => ({ scale: `y${i}`, side: i % 2 ? 1 : 3, stroke: palette[i % palette.length], show: i < 2, values }))];
      const explorer = this;
      this.chart = new uPlot({
        ...this.chartSize(), series, axes,
        scales: { x: { time: false } },
        legend: { live: true },
        hooks: {
          // When the chart last finished drawing, for the latency benchmark.
          draw: [() => { explorer.$('chart').dataset.drawnAt = String(performance.now()); }],
          drawClear: [(u) => {
            const { ctx } = u;
            ctx.save();
            ctx.fillStyle = 'rgba(255, 196, 0, 0.18)';
            for (const band of explorer.bands) {
              const left = u.valToPos(band.lowMHz, 'x', true);
              const right = u.valToPos(band.highMHz, 'x', true);
              if (right < u.bbox.left || left > u.bbox.left + u.bbox.width) continue;
              ctx.fillRect(left, u.bbox.top, Math.max(1, right - left), u.bbox.height);
            }
            ctx.restore();
          }],
        },
      }, data, this.$('chart'));
    }
    this.bands = bands;
    this.chart.setData(data);
    this.$('chart').dataset.points = String(sweep.x.length);
  }

  drawCoverage(rows) {
    const body = this.$('coverage').tBodies[0];
    if (!rows) { body.replaceChildren(); return; }
    body.replaceChildren(...rows.map((row) => {
      const tr = document.createElement('tr');
      tr.className = row.covers ? 'covers' : '';
      for (const text of [this.text('coverage.metres', { metres: row.metres }), row.range, row.width, row.bandwidth ?? '—', row.settings ?? '—']) {
        const td = document.createElement('td');
        td.textContent = String(text);
        tr.append(td);
      }
      return tr;
    }));
  }

  // Side view to scale: the two cylinders on one axis, the tuning coil
  // beyond them; below, the flat variant's two arms.
  drawAntenna(d) {
    const svg = this.$('drawing');
    const ns = 'http://www.w3.org/2000/svg';
    svg.replaceChildren();
    if (!d) return;
    const mm = (v) => this.calculator.formatNumber(v, this.separator);
    const height = d.totalLength;
    const width = Math.max(d.cylinderDiameter, d.coilDiameter, 2 * d.flatHorizontal + d.flatGap) * 1.6;
    const sizes = [height, width, d.cylinderLength, d.cylinderDiameter, d.coilLength];
    if (!sizes.every((v) => Number.isFinite(v) && v > 0)) return;
    const flatHeight = d.flatVertical;
    const total = height + flatHeight + d.gap * 2;
    svg.setAttribute('viewBox', `${-width / 2} ${-d.gap * 0.5} ${width} ${total + d.gap}`);
    const add = (name, attributes, text) => {
      const node = document.createElementNS(ns, name);
      for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
      if (text) node.textContent = text;
      svg.append(node);
      return node;
    };
    const stroke = height / 400;
    const font = Math.max(width, total) / 28;
    let y = 0;
    const rect = (w, h, fill, label) => {
      add('rect', { x: -w / 2, y, width: w, height: h, fill, stroke: '#000', 'stroke-width': stroke, 'data-part': label });
      y += h;
    };
    rect(d.cylinderDiameter, d.cylinderLength, '#ff6600', 'cylinder');
    y += d.gap;
    rect(d.cylinderDiameter, d.cylinderLength, '#ff6600', 'cylinder');
    y += Math.max(0, d.totalLength - 2 * d.cylinderLength - d.gap - d.coilLength);
    const coilTop = y;
    rect(d.coilDiameter, d.coilLength, 'none', 'coil');
    const turns = Math.min(Math.round(d.turns), d.maxTurnsDrawn);
    for (let i = 0; i < turns; i++) {
      const ty = coilTop + (i + 0.5) * d.coilLength / Math.max(turns, 1);
      add('line', { x1: -d.coilDiameter / 2, x2: d.coilDiameter / 2, y1: ty, y2: ty, stroke: '#b87333', 'stroke-width': stroke * 2 });
    }
    add('text', { x: width * 0.48, y: height / 2, 'font-size': font, 'text-anchor': 'end' }, `${mm(d.totalLength)} ${this.millimetres}`);
    add('text', { x: d.cylinderDiameter / 2 + font * 0.3, y: d.cylinderLength / 2, 'font-size': font }, `${mm(d.cylinderLength)} ${this.millimetres}`);
    add('text', { x: d.coilDiameter / 2 + font * 0.3, y: coilTop + d.coilLength / 2, 'font-size': font }, `${mm(Math.round(d.turns * 100) / 100)} ${this.text('explorer.turns')}`);
    y = height + d.gap;
    const armY = y;
    add('rect', { x: -d.flatGap / 2 - d.flatHorizontal, y: armY, width: d.flatHorizontal, height: d.flatVertical, fill: '#ff6600', stroke: '#000', 'stroke-width': stroke, 'data-part': 'arm' });
    add('rect', { x: d.flatGap / 2, y: armY, width: d.flatHorizontal, height: d.flatVertical, fill: '#ff6600', stroke: '#000', 'stroke-width': stroke, 'data-part': 'arm' });
    add('text', { x: 0, y: armY + d.flatVertical + font, 'font-size': font, 'text-anchor': 'middle' }, `${mm(d.flatHorizontal)} × ${mm(d.flatVertical)} ${this.millimetres}`);
  }
}
