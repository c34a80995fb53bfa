// SPDX-License-Identifier: GPL-3.0-or-later
#include "Windows1251.h"

#include "Utf8.h"
#include "Windows1251Table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace eh {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// A UTF-8 character of up to four bytes as one number, its first byte
// highest.
std::uint32_t Packed(std::string_view character)
{
    std::uint32_t packed = 0;
    for (const char c : character)
        packed = packed << 8 | static_cast<unsigned char>(c);
    return packed;
}

// The code page's upper half: each character (packed UTF-8) with its byte,
// sorted for lookup.
class UpperHalf {
public:
    UpperHalf()
    {
        for (int b = 0x80; b <= 0xFF; ++b) {
            const std::string_view character = kWindows1251UpperHalf[b - 0x80];
            // The one unassigned byte decodes to U+FFFD, which it must not
            // encode: 0 matches no character of the upper half.
            const std::uint32_t packed = character == kReplacementCharacter ? 0 : Packed(character);
            entries_[b - 0x80] = {packed, static_cast<char>(b)};
        }
        std::sort(entries_.begin(), entries_.end());
    }

    // The byte of `character` (a valid UTF-8 character), or '?'.
    char Encode(std::string_view character) const
    {
        const std::uint32_t packed = Packed(character);
        const auto it = std::lower_bound(entries_.begin(), entries_.end(), packed,
                                         [](const auto& entry, std::uint32_t key) { return entry.first < key; });
        return it != entries_.end() && it->first == packed ? it->second : '?';
    }

private:
    std::array<std::pair<std::uint32_t, char>, 128> entries_{};
};

} // namespace

std::string EncodeWindows1251(std::string_view utf8)
{
    static const UpperHalf upperHalf;
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        if (static_cast<unsigned char>(utf8[0]) < 0x80) {
            out += utf8[0];
            utf8.remove_prefix(1);
            continue;
        }
        std::size_t length = Utf8CharacterLength(utf8);
        if (length != 0) {
            out += upperHalf.Encode(utf8.substr(0, length));
        } else {
            out += '?';
            length = Utf8BrokenSequenceLength(utf8);
        }
        utf8.remove_prefix(std::min(length, utf8.size()));
    }
    return out;
}

std::string DecodeWindows1251(std::string_view cp1251)
{
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (const char c : cp1251) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out += c;
        else
            out += kWindows1251UpperHalf[byte - 0x80];
    }
    return out;
}

} // namespace eh
