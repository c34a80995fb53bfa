// SPDX-License-Identifier: GPL-3.0-or-later
// What the page's scripts share through the window, for the type checks:
// the WebAssembly binding's glue (web/Binding.cpp) and the shell's reports
// of a failed start (web/site/shell.js).

interface PageField {
  key: string;
  label: string;
  toolTip: string;
  unit: string;
  resetText: string;
  group: number;
  /** The field takes a wire gauge ("14 AWG") too. */
  wireGauge: boolean;
  /** The label in the unit the explorer sweeps it in (the model's). */
  sweepLabel: string;
}

interface PageTexts {
  title: string;
  calculate: string;
  save: string;
  bandwidthNote: string;
  measurementTitle: string;
  applyBandwidth: string;
  applyBandwidthTip: string;
  groups: string[];
  fields: PageField[];
}

interface ReportSpan {
  text: string;
  bold: boolean;
  underline: boolean;
  size: number;
}

interface CalculateAnswer {
  notice: string | null;
  fault: string | null;
  reset: { field: number; text: string } | null;
  firstIndent: number;
  lines: { text: string; spans: ReportSpan[] }[];
  plainText: string;
  /** The reported design's frequency, when there is a report. */
  frequencyMHz?: number;
}

/** A measured sweep's curves, as the measurement worker passes them on. */
interface MeasurementCurves {
  frequencyMHz: Float64Array;
  swr: Float64Array;
  resistance: Float64Array;
  reactance: Float64Array;
  idealSwr?: Float64Array;
  /** The sweep's own number of points, however many the curves keep. */
  points?: number;
}

type MeasurementCurve = 'frequencyMHz' | 'swr' | 'resistance' | 'reactance' | 'idealSwr';

/** What the page asks the measurement worker. */
interface MeasurementRequest {
  token: number;
  name: string;
  bytes: Uint8Array;
  texts: string[];
  separator: string;
  language: PageLanguage;
  units: PageUnits;
}

type PageLanguage = 'ru' | 'en';
type PageUnits = 'mm' | 'in';

interface Calculator {
  configure(language: PageLanguage, units: PageUnits): boolean;
  pageTexts(): PageTexts;
  wireGaugeText(text: string, separator: string): string | null;
  calculate(texts: string[], separator: string): CalculateAnswer;
  reportFile(plainText: string): Uint8Array<ArrayBuffer>;
  decimalSeparatorFor(named: string, languageMark: string): string;
  measurement(name: string, bytes: Uint8Array, texts: string[], separator: string): MeasurementCurves & { fault?: string };
}

interface CalculatorOptions {
  instantiateWasm?(imports: WebAssembly.Imports,
    receive: (instance: WebAssembly.Instance, module: WebAssembly.Module) => void): object;
}

declare function EhAntenna(options?: CalculatorOptions): Promise<Calculator>;

/** The calculator's WebAssembly as the page's shell asked for it (web/site/wasm-load.js). */
interface WasmStart {
  file: string;
  response: Promise<Response>;
  /** Compiled as it arrived; null when the server did not name its type. */
  module: Promise<WebAssembly.Module | null>;
}

interface Window {
  ehShell: {
    language: PageLanguage;
    units: PageUnits;
    /** The page's text of the key in its language, each "{name}" replaced by its value. */
    text(key: string, values?: Record<string, string | number>): string;
    wasm: WasmStart;
    /** The browser language's decimal mark, and keeping it for the next visit. */
    decimalMark: { get(): string; keep(): void };
    fileFailed(file: string, reason: string): void;
    startFailed(error: string): void;
  };
  /** For the console and the benchmark. */
  eh?: { calculator: Calculator; explorer?: object; measurement?: object; fieldTexts(): string[]; separator: string };
}
