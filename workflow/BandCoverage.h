// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BandPlans.h"
#include "DesignService.h"

#include <cstdint>
#include <optional>
#include <vector>

// How the typed design serves each band of a region: the antenna is tuned
// to one frequency at a time, and its 3 dB bandwidth decides how much of the
// band one setting covers.
namespace eh {

struct TBandCoverage {
    TAmateurBand band;
    // The typed design with its frequency at the band's low edge, centre and
    // high edge.
    TDesign low;
    TDesign centre;
    TDesign high;
    // The 3 dB bandwidth at the centre; empty when that design faults.
    std::optional<double> bandwidthKHz;
    // One setting covers the whole band: bandwidth >= band width.
    bool covers = false;
    // The settings it takes to cover the band (1 when it covers); empty when
    // the bandwidth is unknown, not above zero or too small to count.
    std::optional<std::uint64_t> settings;
};

// The fewest settings of `bandwidthKHz` each that together span `widthKHz`;
// empty when the bandwidth is not above zero or too small to count.
std::optional<std::uint64_t> SettingsToCover(double widthKHz, double bandwidthKHz);

TBandCoverage CoverBand(const TAmateurBand& band, const TAntennaInputs& typed);

// One entry per band of the region, from the lowest frequency up.
std::vector<TBandCoverage> CoverBands(TIaruRegion region, const TAntennaInputs& typed);

} // namespace eh
