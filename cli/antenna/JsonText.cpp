// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonText.h"

#include "NumberFormat.h"
#include "Utf8.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace eh::cli {

bool IsPlainJsonText(std::string_view text)
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

void AppendJsonString(std::string& out, std::string_view text)
{
    if (IsPlainJsonText(text)) {
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
    char text[kJsonDoubleMaxBytes];
    out.append(text, WriteJsonDouble(text, value));
}

char* WriteJsonDouble(char* out, double value)
{
    if (!std::isfinite(value))
        return std::copy_n("null", 4, out);
    char* const end = WriteShortestNumber(out, value);
    if (std::find_if(out, end, [](char c) { return c == '.' || c == 'e'; }) != end)
        return end;
    return std::copy_n(".0", 2, end);
}

void AppendUnsigned(std::string& out, unsigned long long value)
{
    char text[20];
    out.append(text, WriteUnsigned(text, value));
}

char* WriteUnsigned(char* out, unsigned long long value)
{
    if (value < 10) {
        *out = static_cast<char>('0' + value);
        return out + 1;
    }
    return std::to_chars(out, out + 20, value).ptr;
}

} // namespace eh::cli
