// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerSolutions.h"

#include "DesignService.h"
#include "ExplorerOutputs.h"
#include "ExplorerRange.h"
#include "InputText.h"
#include "NumberConversion.h"
#include "ShownLengths.h"
#include "WorkbenchNumber.h"

#include <fmt/format.h>

#include <algorithm>

namespace eh {

namespace {

// The explorer shows centimetre results in millimetres, as the report does.
double ShownScale(const TResultInfo& info) { return info.timesTen ? 10 : 1; }

// The shown text read as the field it is written into reads it.
double ReadBack(const TInputInfo& input, const std::string& text, char separator, TLengthUnit lengths)
{
    return ReadInputText(input, text, separator, {.lengths = lengths});
}

} // namespace

TSolveReading ReadSolveTexts(const TSolveTexts& typedTexts, const TAntennaInputs& typed, char separator,
                             TLanguage language, TLengthUnit lengths)
{
    TSolveReading reading;
    const TResultInfo& result = ResultTable()[typedTexts.result];
    TSolveTexts texts = typedTexts;
    const TRangeTexts bounds = MillimetreRangeTexts(texts.input, {texts.from, texts.to, ""}, separator, lengths);
    texts.from = bounds.from;
    texts.to = bounds.to;
    texts.target = MillimetreTextOf(IsLength(result), texts.target, separator, lengths);
    double target = 0;
    try {
        target = ConvertFieldText(texts.target, separator);
    } catch (const Exception&) {
        reading.message = LocalText("explorer.solve.target-not-a-number", language);
        return reading;
    }
    const TSweepPlanReading plan =
        PlanSweepByPoints(texts.input, texts.from, texts.to, kSolveGridPoints, separator, kSolveGridPoints);
    const TRangeReading range = ReadExplorerRange(texts.input, {texts.from, texts.to, "2"}, separator, language);
    if (!plan.plan || !range.plan) {
        reading.message = fmt::format(fmt::runtime(LocalText("explorer.solve.range", language)), range.message);
        return reading;
    }
    reading.request =
        TSolveRequest{*plan.plan, typed, texts.result, FromShownCount(result, target, lengths) / ShownScale(result)};
    return reading;
}

bool TFoundSolutions::Answer(const TSolveRequest& asked) const
{
    if (asked.result != request.result || asked.target != request.target || asked.plan.input != request.plan.input)
        return false;
    for (std::size_t i = 0; i < kInputCount; ++i) {
        const auto value = InputTable()[i].value;
        if (i != request.plan.input && asked.base.*value != request.base.*value)
            return false;
    }
    return true;
}

std::vector<TSolutionRow> SolutionRows(const TFoundSolutions& found, char separator, TLanguage language,
                                       TLengthUnit lengths)
{
    const TInputInfo& input = InputTable()[found.request.plan.input];
    const TResultInfo& result = ResultTable()[found.request.result];
    const std::string unit = ExplorerUnit(result, language, lengths);
    std::vector<TSolutionRow> rows;
    rows.reserve(found.outcome.solutions.size());
    for (const double solution : found.outcome.solutions) {
        TSolutionRow row;
        row.exact = solution;
        const double shownValue = InShownUnit(input, solution, lengths);
        row.exactText = ExactNumber(shownValue, separator);
        row.shownText = WorkbenchNumber(shownValue, WorkbenchUnit(input, lengths), separator);
        TAntennaInputs design = found.request.base;
        design.*input.value = ReadBack(input, row.shownText, separator, lengths);
        const TDesign shown = CalculateDesign(design);
        row.text = ShownInputLabel(input, language, lengths) + " = " + row.shownText + " → ";
        if (shown.results) {
            row.resultAtShown = ShownResultValue(result, *shown.results, lengths);
            row.text += WorkbenchNumber(*row.resultAtShown, WorkbenchUnit(result, lengths), separator) +
                        (unit.empty() ? "" : " " + unit);
        } else {
            row.text += LocalText("explorer.calculation-fault", language);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string SolveSummary(const TFoundSolutions& found, char separator, TLanguage language, TLengthUnit lengths)
{
    const TSolveOutcome& outcome = found.outcome;
    const TResultInfo& result = ResultTable()[found.request.result];
    const auto shown = [&](double value) {
        return WorkbenchNumber(InShownUnit(result, value * ShownScale(result), lengths), WorkbenchUnit(result, lengths),
                               separator);
    };
    const auto text_of = [language](const char* key, const auto&... values) {
        return fmt::format(fmt::runtime(LocalText(key, language)), values...);
    };
    std::string text;
    if (outcome.solutions.empty()) {
        text = LocalText("explorer.solve.none", language);
        if (outcome.lowestResult)
            text += text_of("explorer.solve.varies", shown(*outcome.lowestResult), shown(*outcome.highestResult));
    } else {
        text = text_of("explorer.solve.found", outcome.solutions.size());
    }
    if (outcome.faultedPoints > 0)
        text += text_of("explorer.solve.faulted", outcome.faultedPoints);
    return text;
}

} // namespace eh
