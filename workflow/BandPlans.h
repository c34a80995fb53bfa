// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Language.h"

#include <optional>
#include <span>
#include <string>

// The HF amateur bands, 160 m to 10 m with 60 m, and 6 m, as the band plans
// of the three IARU regions give them.
namespace eh {

enum class TIaruRegion { Region1 = 1, Region2 = 2, Region3 = 3 };

// Europe, Africa, the Middle East and Northern Asia: where the program's
// Russian-speaking users live.
inline constexpr TIaruRegion kDefaultRegion = TIaruRegion::Region1;

// The region of its number, 1 to 3.
std::optional<TIaruRegion> IaruRegion(int number);

struct TAmateurBand {
    int metres = 0; // the name hams use: 160 for "160 m"
    double lowKHz = 0;
    double highKHz = 0;

    double LowMHz() const { return lowKHz / 1000; }
    double HighMHz() const { return highKHz / 1000; }
    double CentreMHz() const { return (lowKHz + highKHz) / 2 / 1000; }
    double WidthKHz() const { return highKHz - lowKHz; }
};

// The band's name as hams say it: "20 м", "20 m".
std::string ShownBandName(const TAmateurBand& band, TLanguage language = kDefaultLanguage);

// The region's bands from the lowest frequency up.
std::span<const TAmateurBand> BandPlan(TIaruRegion region);

// The band of the region holding `frequencyMHz`, or else the one whose nearer
// edge is closest to it.
const TAmateurBand& NearestBand(TIaruRegion region, double frequencyMHz);

} // namespace eh
