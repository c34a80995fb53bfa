// SPDX-License-Identifier: GPL-3.0-or-later
#include "BandLabels.h"

#include <algorithm>
#include <cmath>

namespace eh {

std::vector<std::optional<TLabelPlace>> PlaceBandLabels(const std::vector<double>& centres,
                                                        const std::vector<double>& widths, double left,
                                                        double right, int rows, double gap)
{
    std::vector<std::optional<TLabelPlace>> places(centres.size());
    // The right edge of the last name on each row.
    std::vector<double> rowEnd(static_cast<std::size_t>(std::max(rows, 0)), -HUGE_VAL);
    for (std::size_t i = 0; i < centres.size(); ++i) {
        if (widths[i] > right - left)
            continue;
        const double at = std::clamp(centres[i] - widths[i] / 2, left, right - widths[i]);
        for (std::size_t row = 0; row < rowEnd.size(); ++row) {
            if (at >= rowEnd[row] + gap) {
                places[i] = TLabelPlace{at, static_cast<int>(row)};
                rowEnd[row] = at + widths[i];
                break;
            }
        }
    }
    return places;
}

} // namespace eh
