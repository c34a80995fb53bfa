// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecimalSeparator.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace eh {

char SystemDecimalSeparator()
{
    const QByteArray point = QLocale::system().decimalPoint().toUtf8();
    return DecimalSeparatorFromText(std::string_view(point.constData(), static_cast<std::size_t>(point.size())))
        .value_or('.');
}

} // namespace eh
