// SPDX-License-Identifier: GPL-3.0-or-later
#include "Windows1251.h"

#include "IconvConverter.h"
#include "Utf8.h"

namespace eh {

std::string EncodeWindows1251(std::string_view utf8)
{
    thread_local IconvConverter converter("WINDOWS-1251", "UTF-8");
    return converter.Convert(utf8, "?", Utf8BrokenSequenceLength);
}

std::string DecodeWindows1251(std::string_view cp1251)
{
    thread_local IconvConverter converter("UTF-8", "WINDOWS-1251");
    return converter.Convert(cp1251, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
}

} // namespace eh
