// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecimalSeparator.h"

#include "DecimalSeparatorRule.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace eh {

char SystemDecimalSeparator()
{
    const QByteArray mark = QLocale::system().decimalPoint().toUtf8();
    return RegionalDecimalSeparator(std::string_view(mark.constData(), static_cast<std::size_t>(mark.size())));
}

} // namespace eh
