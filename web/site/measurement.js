// SPDX-License-Identifier: GPL-3.0-or-later
// The measured bandwidth: an analyser's sweep file (Touchstone .s1p), picked
// or dropped (file-intake.js hands it over), is read on this device and
// never sent anywhere; the same C++
// as the window's measurement view analyses it on a worker thread, and a
// button writes the measured bandwidth into the bandwidth field and
// recalculates.
// @ts-nocheck: uPlot's module build is copied beside the page when the site
// is built, so the checks see no types for it; typed with the explorer.
import { writeCaption } from './caption.js';
import uPlot from './uPlot.esm.js';

export class MeasuredBandwidth {
  // `writeBandwidth(text)` puts a text into the bandwidth field and
  // recalculates; `show(text)` shows a message and resolves when it closes.
  constructor(calculator, texts, separator, fieldTexts, { writeBandwidth, show }) {
    this.calculator = calculator;
    this.separator = separator;
    this.fieldTexts = fieldTexts;
    this.show = show;
    this.text = window.ehShell.text;
    this.$ = (id) => document.getElementById(id);
    this.reading = 0;
    this.file = null;
    this.answer = null;

    const apply = this.$('measurement-apply');
    writeCaption(apply, texts.applyBandwidth);
    apply.title = texts.applyBandwidthTip;
    apply.addEventListener('click', () => { if (this.answer?.fieldText) writeBandwidth(this.answer.fieldText); });

    window.addEventListener('resize', () => this.chart?.setSize(this.chartSize()));
  }

  // Reads and analyses a file; a file chosen while another is still being
  // read supersedes it. A refused file is named in a message and changes
  // nothing that is shown.
  async open(file) {
    const reading = ++this.reading;
    const status = this.$('measurement-status');
    status.textContent = this.text('measurement.reading', { name: file.name });
    let fault = this.calculator.measurementSizeFault(file.name, file.size);
    let bytes = null;
    if (!fault) {
      try {
        bytes = new Uint8Array(await file.arrayBuffer());
      } catch (error) {
        fault = this.calculator.refusedFileText(file.name, this.calculator.unreadableFileText(error.message));
      }
    }
    const answer = fault ? { fault } : await this.analyse(file.name, bytes);
    if (reading !== this.reading) return;
    status.textContent = this.file ? this.file.name : '';
    if (answer.fault) {
      await this.show(answer.fault);
      return;
    }
    this.file = { name: file.name, bytes, design: this.designTexts() };
    status.textContent = file.name;
    this.render(answer);
  }

  // The analysis on a worker thread: the page stays responsive while a
  // large file is read.
  analyse(name, bytes) {
    if (!this.worker) {
      this.worker = new Worker('measurement-worker.js');
      this.asked = 0;
    }
    const token = ++this.asked;
    const worker = this.worker;
    return new Promise((resolve) => {
      const answered = ({ data }) => {
        if (data.token !== token) return;
        worker.removeEventListener('message', answered);
        worker.removeEventListener('error', failed);
        resolve(data.answer);
      };
      const failed = (event) => {
        worker.removeEventListener('message', answered);
        worker.removeEventListener('error', failed);
        resolve({ fault: this.calculator.refusedFileText(name, this.calculator.unreadableFileText(event.message)) });
      };
      worker.addEventListener('message', answered);
      worker.addEventListener('error', failed);
      const { language, units } = window.ehShell;
      worker.postMessage({ token, name, bytes, texts: this.fieldTexts(), separator: this.separator, language, units });
    });
  }

  // The texts the model's bandwidth depends on: all but the bandwidth field.
  designTexts() {
    return this.fieldTexts().slice(0, -1).join('\n');
  }

  // The design may have changed: the model's bandwidth and the ideal curve
  // follow. Writing the measured bandwidth alone changes neither.
  async designChanged() {
    const file = this.file;
    if (!file || file.design === this.designTexts()) return;
    file.design = this.designTexts();
    const answer = await this.analyse(file.name, file.bytes);
    if (this.file === file && !answer.fault) this.render(answer);
  }

  render(answer) {
    this.answer = answer;
    this.$('measurement-result').hidden = false;
    this.$('measurement-figures').tBodies[0].replaceChildren(...answer.figures.map((figure) => {
      const row = document.createElement('tr');
      const label = document.createElement('th');
      label.textContent = figure.label;
      const value = document.createElement('td');
      value.textContent = figure.value;
      row.append(label, value);
      return row;
    }));
    this.$('measurement-notes').textContent = answer.notes.join('\n');
    this.$('measurement-method').textContent = answer.method;
    this.$('measurement-apply').disabled = !answer.fieldText;
    this.draw(answer);
  }

  chartSize() {
    const width = Math.max(200, this.$('measurement-chart').clientWidth || 600);
    return { width, height: Math.round(Math.min(380, width * 0.65)) };
  }

  draw(answer) {
    this.chart?.destroy();
    const finite = (values) => Array.from(values, (v) => (Number.isFinite(v) ? v : null));
    const top = answer.swrTop;
    // Past the axis a curve is drawn to just beyond it, where the plot clips it.
    const swr = (values) => Array.from(values, (v) => (Number.isFinite(v) ? Math.min(v, 2 * top) : null));
    const number = (u, v) => (v == null ? '—' : this.calculator.formatNumber(v, this.separator));
    const series = [
      { label: this.text('measurement.megahertz'), value: (u, v) => (v == null ? '—' : this.calculator.megahertzText(v * 1e6, this.separator)) },
      { label: this.text('measurement.swr-measured'), stroke: '#005ac8', width: 2, scale: 'swr', value: number },
    ];
    const data = [Array.from(answer.frequencyMHz), swr(answer.swr)];
    if (answer.idealSwr) {
      series.push({ label: answer.idealName, stroke: '#008c3c', width: 2, dash: [8, 5], scale: 'swr', value: number });
      data.push(swr(answer.idealSwr));
    }
    series.push({ label: this.text('measurement.resistance'), stroke: '#c83c00', width: 1.5, scale: 'ohm', value: number });
    series.push({ label: this.text('measurement.reactance'), stroke: '#960096', width: 1.5, scale: 'ohm', value: number });
    data.push(finite(answer.resistance), finite(answer.reactance));
    const spanColours = ['rgba(0, 90, 200, 0.16)', 'rgba(0, 160, 60, 0.22)'];
    // The axes' numbers with the page's decimal mark, without grouping.
    const ticks = (u, splits) => splits.map((v) => String(Number(v.toPrecision(12))).replace('.', this.separator));
    this.chart = new uPlot({
      ...this.chartSize(),
      series,
      scales: { x: { time: false }, swr: { range: [1, top] } },
      axes: [
        { label: this.text('measurement.frequency'), values: ticks },
        { scale: 'swr', label: this.text('measurement.swr'), side: 3, values: ticks },
        { scale: 'ohm', label: this.text('measurement.impedance'), side: 1, grid: { show: false }, values: ticks },
      ],
      legend: { live: true },
      hooks: {
        drawClear: [(u) => {
          const { ctx } = u;
          ctx.save();
          answer.spans.forEach((span, i) => {
            const left = u.valToPos(span.lowMHz, 'x', true);
            const right = u.valToPos(span.highMHz, 'x', true);
            const level = u.valToPos(Math.min(span.level, top), 'swr', true);
            ctx.fillStyle = spanColours[i % spanColours.length];
            ctx.fillRect(left, level, Math.max(1, right - left), u.bbox.top + u.bbox.height - level);
          });
          ctx.restore();
        }],
        draw: [(u) => {
          if (answer.resonanceMHz == null) return;
          const { ctx } = u;
          const x = u.valToPos(answer.resonanceMHz, 'x', true);
          ctx.save();
          ctx.strokeStyle = '#c80000';
          ctx.lineWidth = 1.5 * devicePixelRatio;
          ctx.setLineDash([6 * devicePixelRatio, 4 * devicePixelRatio]);
          ctx.beginPath();
          ctx.moveTo(x, u.bbox.top);
          ctx.lineTo(x, u.bbox.top + u.bbox.height);
          ctx.stroke();
          ctx.restore();
        }],
      },
    }, data, this.$('measurement-chart'));
    const legend = this.$('measurement-spans');
    legend.replaceChildren(...answer.spans.map((span, i) => {
      const item = document.createElement('span');
      const swatch = document.createElement('i');
      swatch.style.background = spanColours[i % spanColours.length];
      item.append(swatch, span.name);
      return item;
    }));
    this.$('measurement-chart').dataset.points = String(answer.points);
  }
}
