// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class QTextDocument;

namespace eh {

// Fills `document` (cleared first) with Windows-1251 text, the program's
// code page, one paragraph per line: CR LF, LF and CR each end a line, and a
// line end at the very end adds no empty paragraph; a line longer than
// kMaxRtfParagraphLength goes on in a new paragraph. Returns false, leaving
// the document empty, for text larger than kMaxRtfInputSize.
bool ReadPlainText(const QByteArray& data, QTextDocument& document);

} // namespace eh
