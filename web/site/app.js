// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator page: the window's seven fields, the calculate command and
// the styled report, the explorer and the measured bandwidth, all worded
// and computed by the WebAssembly binding.
'use strict';

(async () => {
  const calculator = await EhAntenna();
  const texts = calculator.pageTexts();
  const $ = (id) => document.getElementById(id);
  const address = new URL(location.href);

  // The decimal separator: `?separator=,` when given, else the mark the
  // browser's language writes numbers with. A point is always read too.
  const languageMark = new Intl.NumberFormat(navigator.language)
    .formatToParts(1.5).find((part) => part.type === 'decimal')?.value ?? '.';
  const separator = calculator.decimalSeparatorFor(address.searchParams.get('separator') ?? '', languageMark);

  document.title = texts.title;
  $('title').textContent = texts.title;
  $('save').textContent = texts.save;

  // "&" marks the access key, as in the window's captions.
  function setCaption(button, caption) {
    const keyAt = caption.indexOf('&');
    if (keyAt >= 0) {
      const key = document.createElement('u');
      key.textContent = caption[keyAt + 1];
      button.append(caption.slice(0, keyAt), key, caption.slice(keyAt + 2));
      button.accessKey = caption[keyAt + 1].toLowerCase();
    } else {
      button.textContent = caption;
    }
  }
  setCaption($('calculate'), texts.calculate);

  const fields = [];
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
    input.inputMode = 'decimal';
    input.enterKeyHint = 'go';
    if (field.toolTip) input.title = field.toolTip;
    row.append(name, input);
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

  const message = $('message');
  const show = (text) => new Promise((resolve) => {
    message.querySelector('p').textContent = text;
    message.addEventListener('close', resolve, { once: true });
    message.showModal();
  });

  let plainText = '';
  const report = $('report');
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
    plainText = answer.plainText;
    $('save').disabled = false;
  }

  const fieldTexts = () => fields.map((input) => input.value);

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
      await show(answer.notice);
    }
    renderReport(answer);
    measurement.designChanged();
    if (answer.reset) {
      const input = fields[answer.reset.field];
      input.focus();
      input.select();
    }
    if (answer.fault) await show(answer.fault);
  }

  // The address follows the fields, so that a design can be shared as a link.
  function followFields() {
    const next = new URL(location.href);
    texts.fields.forEach((field, i) => next.searchParams.set(field.key, fields[i].value));
    history.replaceState(null, '', next);
  }

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
      explorer.update();
    });
  }

  $('save').addEventListener('click', () => {
    const bytes = calculator.reportFile(plainText);
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'text/plain;charset=windows-1251' }));
    link.download = 'report.txt';
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  });

  const explorer = new Explorer(calculator, texts, separator, fieldTexts);
  // The measured bandwidth goes into the last field, as if typed, and the
  // design is calculated again.
  const measurement = new MeasuredBandwidth(calculator, texts, separator, fieldTexts, {
    show,
    setCaption,
    writeBandwidth: (text) => {
      fields[fields.length - 1].value = text;
      followFields();
      explorer.update();
      calculate();
    },
  });

  const designInAddress = texts.fields.some((field) => address.searchParams.has(field.key));
  texts.fields.forEach((field, i) => { fields[i].value = address.searchParams.get(field.key) ?? ''; });
  fields[0].focus();
  // The report first: the explorer's sweeps can wait for the next frame.
  if (designInAddress) calculate();
  requestAnimationFrame(() => explorer.update());
  document.body.dataset.ready = 'true';
  // For the console and the benchmark.
  window.eh = { calculator, explorer, measurement, fieldTexts, separator };

  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');
})();
