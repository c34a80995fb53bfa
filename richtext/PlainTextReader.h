// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace eh {

// Fills `document` (cleared first) with Windows-1251 text, the program's
// code page, one paragraph per line: CR LF, LF and CR each end a line, and a
// line end at the very end adds no empty paragraph; a line longer than
// kMaxRtfParagraphLength goes on in a new paragraph. The RTF reader's limits
// hold here too: text larger than kMaxRtfInputSize leaves the document
// empty, and the document takes the first kMaxRtfParagraphs paragraphs.
// Returns false, with the reason in `error` when given, for text over them.
bool ReadPlainText(const QByteArray& data, QTextDocument& document, QString* error = nullptr);

} // namespace eh
