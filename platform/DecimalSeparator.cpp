// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecimalSeparator.h"

#ifndef EH_NO_REGIONAL_SETTINGS
#include <QByteArray>
#include <QLocale>
#include <QString>
#endif

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

char SystemDecimalSeparator()
{
#ifdef EH_NO_REGIONAL_SETTINGS
    // WebAssembly: the C library knows no regional settings.
    return '.';
#else
    const QByteArray point = QLocale::system().decimalPoint().toUtf8();
    return DecimalSeparatorFromText(std::string_view(point.constData(), static_cast<std::size_t>(point.size())))
        .value_or('.');
#endif
}

} // namespace eh
