// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SweepPlan.h"

#include <cstddef>
#include <optional>
#include <string>

// The explorer's range row read into a sweep plan, with its messages in
// Russian.
namespace eh {

// More points than this would not show on any screen, and a sweep of them
// still takes well under a second.
inline constexpr std::size_t kMaxExplorerPoints = 100'000;

// The three texts of a range as the user typed them.
struct TRangeTexts {
    std::string from;
    std::string to;
    std::string points;
};

// A plan, or the message that says what is wrong with its texts; `note`
// tells when the points were capped.
struct TRangeReading {
    std::optional<TSweepPlan> plan;
    std::string message;
    std::string note;
};

// Reads the range texts the way the fields are read (a point always works as
// the decimal mark). A frequency range must lie above zero.
TRangeReading ReadExplorerRange(std::size_t input, const TRangeTexts& texts, char separator);

// "Частота (МГц): не число"
std::string NotANumberNote(std::size_t input);

} // namespace eh
