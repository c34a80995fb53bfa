// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace eh::rtf {

// Windows' number for the Symbol font's own encoding (CP_SYMBOL).
inline constexpr int kSymbolCodePage = 42;

// The characters that the bytes of a Windows code page stand for, as RTF
// text written with \'hh or as raw 8-bit bytes needs them: one byte each, or
// in the double-byte code pages of East Asia a lead byte and a trail byte. A
// byte or pair the code page leaves undefined stands for U+FFFD.
class CodePage {
public:
    // The table of a Windows code page number: 1250 to 1258, 874, 437, 850,
    // 866, 932 (Japanese), 936 (simplified Chinese), 949 (Korean), 950
    // (traditional Chinese), 10000 (Mac Roman), 10007 (Mac Cyrillic), 20866
    // (KOI8-R), 21866 (KOI8-U), 28591 to 28599 (ISO 8859), kSymbolCodePage.
    // Each table is built once per process; a code page unknown here stands
    // for 1252.
    static const CodePage& Get(int number);

    // Decodes `bytes` onto `text`. A lead byte at the end waits in
    // `pendingLead` (-1 when none) for the trail byte of the next call, as
    // RTF writes a pair as two \'hh escapes.
    void AppendDecoded(std::string_view bytes, std::u16string& text, int& pendingLead) const;

private:
    explicit CodePage(int number);
    void BuildPairs(const char* iconvName);

    std::array<char16_t, 256> characters_{};
    // For double-byte code pages: whether a byte starts a pair, and the
    // character of each pair, indexed by lead * 256 + trail.
    std::array<bool, 256> isLead_{};
    std::vector<char16_t> pairs_;
};

// The code page a font's \fcharset stands for, or 0 for DEFAULT_CHARSET and
// unknown charsets: the document's code page applies then.
int CodePageOfCharset(int charset);

} // namespace eh::rtf
