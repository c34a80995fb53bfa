// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "Language.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What each input and each result of a design is called, where it lives and
// how it is shown, written down once for the window, the report, every
// output format of the command-line tool and the tests.
namespace eh {

inline constexpr std::size_t kInputCount = 7;

struct TInputInfo {
    const char* component; // the window's component name: "EC15"
    const char* key;       // batch key, sweep name, --field names: "frequency"
    const char* member;    // TAntennaInputs member name, the JSON "inputs" key and CSV column: "FrequencyMHz"
    const char* argument;  // positional argument name: "FREQUENCY"
    const char* words;     // English words: "frequency in MHz"
    const char* label;     // Russian label as the window shows it, without " =": "Частота (МГц)"
    const char* unit;      // Russian unit: "МГц" ("" for the ratio)
    const char* resetText; // the text a field is reset to when it cannot be read
    double TAntennaInputs::*value;
    const char* name;      // the report's name of the value, before " = ": "Частота"
    // The catalogue's key of the unit ("unit.megahertz"; "" for the ratio).
    // The other texts' keys are "input.<key>.name", ".label" and ".tip".
    const char* unitKey;
};

// Reading order: EC15, EC16, EC17, EC33, EC34, EC36, EC27.
const std::array<TInputInfo, kInputCount>& InputTable();
std::optional<std::size_t> InputByKey(std::string_view key);
// The indices of InputTable in the order of TAntennaInputs' members, the
// order of the JSON "inputs" object and of the CSV columns; checked against
// the members when the library compiles.
const std::array<std::size_t, kInputCount>& InputRecordOrder();

inline constexpr std::size_t kResultCount = 24;

struct TResultInfo {
    const char* member; // TAntennaResults member name, the JSON "results" key and CSV column: "CapacitancePf"
    const char* name;   // Russian name as the report writes it, without " = "; its key is "result.<member>"
    const char* unit;   // Russian unit as the report writes it, after scaling ("Кгц", "мм"); "" when none
    const char* unitKey; // the catalogue's key of the unit ("unit.millimetre"); "" when none
    bool timesTen = false; // the report shows this centimetre value in millimetres (value * 10)
    double TAntennaResults::*value = nullptr;
    // What the Russian report writes between the name and the number, and
    // whether a space follows the unit: its own spelling, kept as it always
    // was.
    const char* equals = " = ";
    bool spaceAfterUnit = false;
    // The report writes the catalogue's "result.<member>.note" after the unit.
    bool hasNote = false;
    // Where the report tells two results of the same name and unit apart
    // only by the section they stand in (the tuning coil's and the phasing
    // coil's wire length and turns), this key's text tells them apart on
    // their own; nullptr when none.
    const char* qualifierKey = nullptr;
    // A count per centimetre, which a report in inches gives per inch (its
    // name then under "result.<member>.inch").
    bool perCentimetre = false;
};

// In TAntennaResults order.
const std::array<TResultInfo, kResultCount>& ResultTable();
// The result whose member name (its JSON "results" key) is `key`.
std::optional<std::size_t> ResultByKey(std::string_view key);

// The result's name where it stands outside the report's sections (the
// explorer's list, legend and readout): "Количество витков (фазирующая катушка)".
std::string StandaloneName(const TResultInfo& info, TLanguage language = kDefaultLanguage);

// The catalogue's key of the millimetre, the unit of every length an input
// or a result holds (and one an inch report converts).
inline constexpr std::string_view kMillimetreKey = "unit.millimetre";
constexpr bool IsLength(const TInputInfo& info) { return info.unitKey == kMillimetreKey; }
constexpr bool IsLength(const TResultInfo& info) { return info.unitKey == kMillimetreKey; }

// The catalogue's text of an input's "name", "label" or "tip" in `language`.
const char* InputText(const TInputInfo& info, std::string_view which, TLanguage language);

// False where the model writes a stand-in, not a figure: with no measured
// bandwidth (RR of 0) the loss in decibels is written as 0, though it falls
// without bound as the bandwidth goes to 0. (The efficiency written as 0
// there is its true limit.)
bool HasFigure(const TResultInfo& info, const TAntennaResults& results);

// The value as the report shows it: a centimetre value marked timesTen is
// multiplied by 10 in extended precision and stored as a double, which
// throws EOverflow when it no longer fits.
double ShownValue(const TResultInfo& info, const TAntennaResults& results);

} // namespace eh
