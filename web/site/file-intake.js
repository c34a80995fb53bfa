// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement section's file picker and drop zone, live from the moment
// the section shows: its module and chart library load a little later, and
// a file picked or dropped meanwhile is kept (the newest one) and opened
// once they have, not lost. A file dropped beside the zone never makes the
// browser leave the page for it.

/** @param {DragEvent} event */
const carriesFiles = (event) => [...(event.dataTransfer?.types ?? [])].includes('Files');

export class FileIntake {
  /**
   * @param {HTMLInputElement} picker
   * @param {HTMLElement} zone
   * @param {HTMLElement} status where a file waiting to be opened is named
   * @param {(name: string) => string} waiting the words naming it
   * @param {EventTarget} page the window, for drops beside the zone
   */
  constructor(picker, zone, status, waiting, page = window) {
    /** @type {((file: File) => void) | null} */
    this.open = null;
    /** @type {File | null} */
    this.pending = null;
    this.status = status;
    this.waiting = waiting;
    picker.addEventListener('change', () => {
      if (picker.files?.length) this.take(picker.files[0]);
      // The same file picked again is read again.
      picker.value = '';
    });
    zone.addEventListener('dragover', (event) => {
      const drag = /** @type {DragEvent} */ (event);
      if (!carriesFiles(drag) || !drag.dataTransfer) return;
      drag.preventDefault();
      drag.dataTransfer.dropEffect = 'copy';
      zone.classList.add('dragging');
    });
    zone.addEventListener('dragleave', (event) => {
      const related = /** @type {Node | null} */ (/** @type {DragEvent} */ (event).relatedTarget);
      if (!zone.contains(related)) zone.classList.remove('dragging');
    });
    zone.addEventListener('drop', (event) => {
      const drop = /** @type {DragEvent} */ (event);
      drop.preventDefault();
      zone.classList.remove('dragging');
      const file = drop.dataTransfer?.files[0];
      if (file) this.take(file);
    });
    for (const type of ['dragover', 'drop']) {
      page.addEventListener(type, (event) => {
        const drag = /** @type {DragEvent} */ (event);
        if (drag.defaultPrevented || !carriesFiles(drag) || !drag.dataTransfer) return;
        drag.preventDefault();
        drag.dataTransfer.dropEffect = 'none';
      });
    }
  }

  /**
   * From now on every file goes to `open`, the one waiting first.
   * @param {(file: File) => void} open
   */
  deliverTo(open) {
    this.open = open;
    const waiting = this.pending;
    this.pending = null;
    if (waiting) open(waiting);
  }

  /** @param {File} file */
  take(file) {
    if (this.open) {
      this.open(file);
      return;
    }
    this.pending = file;
    this.status.textContent = this.waiting(file.name);
  }
}
