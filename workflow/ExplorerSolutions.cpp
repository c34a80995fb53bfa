// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerSolutions.h"

#include "DesignService.h"
#include "ExplorerOutputs.h"
#include "ExplorerRange.h"
#include "NumberConversion.h"
#include "WorkbenchNumber.h"

#include <algorithm>

namespace eh {

namespace {

// The explorer shows centimetre results in millimetres, as the report does.
double ShownScale(const TResultInfo& info) { return info.timesTen ? 10 : 1; }

// A shown text is always a number the fields read.
double ReadBack(const std::string& text, char separator) { return ConvertFieldText(text, separator); }

} // namespace

TSolveReading ReadSolveTexts(const TSolveTexts& texts, const TAntennaInputs& typed, char separator)
{
    TSolveReading reading;
    const TResultInfo& result = ResultTable()[texts.result];
    double target = 0;
    try {
        target = ConvertFieldText(texts.target, separator);
    } catch (const Exception&) {
        reading.message = "Цель: не число";
        return reading;
    }
    const TSweepPlanReading plan =
        PlanSweepByPoints(texts.input, texts.from, texts.to, kSolveGridPoints, separator, kSolveGridPoints);
    const TRangeReading range = ReadExplorerRange(texts.input, {texts.from, texts.to, "2"}, separator);
    if (!plan.plan || !range.plan) {
        reading.message = "Диапазон поиска: " + range.message;
        return reading;
    }
    reading.request = TSolveRequest{*plan.plan, typed, texts.result, target / ShownScale(result)};
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

std::vector<TSolutionRow> SolutionRows(const TFoundSolutions& found, char separator)
{
    const TInputInfo& input = InputTable()[found.request.plan.input];
    const TResultInfo& result = ResultTable()[found.request.result];
    const std::string unit = ExplorerUnit(result);
    std::vector<TSolutionRow> rows;
    rows.reserve(found.outcome.solutions.size());
    for (const double solution : found.outcome.solutions) {
        TSolutionRow row;
        row.exact = solution;
        row.exactText = ExactNumber(solution, separator);
        row.shownText = WorkbenchNumber(solution, input.unit, separator);
        TAntennaInputs design = found.request.base;
        design.*input.value = ReadBack(row.shownText, separator);
        const TDesign shown = CalculateDesign(design);
        row.text = std::string(input.label) + " = " + row.shownText + " → ";
        if (shown.results) {
            row.resultAtShown = ShownValue(result, *shown.results);
            row.text += WorkbenchNumber(*row.resultAtShown, unit, separator) + (unit.empty() ? "" : " " + unit);
        } else {
            row.text += "ошибка расчёта";
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string SolveSummary(const TFoundSolutions& found, char separator)
{
    const TSolveOutcome& outcome = found.outcome;
    const TResultInfo& result = ResultTable()[found.request.result];
    const double scale = ShownScale(result);
    const std::string unit = ExplorerUnit(result);
    std::string text;
    if (outcome.solutions.empty()) {
        text = "Решений в диапазоне поиска нет";
        if (outcome.lowestResult)
            text += "; величина меняется от " + WorkbenchNumber(*outcome.lowestResult * scale, unit, separator) +
                    " до " + WorkbenchNumber(*outcome.highestResult * scale, unit, separator);
    } else {
        text = "Решений: " + std::to_string(outcome.solutions.size()) + " (отмечены на графике зелёным)";
    }
    if (outcome.faultedPoints > 0)
        text += "; точек с ошибкой: " + std::to_string(outcome.faultedPoints);
    return text;
}

} // namespace eh
