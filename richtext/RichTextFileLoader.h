// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Exceptions.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <utility>

class QFile;
class QTextDocument;

namespace eh {

// Why a help document was not shown, or not whole: front ends word it in
// their own language.
enum class TDocumentFault {
    Missing,      // nothing has the name
    Folder,       // a folder has the name
    NotAFile,     // a device, pipe or socket has it: never read, since
                  // reading one may wait for ever or never end
    NoPermission, // the file may not be read
    ReadFailed,   // opening or reading failed otherwise
    TooLarge,     // larger than kMaxRtfInputSize: nothing is shown
    OverLimits,   // over the reader's other limits (RtfLimits.h): the
                  // document holds what was read up to them
};

// A help document that cannot be opened for reading.
class EDocumentOpenError : public EFOpenError {
public:
    EDocumentOpenError(const std::string& message, TDocumentFault fault) : EFOpenError(message), fault_(fault) {}
    TDocumentFault fault() const noexcept { return fault_; }

private:
    TDocumentFault fault_;
};

// A help document that cannot be read or is over the reader's limits. The
// message is the one the window knows, "Failed to Load Stream"; the reason
// ("the file is larger than 32 MiB") rides along for rtf2text, whose users
// need to know what went wrong.
class EDocumentLoadError : public EOutOfResources {
public:
    EDocumentLoadError(std::string reason, TDocumentFault fault)
        : EOutOfResources("Failed to Load Stream"), reason_(std::move(reason)), fault_(fault)
    {
    }
    const std::string& reason() const noexcept { return reason_; }
    TDocumentFault fault() const noexcept { return fault_; }

private:
    std::string reason_;
    TDocumentFault fault_;
};

// Opens the file whose name is `name`'s bytes (which need not be UTF-8) for
// reading, refusing anything but a regular file and never waiting for a
// writer. Throws EDocumentOpenError with "Cannot open file "NAME". REASON".
void OpenDocumentFile(const QByteArray& name, QFile& file);

// Reads a help document's bytes, all of them or none.
// Throws EDocumentOpenError when the file cannot be opened for reading, and
// EDocumentLoadError when it cannot be read or is larger than
// kMaxRtfInputSize.
QByteArray ReadDocumentFile(const QString& path);
// The same for a file opened by OpenDocumentFile.
QByteArray ReadDocumentFile(QFile& file);

// Builds a help document from its bytes the way the Help window needs it:
// as RTF, or, when the bytes are not RTF at all, as plain Windows-1251 text,
// one paragraph per line. Throws EDocumentLoadError when they are over the
// reader's other limits (RtfLimits.h); the document then holds what was read
// up to the limit.
void BuildRichTextDocument(const QByteArray& data, QTextDocument& document);

// Both of the above: the file's bytes read and built into `document`, which
// is left empty when the file was not read.
void LoadRichTextFile(const QString& path, QTextDocument& document);
void LoadRichTextFile(QFile& file, QTextDocument& document);

} // namespace eh
