// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFile;
class QTextDocument;

namespace eh {

// Loads a help document into `document` the way the Help window needs it:
// as RTF, or, when the file is not RTF at all, as plain Windows-1251 text,
// one paragraph per line.
// Throws EFOpenError when the file cannot be opened for reading, and
// EOutOfResources("Failed to Load Stream") when it cannot be read or is
// over the reader's limits (RtfLimits.h); the document then holds what was
// read up to the limit, if anything.
void LoadRichTextFile(const QString& path, QTextDocument& document);
// The same for a file already open for reading, for a caller that opens it
// by a name that a QString cannot carry (bytes that are not UTF-8).
void LoadRichTextFile(QFile& file, QTextDocument& document);

} // namespace eh
