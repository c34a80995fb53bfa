// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Language.h"
#include "ModelComparison.h"
#include "ResonanceAnalysis.h"

#include <optional>
#include <string>
#include <vector>

// A measured sweep's analysis as the window and the page show it: the same
// rows in the same words (Russian, UTF-8), numbers written with the
// regional decimal separator.
namespace eh {

struct TMeasurementFigure {
    std::string label;
    std::string value; // "—" where the analysis has no such figure; the notes say why
};

struct TMeasurementSummary {
    std::vector<TMeasurementFigure> figures;
    std::vector<std::string> notes; // one sentence each, in the order found
    std::string method;
    // The measured bandwidth as the bandwidth field takes it; empty when
    // there is none to write.
    std::optional<std::string> fieldText;
};

// The figures of `analysis`, and beside them the model's bandwidth and Q
// for the typed design when there is one.
TMeasurementSummary SummariseMeasurement(const TResonanceAnalysis& analysis,
                                         const std::optional<TModelPromise>& promise, char separator,
                                         TLanguage language = kDefaultLanguage);

// A file that gives no measurement: "«name»" and, on the next line, the
// refusal (TouchstoneRefusalText, or UnreadableFileText).
std::string RefusedFileText(const std::string& fileName, const std::string& refusal);

// A file the system could not read, worded as a refusal: "Файл не
// прочитан: " and the reason.
std::string UnreadableFileText(const std::string& reason, TLanguage language = kDefaultLanguage);

// The name of the ideal resonator's curve: "Идеальная антенна (Q = 12,84)".
std::string IdealCurveName(const TModelPromise& promise, char separator, TLanguage language = kDefaultLanguage);

// "КСВ ≤ 2,618", "КСВ ≤ 2": an SWR span's name.
std::string SwrAtMostText(double level, char separator, TLanguage language = kDefaultLanguage);

// Where a chart's SWR axis (from 1) stops: high enough for the match and
// the spans, not so high that the far skirts of the sweep flatten them:
// the larger of 5 and three times the smallest SWR, or the largest finite
// SWR when that is lower.
double SwrChartTop(const std::vector<double>& swr);

// A frequency in megahertz to the hundred hertz, as a chart's readout and
// the figures write it: "14,1862".
std::string MegahertzText(double hertz, char separator);

} // namespace eh
