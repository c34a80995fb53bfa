// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonText.h"

#include "NumberFormat.h"
#include "Utf8.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>

namespace eh::cli {

namespace {

// True when the text can be copied between quotes unchanged: valid UTF-8
// and no character that JSON needs escaped.
bool NeedsNoEscaping(std::string_view text)
{
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text[0]);
        if (c < 0x20 || c == '"' || c == '\\' || c == 0x7F)
            return false;
        const std::size_t length = c < 0x80 ? 1 : Utf8CharacterLength(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

} // namespace

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

void AppendJsonDouble(std::string& out, double value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    const std::size_t start = out.size();
    AppendShortestNumber(out, value);
    if (out.find_first_of(".e", start) == std::string::npos)
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
