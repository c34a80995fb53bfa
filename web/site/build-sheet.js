// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The build sheet: the design the report shows, on A4 for the workbench. The
// title and the date, the seven inputs and the report beside the drawing,
// the chart at the page's full width with the bands' edges, then the band
// and the design's link. The page's print style shows the sheet alone while
// it prints.
import { drawingMarkup } from './drawing-svg.js';
import { sheetCharts } from './sheet-chart.js';
import { textWidths } from './svg-markup.js';

// The sheet's chart and drawing in CSS pixels: an A4 page's width inside
// its margins.
const kChartWidth = 700;
const kDrawingWidth = 300;
const kDrawingHeight = 430;

/**
 * How high each of `count` stacked charts is drawn: two stay on the first
 * page with the design, more share the first page's rest and a second page.
 * @param {number} count
 */
const chartHeight = (count) => (count < 2 ? 260 : count === 2 ? 170 : Math.max(100, Math.min(230, Math.floor(1100 / count) - 50)));
/**
 * @param {string} name
 * @param {string} [className]
 * @param {string} [text]
 */
function element(name, className, text) {
  const made = document.createElement(name);
  if (className) made.className = className;
  if (text !== undefined) made.textContent = text;
  return made;
}

/**
 * Today as the sheet writes it: 2026-12-08, the day where the user is.
 * @param {Date} now
 */
function sheetDate(now) {
  return [now.getFullYear(), now.getMonth() + 1, now.getDate()].map((part) => String(part).padStart(2, '0')).join('-');
}

/**
 * Fills the sheet and prints it.
 * @param {{
 *   words: ExplorerSheetWords,
 *   link: string,
 *   report: HTMLElement,
 *   drawing: (width: number, height: number, measure: (text: string) => number, lineHeight: number) => PlacedDrawing,
 *   answer: ExplorerSweepAnswer,
 *   binding: ExplorerBinding,
 *   region: number,
 *   language: PageLanguage,
 *   units: PageUnits,
 *   separator: string,
 * }} sheet
 */
export function printBuildSheet({ words, link, report, drawing, answer, binding, region, language, units, separator }) {
  let host = document.getElementById('sheet');
  if (!host) {
    host = element('section');
    host.id = 'sheet';
    document.body.append(host);
  }
  const date = sheetDate(new Date());
  const header = element('header');
  header.append(element('h1', '', words.title), element('span', 'date', date));

  const inputs = element('ul', 'inputs');
  inputs.append(...words.inputs.map((line) => element('li', '', line)));
  const copy = element('div', 'report');
  copy.append(...[...report.children].map((line) => line.cloneNode(true)));
  const design = element('div', 'design');
  const left = element('div');
  left.append(inputs, copy);
  const picture = drawingMarkup(drawing, kDrawingWidth, kDrawingHeight, textWidths('12px sans-serif'));
  const figure = element('div', 'drawing');
  figure.innerHTML = `<svg xmlns="http://www.w3.org/2000/svg" class="antenna" viewBox="${picture.viewBox}">${picture.markup}</svg>`;
  design.append(left, figure);

  const charts = sheetCharts(answer, {
    results: binding.explorerResults(language, units),
    bands: answer.frequency ? binding.explorerBands(region, language) : [],
    axis: (low, high, ticks) => binding.explorerAxis(low, high, ticks, separator),
    placeNames: binding.explorerBandLabels,
    measure: textWidths('11px sans-serif'),
    width: kChartWidth,
    height: chartHeight(answer.charts?.length ?? 0),
  }).map(({ svg, legend }) => {
    const chart = element('figure', 'chart');
    chart.innerHTML = svg;
    const entries = element('figcaption');
    entries.append(...legend.map(({ colour, dashed, caption }) => {
      const entry = element('span', dashed ? 'dashed' : '', caption);
      entry.style.setProperty('--colour', colour);
      return entry;
    }));
    chart.append(entries);
    return chart;
  });
  const footer = element('footer');
  const address = element('a', '', link);
  address.setAttribute('href', link);
  const linkLine = element('p', 'link', words.linkLabel);
  linkLine.append(address);
  footer.append(element('p', '', words.band), linkLine);
  host.replaceChildren(header, design, ...charts, footer);

  // The title names the file a browser saves the print in.
  const title = document.title;
  document.title = `${words.title} ${date}`;
  document.body.classList.add('printing-sheet');
  addEventListener('afterprint', () => {
    document.body.classList.remove('printing-sheet');
    document.title = title;
  }, { once: true });
  window.print();
}
