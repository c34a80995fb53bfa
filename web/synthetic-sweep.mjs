// SPDX-License-Identifier: GPL-3.0-or-later
// A one-port Touchstone file of a series resonance with a known resonance,
// Q and resistance, as an analyser would save it, for the browser tests and
// the screenshots (no measured file is kept in the repository).
export function seriesResonance({ resonanceHz = 14.2e6, q = 40, resistanceOhm = 50, points = 201, spanBandwidths = 4 } = {}) {
  const reference = 50;
  const span = spanBandwidths * resonanceHz / q;
  const lines = ['! series resonance', `# MHZ S RI R ${reference}`];
  for (let i = 0; i < points; i++) {
    const f = resonanceHz - span / 2 + span * i / (points - 1);
    // Z = R + jX, X = Q R (f/f0 - f0/f); the reflection (Z - R0) / (Z + R0).
    const x = q * resistanceOhm * (f / resonanceHz - resonanceHz / f);
    const a = resistanceOhm - reference;
    const c = resistanceOhm + reference;
    const d = c * c + x * x;
    lines.push(`${f / 1e6}\t${(a * c + x * x) / d} ${(x * c - a * x) / d}`);
  }
  return `${lines.join('\r\n')}\r\n`;
}
