// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignService.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A design as a file: the seven field texts as one JSON object with the keys
// of a --batch line (frequency, cylinder-diameter, ratio, wire-diameter,
// pitch, turn-diameter, bandwidth, every value a string), the decimal mark
// the texts were typed with ("separator"), and the designs pinned beside it
// ("pins": objects with the same seven keys), so that a design travels from
// the window to the tool, to another machine and back.
namespace eh {

struct TDesignFile {
    TFieldTexts texts;
    std::vector<TFieldTexts> pins;
};

// Far more than any design file; a larger file is not one.
inline constexpr std::size_t kMaxDesignFileBytes = 64 * 1024;
inline constexpr std::size_t kMaxDesignFilePins = 3;

enum class TDesignFileFault {
    TooLarge,
    NotJson,
    NotAnObject,
    UnknownKey,   // detail: the key
    NotAString,   // detail: the key
    MissingKey,   // detail: the key
    BadSeparator, // detail: the text
    BadPins,      // "pins" is not a list of at most three objects of the seven keys
};

struct TDesignFileReading {
    std::optional<TDesignFile> design;
    TDesignFileFault fault{};
    std::string detail;
};

// Reads the file's bytes; the texts come back with `separator` as their
// decimal mark, whatever mark they were saved with.
TDesignFileReading ReadDesignFile(std::string_view bytes, char separator);

// One line of JSON and a line end; `separator` is the mark the texts use.
std::string WriteDesignFile(const TDesignFile& design, char separator);

// The page's link parameters for the texts, the short way to share a
// design: "?frequency=14.2&cylinder-diameter=50&…&separator=.", each value
// percent-encoded.
std::string DesignLinkQuery(const TFieldTexts& texts, char separator);

// What is wrong, in `language`.
std::string DesignFileFault(const TDesignFileReading& reading, TLanguage language);

} // namespace eh
