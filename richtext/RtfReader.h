// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RtfLimits.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace eh {

enum class RtfReadResult {
    Read,       // the document holds the file's content
    NotRtf,     // the file is not RTF at all; the document is empty
    OverLimits, // the file is larger than kMaxRtfInputSize (the document is
                // empty) or holds more than the other limits allow (the
                // document holds what was read up to them)
};

// Reads an RTF document into `document`, which is cleared first. RTF is
// input that starts with "{\rtf", after blanks or a UTF-8 byte-order mark.
// Broken RTF is read as far as it goes: groups nested deeper than
// kMaxRtfGroupDepth keep the deepest tracked formatting, a file cut short
// shows its content up to the cut, \binN announcing more bytes than are left
// takes the rest of the file, and whatever follows the outermost group's end
// is ignored. `error`, when given, receives a message for NotRtf and
// OverLimits.
//
// Honoured: code pages (\ansicpg, \fcharset, \cpg) for 8-bit text, the
// double-byte ones of East Asia included, \uN with \ucN, the usual special
// characters; bold, italic, underline, strike-out, hidden text, font, size,
// colours, super- and subscript; alignment, indents and spacing of
// paragraphs; list labels; tables, nested ones included; footnote anchors;
// page, column and section breaks; PNG and JPEG pictures. Footnotes,
// headers, footers and destinations the reader does not know are skipped,
// the latter when marked with \*.
RtfReadResult ReadRtf(const QByteArray& data, QTextDocument& document, QString* error = nullptr);

} // namespace eh
