// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerModel.h"

#include "ExplorerOutputs.h"
#include "NumberConversion.h"

#include <algorithm>

namespace eh {

namespace {

const std::size_t kFrequencyInput = 0;

void FillBounds(TRangeTexts& texts, const TRangeBounds& bounds, char separator)
{
    texts.from = RangeBoundText(bounds.from, separator);
    texts.to = RangeBoundText(bounds.to, separator);
}

} // namespace

ExplorerModel::ExplorerModel()
{
    SetOutputs(DefaultExplorerOutputs());
    range_.points = std::to_string(kDefaultExplorerPoints);
    FillBounds(range_, *PresetRange(TRangePreset::WholeHf, region_, 0), separator_);
    // Bandwidth by the cylinder's diameter: the question a builder asks first.
    solve_.result = *ResultByKey("BandwidthKHz");
    SetSolveInput(*InputByKey("cylinder-diameter"));
}

void ExplorerModel::SetFieldTextOptions(const TFieldTextOptions& options)
{
    const bool otherUnit = options.lengths != fieldOptions_.lengths;
    fieldOptions_ = options;
    if (!otherUnit)
        return;
    if (!SweepsFrequency())
        SetXInput(xInput_);
    SetSolveInput(solve_.input);
}

void ExplorerModel::SetFieldTexts(const TFieldTexts& texts)
{
    fieldTexts_ = texts;
    if (!SolutionsHold())
        found_.reset();
}

std::optional<TAntennaInputs> ExplorerModel::Typed() const
{
    try {
        const TFieldReading reading = ReadFieldTexts(fieldTexts_, separator_, fieldOptions_);
        if (!reading.badField)
            return reading.inputs;
    } catch (const Exception&) {
        // A number beyond the double range: no design.
    }
    return std::nullopt;
}

bool ExplorerModel::SweepsFrequency() const
{
    return InputTable()[xInput_].value == &TAntennaInputs::FrequencyMHz;
}

void ExplorerModel::SetXInput(std::size_t input)
{
    xInput_ = std::min(input, kInputCount - 1);
    if (SweepsFrequency()) {
        SetPreset(TRangePreset::WholeHf);
    } else {
        preset_ = TRangePreset::Custom;
        FillBounds(range_, ShownSensibleRange(xInput_, Lengths()), separator_);
    }
}

void ExplorerModel::SetPreset(TRangePreset preset) { preset_ = SweepsFrequency() ? preset : TRangePreset::Custom; }

void ExplorerModel::ShowBand(const TAmateurBand& band)
{
    xInput_ = kFrequencyInput;
    preset_ = TRangePreset::Custom;
    FillBounds(range_, {band.LowMHz(), band.HighMHz()}, separator_);
}

void ExplorerModel::SetOutputs(std::vector<std::size_t> outputs)
{
    std::sort(outputs.begin(), outputs.end());
    outputs.erase(std::unique(outputs.begin(), outputs.end()), outputs.end());
    std::erase_if(outputs, [](std::size_t result) { return result >= kResultCount; });
    outputs_ = std::move(outputs);
}

TExplorerRequest ExplorerModel::Request()
{
    TExplorerRequest request;
    TFieldReading reading;
    try {
        reading = ReadFieldTexts(fieldTexts_, separator_, fieldOptions_);
    } catch (const Exception&) {
        request.message = LocalText("explorer.field-beyond-range", language_);
        return request;
    }
    if (reading.badField) {
        request.message = NotANumberNote(*reading.badField, language_);
        return request;
    }
    request.typed = reading.inputs;
    if (SweepsFrequency())
        if (const auto bounds = PresetRange(preset_, region_, reading.inputs.FrequencyMHz))
            FillBounds(range_, *bounds, separator_);
    const TRangeReading range = ReadExplorerRange(xInput_, range_, separator_, language_, Lengths());
    request.plan = range.plan;
    request.message = range.message;
    request.rangeNote = range.note;
    return request;
}

void ExplorerModel::SetSolveTexts(const TSolveTexts& texts)
{
    solve_ = texts;
    if (!SolutionsHold())
        found_.reset();
}

void ExplorerModel::SetSolveInput(std::size_t input)
{
    solve_.input = std::min(input, kInputCount - 1);
    const TRangeBounds bounds = ShownSensibleRange(solve_.input, Lengths());
    solve_.from = RangeBoundText(bounds.from, separator_);
    solve_.to = RangeBoundText(bounds.to, separator_);
    if (!SolutionsHold())
        found_.reset();
}

TSolveReading ExplorerModel::SolveRequest() const
{
    TFieldReading reading;
    try {
        reading = ReadFieldTexts(fieldTexts_, separator_, fieldOptions_);
    } catch (const Exception&) {
        return {std::nullopt, LocalText("explorer.field-beyond-range", language_)};
    }
    if (reading.badField)
        return {std::nullopt, NotANumberNote(*reading.badField, language_)};
    return ReadSolveTexts(solve_, reading.inputs, separator_, language_, Lengths());
}

bool ExplorerModel::AcceptSolutions(TFoundSolutions found)
{
    found_ = std::move(found);
    if (SolutionsHold())
        return true;
    found_.reset();
    return false;
}

bool ExplorerModel::SolutionsHold() const
{
    if (!found_)
        return false;
    const TSolveReading asked = SolveRequest();
    return asked.request && found_->Answer(*asked.request);
}

void ExplorerModel::SetMeasurement(TShownMeasurement measurement)
{
    measurement_ = std::move(measurement);
    measurementShown_ = true;
}

bool ExplorerModel::ShowMeasuredStretch()
{
    const std::optional<TMarkedSpan> stretch = measurement_ ? MeasuredStretch(measurement_->analysis) : std::nullopt;
    if (!stretch)
        return false;
    xInput_ = kFrequencyInput;
    preset_ = TRangePreset::Custom;
    FillBounds(range_, {stretch->lowMHz, stretch->highMHz}, separator_);
    return true;
}

std::optional<TMeasurementMarks> ExplorerModel::MeasurementMarksOver(std::size_t input, double low,
                                                                     double high) const
{
    if (!MeasurementShown() || input >= kInputCount ||
        InputTable()[input].value != &TAntennaInputs::FrequencyMHz)
        return std::nullopt;
    return MeasurementMarks(*measurement_, low, high, outputs_, separator_, language_);
}

} // namespace eh
