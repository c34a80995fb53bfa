// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace eh {

// Bounds that keep a hostile or broken file from exhausting the program.
inline constexpr qsizetype kMaxRtfInputSize = 32 * 1024 * 1024;
inline constexpr int kMaxRtfGroupDepth = 256;

// Reads an RTF document into `document`, which is cleared first. Returns
// false, with a message in `error` when it is given, for input that is not
// RTF (it must start with "{\rtf", after blanks or a UTF-8 byte-order mark),
// is larger than kMaxRtfInputSize, nests groups deeper than
// kMaxRtfGroupDepth or is cut short: the document is empty then. Only the
// outermost group may be left unclosed at the end, and whatever follows the
// outermost group's end is ignored.
//
// Honoured: code pages (\ansicpg, \fcharset, \cpg) for 8-bit text, \uN with
// \ucN, the usual special characters; bold, italic, underline, strike-out,
// hidden text, font, size, colours, super- and subscript; alignment, indents
// and spacing of paragraphs; tables; PNG and JPEG pictures. Destinations the
// reader does not know are skipped when marked with \*.
bool ReadRtf(const QByteArray& data, QTextDocument& document, QString* error = nullptr);

} // namespace eh
