// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartThinning.h"

#include <algorithm>
#include <cmath>

namespace eh {

std::vector<std::vector<std::pair<double, double>>> ThinToColumns(const std::vector<double>& x,
                                                                  const std::vector<double>& y, int columns)
{
    std::vector<std::vector<std::pair<double, double>>> runs;
    if (x.empty())
        return runs;
    const double xMin = x.front();
    const double width = x.back() - x.front();
    std::vector<std::pair<double, double>> run;
    long column = -1;
    std::size_t lowest = 0;
    std::size_t highest = 0;
    const auto closeColumn = [&] {
        if (column < 0)
            return;
        run.emplace_back(x[std::min(lowest, highest)], y[std::min(lowest, highest)]);
        if (lowest != highest)
            run.emplace_back(x[std::max(lowest, highest)], y[std::max(lowest, highest)]);
        column = -1;
    };
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (std::isnan(y[i])) {
            closeColumn();
            if (!run.empty())
                runs.push_back(std::move(run));
            run.clear();
            continue;
        }
        const long here =
            width > 0 ? std::min<long>(static_cast<long>((x[i] - xMin) / width * columns), columns - 1) : 0;
        if (here != column) {
            closeColumn();
            column = here;
            lowest = highest = i;
        } else if (y[i] < y[lowest]) {
            lowest = i;
        } else if (y[i] > y[highest]) {
            highest = i;
        }
    }
    closeColumn();
    if (!run.empty())
        runs.push_back(std::move(run));
    return runs;
}

} // namespace eh
