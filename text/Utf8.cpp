// SPDX-License-Identifier: GPL-3.0-or-later
#include "Utf8.h"

#include <cstdio>

namespace eh {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// How many bytes a character with this lead byte has; 1 for a byte that
// cannot lead one.
std::size_t AnnouncedLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

} // namespace

std::size_t Utf8CharacterLength(std::string_view rest)
{
    if (rest.empty())
        return 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(rest.data());
    const unsigned char lead = bytes[0];
    if (lead < 0x80)
        return 1;
    const std::size_t length = AnnouncedLength(lead);
    if (length == 1 || rest.size() < length)
        return 0;
    // The second byte's range rules out overlong forms (E0, F0), surrogates
    // (ED) and code points beyond U+10FFFF (F4).
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (bytes[1] < low || bytes[1] > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (!IsContinuation(bytes[k]))
            return 0;
    }
    return length;
}

std::size_t Utf8BrokenSequenceLength(std::string_view rest)
{
    const std::size_t announced = AnnouncedLength(static_cast<unsigned char>(rest[0]));
    std::size_t n = 1;
    while (n < announced && n < rest.size() && IsContinuation(static_cast<unsigned char>(rest[n])))
        ++n;
    return n;
}

int Utf8CharacterCount(std::string_view text)
{
    int count = 0;
    for (const char c : text)
        count += IsContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
    return count;
}

std::string EscapeTyped(std::string_view text)
{
    std::string escaped;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8CharacterLength(text.substr(i));
        if (c == '"' || c == '\\') {
            escaped += '\\';
            escaped += static_cast<char>(c);
        } else if (length > 1 || (length == 1 && c >= 0x20 && c != 0x7F)) {
            escaped.append(text.substr(i, length));
            i += length;
            continue;
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            escaped += code;
        }
        ++i;
    }
    return escaped;
}

} // namespace eh
