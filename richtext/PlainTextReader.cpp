// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlainTextReader.h"

#include "RtfLimits.h"
#include "Windows1251.h"

#include <QString>
#include <QTextDocument>

#include <string>
#include <utility>

namespace eh {

bool ReadPlainText(const QByteArray& data, QTextDocument& document)
{
    document.clear();
    if (data.size() > kMaxRtfInputSize)
        return false;
    const std::string utf8 = DecodeWindows1251(std::string_view(data.constData(), data.size()));
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    // Qt lays out a paragraph in one piece: see kMaxRtfParagraphLength.
    QString lines;
    lines.reserve(text.size() + text.size() / kMaxRtfParagraphLength);
    qsizetype lineLength = 0;
    for (const QChar c : std::as_const(text)) {
        if (c == u'\n') {
            lineLength = 0;
        } else if (lineLength++ == kMaxRtfParagraphLength) {
            lines += u'\n';
            lineLength = 1;
        }
        lines += c;
    }
    document.setPlainText(lines);
    return true;
}

} // namespace eh
