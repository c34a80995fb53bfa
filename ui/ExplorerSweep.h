// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignService.h"
#include "SweepGrid.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The designs the explorer charts: one input swept across a range, the other
// six as typed in the main window.
namespace eh {

// More points than this would not show on any screen, and a sweep of them
// still takes well under a second.
inline constexpr std::size_t kMaxExplorerPoints = 100'000;

struct TSweepRange {
    std::size_t input = 0; // index in InputTable()
    double from = 0;
    double to = 0;
    std::size_t points = 0; // at least 2
    // The step from `from` to `to`, cut to 12 significant digits, as a user
    // would type it ("0.1", not "0.09999999999999999").
    std::string stepText;
    // The points from `from` to `to`, the last one `to` itself.
    TSweepGrid grid;

    double Value(std::size_t i) const { return grid.Value(i); }
};

// The three texts of a range as the user typed them.
struct TRangeTexts {
    std::string from;
    std::string to;
    std::string points;
};

// A range, or the message that says what is wrong with its texts; `note`
// tells when the points were capped.
struct TRangeReading {
    std::optional<TSweepRange> range;
    std::string message;
    std::string note;
};

// Reads the range texts the way the fields are read (a point always works as
// the decimal mark). A frequency range must lie above zero.
TRangeReading ReadSweepRange(std::size_t input, const TRangeTexts& texts, char separator);

// Points whose design faulted, counted by the fault.
struct TSweepFaults {
    TDesignFault fault;
    std::size_t count = 0;
};

struct TSweep {
    TSweepRange range;
    TAntennaInputs base;                              // the swept input holds the typed value
    std::vector<std::optional<TAntennaResults>> results; // one per point; empty where it faulted
    std::vector<unsigned char> faultOf;               // per point: index in `faults`, or kNoFault
    std::vector<TSweepFaults> faults;

    static constexpr unsigned char kNoFault = 0xFF;

    TAntennaInputs InputsAt(std::size_t i) const;
    std::size_t FaultCount() const;
};

TSweep RunExplorerSweep(const TAntennaInputs& base, const TSweepRange& range);

// "Частота (МГц): не число"
std::string NotANumberNote(std::size_t input);

// The faults in one line: how many points of how many, and why.
std::string FaultSummary(const TSweep& sweep);

// The sweep as `eh-antenna-cli --sweep ... --format csv` writes it.
std::string SweepCsv(const TSweep& sweep);

} // namespace eh
