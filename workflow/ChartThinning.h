// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>
#include <vector>

namespace eh {

// The points of one curve thinned to the lowest and highest value in each of
// `columns` equal slices of [xMin, xMax], in order: what a line drawn that
// many pixels wide shows anyway. NaN values split the curve into runs.
std::vector<std::vector<std::pair<double, double>>> ThinToColumns(const std::vector<double>& x,
                                                                  const std::vector<double>& y, int columns);

} // namespace eh
