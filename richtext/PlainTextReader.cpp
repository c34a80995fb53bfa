// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlainTextReader.h"

#include "RtfLimits.h"
#include "Windows1251.h"

#include <QTextDocument>

#include <string>
#include <string_view>
#include <utility>

namespace eh {

namespace {

bool Fail(QString* error, const QString& reason)
{
    if (error != nullptr)
        *error = reason;
    return false;
}

// The text up to the end of its kMaxRtfParagraphs-th line, found in the
// bytes before anything is decoded: millions of line ends beyond it cost a
// scan, not millions of paragraphs.
std::string_view FirstLines(std::string_view bytes)
{
    std::size_t start = 0;
    for (int line = 1;; ++line) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            return bytes;
        start = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
        if (line == kMaxRtfParagraphs)
            return start == bytes.size() ? bytes : bytes.substr(0, end);
    }
}

} // namespace

bool ReadPlainText(const QByteArray& data, QTextDocument& document, QString* error)
{
    document.clear();
    if (data.size() > kMaxRtfInputSize)
        return Fail(error, QStringLiteral("the file is larger than %1 MiB").arg(kMaxRtfInputSize / (1024 * 1024)));
    const std::string_view bytes(data.constData(), static_cast<std::size_t>(data.size()));
    const std::string_view kept = FirstLines(bytes);
    bool whole = kept.size() == bytes.size();
    const std::string utf8 = DecodeWindows1251(kept);
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (whole && text.endsWith(u'\n'))
        text.chop(1);
    // Qt lays out a paragraph in one piece: see kMaxRtfParagraphLength. A
    // long line's pieces count as paragraphs of their own.
    QString lines;
    lines.reserve(text.size() + text.size() / kMaxRtfParagraphLength);
    qsizetype lineLength = 0;
    int paragraphs = 1;
    for (const QChar c : std::as_const(text)) {
        const bool split = c != u'\n' && lineLength == kMaxRtfParagraphLength;
        if (c == u'\n' || split) {
            if (paragraphs == kMaxRtfParagraphs) {
                whole = false;
                break;
            }
            ++paragraphs;
            lineLength = 0;
            if (split)
                lines += u'\n';
        }
        if (c != u'\n')
            ++lineLength;
        lines += c;
    }
    document.setPlainText(lines);
    if (!whole)
        return Fail(error, QStringLiteral("the document holds more than %1 paragraphs").arg(kMaxRtfParagraphs));
    return true;
}

} // namespace eh
