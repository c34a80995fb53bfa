// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The design explorer: the typed design swept over one input, the chosen
// outputs charted with the amateur bands shaded, the bands' coverage and a
// to-scale drawing. Its state and rules are the program's explorer model
// (an ExplorerPage of the binding); this keeps the controls in step with it,
// has the sweeps run in a worker and draws what comes back.
import { ExplorerCharts } from './explorer-chart.js';
import { drawAntenna, drawCoverage } from './explorer-drawing.js';
import { SweepRunner } from './explorer-sweeps.js';

export class Explorer {
  /**
   * @param {Calculator} calculator
   * @param {string} separator
   * @param {() => string[]} fieldTexts
   * @param {(field: number, text: string) => void} writeField puts an answer into a field of the design
   */
  constructor(calculator, separator, fieldTexts, writeField) {
    this.calculator = calculator;
    this.separator = separator;
    this.fieldTexts = fieldTexts;
    this.model = new calculator.ExplorerPage();
    this.model.setSeparator(separator);
    this.model.setFieldTexts(fieldTexts());

    this.xInput = /** @type {HTMLSelectElement} */ (this.$('sweep-input'));
    this.from = /** @type {HTMLInputElement} */ (this.$('sweep-from'));
    this.to = /** @type {HTMLInputElement} */ (this.$('sweep-to'));
    this.points = /** @type {HTMLInputElement} */ (this.$('sweep-points'));
    this.region = /** @type {HTMLSelectElement} */ (this.$('region'));
    this.band = /** @type {HTMLSelectElement} */ (this.$('sweep-band'));
    this.note = this.$('explorer-note');
    this.readout = this.$('explorer-readout');

    calculator.explorerInputs().forEach((label, i) => this.xInput.add(new Option(label, String(i))));
    this.xInput.value = String(this.model.xInput());
    calculator.explorerResults().forEach((result, i) => {
      const row = document.createElement('label');
      const box = document.createElement('input');
      box.type = 'checkbox';
      box.value = String(i);
      box.checked = result.chosen;
      row.append(box, ` ${result.caption}`);
      this.$('outputs').append(row);
    });
    this.region.value = String(this.model.region());
    this.listBands();

    this.charts = new ExplorerCharts(this.$('chart'), calculator, separator, (value) => this.runner.readout(value, false));
    this.runner = new SweepRunner(() => /** @type {import('./explorer-sweeps.js').SweepWorker} */ (new Worker('explorer-worker.js')), {
      sweep: (answer) => this.show(answer),
      readout: (text) => { this.readout.textContent = text; },
    });

    this.xInput.addEventListener('change', () => {
      this.model.setXInput(Number(this.xInput.value));
      this.update(false);
    });
    for (const field of [this.from, this.to, this.points])
      field.addEventListener('input', () => {
        this.model.setRangeTexts(this.from.value, this.to.value, this.points.value);
        this.update();
      });
    this.region.addEventListener('change', () => {
      this.model.setRegion(Number(this.region.value));
      this.listBands();
      this.update(false);
    });
    this.band.addEventListener('change', () => {
      if (this.band.value === '') return;
      this.model.showBand(Number(this.band.value));
      this.update(false);
    });
    this.$('outputs').addEventListener('change', () => this.update(false));
    this.solver = new SweepRunner(() => /** @type {import('./explorer-sweeps.js').SweepWorker} */ (new Worker('explorer-worker.js')), {
      solved: (outcome) => this.solved(outcome),
    });
    this.setUpSolve(writeField);
    let width = this.charts.columns();
    window.addEventListener('resize', () => {
      if (this.charts.columns() === width) return;
      width = this.charts.columns();
      this.update();
    });
  }

  /** @param {string} id */
  $(id) {
    return /** @type {HTMLElement} */ (document.getElementById(id));
  }

  listBands() {
    this.band.replaceChildren(new Option('', ''),
      ...this.calculator.explorerBands(this.model.region()).map((band, i) => new Option(band.name, String(i))));
  }

  /**
   * The fields or a control changed: the model says what to sweep, the
   * worker sweeps it (after the typing pause when `typed`).
   * @param {boolean} [typed]
   */
  update(typed = true) {
    const texts = this.fieldTexts();
    this.model.setFieldTexts(texts);
    this.model.setOutputs([...this.$('outputs').querySelectorAll('input:checked')]
      .map((box) => Number(/** @type {HTMLInputElement} */ (box).value)));
    this.showSolutions();
    const request = this.model.request();
    // The model fills a preset's or a band's bounds and a new input's range.
    const range = this.model.rangeTexts();
    this.xInput.value = String(this.model.xInput());
    for (const [field, text] of /** @type {const} */ ([[this.from, range.from], [this.to, range.to], [this.points, range.points]]))
      if (field.value !== text && document.activeElement !== field) field.value = text;
    if (request.job) {
      this.runner.ask({ job: request.job, columns: this.charts.columns() }, typed);
    } else {
      this.runner.cancel();
      this.charts.clear();
      this.$('chart').dataset.points = '0';
      this.readout.textContent = '';
      this.showNote(request.message, true);
    }
    drawCoverage(/** @type {HTMLTableElement} */ (this.$('coverage')), this.calculator.coverage(texts, this.separator, this.model.region()));
    drawAntenna(/** @type {SVGSVGElement} */ (/** @type {unknown} */ (this.$('drawing'))), this.calculator.drawing(texts, this.separator),
      (value) => this.calculator.formatNumber(value, this.separator));
  }

  /**
   * The search for a target: its texts are the model's, its answers are
   * shown only while they answer the design and target typed now.
   * @param {(field: number, text: string) => void} writeField
   */
  setUpSolve(writeField) {
    const result = /** @type {HTMLSelectElement} */ (this.$('solve-result'));
    const input = /** @type {HTMLSelectElement} */ (this.$('solve-input'));
    const target = /** @type {HTMLInputElement} */ (this.$('solve-target'));
    const from = /** @type {HTMLInputElement} */ (this.$('solve-from'));
    const to = /** @type {HTMLInputElement} */ (this.$('solve-to'));
    this.calculator.explorerResults().forEach((one, i) => result.add(new Option(one.caption, String(i))));
    this.calculator.explorerInputs().forEach((label, i) => input.add(new Option(label, String(i))));
    const fill = () => {
      const texts = this.model.solveTexts();
      result.value = String(texts.result);
      input.value = String(texts.input);
      target.value = texts.target;
      from.value = texts.from;
      to.value = texts.to;
    };
    fill();
    const typed = () => {
      this.model.setSolveTexts({ result: Number(result.value), target: target.value, input: Number(input.value), from: from.value, to: to.value });
      this.showSolutions();
    };
    for (const field of [target, from, to]) field.addEventListener('input', typed);
    result.addEventListener('change', typed);
    input.addEventListener('change', () => {
      this.model.setSolveInput(Number(input.value));
      fill();
      this.showSolutions();
    });
    this.$('solve-find').addEventListener('click', () => {
      const request = this.model.solveRequest();
      this.$('solve-summary').textContent = request.message;
      this.solveJob = request.job;
      if (request.job) {
        this.$('solutions').setAttribute('aria-busy', 'true');
        this.solver.ask({ solve: request.job }, false);
      }
    });
    this.$('solutions').addEventListener('click', (event) => {
      const button = /** @type {HTMLElement} */ (event.target).closest('button');
      const now = this.model.solutions();
      // Only an answer that still holds is written, as it was shown.
      if (!button || !now) return;
      const row = now.rows[Number(button.dataset.row)];
      if (row && row.shownText === button.dataset.text) writeField(now.input, row.shownText);
    });
  }

  /** @param {ExplorerSolveOutcome | null} outcome */
  solved(outcome) {
    this.$('solutions').removeAttribute('aria-busy');
    if (outcome && this.solveJob) this.model.acceptSolutions(this.solveJob, outcome);
    this.showSolutions();
  }

  showSolutions() {
    const found = this.model.solutions();
    const list = this.$('solutions');
    if (!found) {
      if (list.childElementCount > 0) this.$('solve-summary').textContent = '';
      list.replaceChildren();
      return;
    }
    this.$('solve-summary').textContent = found.summary;
    list.replaceChildren(...found.rows.map((row, i) => {
      const item = document.createElement('li');
      const write = document.createElement('button');
      write.type = 'button';
      write.textContent = this.$('solutions').dataset.write ?? '';
      write.dataset.row = String(i);
      write.dataset.text = row.shownText;
      item.append(`${row.text} `, write);
      return item;
    }));
  }

  /** @param {ExplorerSweepAnswer} answer */
  show(answer) {
    if (answer.message) {
      this.showNote(answer.message, true);
      return;
    }
    this.charts.draw(answer, this.model.region());
    this.readout.textContent = '';
    this.showNote(answer.note ?? '', answer.warning ?? false);
  }

  /**
   * @param {string} text
   * @param {boolean} warning
   */
  showNote(text, warning) {
    this.note.textContent = text;
    this.note.classList.toggle('warning', warning);
  }
}
