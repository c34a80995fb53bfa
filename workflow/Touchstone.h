// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <complex>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// A one-port sweep as a vector network analyser saves it: a Touchstone file
// (".s1p"), version 1.x or 2.0. Reading never throws; a file that cannot be
// read whole is refused with the line that stops it, so that nothing is
// guessed from half a file.
namespace eh {

// The largest file read, and the most points kept: 64 bytes and 40 bytes a
// point, a few hundred megabytes at most whatever the file. Analysers save a
// few thousand points; a million is a long computed sweep.
inline constexpr std::size_t kTouchstoneMaxBytes = std::size_t{256} << 20;
inline constexpr std::size_t kTouchstoneMaxPoints = 4'000'000;
// Fewer points than this make no analysis: the resonance needs a sample on
// each side of the smallest reflection and the slope of the impedance a fit
// over several points.
inline constexpr std::size_t kTouchstoneMinPoints = 5;

enum class TTouchstoneParameter { S, Y, Z };
enum class TTouchstoneFormat { RI, MA, DB };

// One frequency of the sweep, with what the file gives turned into the two
// forms the analysis needs. A reflection of magnitude 1 makes the impedance
// infinite (not finite); above 1 its resistance is negative, as measured.
struct TMeasuredPoint {
    double frequencyHz = 0;
    std::complex<double> reflection;  // to the reference resistance
    std::complex<double> impedanceOhm;
};

struct TMeasuredSweep {
    std::vector<TMeasuredPoint> points; // strictly rising frequencies
    double referenceOhm = 50;           // "R n" of the option line, or [Reference]
    TTouchstoneParameter parameter = TTouchstoneParameter::S;
    TTouchstoneFormat format = TTouchstoneFormat::MA;
    int version = 1;                    // 1 for 1.x, 2 for a file with [Version] 2.0
};

// Why a file is refused. Front ends word it (with the line) in their own
// language; see MeasurementTexts.h for the window's and the page's words.
enum class TTouchstoneFault {
    Empty,               // no data at all (line 0)
    Binary,              // a byte that no text file holds (NUL, control characters)
    TooLarge,            // more than kTouchstoneMaxBytes (line 0)
    TooManyPoints,       // more than kTouchstoneMaxPoints
    BadOptionLine,       // an option line with a word it does not know, or one after the data began
    NotOnePort,          // a line with more columns than a one-port has (a two-port file), or [Number of Ports] not 1
    WrongColumnCount,    // a data line with other than 3 numbers
    NotANumber,          // a word that is not a number
    NotFinite,           // nan, inf or beyond the double range
    FrequencyNotPositive,
    DuplicateFrequency,  // the same frequency as the line before
    FrequencyOutOfOrder, // below the frequency of the line before
    BadReference,        // R n (or [Reference]) not a positive number
    BadKeyword,          // a Touchstone 2.0 keyword this reader does not take, or out of place
    CountMismatch,       // [Number of Frequencies] differs from the points read
    TooFewPoints,        // fewer than kTouchstoneMinPoints (line 0)
};

struct TTouchstoneRefusal {
    TTouchstoneFault fault = TTouchstoneFault::Empty;
    std::size_t line = 0;      // 1-based; 0 when the whole file is at fault
    std::size_t count = 0;     // TooFewPoints, CountMismatch: the points read
};

struct TTouchstoneReading {
    std::optional<TMeasuredSweep> sweep; // empty when refused
    TTouchstoneRefusal refusal;          // when there is no sweep
};

// Reads a whole file's bytes. Touchstone 1.x: the option line
// "# <unit> <parameter> <format> R <n>" (any case, any order, any word left
// out taking its default; "# GHZ S MA R 50" when there is none), "!"
// comments on their own lines and after data, blank lines, tabs, lines
// ending in LF, CR LF or CR, a byte order mark.
// Z and Y data are normalised to R in 1.x files and in ohms and siemens in
// 2.0 files. Frequencies must rise strictly: a file out of order is refused
// at the line that breaks the order.
TTouchstoneReading ReadTouchstone(std::string_view bytes);

} // namespace eh
