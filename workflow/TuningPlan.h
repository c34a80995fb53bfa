// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BandCoverage.h"
#include "Language.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The bands of a region as a plan for the workbench: how many times the
// antenna must be retuned to work a whole band, and where to tune it each
// time, under a bandwidth criterion of the user's choice.
namespace eh {

enum class TBandwidthCriterion {
    ThreeDb, // the model's 3 dB bandwidth
    // SWR at most 2: for a resonator matched at resonance the span within
    // SWR s is (s - 1) / sqrt(s) of the 3 dB bandwidth, 0.71 for s = 2.
    Swr2,
};

// The criteria as the explorer offers them, in TBandwidthCriterion's order.
std::vector<std::string> CriterionNames(TLanguage language = kDefaultLanguage);

// The share of the 3 dB bandwidth a criterion allows.
double CriterionShare(TBandwidthCriterion criterion);

// One setting: the frequency to tune to (the middle of the stretch it
// covers) and the tuning coil's turns there.
struct TTuningSetting {
    double frequencyKHz = 0;
    std::optional<double> turns; // empty when the design faults there
};

struct TBandPlanRow {
    TBandCoverage coverage;          // the band and the 3 dB bandwidth at its centre
    std::optional<double> widthKHz;  // the bandwidth under the criterion
    std::optional<std::uint64_t> settingCount;
    bool typedBand = false;          // holds the typed frequency
    // Listed only up to kMaxListedSettings; settingCount says how many.
    std::vector<TTuningSetting> settings;
};

inline constexpr std::size_t kMaxListedSettings = 12;

std::vector<TBandPlanRow> TuningPlan(TIaruRegion region, const TAntennaInputs& typed, TBandwidthCriterion criterion);

// The row as the coverage table shows it: the band ("20 м"), its edges in
// kHz as the band plan has them, the bandwidth under the criterion and how
// many settings work the whole band ("1 (весь)" for one, "—" where the
// design faults).
std::array<std::string, 4> TuningPlanCells(const TBandPlanRow& row, char separator,
                                           TLanguage language = kDefaultLanguage);

// "20 м, настроек: 2" and a line per setting, "14088 кГц — 12,31 витка"
// (workbench numbers); "…" ends a list cut at kMaxListedSettings.
std::string SettingsText(const TBandPlanRow& row, char separator, TLanguage language = kDefaultLanguage);

} // namespace eh
