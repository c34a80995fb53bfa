// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegionalSettings.h"

#include <QLocale>
#include <QString>

namespace eh {

char RegionalSettings::separator_ = '.';

char RegionalSettings::DecimalSeparator() { return separator_; }

void RegionalSettings::Refresh()
{
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() > 0x20 && point.at(0).unicode() < 0x7F)
        separator_ = static_cast<char>(point.at(0).unicode());
    else
        separator_ = '.';
}

void RegionalSettings::SetDecimalSeparator(char separator) { separator_ = separator; }

} // namespace eh
