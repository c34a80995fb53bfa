// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecimalSeparatorRule.h"

namespace eh {

std::optional<char> DecimalSeparatorFromText(std::string_view text)
{
    if (text.size() != 1)
        return std::nullopt;
    const char c = text[0];
    const bool partOfNumber = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E';
    if (c <= 0x20 || c >= 0x7F || partOfNumber)
        return std::nullopt;
    return c;
}

} // namespace eh
