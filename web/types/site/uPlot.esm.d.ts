// SPDX-License-Identifier: GPL-3.0-or-later
// The chart library's module build, copied beside the page when the site is
// built, has the package's own types.
import uPlot from 'uplot';
export default uPlot;
