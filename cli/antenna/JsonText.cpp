// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonText.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>

namespace eh::cli {

namespace {

// Length of the valid UTF-8 sequence that starts at text[i] (1 to 4), or 0
// when none starts there.
inline std::size_t ValidSequenceLength(const unsigned char* text, std::size_t size, std::size_t i)
{
    const unsigned char b0 = text[i];
    if (b0 < 0x80)
        return 1;
    auto in = [&](std::size_t k, unsigned char low, unsigned char high) {
        return i + k < size && text[i + k] >= low && text[i + k] <= high;
    };
    if (b0 >= 0xC2 && b0 <= 0xDF)
        return in(1, 0x80, 0xBF) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        const unsigned char low = b0 == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        const unsigned char high = b0 == 0xED ? 0x9F : 0xBF; // no surrogates
        return in(1, low, high) && in(2, 0x80, 0xBF) ? 3 : 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        const unsigned char low = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = b0 == 0xF4 ? 0x8F : 0xBF; // nothing beyond U+10FFFF
        return in(1, low, high) && in(2, 0x80, 0xBF) && in(3, 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

// True when the text can be copied between quotes unchanged: valid UTF-8
// and no character that JSON needs escaped.
bool NeedsNoEscaping(std::string_view text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char c = bytes[i];
        if (c < 0x80) {
            if (c < 0x20 || c == '"' || c == '\\' || c == 0x7F)
                return false;
            ++i;
            continue;
        }
        const std::size_t n = ValidSequenceLength(bytes, size, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

} // namespace

bool IsValidUtf8(std::string_view text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t n = ValidSequenceLength(bytes, text.size(), i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

void AppendJsonString(std::string& out, std::string_view text)
{
    if (NeedsNoEscaping(text)) {
        out += '"';
        out.append(text);
        out += '"';
        return;
    }
    // The rare text with escapes or broken UTF-8: let nlohmann-json write it.
    out += nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void AppendShortestDouble(std::string& out, double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendJsonDouble(std::string& out, double value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    out.append(text);
    if (text.find_first_of(".e") == std::string_view::npos)
        out += ".0";
}

void AppendUnsigned(std::string& out, unsigned long long value)
{
    if (value < 10) {
        out += static_cast<char>('0' + value);
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

} // namespace eh::cli
