// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BandPlans.h"
#include "Language.h"
#include "LengthUnit.h"
#include "SweepPlan.h"

#include <cstddef>
#include <optional>
#include <string>

// The explorer's range row read into a sweep plan, with its messages in
// Russian.
namespace eh {

// The points a new explorer sweeps: a smooth curve at any window width.
inline constexpr std::size_t kDefaultExplorerPoints = 500;

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
// the decimal mark), a length's bounds in `lengths`; the plan is in
// millimetres. A frequency range must lie above zero.
TRangeReading ReadExplorerRange(std::size_t input, const TRangeTexts& texts, char separator,
                                TLanguage language = kDefaultLanguage, TLengthUnit lengths = TLengthUnit::Millimetre);

// The bounds as typed in `lengths`, as the same bounds typed in millimetres
// (a point always works as the decimal mark).
TRangeTexts MillimetreRangeTexts(std::size_t input, const TRangeTexts& texts, char separator, TLengthUnit lengths);

// The frequency ranges the range row offers; any other input has a range of
// the user's own.
enum class TRangePreset { WholeHf, TypedBand, Custom };

struct TRangeBounds {
    double from = 0;
    double to = 0;
};

// The range a preset stands for: 1.8 to 30 MHz, or the region's band that
// holds the typed frequency (or lies nearest to it). Custom has none.
std::optional<TRangeBounds> PresetRange(TRangePreset preset, TIaruRegion region, double typedFrequencyMHz);

// Every value of the input a design could sensibly have, from a wire of
// 0.05 mm to a cylinder of half a metre: where the explorer starts when the
// input is chosen, and where a search looks unless told otherwise, so that
// an answer the model has is never outside the first look.
TRangeBounds SensibleRange(std::size_t input);
// The same in `lengths`: a length's in inches widened to two significant
// digits (1 to 500 mm is 0.039 to 20 in), so that it still holds it all.
TRangeBounds ShownSensibleRange(std::size_t input, TLengthUnit lengths);

// A bound as the user would type it, with the decimal mark `separator`.
std::string RangeBoundText(double value, char separator);

// "Частота (МГц): не число"
std::string NotANumberNote(std::size_t input, TLanguage language = kDefaultLanguage);

} // namespace eh
