// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The typed design beside the chart: its tuning plan for the region's bands,
// and its side view to scale with the sizes and labels the binding gives.

/**
 * The tuning plan: each band's cells, the typed band marked; a row chosen
 * (or else the typed band's) has its settings listed under the table.
 * @param {HTMLTableElement} table
 * @param {HTMLElement} settings
 * @param {ExplorerPlanRow[] | null} rows
 * @param {number} chosen the row the user picked, or -1
 */
export function drawTuningPlan(table, settings, rows, chosen) {
  const body = table.tBodies[0];
  if (!rows) {
    body.replaceChildren();
    settings.textContent = '';
    return;
  }
  body.replaceChildren(...rows.map((row, i) => {
    const tr = document.createElement('tr');
    tr.className = row.typedBand ? 'typed' : '';
    tr.dataset.row = String(i);
    tr.tabIndex = 0;
    tr.setAttribute('aria-selected', String(i === chosen));
    for (const text of row.cells) {
      const td = document.createElement('td');
      td.textContent = text;
      tr.append(td);
    }
    return tr;
  }));
  const shown = rows[chosen] ?? rows.find((row) => row.typedBand);
  settings.textContent = shown?.settings ?? '';
}

// Side view to scale: the two cylinders on one axis, the tuning coil
// beyond them; below, the flat variant's two arms.
/**
 * @param {SVGSVGElement} svg
 * @param {AntennaDrawing | null} d
 * @param {(value: number) => string} number a number as the report writes it
 */
export function drawAntenna(svg, d, number) {
  const ns = 'http://www.w3.org/2000/svg';
  svg.replaceChildren();
  if (!d) return;
  const height = d.totalLength;
  const width = Math.max(d.cylinderDiameter, d.coilDiameter, 2 * d.flatHorizontal + d.flatGap) * 1.6;
  const sizes = [height, width, d.cylinderLength, d.cylinderDiameter, d.coilLength];
  if (!sizes.every((v) => Number.isFinite(v) && v > 0)) return;
  const flatHeight = d.flatVertical;
  const total = height + flatHeight + d.gap * 2;
  svg.setAttribute('viewBox', `${-width / 2} ${-d.gap * 0.5} ${width} ${total + d.gap}`);
  /**
   * @param {string} name
   * @param {Record<string, string | number>} attributes
   * @param {string} [text]
   */
  const add = (name, attributes, text) => {
    const node = document.createElementNS(ns, name);
    for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, String(value));
    if (text) node.textContent = text;
    svg.append(node);
    return node;
  };
  const stroke = height / 400;
  const font = Math.max(width, total) / 28;
  let y = 0;
  /**
   * @param {number} w
   * @param {number} h
   * @param {string} fill
   * @param {string} label
   */
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
  add('text', { x: width * 0.48, y: height / 2, 'font-size': font, 'text-anchor': 'end' }, d.labels.totalLength);
  add('text', { x: d.cylinderDiameter / 2 + font * 0.3, y: d.cylinderLength / 2, 'font-size': font }, d.labels.cylinderLength);
  add('text', { x: d.coilDiameter / 2 + font * 0.3, y: coilTop + d.coilLength / 2, 'font-size': font }, `${number(Math.round(d.turns * 100) / 100)} ${window.ehShell.text('explorer.turns')}`);
  y = height + d.gap;
  const armY = y;
  add('rect', { x: -d.flatGap / 2 - d.flatHorizontal, y: armY, width: d.flatHorizontal, height: d.flatVertical, fill: '#ff6600', stroke: '#000', 'stroke-width': stroke, 'data-part': 'arm' });
  add('rect', { x: d.flatGap / 2, y: armY, width: d.flatHorizontal, height: d.flatVertical, fill: '#ff6600', stroke: '#000', 'stroke-width': stroke, 'data-part': 'arm' });
  add('text', { x: 0, y: armY + d.flatVertical + font, 'font-size': font, 'text-anchor': 'middle' }, d.labels.flat);
}
