// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Language.h"

#include <cstddef>
#include <istream>
#include <ostream>

// --batch: JSON Lines in, one JSON line out per line in.
//
// A line in is an object with any of the keys frequency, cylinder-diameter,
// ratio, wire-diameter, pitch, turn-diameter and bandwidth, each a field's
// text as a string (a missing key is the empty text), and optionally
// separator, a one-character string that replaces the default separator for
// that line. The line out is one of:
//   - the design: {"inputs":...,"results":...,"report":[...],"notice":...}
//   - a field that is not a number: {"field":"EC16","reset_text":"0.1"}
//   - a fault: {"error":{"kind":"EZeroDivide","message":"Floating point division by zero."}}
//   - a malformed line (not JSON, not an object, a value that is not a
//     string, an unknown key, an empty or over-long line, a NUL byte):
//     {"error":{"kind":"EParseError","message":"..."}}
// and the batch goes on in every case.
namespace eh::cli {

inline constexpr std::size_t kMaxBatchLineBytes = std::size_t{64} << 20; // 64 MiB
inline constexpr const char* kParseErrorKind = "EParseError";

struct BatchCounts {
    std::size_t lines = 0;
    std::size_t designs = 0;     // full reports written
    std::size_t fieldErrors = 0; // a field was not a number
    std::size_t faults = 0;      // calculation faults
    std::size_t malformed = 0;   // lines that were not a valid request
    int outputError = 0;         // errno of a failed write to `out`, 0 if none is known
};

// Answers every line of `in` on `out`, one line after the other. Answers are
// written in blocks, and whenever `in` has nothing more at hand, so that a
// caller talking line by line over a pipe is answered. A line longer than
// `maxLineBytes` is answered as malformed without being kept. Reading stops
// once `out` fails (the caller reports it). A read error of `in` throws
// std::ios_base::failure once the lines read before it have been answered.
// Memory stays within a few times the longest line (at most `maxLineBytes`).
// The designs' reports are in `language`.
BatchCounts RunBatch(std::istream& in, std::ostream& out, char defaultSeparator,
                     std::size_t maxLineBytes = kMaxBatchLineBytes, TLanguage language = kDefaultLanguage);

} // namespace eh::cli
