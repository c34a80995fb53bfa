// SPDX-License-Identifier: GPL-3.0-or-later
#include "BandPlans.h"

#include <fmt/format.h>

#include <array>

namespace eh {

namespace {

// Region 1: the IARU Region 1 HF band plan (effective 16 October 2020) and
// its 6 m plan, 50-52 MHz.
constexpr std::array kRegion1 = {
    TAmateurBand{160, 1810, 2000},   TAmateurBand{80, 3500, 3800},    TAmateurBand{60, 5351.5, 5366.5},
    TAmateurBand{40, 7000, 7200},    TAmateurBand{30, 10100, 10150},  TAmateurBand{20, 14000, 14350},
    TAmateurBand{17, 18068, 18168},  TAmateurBand{15, 21000, 21450},  TAmateurBand{12, 24890, 24990},
    TAmateurBand{10, 28000, 29700},  TAmateurBand{6, 50000, 52000},
};

// Region 2: the IARU Region 2 MF/HF band plan (effective 1 January 2008, as
// amended since, with the 60 m band of WRC-15) and its VHF plan, 50-54 MHz.
constexpr std::array kRegion2 = {
    TAmateurBand{160, 1800, 2000},   TAmateurBand{80, 3500, 4000},    TAmateurBand{60, 5351.5, 5366.5},
    TAmateurBand{40, 7000, 7300},    TAmateurBand{30, 10100, 10150},  TAmateurBand{20, 14000, 14350},
    TAmateurBand{17, 18068, 18168},  TAmateurBand{15, 21000, 21450},  TAmateurBand{12, 24890, 24990},
    TAmateurBand{10, 28000, 29700},  TAmateurBand{6, 50000, 54000},
};

// Region 3: the IARU Region 3 band plan (document R3-004, revised
// 3 September 2019), which no longer lists 7200-7300 kHz, not an amateur
// allocation in Region 3.
constexpr std::array kRegion3 = {
    TAmateurBand{160, 1800, 2000},   TAmateurBand{80, 3500, 3900},    TAmateurBand{60, 5351.5, 5366.5},
    TAmateurBand{40, 7000, 7200},    TAmateurBand{30, 10100, 10150},  TAmateurBand{20, 14000, 14350},
    TAmateurBand{17, 18068, 18168},  TAmateurBand{15, 21000, 21450},  TAmateurBand{12, 24890, 24990},
    TAmateurBand{10, 28000, 29700},  TAmateurBand{6, 50000, 54000},
};

} // namespace

std::optional<TIaruRegion> IaruRegion(int number)
{
    if (number < 1 || number > 3)
        return std::nullopt;
    return static_cast<TIaruRegion>(number);
}

std::string ShownBandName(const TAmateurBand& band, TLanguage language)
{
    return fmt::format(fmt::runtime(LocalText("explorer.band", language)), band.metres);
}

std::span<const TAmateurBand> BandPlan(TIaruRegion region)
{
    switch (region) {
    case TIaruRegion::Region2:
        return kRegion2;
    case TIaruRegion::Region3:
        return kRegion3;
    case TIaruRegion::Region1:
        break;
    }
    return kRegion1;
}

const TAmateurBand& NearestBand(TIaruRegion region, double frequencyMHz)
{
    // The bands run upwards: the first one not wholly below the frequency
    // holds it, or the frequency lies in the gap below it. Comparing within
    // that gap keeps the distances small enough to tell apart.
    const std::span<const TAmateurBand> bands = BandPlan(region);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        if (!(bands[i].HighMHz() < frequencyMHz)) {
            if (i == 0 || frequencyMHz >= bands[i].LowMHz())
                return bands[i];
            const double above = bands[i].LowMHz() - frequencyMHz;
            const double below = frequencyMHz - bands[i - 1].HighMHz();
            return below <= above ? bands[i - 1] : bands[i];
        }
    }
    return bands.back();
}

} // namespace eh
