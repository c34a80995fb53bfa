// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Exceptions.h"

#include <QString>

#include <string>
#include <utility>

class QFile;
class QTextDocument;

namespace eh {

// A help document that cannot be read or is over the reader's limits. The
// message is the one the window knows, "Failed to Load Stream"; the reason
// ("the file is larger than 32 MiB") rides along for rtf2text, whose users
// need to know what went wrong.
class EDocumentLoadError : public EOutOfResources {
public:
    explicit EDocumentLoadError(std::string reason)
        : EOutOfResources("Failed to Load Stream"), reason_(std::move(reason))
    {
    }
    const std::string& reason() const noexcept { return reason_; }

private:
    std::string reason_;
};

// Loads a help document into `document` the way the Help window needs it:
// as RTF, or, when the file is not RTF at all, as plain Windows-1251 text,
// one paragraph per line.
// Throws EFOpenError when the file cannot be opened for reading, and
// EDocumentLoadError when it cannot be read or is over the reader's limits
// (RtfLimits.h); the document then holds what was read up to the limit, if
// anything.
void LoadRichTextFile(const QString& path, QTextDocument& document);
// The same for a file already open for reading, for a caller that opens it
// by a name that a QString cannot carry (bytes that are not UTF-8).
void LoadRichTextFile(QFile& file, QTextDocument& document);

} // namespace eh
