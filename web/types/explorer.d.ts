// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer's WebAssembly module (web/ExplorerBinding.cpp) and the
// messages between the page and its sweep worker, for the type checks.

/** What the worker needs to run one sweep, as ExplorerPage.request() names it. */
interface ExplorerJob {
  texts: string[];
  separator: string;
  language: PageLanguage;
  units: PageUnits;
  input: number;
  from: string;
  to: string;
  points: string;
  outputs: number[];
  region: number;
  /** The pinned designs' seven inputs each, in the fields' order. */
  pins: number[][];
}

interface ExplorerRequest {
  /** What is wrong with a field or the range; empty when `job` is there. */
  message: string;
  job: ExplorerJob | null;
}

/** A stretch of one curve with no faulted point, thinned to the chart's columns. */
interface ExplorerRun {
  x: Float64Array;
  y: Float64Array;
}

interface ExplorerCurve {
  /** Index in explorerResults(). */
  result: number;
  runs: ExplorerRun[];
}

interface ExplorerSweepAnswer {
  message: string;
  complete?: boolean;
  curves?: ExplorerCurve[];
  /** The outputs each stacked chart shows, as indices in explorerResults(). */
  charts?: number[][];
  /** The pinned designs' curves over the same range, each named by how it differs. */
  pinned?: { label: string; curves: ExplorerCurve[] }[];
  note?: string;
  warning?: boolean;
  from?: number;
  to?: number;
  points?: number;
  frequency?: boolean;
  xLabel?: string;
  typedValue?: number;
}

interface ExplorerAxis {
  low: number;
  high: number;
  values: number[];
  labels: string[];
}

interface ExplorerResult {
  caption: string;
  unit: string;
  chosen: boolean;
}

interface ExplorerBand {
  name: string;
  lowMHz: number;
  highMHz: number;
}

interface ExplorerRangeTexts {
  from: string;
  to: string;
  points: string;
}

interface ExplorerPage {
  setSeparator(separator: string): void;
  /** The language of every text the explorer answers and the unit the length fields are typed in. */
  configure(language: PageLanguage, units: PageUnits): void;
  setFieldTexts(texts: string[]): void;
  setXInput(input: number): void;
  xInput(): number;
  setRangeTexts(from: string, to: string, points: string): void;
  rangeTexts(): ExplorerRangeTexts;
  setRegion(region: number): void;
  region(): number;
  setOutputs(outputs: number[]): void;
  outputs(): number[];
  showBand(index: number): void;
  request(): ExplorerRequest;
  pin(): boolean;
  clearPins(): void;
  pinCount(): number;
  pinsFull(): boolean;
  setSolveTexts(texts: ExplorerSolveTexts): void;
  setSolveInput(input: number): void;
  solveTexts(): ExplorerSolveTexts;
  solveRequest(): { message: string; job: ExplorerSolveJob | null };
  acceptSolutions(job: ExplorerSolveJob, outcome: ExplorerSolveOutcome): boolean;
  solutions(): ExplorerSolutions | null;
  /** The typed design and the pins as a design file. */
  designFileText(): string;
  /** Takes a design file's pins and gives its texts, or why it is not read (and nothing is taken). */
  openDesignFile(text: string): { texts?: string[]; fault?: string };
  /** The typed design's drawing laid out in `width` × `height` pixels for text of `measure`'s widths and `lineHeight`. */
  drawing(width: number, height: number, measure: (text: string) => number, lineHeight: number): PlacedDrawing;
  /** The sheet's words, or why there is none. */
  sheet(): ExplorerSheetWords | { fault: string };
}

interface ExplorerPlanRow {
  cells: string[];
  typedBand: boolean;
  settings: string;
}

/** A box in pixels. */
interface PixelBox { left: number; top: number; right: number; bottom: number }

/** A figure of the to-scale drawing as the model places it. */
interface PlacedDrawingFigure {
  title: string;
  /** Why it is not drawn to scale; empty when it is. */
  fault: string;
  /** Its part of the drawing, the title at the top left. */
  area: PixelBox;
  /** Under the title: the figure, or its fault centred. */
  room: PixelBox;
  /** Pixels a millimetre; 0 when nothing is drawn. */
  scale: number;
  /** Where the millimetres' origin lands. */
  origin: [number, number];
  /** In millimetres, x to the right, y down. */
  bodies: { coil: boolean; x: number; y: number; width: number; height: number }[];
  strokes: { turn: boolean; from: [number, number]; to: [number, number] }[];
  /** In pixels: the line, its two arrowheads, the label centred in `box`. */
  dimensions: { from: [number, number]; to: [number, number]; heads: [number, number][][]; label: string; box: PixelBox }[];
  notes: { text: string; box: PixelBox }[];
}

interface PlacedDrawing {
  caption: string;
  /** Why nothing is drawn: the design does not calculate. */
  fault: string;
  /** The caption at its top left; a fault centred in it. */
  inner: PixelBox;
  /** The cylinders over the coil, and the flat variant. */
  figures: [PlacedDrawingFigure, PlacedDrawingFigure];
}

/** The build sheet's words for the typed design. */
interface ExplorerSheetWords {
  title: string;
  inputs: string[];
  band: string;
  linkLabel: string;
  /** The design's link parameters: "?frequency=…&separator=…". */
  link: string;
}

/** The explorer's module (web/ExplorerBinding.cpp, eh-explorer.js). */
interface ExplorerBinding {
  ExplorerPage: new () => ExplorerPage;
  explorerInputs(language: PageLanguage, units: PageUnits): string[];
  explorerResults(language: PageLanguage, units: PageUnits): ExplorerResult[];
  explorerAxis(low: number, high: number, maxTicks: number, separator: string): ExplorerAxis;
  explorerBands(region: number, language: PageLanguage): ExplorerBand[];
  explorerBandLabels(centres: number[], widths: number[], left: number, right: number, rows: number, gap: number):
    ({ left: number; row: number } | null)[];
  explorerSweep(job: ExplorerJob, columns: number, preview: boolean): ExplorerSweepAnswer;
  explorerReadoutAt(value: number, exact: boolean): string;
  explorerSolve(job: ExplorerSolveJob): ExplorerSolveOutcome | null;
  explorerTuningPlan(texts: string[], separator: string, region: number, criterion: number, language: PageLanguage, units: PageUnits): ExplorerPlanRow[] | null;
  explorerCriteria(language: PageLanguage): string[];
  explorerSweepCsv(): string;
}

declare function EhExplorer(options?: CalculatorOptions): Promise<ExplorerBinding>;

/** A sweep to run, or a search for a target. */
type ExplorerWorkerTask = { job: ExplorerJob; columns: number } | { solve: ExplorerSolveJob };

/** The page to its worker: a task, or the readout at a value of the last sweep. */
type ExplorerWorkerRequest =
  | ({ token: number } & ExplorerWorkerTask)
  | { token: number; readoutAt: number; exact: boolean }
  | { token: number; csv: true };

/** The worker's answers: a sweep (a preview first where the sweep is long), a readout or a search's outcome. */
type ExplorerWorkerAnswer =
  | { token: number; csv: string }
  | { token: number; sweep: ExplorerSweepAnswer }
  | { token: number; readout: string }
  | { token: number; solved: ExplorerSolveOutcome | null };

interface ExplorerSolveTexts {
  result: number;
  target: string;
  input: number;
  from: string;
  to: string;
}

/** What the worker needs to run one search, as ExplorerPage.solveRequest() names it. */
interface ExplorerSolveJob {
  texts: string[];
  separator: string;
  language: PageLanguage;
  units: PageUnits;
  solve: ExplorerSolveTexts;
}

interface ExplorerSolveOutcome {
  solutions: number[];
  lowestResult: number | null;
  highestResult: number | null;
  faultedPoints: number;
  standInPoints: number;
  constant: boolean;
  jumps: number;
}

interface ExplorerSolutions {
  summary: string;
  /** The input the answers are values of, as an index of the fields. */
  input: number;
  /** `exact`: the answer with every digit, in the unit the chart shows. */
  rows: { text: string; shownText: string; exact: number }[];
}
