// SPDX-License-Identifier: GPL-3.0-or-later
#include "TuningPlan.h"

#include "WorkbenchNumber.h"

#include <algorithm>
#include <cmath>

namespace eh {

std::vector<std::string> CriterionNames() { return {"полоса по уровню 3 дБ", "КСВ не выше 2 (0,71 полосы 3 дБ)"}; }

std::array<std::string, 4> TuningPlanCells(const TBandPlanRow& row, char separator)
{
    const TAmateurBand& edges = row.coverage.band;
    return {
        std::to_string(edges.metres) + " м",
        ExactNumber(edges.lowKHz, separator) + "–" + ExactNumber(edges.highKHz, separator),
        row.widthKHz ? WorkbenchNumber(*row.widthKHz, "кГц", separator) : "—",
        !row.settingCount        ? "—"
        : *row.settingCount == 1 ? "1 (весь)"
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

std::string SettingsText(const TBandPlanRow& row, char separator)
{
    std::string text = std::to_string(row.coverage.band.metres) + " м, настроек: " +
                       (row.settingCount ? std::to_string(*row.settingCount) : std::string("—"));
    for (const TTuningSetting& setting : row.settings)
        text += "\n" + WorkbenchNumber(setting.frequencyKHz, "кГц", separator) + " кГц — " +
                (setting.turns ? WorkbenchNumber(*setting.turns, "", separator) + " вит." : std::string("ошибка расчёта"));
    if (row.settingCount && *row.settingCount > row.settings.size())
        text += "\n…";
    return text;
}

} // namespace eh
