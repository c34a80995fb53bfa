// SPDX-License-Identifier: GPL-3.0-or-later
#include "Solve.h"

#include "Cli.h"
#include "DesignCsv.h"
#include "DesignTables.h"
#include "Exceptions.h"
#include "InputKeys.h"
#include "JsonText.h"
#include "NumberConversion.h"
#include "UsageError.h"

namespace eh::cli {

namespace {

std::string Number(double value)
{
    std::string text;
    AppendCsvNumber(text, value);
    return text;
}

std::string ResultKeys()
{
    std::string keys;
    for (const TResultInfo& info : ResultTable())
        keys += std::string(keys.empty() ? "" : ", ") + info.member;
    return keys;
}

std::string PlanFaultMessage(TSweepPlanFault fault, std::string_view from, std::string_view to)
{
    switch (fault) {
    case TSweepPlanFault::FirstNotANumber:
        return "FROM " + QuoteTyped(std::string(from)) + " is not a number";
    case TSweepPlanFault::FirstBeyondRange:
        return "FROM " + QuoteTyped(std::string(from)) + " is beyond the double range";
    case TSweepPlanFault::LastNotANumber:
        return "TO " + QuoteTyped(std::string(to)) + " is not a number";
    case TSweepPlanFault::LastBeyondRange:
        return "TO " + QuoteTyped(std::string(to)) + " is beyond the double range";
    case TSweepPlanFault::RangeTooWide:
        return "the range from FROM to TO is too wide";
    default:
        return "FROM must be below TO";
    }
}

} // namespace

TSolveCommand ParseSolve(std::string_view solve, std::string_view target, char separator)
{
    const std::size_t equals = solve.find('=');
    const std::size_t colon = solve.find(':', equals == std::string_view::npos ? 0 : equals);
    if (equals == std::string_view::npos || colon == std::string_view::npos ||
        solve.find(':', colon + 1) != std::string_view::npos)
        throw UsageError("--solve: expected INPUT=FROM:TO, got " + QuoteTyped(std::string(solve)));
    const std::string_view name = solve.substr(0, equals);
    const auto input = InputByKey(name);
    if (!input)
        throw UsageError("--solve: unknown field " + QuoteTyped(std::string(name)) + " (the names are " +
                         InputKeys(", ") + ")");
    const std::string_view from = solve.substr(equals + 1, colon - equals - 1);
    const std::string_view to = solve.substr(colon + 1);
    const TSweepPlanReading reading =
        PlanSweepByPoints(*input, from, to, kSolveGridPoints, separator, kSolveGridPoints);
    if (!reading.plan)
        throw UsageError("--solve: " + PlanFaultMessage(reading.fault, from, to));

    const std::size_t targetEquals = target.find('=');
    if (targetEquals == std::string_view::npos)
        throw UsageError("--target: expected RESULT=VALUE, got " + QuoteTyped(std::string(target)));
    const std::string_view resultKey = target.substr(0, targetEquals);
    const auto result = ResultByKey(resultKey);
    if (!result)
        throw UsageError("--target: unknown result " + QuoteTyped(std::string(resultKey)) + " (the results are " +
                         ResultKeys() + ")");
    const std::string valueText(target.substr(targetEquals + 1));
    TSolveCommand command{*reading.plan, *result, 0};
    try {
        command.target = ConvertFieldText(valueText, separator);
    } catch (const EConvertError&) {
        throw UsageError("--target: VALUE " + QuoteTyped(valueText) + " is not a number");
    } catch (const EOverflow&) {
        throw UsageError("--target: VALUE " + QuoteTyped(valueText) + " is beyond the double range");
    }
    return command;
}

void AppendSolutions(std::string& out, const TSolveCommand& command, const TSolveOutcome& outcome,
                     OutputFormat format)
{
    switch (format) {
    case OutputFormat::Json:
        out += "{\"input\":";
        AppendJsonString(out, InputTable()[command.plan.input].key);
        out += ",\"result\":";
        AppendJsonString(out, ResultTable()[command.result].member);
        out += ",\"target\":";
        AppendJsonDouble(out, command.target);
        out += ",\"solutions\":[";
        for (std::size_t i = 0; i < outcome.solutions.size(); ++i) {
            if (i > 0)
                out += ',';
            AppendJsonDouble(out, outcome.solutions[i]);
        }
        out += "]}\n";
        return;
    case OutputFormat::Csv:
        out += std::string(InputTable()[command.plan.input].key) + '\n';
        break;
    case OutputFormat::Text:
        break;
    }
    for (const double solution : outcome.solutions)
        out += Number(solution) + '\n';
}

std::string NoSolutionMessage(const TSolveCommand& command, const TSolveOutcome& outcome)
{
    const TSweepPlan& plan = command.plan;
    const std::string where = std::string(InputTable()[plan.input].key) + " from " + Number(plan.Value(0)) +
                              " to " + Number(plan.Value(plan.points - 1));
    const std::string result = ResultTable()[command.result].member;
    const std::string target = Number(command.target);
    if (outcome.faultedPoints == plan.points)
        return "no solution: the design faults at every point of " + where;
    if (!outcome.lowestResult)
        return "no solution: " + result + " has no figure at any point of " + where + " (no measured bandwidth" +
               (outcome.faultedPoints > 0 ? ", or the design faults)" : ")");
    if (outcome.constant) {
        const std::string constant = result + " is constant: it is " + Number(*outcome.lowestResult) +
                                     " at every point of " + where;
        return *outcome.lowestResult == command.target ? "every value is a solution: " + constant
                                                       : "no solution: " + constant + ", not " + target;
    }
    // The grid sees what lies between its points only where the result
    // changes sides of the target there.
    std::string message = "no solution found on the grid: " + result + " ranges from " +
                          Number(*outcome.lowestResult) + " to " + Number(*outcome.highestResult) +
                          " at the points of " + where;
    if (outcome.jumps > 0)
        message += ", and jumps across " + target + " without reaching it " + std::to_string(outcome.jumps) +
                   " time(s)";
    else
        message += ", and no two neighbouring points lie on either side of " + target;
    return message;
}

} // namespace eh::cli
