// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace eh {

// One amateur band: its name as hams say it and its edges in MHz.
struct TAmateurBand {
    const char* name;
    double lowMHz;
    double highMHz;
};

// The HF bands and 6 m, from the lowest frequency up.
const std::array<TAmateurBand, 10>& AmateurBands();

// The band holding `frequencyMHz`, or else the one whose nearer edge is
// closest to it.
const TAmateurBand& NearestBand(double frequencyMHz);

} // namespace eh
