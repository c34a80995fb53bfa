// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

// Walking UTF-8 text byte by byte: the one place that knows how a character
// is encoded. Text may come from anywhere (arguments, standard input, files),
// so every function takes any bytes.
namespace eh {

// The length (1 to 4) of the valid UTF-8 character that starts `rest`, or 0
// when none starts there: no overlong forms, no surrogates, nothing beyond
// U+10FFFF, no character cut short by the end of `rest`.
std::size_t Utf8CharacterLength(std::string_view rest);

// The length of the broken sequence that starts `rest` and is to be passed
// over as one: its lead byte and the continuation bytes that follow it, as
// many as the lead byte announces; 1 for a stray byte. `rest` is not empty.
std::size_t Utf8BrokenSequenceLength(std::string_view rest);

// The number of characters of UTF-8 text: the bytes that do not continue a
// character.
int Utf8CharacterCount(std::string_view text);

} // namespace eh
