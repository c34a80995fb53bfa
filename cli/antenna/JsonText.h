// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Small, allocation-free pieces of JSON text appended to an output buffer.
// Strings are written as nlohmann-json writes them with
// error_handler_t::replace: valid UTF-8 is kept as it is, and a byte
// sequence that is not valid UTF-8 becomes U+FFFD, so the output is always
// valid UTF-8 JSON whatever bytes came in.
namespace eh::cli {

// True when the text can stand between quotes as it is: valid UTF-8 and no
// character that JSON escapes.
bool IsPlainJsonText(std::string_view text);

// A JSON string literal, quotes included.
void AppendJsonString(std::string& out, std::string_view text);

// The shortest decimal text that reads back as exactly `value` (round trip),
// always with a point or an exponent so that JSON readers see a floating
// value: 15 is written "15.0", 1e300 "1e+300". Non-finite values, which the
// model never hands out, are written as null.
void AppendJsonDouble(std::string& out, double value);

// The most bytes AppendJsonDouble's text takes.
inline constexpr std::size_t kJsonDoubleMaxBytes = 32;

// The same text written at `out`, which has room for kJsonDoubleMaxBytes;
// returns the end of what was written.
char* WriteJsonDouble(char* out, double value);

// Non-negative integer.
void AppendUnsigned(std::string& out, unsigned long long value);

// The same written at `out`, which has room for 20 digits; returns the end.
char* WriteUnsigned(char* out, unsigned long long value);

} // namespace eh::cli
