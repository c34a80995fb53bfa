// SPDX-License-Identifier: GPL-3.0-or-later
// @ts-check
// Fetches and starts the calculator's WebAssembly for the glue's
// instantiateWasm hook, so that a failure can tell the user what went wrong:
// no answer from the server, an error status, or a file the browser cannot
// run.

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
 * @param {string} file
 * @param {WebAssembly.Imports} imports
 * @param {(key: string, values?: Record<string, string>) => string} text the page's words
 * @param {typeof fetch} [fetchFile]
 * @returns {Promise<WebAssembly.WebAssemblyInstantiatedSource>}
 */
export async function instantiateWasm(file, imports, text, fetchFile = fetch) {
  let response;
  try {
    response = await fetchFile(file);
  } catch {
    throw new LoadFailure(file, text('server-silent'));
  }
  if (!response.ok)
    throw new LoadFailure(file, text('server-answered', { status: `${response.status}${response.statusText ? ` ${response.statusText}` : ''}` }));
  try {
    // Compiled as it arrives when the server names its type; a server that
    // does not gets the whole file compiled at once.
    if (response.headers.get('Content-Type')?.startsWith('application/wasm'))
      return await WebAssembly.instantiateStreaming(response, imports);
    return await WebAssembly.instantiate(await response.arrayBuffer(), imports);
  } catch (error) {
    throw new LoadFailure(file, text('file-damaged', { error: error instanceof Error ? error.message : String(error) }));
  }
}
