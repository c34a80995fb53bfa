// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// The name a saved report is offered under. Hams keep designs by frequency,
// so the name carries the design's, in letters every file system takes.

/**
 * @param {number | undefined} frequencyMHz  the frequency of the reported design
 * @returns {string}
 */
export function reportFileName(frequencyMHz) {
  if (frequencyMHz === undefined || !Number.isFinite(frequencyMHz) || frequencyMHz <= 0) return 'eh-antenna.txt';
  // Six significant digits at most: 14.2 is written "14.2", not
  // "14.199999999999999"; an exponent loses its "+".
  const number = String(Number(frequencyMHz.toPrecision(6))).replace('+', '');
  return `eh-antenna-${number}MHz.txt`;
}
