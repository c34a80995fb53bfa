// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BatchRequest.h"
#include "LineReader.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

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
//     string, an unknown key, an empty or over-long line):
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
};

// Handles one line in and appends the line out (without its line feed).
// `counts` is updated.
class BatchProcessor {
public:
    explicit BatchProcessor(char defaultSeparator);

    void ProcessLine(std::string_view line, std::string& out, BatchCounts& counts);
    void ProcessTooLongLine(std::string& out, BatchCounts& counts, std::size_t maxLineBytes);

private:
    char defaultSeparator_;
    // Reused from line to line to keep their buffers.
    BatchRequest request_;
    std::string error_;
};

// Reads every line of `input` and writes the answers to `out`. Output is
// written in large blocks, and whenever the input has nothing more at hand
// (so a caller talking line by line over a pipe is answered), never per line.
// Large inputs are handled by `workers` threads (0: one per core, at most
// 8), each on its own share of a group of lines; the answers keep the order
// of the lines.
BatchCounts RunBatch(InputSource& input, std::ostream& out, char defaultSeparator,
                     std::size_t maxLineBytes = kMaxBatchLineBytes, unsigned workers = 0);

} // namespace eh::cli
