// SPDX-License-Identifier: GPL-3.0-or-later
#include "Windows1251.h"

#include "IconvConverter.h"

namespace eh {

namespace {

// Length of the (possibly broken) UTF-8 sequence that starts `rest`: its lead
// byte and the continuation bytes that follow it, as many as the lead byte
// announces; 1 for a stray byte.
size_t Utf8SequenceLength(std::string_view rest)
{
    const auto lead = static_cast<unsigned char>(rest[0]);
    size_t expected = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        expected = 4;
    else if (lead >= 0xE0 && lead <= 0xEF)
        expected = 3;
    else if (lead >= 0xC2 && lead <= 0xDF)
        expected = 2;
    size_t n = 1;
    while (n < expected && n < rest.size() && (static_cast<unsigned char>(rest[n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

} // namespace

std::string EncodeWindows1251(std::string_view utf8)
{
    thread_local IconvConverter converter("WINDOWS-1251", "UTF-8");
    return converter.Convert(utf8, "?", Utf8SequenceLength);
}

std::string DecodeWindows1251(std::string_view cp1251)
{
    thread_local IconvConverter converter("UTF-8", "WINDOWS-1251");
    return converter.Convert(cp1251, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
}

} // namespace eh
