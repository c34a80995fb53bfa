// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "DesignTables.h"
#include "Language.h"
#include "LengthUnit.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The report of one calculation: 38 lines, each with its character-style runs.
// Texts are UTF-8; every character of a report is one the Windows-1251 code
// page holds, and offsets and lengths count characters, not bytes.
namespace eh {

enum class TReportLineKind { rlTitle, rlHeading, rlEmpty, rlValue };

struct TStyleRun {
    int Start = 0;
    int Length = 0;
    bool Bold = false;
    bool Underline = false;
    int Size = 9;

    bool operator==(const TStyleRun&) const = default;
};

struct TReportLine {
    TReportLineKind Kind = TReportLineKind::rlEmpty;
    std::string Text;
    std::vector<TStyleRun> Runs;
};

struct TReport {
    std::vector<TReportLine> Lines;
};

inline constexpr int kReportLineCount = 38;
// The first-line indent of every line of the report, in points.
inline constexpr int kReportFirstIndentPt = 2;

// Number of characters (code points) of a UTF-8 text.
int CharacterCount(const std::string& utf8);

TReportLine MakeTitleLine(const std::string& text);
// An empty text makes the empty separator line.
TReportLine MakeHeadingLine(const std::string& text);
// label + FormatReportNumber(value) + unit; the number alone is bold.
TReportLine MakeValueLine(const std::string& label, double value, const std::string& unit, char separator);

// The language of a report and the unit of its lengths.
struct TReportOptions {
    TLanguage language = kDefaultLanguage;
    TLengthUnit lengths = TLengthUnit::Millimetre;

    bool operator==(const TReportOptions&) const = default;
};

// Every language in both units, numbered, for what is made once for each.
inline constexpr std::size_t kReportOptionsCount = kCatalogueLanguageCount * 2;
constexpr std::size_t ReportOptionsIndex(const TReportOptions& options)
{
    return 2 * static_cast<std::size_t>(options.language) + (options.lengths == TLengthUnit::Inch ? 1 : 0);
}
constexpr TReportOptions ReportOptionsAt(std::size_t index)
{
    return {static_cast<TLanguage>(index / 2), index % 2 == 1 ? TLengthUnit::Inch : TLengthUnit::Millimetre};
}

// One line of the report as its table describes it. A title, heading or empty
// line is its label alone; a value line is the label, the value's number and
// the unit. The character counts are the label's and the unit's.
struct TReportRow {
    TReportLineKind Kind = TReportLineKind::rlEmpty;
    std::string Label;
    std::string Unit;
    int LabelCharacters = 0;
    int UnitCharacters = 0;
    const TInputInfo* Input = nullptr;
    const TResultInfo* Result = nullptr;
    // How the value is shown: converted from millimetres to inches, or from
    // a count per centimetre to one per inch, and its number of decimals.
    bool InInches = false;
    bool PerInch = false;
    int Decimals = 2;
};

// The 38 rows in order, made once for each options.
const std::array<TReportRow, kReportLineCount>& ReportRows(const TReportOptions& options = {});

// The number a value row shows; throws EOverflow where ShownValue does (and
// where a count per inch no longer fits a double).
double ReportRowValue(const TReportRow& row, const TAntennaInputs& inputs, const TAntennaResults& results);

// The two runs of a value line: the whole line regular, then the number bold.
std::array<TStyleRun, 2> ValueLineRuns(int labelCharacters, int numberCharacters, int unitCharacters);

// Makes the row's line into `line`, whose buffers are reused; `number` is the
// value's text (ignored for the other kinds).
void FillReportLine(const TReportRow& row, std::string_view number, TReportLine& line);

// Makes the 38 lines in order and hands each to `sink` as soon as it is made,
// so that a caller can show it before the next one is made. A value that no
// longer fits a double once scaled by 10 throws EOverflow at its line.
void ForEachReportLine(const TAntennaInputs& inputs, const TAntennaResults& results, char separator,
                       const std::function<void(const TReportLine&)>& sink, const TReportOptions& options = {});

TReport BuildReport(const TAntennaInputs& inputs, const TAntennaResults& results, char separator,
                    const TReportOptions& options = {});

} // namespace eh
