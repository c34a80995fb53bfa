// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerChartData.h"

#include "ExplorerModel.h"
#include "ExplorerOutputs.h"
#include "FormControls.h"
#include "InterfaceLanguage.h"

#include <cmath>

namespace eh {

namespace {

std::vector<TChartSeries> Columns(const TDesignSweep& sweep, const std::vector<std::size_t>& chosen)
{
    std::vector<TChartSeries> series;
    for (const std::size_t result : chosen) {
        const TResultInfo& info = ResultTable()[result];
        TChartSeries one{Utf8(StandaloneName(info, InterfaceLanguage())), Utf8(ExplorerUnit(info, InterfaceLanguage())), {}};
        one.values.reserve(sweep.results.size());
        for (const std::optional<TAntennaResults>& results : sweep.results)
            one.values.push_back(results ? ShownValue(info, *results) : NAN);
        series.push_back(std::move(one));
    }
    return series;
}

std::vector<double> XValues(const TDesignSweep& sweep)
{
    std::vector<double> x(sweep.plan.points);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = sweep.plan.Value(i);
    return x;
}

} // namespace

TChartData ExplorerChartData(const TDesignSweep& typed, const std::vector<std::shared_ptr<const TDesignSweep>>& pinned,
                             const ExplorerModel& model)
{
    const char separator = model.Separator();
    const std::vector<std::size_t>& chosen = model.Outputs();
    const TInputInfo& swept = InputTable()[typed.plan.input];
    TChartData data;
    data.xTitle = QString::fromUtf8(InputText(swept, "label", InterfaceLanguage()));
    data.xValues = XValues(typed);
    data.series = Columns(typed, chosen);
    for (const std::shared_ptr<const TDesignSweep>& pin : pinned)
        data.pinned.push_back({Utf8(PinnedLabel(pin->base, typed.base, typed.plan.input, separator, InterfaceLanguage())),
                               XValues(*pin), Columns(*pin, chosen)});
    if (swept.value == &TAntennaInputs::FrequencyMHz)
        for (const TAmateurBand& band : BandPlan(model.Region()))
            data.bands.push_back({Utf8(ShownBandName(band, InterfaceLanguage())), band.LowMHz(), band.HighMHz()});
    data.markedX = typed.base.*swept.value;
    if (!data.xValues.empty())
        data.measurement = model.MeasurementMarksOver(typed.plan.input, data.xValues.front(), data.xValues.back());
    // Only answers that hold for the design shown, against its own input.
    if (const auto& found = model.Solutions(); found && found->request.plan.input == typed.plan.input)
        data.solutions = found->outcome.solutions;
    return data;
}

} // namespace eh
