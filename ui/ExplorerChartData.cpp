// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerChartData.h"

#include "ExplorerModel.h"
#include "ExplorerOutputs.h"
#include "FormControls.h"
#include "InterfaceLanguage.h"
#include "ShownLengths.h"

#include <cmath>

namespace eh {

namespace {

std::vector<TChartSeries> Columns(const TDesignSweep& sweep, const std::vector<std::size_t>& chosen, TLengthUnit lengths)
{
    std::vector<TChartSeries> series;
    for (const std::size_t result : chosen) {
        const TResultInfo& info = ResultTable()[result];
        TChartSeries one{Utf8(ShownResultName(info, InterfaceLanguage(), lengths)), Utf8(ExplorerUnit(info, InterfaceLanguage(), lengths)), {}};
        one.values.reserve(sweep.results.size());
        for (const std::optional<TAntennaResults>& results : sweep.results)
            one.values.push_back(results ? ShownResultValue(info, *results, lengths) : NAN);
        series.push_back(std::move(one));
    }
    return series;
}

} // namespace

TChartData ExplorerChartData(const TDesignSweep& typed, const std::vector<std::shared_ptr<const TDesignSweep>>& pinned,
                             const ExplorerModel& model)
{
    const char separator = model.Separator();
    const std::vector<std::size_t>& chosen = model.Outputs();
    const TInputInfo& swept = InputTable()[typed.plan.input];
    const TLengthUnit lengths = model.Lengths();
    TChartData data;
    data.xTitle = Utf8(ShownInputLabel(swept, InterfaceLanguage(), lengths));
    data.xValues = ShownSweptValues(typed.plan, lengths);
    data.series = Columns(typed, chosen, lengths);
    for (const std::shared_ptr<const TDesignSweep>& pin : pinned)
        data.pinned.push_back({Utf8(PinnedLabel(pin->base, typed.base, typed.plan.input, separator, InterfaceLanguage(), lengths)),
                               ShownSweptValues(pin->plan, lengths), Columns(*pin, chosen, lengths)});
    if (swept.value == &TAntennaInputs::FrequencyMHz)
        for (const TAmateurBand& band : BandPlan(model.Region()))
            data.bands.push_back({Utf8(ShownBandName(band, InterfaceLanguage())), band.LowMHz(), band.HighMHz()});
    data.markedX = InShownUnit(swept, typed.base.*swept.value, lengths);
    if (!data.xValues.empty())
        data.measurement = model.MeasurementMarksOver(typed.plan.input, data.xValues.front(), data.xValues.back());
    // Only answers that hold for the design shown, against its own input.
    if (const auto& found = model.Solutions(); found && found->request.plan.input == typed.plan.input)
        for (const double solution : found->outcome.solutions)
            data.solutions.push_back(InShownUnit(swept, solution, lengths));
    return data;
}

} // namespace eh
