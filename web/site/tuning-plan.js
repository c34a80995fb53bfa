// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The typed design's tuning plan for the region's bands, beside the chart.

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
