// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
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

// What a user typed (a field text, a file name), made safe to print in a
// message on a terminal: valid UTF-8 is kept, a quote and a backslash get a
// backslash, any other byte below 0x20, 0x7F and bytes that are not UTF-8
// become \xNN.
std::string EscapeTyped(std::string_view text);

} // namespace eh
