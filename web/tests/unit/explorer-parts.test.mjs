// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer's parts that need no browser: the curves of a chart on one x
// array, and the runner that hands sweeps to a worker, newest first.
//
//   cd web && npm test
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { alignCurves } from '../../site/explorer-series.js';
import { SweepRunner, kTypingPause } from '../../site/explorer-sweeps.js';

/** @param {number[]} x @param {number[]} y */
const run = (x, y) => ({ x: Float64Array.from(x), y: Float64Array.from(y) });

test('curves thinned apart share one x array: undefined is drawn across, null breaks a curve', () => {
  const aligned = alignCurves([
    { result: 0, runs: [run([1, 2], [10, 20]), run([5, 6], [50, 5])] },
    { result: 1, runs: [run([1, 3, 6], [-1, -3, -6])] },
  ]);
  assert.deepEqual(aligned.x, [1, 2, 3, 3.5, 5, 6]);
  assert.deepEqual(aligned.y, [
    [10, 20, undefined, null, 50, 5],
    [-1, undefined, -3, undefined, undefined, -6],
  ]);
  assert.deepEqual(aligned.low, [5, -6]);
  assert.deepEqual(aligned.high, [50, -1]);
  const empty = alignCurves([{ result: 2, runs: [] }]);
  assert.deepEqual(empty, { x: [], y: [[]], low: [NaN], high: [NaN] });
});

// Workers that record what they were sent and answer when told.
function fakeWorkers() {
  /** @type {{ sent: ExplorerWorkerRequest[], ended: boolean, onmessage: any, postMessage: Function, terminate: Function }[]} */
  const made = [];
  const make = () => {
    const worker = {
      sent: /** @type {ExplorerWorkerRequest[]} */ ([]),
      ended: false,
      onmessage: /** @type {any} */ (null),
      postMessage(/** @type {ExplorerWorkerRequest} */ message) { this.sent.push(message); },
      terminate() { this.ended = true; },
    };
    made.push(worker);
    return worker;
  };
  return { made, make };
}

// Timers run when the test says.
function fakeTimers() {
  /** @type {Map<number, () => void>} */
  const due = new Map();
  let next = 0;
  return {
    due,
    setTimeout: /** @type {any} */ ((/** @type {() => void} */ callback, /** @type {number} */ delay) => {
      assert.equal(delay, kTypingPause);
      due.set(++next, callback);
      return next;
    }),
    clearTimeout: /** @type {any} */ ((/** @type {number} */ id) => due.delete(id)),
    fire() {
      const callbacks = [...due.values()];
      due.clear();
      for (const callback of callbacks) callback();
    },
  };
}

/** @param {string} points */
const job = (points) => ({ texts: [], separator: '.', language: /** @type {PageLanguage} */ ('ru'), units: /** @type {PageUnits} */ ('mm'), input: 0, from: '1', to: '2', points, outputs: [], region: 1, pins: [] });

test('typing waits for the pause, and only the last of the keys is swept', () => {
  const { made, make } = fakeWorkers();
  const timers = fakeTimers();
  const shown = [];
  const runner = new SweepRunner(make, { sweep: (answer) => shown.push(answer), readout: () => {} }, timers);
  runner.ask({ job: job('5'), columns: 300 });
  runner.ask({ job: job('50'), columns: 300 });
  runner.ask({ job: job('500'), columns: 300 });
  assert.equal(made.length, 0);
  timers.fire();
  assert.deepEqual(made[0].sent, [{ token: 3, job: job('500'), columns: 300 }]);
});

test('a newer request ends a worker still sweeping, and the older answers are dropped', () => {
  const { made, make } = fakeWorkers();
  const timers = fakeTimers();
  /** @type {ExplorerSweepAnswer[]} */
  const shown = [];
  /** @type {string[]} */
  const readouts = [];
  const runner = new SweepRunner(make, { sweep: (answer) => shown.push(answer), readout: (text) => readouts.push(text) }, timers);
  runner.ask({ job: job('100000'), columns: 300 }, false);
  const [first, spare] = made;
  first.onmessage({ data: { token: 1, sweep: { message: '', complete: false, points: 300 } } });
  runner.ask({ job: job('200000'), columns: 300 }, false);
  assert.equal(first.ended, true);
  assert.deepEqual(spare.sent, [{ token: 2, job: job('200000'), columns: 300 }]);
  // The ended worker's last words, and an answer to an older request, change nothing.
  first.onmessage({ data: { token: 1, sweep: { message: '', complete: true, points: 100000 } } });
  spare.onmessage({ data: { token: 1, sweep: { message: '', complete: true, points: 100000 } } });
  spare.onmessage({ data: { token: 2, sweep: { message: '', complete: true, points: 200000 } } });
  assert.deepEqual(shown.map((answer) => answer.points), [300, 200000]);
  // The readout is asked of the worker that holds the sweep shown.
  runner.readout(14.2, false);
  assert.deepEqual(spare.sent.at(-1), { token: 2, readoutAt: 14.2, exact: false });
  spare.onmessage({ data: { token: 2, readout: '14,2 МГц' } });
  assert.deepEqual(readouts, ['14,2 МГц']);
  // A worker that has finished is kept for the next request.
  runner.ask({ job: job('10'), columns: 300 }, false);
  assert.equal(spare.ended, false);
  assert.deepEqual(spare.sent.at(-1), { token: 3, job: job('10'), columns: 300 });
  // Nothing to sweep: the answer on its way is dropped, the readout too.
  runner.cancel();
  spare.onmessage({ data: { token: 3, sweep: { message: '', complete: true, points: 10 } } });
  runner.readout(1, false);
  assert.equal(shown.length, 2);
  assert.equal(spare.sent.length, 3);
});
