// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

namespace eh {

// Where the band names go: each name `widths[i]` wide is centred on
// `centres[i]` (kept inside [left, right]) on the first of `rows` rows where
// it clears the names already there by `gap`; a name that clears none is
// left out (nullopt), its band still shaded and named in the readout. The
// names are taken in the order given. Returns the left edge and the row.
struct TLabelPlace {
    double left = 0;
    int row = 0;
};

std::vector<std::optional<TLabelPlace>> PlaceBandLabels(const std::vector<double>& centres,
                                                        const std::vector<double>& widths, double left,
                                                        double right, int rows, double gap);

} // namespace eh
