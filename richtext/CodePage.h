// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace eh::rtf {

// Windows' number for the Symbol font's own encoding (CP_SYMBOL).
inline constexpr int kSymbolCodePage = 42;

// The characters that the 256 bytes of a single-byte code page stand for, as
// RTF text written with \'hh or as raw 8-bit bytes needs them. A byte the
// code page leaves undefined (and a lead byte of a double-byte code page,
// which this reader does not decode) stands for U+FFFD.
class CodePage {
public:
    // The table of a Windows code page number: 1250 to 1258, 874, 437, 850,
    // 866, 10000 (Mac Roman), 10007 (Mac Cyrillic), 20866 (KOI8-R), 21866
    // (KOI8-U), 28591 to 28599 (ISO 8859), kSymbolCodePage. Each table is
    // built once per process; a code page unknown here stands for 1252.
    static const CodePage& Get(int number);

    char16_t operator[](unsigned char byte) const { return characters_[byte]; }

private:
    explicit CodePage(int number);

    std::array<char16_t, 256> characters_{};
};

// The code page a font's \fcharset stands for, or 0 for DEFAULT_CHARSET and
// unknown charsets: the document's code page applies then.
int CodePageOfCharset(int charset);

} // namespace eh::rtf
