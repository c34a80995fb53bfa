// SPDX-License-Identifier: GPL-3.0-or-later
// The WebAssembly sweep alone, under node: the binding's 100,000-point
// frequency sweep (1.8-30 MHz, three outputs, the page's call) of one or more
// builds of the module, their runs alternating so that a busy machine slows
// all alike. Prints each build's median and fastest run in wall-clock time
// and in the process's processor time, which a busy machine disturbs less.
//
//   node --no-experimental-fetch web/sweep-bench.mjs build-wasm/web/eh-antenna.js [OTHER.js ...]
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const modules = process.argv.slice(2);
if (modules.length === 0) {
  console.error('usage: node --no-experimental-fetch web/sweep-bench.mjs MODULE.js [MODULE.js ...]');
  process.exit(2);
}
const rounds = 7;
const points = 100000;
const fields = ['14.2', '50', '3', '500', '1', '2', '50'];

/** @param {number[]} values */
const median = (values) => { const v = [...values].sort((a, b) => a - b); return (v[(v.length - 1) >> 1] + v[v.length >> 1]) / 2; };

const calculators = [];
for (const file of modules) {
  const factory = (await import(pathToFileURL(resolve(file)).href)).default;
  calculators.push(await factory());
}
/** @type {number[][]} */
const times = modules.map(() => []);
/** @type {number[][]} */
const cpuTimes = modules.map(() => []);
for (let round = 0; round <= rounds; round++) {
  calculators.forEach((calculator, i) => {
    const start = performance.now();
    const cpuStart = process.cpuUsage();
    const sweep = calculator.sweep(fields, '.', 0, '1.8', '30', points, [2, 17, 13]);
    const elapsed = performance.now() - start;
    const cpu = process.cpuUsage(cpuStart);
    if (sweep.x.length !== points) throw new Error(`${modules[i]}: ${sweep.x.length} points, not ${points}`);
    if (round > 0) { // the first round warms up
      times[i].push(elapsed);
      cpuTimes[i].push((cpu.user + cpu.system) / 1000);
    }
  });
}
modules.forEach((file, i) => {
  const figures = (/** @type {number[]} */ values) => `median ${median(values).toFixed(0)} ms, fastest ${Math.min(...values).toFixed(0)} ms`;
  console.log(`${file}: ${points} points (${rounds} runs): wall clock ${figures(times[i])}; processor ${figures(cpuTimes[i])}`);
});
