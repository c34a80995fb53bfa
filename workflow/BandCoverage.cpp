// SPDX-License-Identifier: GPL-3.0-or-later
#include "BandCoverage.h"

#include <cmath>

namespace eh {

namespace {

// Beyond this a count of settings says nothing a ham could use, and it no
// longer fits a double exactly.
constexpr double kMaxSettings = 0x1p53;

TDesign DesignAt(TAntennaInputs inputs, double frequencyMHz)
{
    inputs.FrequencyMHz = frequencyMHz;
    return CalculateDesign(inputs);
}

} // namespace

std::optional<std::uint64_t> SettingsToCover(double width, double bandwidth)
{
    if (!(bandwidth > 0))
        return std::nullopt;
    const double ratio = std::ceil(width / bandwidth);
    if (!(ratio <= kMaxSettings))
        return std::nullopt;
    auto settings = static_cast<std::uint64_t>(std::max(ratio, 1.0));
    // The division may round up past a whole number of settings.
    if (settings > 1 && static_cast<double>(settings - 1) * bandwidth >= width)
        --settings;
    return settings;
}

TBandCoverage CoverBand(const TAmateurBand& band, const TAntennaInputs& typed)
{
    TBandCoverage coverage{band, DesignAt(typed, band.LowMHz()), DesignAt(typed, band.CentreMHz()),
                           DesignAt(typed, band.HighMHz()), std::nullopt, false, std::nullopt};
    if (coverage.centre.results) {
        coverage.bandwidthKHz = coverage.centre.results->BandwidthKHz;
        coverage.settings = SettingsToCover(band.WidthKHz(), *coverage.bandwidthKHz);
        coverage.covers = *coverage.bandwidthKHz >= band.WidthKHz();
    }
    return coverage;
}

std::vector<TBandCoverage> CoverBands(TIaruRegion region, const TAntennaInputs& typed)
{
    std::vector<TBandCoverage> table;
    for (const TAmateurBand& band : BandPlan(region))
        table.push_back(CoverBand(band, typed));
    return table;
}

} // namespace eh
