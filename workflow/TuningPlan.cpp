// SPDX-License-Identifier: GPL-3.0-or-later
#include "TuningPlan.h"

#include "WorkbenchNumber.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

namespace eh {

std::vector<std::string> CriterionNames(TLanguage language)
{
    return {LocalText("explorer.criterion.3db", language), LocalText("explorer.criterion.swr2", language)};
}

std::array<std::string, 4> TuningPlanCells(const TBandPlanRow& row, char separator, TLanguage language)
{
    const TAmateurBand& edges = row.coverage.band;
    return {
        ShownBandName(edges, language),
        ExactNumber(edges.lowKHz, separator) + "–" + ExactNumber(edges.highKHz, separator),
        row.widthKHz ? WorkbenchNumber(*row.widthKHz, "кГц", separator) : "—",
        !row.settingCount        ? "—"
        : *row.settingCount == 1 ? LocalText("explorer.plan.whole-band", language)
                                 : std::to_string(*row.settingCount),
    };
}

double CriterionShare(TBandwidthCriterion criterion)
{
    return criterion == TBandwidthCriterion::Swr2 ? 1 / std::sqrt(2.0) : 1;
}

std::vector<TBandPlanRow> TuningPlan(TIaruRegion region, const TAntennaInputs& typed, TBandwidthCriterion criterion)
{
    std::vector<TBandPlanRow> plan;
    for (TBandCoverage& coverage : CoverBands(region, typed)) {
        TBandPlanRow row;
        const TAmateurBand band = coverage.band;
        row.typedBand = typed.FrequencyMHz >= band.LowMHz() && typed.FrequencyMHz <= band.HighMHz();
        if (coverage.bandwidthKHz) {
            row.widthKHz = *coverage.bandwidthKHz * CriterionShare(criterion);
            row.settingCount = SettingsToCover(band.WidthKHz(), *row.widthKHz);
        }
        if (row.settingCount) {
            const std::uint64_t count = *row.settingCount;
            const std::size_t listed = static_cast<std::size_t>(std::min<std::uint64_t>(count, kMaxListedSettings));
            for (std::size_t i = 0; i < listed; ++i) {
                TTuningSetting setting;
                setting.frequencyKHz = band.lowKHz + (static_cast<double>(i) + 0.5) * band.WidthKHz() /
                                                         static_cast<double>(count);
                TAntennaInputs there = typed;
                there.FrequencyMHz = setting.frequencyKHz / 1000;
                if (const TDesign design = CalculateDesign(there); design.results)
                    setting.turns = design.results->TurnCount;
                row.settings.push_back(setting);
            }
        }
        row.coverage = std::move(coverage);
        plan.push_back(std::move(row));
    }
    return plan;
}

std::string SettingsText(const TBandPlanRow& row, char separator, TLanguage language)
{
    std::string text = fmt::format(fmt::runtime(LocalText("explorer.plan.settings", language)), row.coverage.band.metres,
                                   row.settingCount ? std::to_string(*row.settingCount) : std::string("—"));
    for (const TTuningSetting& setting : row.settings) {
        const std::string frequency = WorkbenchNumber(setting.frequencyKHz, "кГц", separator);
        text += "\n" + (setting.turns ? fmt::format(fmt::runtime(LocalText("explorer.plan.setting", language)), frequency,
                                                    WorkbenchNumber(*setting.turns, "", separator))
                                      : frequency + " " + LocalText("explorer.unit.kilohertz", language) + " — " +
                                            LocalText("explorer.calculation-fault", language));
    }
    if (row.settingCount && *row.settingCount > row.settings.size())
        text += "\n…";
    return text;
}

} // namespace eh
