// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The calculator page: the window's seven fields, the calculate command and
// the styled report, the explorer and the measured bandwidth, all worded
// and computed by the WebAssembly binding, in the language and units the
// shell chose (window.ehShell).
import { writeCaption } from './caption.js';
import { download } from './download.js';
import { FileIntake } from './file-intake.js';
import { reportFileName } from './report-name.js';
import { keepSiteForOffline } from './updates.js';
import { LoadFailure, instantiateWasm } from './wasm-load.js';

/**
 * @template {HTMLElement} [T=HTMLElement]
 * @param {string} id
 * @returns {T}
 */
const $ = (id) => /** @type {T} */ (document.getElementById(id));
const { language, units, text, decimalMark } = window.ehShell;

/** The calculator, or why it could not be started (the shell says so). */
async function startCalculator() {
  if (typeof EhAntenna !== 'function') throw new LoadFailure('eh-antenna.js', text('file-not-received'));
  /** @type {(error: unknown) => void} */
  let failLoad = () => {};
  /** @type {Promise<never>} */
  const loadFailed = new Promise((_, reject) => { failLoad = reject; });
  return Promise.race([loadFailed, EhAntenna({
    instantiateWasm(imports, receive) {
      instantiateWasm(window.ehShell.wasm, imports, text)
        .then(({ instance, module }) => receive(instance, module), failLoad);
      return {};
    },
  })]);
}

/**
 * Settles once the page has been drawn with what it holds now (after the
 * next frame), or after a tenth of a second when no frame comes (a tab in
 * the background draws none).
 * @returns {Promise<void>}
 */
function reportDrawn() {
  return new Promise((resolve) => {
    requestAnimationFrame(() => setTimeout(resolve));
    setTimeout(resolve, 100);
  });
}

async function start() {
  const starting = startCalculator();
  // The decimal separator: `?separator=,` when given, else the mark the
  // browser's language writes numbers with. A point is always read too.
  const languageMark = decimalMark.get();
  const calculator = await starting;
  calculator.configure(language, units);
  const texts = calculator.pageTexts();
  const address = new URL(location.href);
  const separator = calculator.decimalSeparatorFor(address.searchParams.get('separator') ?? '', languageMark);

  // The shell carries the captions; the access key is underlined here.
  writeCaption($('calculate'), texts.calculate);

  /** @type {HTMLInputElement[]} */
  const fields = [];
  // What follows a field's text beside it (a gauge's diameter), redone
  // when the page writes the text.
  /** @type {(() => void)[]} */
  const echoes = [];
  const groups = texts.groups.map((title) => {
    const set = document.createElement('fieldset');
    const legend = document.createElement('legend');
    legend.textContent = title;
    set.append(legend);
    $('groups').append(set);
    return set;
  });
  texts.fields.forEach((field) => {
    const row = document.createElement('label');
    row.className = 'field';
    const name = document.createElement('span');
    name.textContent = field.label;
    const input = document.createElement('input');
    input.name = field.key;
    input.id = field.key;
    // A gauge is typed with letters ("14 AWG").
    input.inputMode = field.wireGauge ? 'text' : 'decimal';
    input.enterKeyHint = 'go';
    if (field.toolTip) input.title = field.toolTip;
    row.append(name, input);
    if (field.wireGauge) {
      // A gauge shows the diameter it stands for.
      const gauge = document.createElement('output');
      gauge.className = 'gauge';
      gauge.htmlFor.add(field.key);
      const echo = () => {
        gauge.textContent = calculator.wireGaugeText(input.value, separator) ?? '';
      };
      input.addEventListener('input', echo);
      echoes.push(echo);
      row.append(gauge);
    }
    groups[field.group].append(row);
    fields.push(input);
  });
  const note = document.createElement('p');
  note.className = 'note';
  note.textContent = texts.bandwidthNote;
  groups[groups.length - 1].append(note);

  // A field entered by the keyboard selects its whole text, as the window's do.
  let pointerDown = false;
  for (const input of fields) {
    input.addEventListener('pointerdown', () => { pointerDown = true; });
    input.addEventListener('focus', () => { if (!pointerDown) input.select(); pointerDown = false; });
  }

  /** @type {HTMLDialogElement} */
  const message = $('message');
  /** @param {string} text */
  const show = (text) => new Promise((resolve) => {
    const paragraph = message.querySelector('p');
    if (paragraph) paragraph.textContent = text;
    message.addEventListener('close', resolve, { once: true });
    message.showModal();
  });

  // What "Сохранить" writes: the report on screen, none after a fault or a
  // reset field.
  /** @type {{ plainText: string, frequencyMHz: number | undefined } | null} */
  let saved = null;
  /** @type {HTMLButtonElement} */
  const save = $('save');
  const report = $('report');
  /** @param {CalculateAnswer} answer */
  function renderReport(answer) {
    const lines = answer.lines.map((line) => {
      const row = document.createElement('div');
      row.className = 'line';
      row.style.textIndent = `${answer.firstIndent}pt`;
      for (const span of line.spans) {
        const piece = document.createElement('span');
        piece.textContent = span.text;
        if (span.bold) piece.style.fontWeight = 'bold';
        if (span.underline) piece.style.textDecoration = 'underline';
        if (span.size) piece.style.fontSize = `${span.size}pt`;
        row.append(piece);
      }
      return row;
    });
    report.replaceChildren(...lines);
    saved = lines.length > 0 ? { plainText: answer.plainText, frequencyMHz: answer.frequencyMHz } : null;
    save.disabled = saved === null;
  }

  const fieldTexts = () => fields.map((input) => input.value);

  /** Calculates the fields' design into the report: whether the report shows it. */
  async function calculate() {
    const answer = calculator.calculate(fieldTexts(), separator);
    if (answer.reset) {
      const input = fields[answer.reset.field];
      input.value = answer.reset.text;
      followFields();
    }
    // The window shows the notice before it writes the report.
    if (answer.notice) {
      report.replaceChildren();
      save.disabled = true;
      await show(answer.notice);
    }
    renderReport(answer);
    measurement?.designChanged();
    if (answer.reset) {
      const input = fields[answer.reset.field];
      input.focus();
      input.select();
    }
    if (answer.fault) await show(answer.fault);
    return saved !== null && !answer.fault;
  }

  // The address follows the fields, the language and the units, so that a
  // design can be shared as a link and read as it was typed.
  function followFields() {
    const next = new URL(location.href);
    texts.fields.forEach((field, i) => next.searchParams.set(field.key, fields[i].value));
    followSettings(next);
  }
  /** @param {URL} next */
  function followSettings(next) {
    next.searchParams.set('lang', language);
    next.searchParams.set('units', units);
    history.replaceState(null, '', next);
  }
  followSettings(new URL(location.href));

  // Another language or unit: the page starts again in it, the design kept
  // in the address.
  for (const [id, parameter, value] of /** @type {const} */ ([['language', 'lang', language], ['units', 'units', units]])) {
    /** @type {HTMLSelectElement} */
    const select = $(id);
    select.value = value;
    select.addEventListener('change', () => {
      followFields();
      const next = new URL(location.href);
      next.searchParams.set(parameter, select.value);
      location.assign(next);
    });
  }
  // The help opens where its link leads.
  $('help-link').addEventListener('click', () => { /** @type {HTMLDetailsElement} */ ($('help')).open = true; });

  /** @type {import('./explorer.js').Explorer | undefined} */
  let explorer; // made after the first report
  /** @type {import('./measurement.js').MeasuredBandwidth | undefined} */
  let measurement; // made with the explorer

  $('design').addEventListener('submit', (event) => {
    event.preventDefault();
    calculate();
  });
  for (const input of fields) {
    input.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') {
        event.preventDefault();
        calculate();
      }
    });
    input.addEventListener('input', () => {
      followFields();
      explorer?.update();
    });
  }

  save.addEventListener('click', () => {
    if (!saved) return;
    download(reportFileName(saved.frequencyMHz), new Blob([calculator.reportFile(saved.plainText)], { type: 'text/plain;charset=windows-1251' }));
  });

  const designInAddress = texts.fields.some((field) => address.searchParams.has(field.key));
  texts.fields.forEach((field, i) => { fields[i].value = address.searchParams.get(field.key) ?? ''; });
  for (const echo of echoes) echo();
  document.body.classList.remove('loading');
  // The report first: the explorer, its chart library and its sweeps wait.
  if (designInAddress) calculate();
  // Unless the report reset a field or shows a message.
  if (document.activeElement === document.body) fields[0].focus();
  // Files are taken from now on, while the measurement's module loads.
  const intake = new FileIntake($('measurement-file'), $('measurement'), $('measurement-status'),
    (name) => text('measurement.waiting', { name }));
  // What the report does not need waits until it is drawn.
  await reportDrawn();
  // Without its service worker the page still works while online.
  keepSiteForOffline($('update'), $('take-update')).catch(() => {});
  decimalMark.keep();
  const chartStyle = document.createElement('link');
  chartStyle.rel = 'stylesheet';
  chartStyle.href = 'uPlot.min.css';
  document.head.append(chartStyle);
  /** @param {unknown} error */
  const why = (error) => (error instanceof Error ? error.message : String(error));
  // The explorer's script and its own WebAssembly module.
  const explorerParts = import('./explorer.js').then(async (module) => /** @type {const} */ ([module, await module.loadExplorerBinding()]));
  const [explorerModule, measurementModule] = await Promise.allSettled([explorerParts, import('./measurement.js')]);
  if (explorerModule.status === 'fulfilled') {
    const [module, binding] = explorerModule.value;
    explorer = new module.Explorer(binding, calculate, separator, fieldTexts, (changes) => {
      for (const [field, value] of changes) fields[field].value = value;
      followFields();
      explorer?.update();
      calculate();
    });
    requestAnimationFrame(() => explorer?.update());
  } else {
    $('explorer-note').textContent = text('module-failed', { part: text('explorer.part'), error: why(explorerModule.reason) });
  }
  if (measurementModule.status === 'fulfilled') {
    // The measured bandwidth goes into the last field, as if typed, and the
    // design is calculated again.
    measurement = new measurementModule.value.MeasuredBandwidth(calculator, texts, separator, fieldTexts, {
      show,
      writeBandwidth: (/** @type {string} */ text) => {
        fields[fields.length - 1].value = text;
        followFields();
        explorer?.update();
        calculate();
      },
    });
    const opener = measurement;
    intake.deliverTo((file) => opener.open(file));
  } else {
    $('measurement-status').textContent = text('module-failed', { part: text('measurement.part'), error: why(measurementModule.reason) });
  }
  document.body.dataset.ready = 'true';
  // For the console and the benchmark.
  window.eh = { calculator, explorer, measurement, fieldTexts, separator };
}

start().catch((error) => {
  if (error instanceof LoadFailure) window.ehShell.fileFailed(error.file, error.reason);
  else window.ehShell.startFailed(error instanceof Error ? error.message : String(error));
});
