// SPDX-License-Identifier: GPL-3.0-or-later
#include "AmateurBands.h"

#include <cmath>

namespace eh {

const std::array<TAmateurBand, 10>& AmateurBands()
{
    static const std::array<TAmateurBand, 10> bands = {{
        {"160 м", 1.810, 2.000},
        {"80 м", 3.500, 3.800},
        {"40 м", 7.000, 7.200},
        {"30 м", 10.100, 10.150},
        {"20 м", 14.000, 14.350},
        {"17 м", 18.068, 18.168},
        {"15 м", 21.000, 21.450},
        {"12 м", 24.890, 24.990},
        {"10 м", 28.000, 29.700},
        {"6 м", 50.0, 54.0},
    }};
    return bands;
}

const TAmateurBand& NearestBand(double frequencyMHz)
{
    const TAmateurBand* nearest = &AmateurBands().front();
    double nearestDistance = INFINITY;
    for (const TAmateurBand& band : AmateurBands()) {
        const double distance = frequencyMHz < band.lowMHz    ? band.lowMHz - frequencyMHz
                                : frequencyMHz > band.highMHz ? frequencyMHz - band.highMHz
                                                              : 0.0;
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = &band;
        }
    }
    return *nearest;
}

} // namespace eh
