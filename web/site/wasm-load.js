// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// Starts the calculator's WebAssembly for the glue's instantiateWasm hook,
// so that a failure can tell the user what went wrong: no answer from the
// server, an error status, or a file the browser cannot run.

/** A file of the page that could not be loaded, and why, in the page's words. */
export class LoadFailure extends Error {
  /**
   * @param {string} file
   * @param {string} reason
   */
  constructor(file, reason) {
    super(`${file}: ${reason}`);
    this.file = file;
    this.reason = reason;
  }
}

/**
 * Starts the calculator from its WebAssembly as the page's shell asked for
 * it: `start.module` is the file compiled as it arrived, or null when the
 * server did not name its type (the file is then compiled whole here).
 * @param {WasmStart} start
 * @param {WebAssembly.Imports} imports
 * @param {(key: string, values?: Record<string, string>) => string} text the page's words
 * @returns {Promise<WebAssembly.WebAssemblyInstantiatedSource>}
 */
export async function instantiateWasm(start, imports, text) {
  const { file } = start;
  let response;
  try {
    response = await start.response;
  } catch {
    throw new LoadFailure(file, text('server-silent'));
  }
  if (!response.ok)
    throw new LoadFailure(file, text('server-answered', { status: `${response.status}${response.statusText ? ` ${response.statusText}` : ''}` }));
  try {
    const module = (await start.module) ?? await WebAssembly.compile(await response.arrayBuffer());
    return { module, instance: await WebAssembly.instantiate(module, imports) };
  } catch (error) {
    throw new LoadFailure(file, text('file-damaged', { error: error instanceof Error ? error.message : String(error) }));
  }
}
