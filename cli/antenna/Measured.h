// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Formats.h"
#include "ResonanceAnalysis.h"
#include "Touchstone.h"

#include <string>
#include <variant>

// --measured FILE and --bandwidth-from FILE: a vector network analyser's
// one-port sweep (Touchstone) read and analysed.
namespace eh::cli {

// The sweep in FILE, or why it cannot be had, in the tool's words with the
// file and the line ("sweep.s1p", line 12: ...). Reads at most
// kTouchstoneMaxBytes.
std::variant<TMeasuredSweep, std::string> ReadMeasuredFile(const std::string& path);

// The analysis: text (a line per figure), json (one object) or csv (a
// header and one row per point). Writes to `out` in pieces so that a long
// sweep's csv is never held whole; false when `out` fails.
bool WriteMeasurement(std::ostream& out, const TMeasuredSweep& sweep, const TResonanceAnalysis& analysis,
                      OutputFormat format);

// The notes of an analysis in one line, empty when there are none.
std::string NotesText(const TResonanceAnalysis& analysis);

} // namespace eh::cli
