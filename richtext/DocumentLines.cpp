// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentLines.h"

#include <QTextBlock>
#include <QTextDocument>

namespace eh {

QStringList DocumentLines(const QTextDocument& document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines += block.text().split(QChar::LineSeparator);
    return lines;
}

} // namespace eh
