// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// Hands the explorer's sweeps (or searches) to a worker so that the page
// never waits for one: typing waits a moment for the next key, a newer
// request supersedes an older one (a worker still busy with the older one is
// ended and a spare, already started, takes over), and an answer to anything
// but the newest request is dropped.

/**
 * What the runner needs of a worker: the browser's Worker has it.
 * @typedef {{
 *   postMessage(message: ExplorerWorkerRequest): void,
 *   terminate(): void,
 *   onmessage: ((event: MessageEvent<ExplorerWorkerAnswer>) => void) | null,
 * }} SweepWorker
 */

/** How long typing waits for the next key before the sweep starts, in ms. */
export const kTypingPause = 150;

export class SweepRunner {
  /**
   * @param {() => SweepWorker} makeWorker
   * @param {{
   *   sweep?(answer: ExplorerSweepAnswer): void,
   *   readout?(text: string): void,
   *   solved?(outcome: ExplorerSolveOutcome | null): void,
   *   csv?(text: string): void,
   * }} receive
   * @param {{ setTimeout: typeof setTimeout, clearTimeout: typeof clearTimeout }} [timers]
   */
  constructor(makeWorker, receive, timers = globalThis) {
    this.makeWorker = makeWorker;
    this.receive = receive;
    this.timers = timers;
    /** @type {SweepWorker | null} */
    this.worker = null;
    /** @type {SweepWorker | null} */
    this.spare = null;
    this.asked = 0;
    // Whether the worker still sweeps for a request, and whether the last
    // whole sweep it holds answers the newest one.
    this.sweeping = false;
    this.holdsNewest = false;
    /** @type {ReturnType<typeof setTimeout> | undefined} */
    this.pending = undefined;
  }

  /**
   * A sweep ({job, columns}) or a search ({solve}), after the typing pause
   * (or at once).
   * @param {ExplorerWorkerTask} task
   * @param {boolean} [typed]
   */
  ask(task, typed = true) {
    this.timers.clearTimeout(this.pending);
    this.pending = undefined;
    this.holdsNewest = false;
    const token = ++this.asked;
    if (typed) this.pending = this.timers.setTimeout(() => this.send(token, task), kTypingPause);
    else this.send(token, task);
  }

  /** Nothing to sweep: an answer still on its way is dropped. */
  cancel() {
    this.timers.clearTimeout(this.pending);
    this.pending = undefined;
    this.holdsNewest = false;
    ++this.asked;
  }

  /**
   * The readout at `value` of the sweep shown, when it is the newest.
   * @param {number} value
   * @param {boolean} exact
   */
  readout(value, exact) {
    if (this.worker && this.holdsNewest && !this.sweeping)
      this.worker.postMessage({ token: this.asked, readoutAt: value, exact });
  }

  /** The sweep shown as CSV, when it is the newest and whole. */
  exportCsv() {
    if (!this.worker || !this.holdsNewest || this.sweeping) return false;
    this.worker.postMessage({ token: this.asked, csv: true });
    return true;
  }

  /**
   * @param {number} token
   * @param {ExplorerWorkerTask} task
   */
  send(token, task) {
    if (token !== this.asked) return;
    if (this.worker && this.sweeping) {
      this.worker.terminate();
      this.worker = null;
    }
    if (!this.worker) {
      this.worker = this.spare ?? this.start();
      this.spare = null;
    }
    this.sweeping = true;
    this.worker.postMessage({ token, ...task });
    // A spare is ready for the next request that finds this one still sweeping.
    this.spare ??= this.start();
  }

  /** @returns {SweepWorker} */
  start() {
    const worker = this.makeWorker();
    worker.onmessage = ({ data }) => {
      if (worker !== this.worker || data.token !== this.asked) return;
      if ('readout' in data) {
        this.receive.readout?.(data.readout);
        return;
      }
      if ('csv' in data) {
        this.receive.csv?.(data.csv);
        return;
      }
      if ('solved' in data) {
        this.sweeping = false;
        this.receive.solved?.(data.solved);
        return;
      }
      if (data.sweep.complete !== false) {
        this.sweeping = false;
        this.holdsNewest = true;
      }
      this.receive.sweep?.(data.sweep);
    };
    return worker;
  }
}
