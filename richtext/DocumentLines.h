// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextDocument;

namespace eh {

// The text of a document as its reader sees it, line by line: each
// paragraph (a table cell's paragraphs included) is a line, and a line break
// inside a paragraph starts a new line. A picture stays in its line as the
// object replacement character U+FFFC.
QStringList DocumentLines(const QTextDocument& document);

} // namespace eh
