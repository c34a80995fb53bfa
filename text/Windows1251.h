// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Windows-1251 text, the single-byte Cyrillic code page of saved reports.
// The code page's characters are decoded by iconv when the program is built.
namespace eh {

// UTF-8 in, Windows-1251 out: one byte per character. A character the code
// page does not hold becomes '?', and so does a byte that is not valid UTF-8.
std::string EncodeWindows1251(std::string_view utf8);

// Windows-1251 in, UTF-8 out. The one unassigned byte (0x98) becomes U+FFFD.
std::string DecodeWindows1251(std::string_view cp1251);

} // namespace eh
