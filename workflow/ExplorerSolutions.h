// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Language.h"
#include "LengthUnit.h"
#include "TargetSolver.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The explorer's search for a target: what the user asked, the answers, and
// whether they still answer the design now typed.
namespace eh {

// The search as typed: the result (an index in ResultTable()), its target
// in the unit the explorer shows, the input to vary and where to look (a
// length's target and bounds in the unit the lengths are shown in).
struct TSolveTexts {
    std::size_t result = 0;
    std::string target;
    std::size_t input = 0;
    std::string from;
    std::string to;
};

struct TSolveReading {
    std::optional<TSolveRequest> request;
    std::string message; // why there is none
};

// The request for `typed`, or what is wrong with the texts. The range is read
// as the range row is, with the same messages.
TSolveReading ReadSolveTexts(const TSolveTexts& texts, const TAntennaInputs& typed, char separator,
                             TLanguage language = kDefaultLanguage, TLengthUnit lengths = TLengthUnit::Millimetre);

// Answers found for a request. They answer the question asked now only while
// it is the same result, target and input to vary, and the design differs
// from the one searched at most in that input (writing an answer back
// changes only that); where it looks may differ.
struct TFoundSolutions {
    TSolveRequest request;
    TSolveOutcome outcome;

    bool Answer(const TSolveRequest& asked) const;
};

// One answer as the list shows it: the value rounded for the workbench, the
// text "Вписать" writes (the one shown), and the result that value gives;
// lengths in the unit the fields are typed in.
struct TSolutionRow {
    double exact = 0;                // in the model's unit
    std::string exactText;           // every digit, in the field's unit
    std::string shownText;           // what is listed and written into the field
    std::optional<double> resultAtShown; // in the unit the explorer shows; empty where it faults
    std::string text;                // "Диаметр цилиндра (мм) = 22,61 → 500,3 кГц"
};

std::vector<TSolutionRow> SolutionRows(const TFoundSolutions& found, char separator,
                                       TLanguage language = kDefaultLanguage,
                                       TLengthUnit lengths = TLengthUnit::Millimetre);

// "Решений: 1 (отмечены на графике зелёным)", or none with the result's
// span, and the faulted points.
std::string SolveSummary(const TFoundSolutions& found, char separator, TLanguage language = kDefaultLanguage,
                         TLengthUnit lengths = TLengthUnit::Millimetre);

} // namespace eh
