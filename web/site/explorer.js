// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The design explorer: the typed design swept over one input, the chosen
// outputs charted with the amateur bands shaded, the bands' tuning plan, a
// to-scale drawing. Its state and rules are the program's explorer model
// (an ExplorerPage of the binding); this keeps the controls in step with it,
// has the sweeps run in a worker and draws what comes back. Its build sheet
// prints the design the report shows.
import { drawingMarkup } from './drawing-svg.js';
import { ExplorerCharts } from './explorer-chart.js';
import { download } from './download.js';
import { drawTuningPlan } from './tuning-plan.js';
import { SweepRunner } from './explorer-sweeps.js';
import { textWidths } from './svg-markup.js';

/**
 * Loads the explorer's own WebAssembly module beside the page's.
 * @returns {Promise<ExplorerBinding>}
 */
export function loadExplorerBinding() {
  return new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.src = 'eh-explorer.js';
    script.onload = () => EhExplorer().then(resolve, reject);
    script.onerror = () => reject(new Error('eh-explorer.js'));
    document.head.append(script);
  });
}

export class Explorer {
  /**
   * @param {ExplorerBinding} binding the explorer's model
   * @param {() => Promise<boolean>} recalculate calculates the fields' design into the report: whether it shows it
   * @param {string} separator
   * @param {() => string[]} fieldTexts
   * @param {(changes: [number, string][]) => void} writeFields puts texts into fields of the design
   */
  constructor(binding, recalculate, separator, fieldTexts, writeFields) {
    this.binding = binding;
    this.separator = separator;
    this.fieldTexts = fieldTexts;
    this.language = window.ehShell.language;
    this.model = new binding.ExplorerPage();
    this.units = window.ehShell.units;
    this.model.configure(this.language, this.units);
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
    this.criterion = /** @type {HTMLSelectElement} */ (this.$('criterion'));
    // The plan's row whose settings are listed; -1 for the typed band's.
    this.chosenBand = -1;
    this.measure = textWidths('12px sans-serif');
    // The typed design's drawing as the model lays it out.
    /** @type {(width: number, height: number, measure: (text: string) => number, lineHeight: number) => PlacedDrawing} */
    this.layOutDrawing = (width, height, measure, lineHeight) => this.model.drawing(width, height, measure, lineHeight);
    // The drawing's box in pixels, and what was last drawn in it.
    /** @type {[number, number] | undefined} */
    this.drawingBox = undefined;
    this.drawn = '';
    // Who waits for the whole sweep of the newest request.
    /** @type {((answer: ExplorerSweepAnswer | null) => void)[]} */
    this.awaitingSweep = [];

    binding.explorerInputs(this.language, this.units).forEach((label, i) => this.xInput.add(new Option(label, String(i))));
    this.xInput.value = String(this.model.xInput());
    binding.explorerResults(this.language, this.units).forEach((result, i) => {
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

    // A click on the chart toggles the readout between workbench numbers and every digit.
    this.exact = false;
    this.hovered = NaN;
    this.charts = new ExplorerCharts(this.$('chart'), binding, separator, this.language, this.units, (value) => {
      this.hovered = value;
      this.runner.readout(value, this.exact);
    });
    this.$('chart').addEventListener('click', () => {
      this.exact = !this.exact;
      if (Number.isFinite(this.hovered)) this.runner.readout(this.hovered, this.exact);
    });
    this.runner = new SweepRunner(() => /** @type {import('./explorer-sweeps.js').SweepWorker} */ (new Worker('explorer-worker.js')), {
      sweep: (answer) => this.show(answer),
      readout: (text) => { this.readout.textContent = text; },
      csv: (text) => download('eh-antenna-sweep.csv', new Blob([text], { type: 'text/csv' })),
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
      this.chosenBand = -1;
      this.listBands();
      this.update(false);
    });
    this.band.addEventListener('change', () => {
      if (this.band.value === '') return;
      this.model.showBand(Number(this.band.value));
      this.update(false);
    });
    this.$('outputs').addEventListener('change', () => this.update(false));
    // Pins are designs: swept again over whatever the chart shows.
    this.$('pin').addEventListener('click', () => {
      if (this.model.pin()) this.update(false);
    });
    this.$('clear-pins').addEventListener('click', () => {
      this.model.clearPins();
      this.update(false);
    });
    this.solver = new SweepRunner(() => /** @type {import('./explorer-sweeps.js').SweepWorker} */ (new Worker('explorer-worker.js')), {
      solved: (outcome) => this.solved(outcome),
    });
    this.setUpSolve(writeFields);
    this.setUpPlan();
    this.setUpFiles(writeFields);
    this.$('print-sheet').addEventListener('click', () => this.printSheet(recalculate));
    let width = this.charts.columns();
    window.addEventListener('resize', () => {
      this.drawAntenna(true);
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
      ...this.binding.explorerBands(this.model.region(), this.language).map((band, i) => new Option(band.name, String(i))));
  }

  /**
   * The fields or a control changed: the model says what to sweep, the
   * worker sweeps it (after the typing pause when `typed`).
   * @param {boolean} [typed]
   * @returns {boolean} whether a sweep was asked for
   */
  update(typed = true) {
    this.model.setFieldTexts(this.fieldTexts());
    this.model.setOutputs([...this.$('outputs').querySelectorAll('input:checked')]
      .map((box) => Number(/** @type {HTMLInputElement} */ (box).value)));
    this.showSolutions();
    /** @type {HTMLButtonElement} */ (this.$('pin')).disabled = this.model.pinsFull();
    /** @type {HTMLButtonElement} */ (this.$('clear-pins')).disabled = this.model.pinCount() === 0;
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
      this.settle(null);
    }
    this.drawPlan();
    this.drawAntenna();
    return Boolean(request.job);
  }

  /**
   * The drawing, laid out for the box it has, redrawn only when it changed:
   * typing into the range leaves it, and asks no layout of the page.
   * @param {boolean} [resized] whether the box may have changed
   */
  drawAntenna(resized = false) {
    const drawing = this.$('drawing');
    if (resized || !this.drawingBox) {
      const { width, height } = drawing.getBoundingClientRect();
      this.drawingBox = [Math.round(width) || 260, Math.round(height) || 420];
    }
    const picture = drawingMarkup(this.layOutDrawing, this.drawingBox[0], this.drawingBox[1], this.measure);
    if (picture.viewBox + picture.markup === this.drawn) return;
    this.drawn = picture.viewBox + picture.markup;
    drawing.setAttribute('viewBox', picture.viewBox);
    drawing.innerHTML = picture.markup;
  }

  /** @param {ExplorerSweepAnswer | null} answer the newest whole sweep, or null for none */
  settle(answer) {
    for (const resolve of this.awaitingSweep.splice(0)) resolve(answer);
  }

  /**
   * The whole sweep of the design typed now, or null when it cannot be swept.
   * @returns {Promise<ExplorerSweepAnswer | null>}
   */
  sweepNow() {
    if (!this.update(false)) return Promise.resolve(null);
    return new Promise((resolve) => this.awaitingSweep.push(resolve));
  }

  /**
   * The build sheet of the design the report shows: the report calculated
   * again from the fields and the chart swept again for them first, so that
   * nothing on it is older than what was typed.
   * @param {() => Promise<boolean>} recalculate
   */
  async printSheet(recalculate) {
    const note = this.$('files-note');
    note.textContent = '';
    // A design that does not calculate: the report says why.
    if (!(await recalculate())) return;
    const [answer, { printBuildSheet }] = await Promise.all([this.sweepNow(), import('./build-sheet.js')]);
    const words = this.model.sheet();
    if ('fault' in words || !answer) {
      // Else the range cannot be swept, as the note under the chart says.
      note.textContent = 'fault' in words ? words.fault : this.note.textContent;
      return;
    }
    // The page's own address with the design's parameters: the link that opens it again.
    const link = new URL(words.link, location.href);
    link.searchParams.set('lang', this.language);
    link.searchParams.set('units', window.ehShell.units);
    printBuildSheet({ words, link: link.href, report: this.$('report'), drawing: this.layOutDrawing, answer,
      binding: this.binding, region: this.model.region(), language: this.language, units: this.units, separator: this.separator });
  }

  /**
   * The search for a target: its texts are the model's, its answers are
   * shown only while they answer the design and target typed now.
   * @param {(changes: [number, string][]) => void} writeFields
   */
  setUpSolve(writeFields) {
    const result = /** @type {HTMLSelectElement} */ (this.$('solve-result'));
    const input = /** @type {HTMLSelectElement} */ (this.$('solve-input'));
    const target = /** @type {HTMLInputElement} */ (this.$('solve-target'));
    const from = /** @type {HTMLInputElement} */ (this.$('solve-from'));
    const to = /** @type {HTMLInputElement} */ (this.$('solve-to'));
    this.binding.explorerResults(this.language, this.units).forEach((one, i) => result.add(new Option(one.caption, String(i))));
    this.binding.explorerInputs(this.language, this.units).forEach((label, i) => input.add(new Option(label, String(i))));
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
      if (row && row.shownText === button.dataset.text) writeFields([[now.input, row.shownText]]);
    });
  }

  /** The tuning plan's criterion and the band whose settings are listed. */
  setUpPlan() {
    this.binding.explorerCriteria(this.language).forEach((name, i) => this.criterion.add(new Option(name, String(i))));
    this.criterion.addEventListener('change', () => this.drawPlan());
    const choose = (/** @type {Event} */ event) => {
      const row = /** @type {HTMLElement} */ (event.target).closest('tr');
      if (!row?.dataset.row) return;
      this.chosenBand = Number(row.dataset.row);
      this.drawPlan();
      /** @type {HTMLElement | null} */ (this.$('coverage').querySelector(`tr[data-row="${this.chosenBand}"]`))?.focus();
    };
    this.$('coverage').addEventListener('click', choose);
    this.$('coverage').addEventListener('keydown', (event) => { if (event.key === 'Enter' || event.key === ' ') choose(event); });
  }

  drawPlan() {
    drawTuningPlan(/** @type {HTMLTableElement} */ (this.$('coverage')), this.$('tuning-settings'),
      this.binding.explorerTuningPlan(this.fieldTexts(), this.separator, this.model.region(), Number(this.criterion.value), this.language, this.units), this.chosenBand);
  }

  /**
   * The design as a file, read back from one, and the sweep shown as CSV.
   * @param {(changes: [number, string][]) => void} writeFields
   */
  setUpFiles(writeFields) {
    this.$('export-design').addEventListener('click', () => {
      this.model.setFieldTexts(this.fieldTexts());
      download('eh-antenna-design.json', new Blob([this.model.designFileText()], { type: 'application/json' }));
    });
    const picker = /** @type {HTMLInputElement} */ (this.$('import-design'));
    picker.addEventListener('change', async () => {
      const file = picker.files?.[0];
      picker.value = '';
      if (!file) return;
      // A file far beyond any design is refused by its size before it is read.
      const text = file.size > 1 << 20 ? '' : await file.text();
      // Its pins are taken with it, and a bad file changes nothing.
      const reading = this.model.openDesignFile(text);
      this.$('files-note').textContent = reading.fault ?? '';
      if (reading.texts) writeFields(reading.texts.map((value, i) => /** @type {[number, string]} */ ([i, value])));
    });
    this.$('export-csv').addEventListener('click', () => {
      this.$('files-note').textContent = '';
      this.runner.exportCsv();
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
    this.charts.mark(found && found.input === this.model.xInput() ? found.rows.map((row) => row.exact) : []);
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
      write.textContent = window.ehShell.text('solve.write');
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
      this.settle(null);
      return;
    }
    if (answer.complete !== false) this.settle(answer);
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
