// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecimalSeparator.h"

#include "DecimalSeparatorRule.h"

#ifndef EH_NO_REGIONAL_SETTINGS
#include <QByteArray>
#include <QLocale>
#include <QString>
#endif

namespace eh {

char SystemDecimalSeparator()
{
#ifdef EH_NO_REGIONAL_SETTINGS
    // WebAssembly: the C library knows no regional settings.
    return '.';
#else
    const QByteArray mark = QLocale::system().decimalPoint().toUtf8();
    return RegionalDecimalSeparator(std::string_view(mark.constData(), static_cast<std::size_t>(mark.size())));
#endif
}

} // namespace eh
