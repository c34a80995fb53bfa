// SPDX-License-Identifier: GPL-3.0-or-later
#include "Separator.h"

#include <clocale>
#include <cstring>

namespace eh::cli {

char LocaleDecimalSeparator()
{
    char separator = '.';
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        const std::lconv* conventions = std::localeconv();
        if (conventions != nullptr && conventions->decimal_point != nullptr) {
            if (const auto found = SeparatorFromText(conventions->decimal_point))
                separator = *found;
        }
    }
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

std::optional<char> SeparatorFromText(std::string_view text)
{
    if (text.size() != 1)
        return std::nullopt;
    const char c = text[0];
    if (c < 0x20 || c > 0x7E)
        return std::nullopt;
    return c;
}

} // namespace eh::cli
