// SPDX-License-Identifier: GPL-3.0-or-later
#include "RichTextFileLoader.h"

#include "PlainTextReader.h"
#include "RtfReader.h"
#include "Utf8.h"

#include <QFile>
#include <QTextDocument>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace eh {

namespace {

[[noreturn]] void RefuseToOpen(const QByteArray& name, TDocumentFault fault, const char* reason)
{
    throw EDocumentOpenError("Cannot open file \"" + EscapeTyped(name.toStdString()) + "\". " + reason, fault);
}

[[noreturn]] void RefuseToOpen(const QByteArray& name, int error)
{
    const TDocumentFault fault = error == ENOENT || error == ENOTDIR ? TDocumentFault::Missing
                                 : error == EACCES || error == EPERM ? TDocumentFault::NoPermission
                                 : error == EISDIR                   ? TDocumentFault::Folder
                                                                     : TDocumentFault::ReadFailed;
    RefuseToOpen(name, fault, std::strerror(error));
}

void RefuseAllButRegularFiles(const QByteArray& name, const struct stat& status)
{
    if (S_ISDIR(status.st_mode))
        RefuseToOpen(name, EISDIR);
    if (!S_ISREG(status.st_mode))
        RefuseToOpen(name, TDocumentFault::NotAFile, "It is not a regular file");
}

} // namespace

void OpenDocumentFile(const QByteArray& name, QFile& file)
{
    // Looked at before it is opened: opening a device may act on it, and
    // opening a pipe for reading waits for a writer.
    struct stat status {};
    if (::stat(name.constData(), &status) != 0)
        RefuseToOpen(name, errno);
    RefuseAllButRegularFiles(name, status);
    // Something else may take the name in between: the open never waits,
    // and what was opened is looked at again.
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        RefuseToOpen(name, errno);
    if (::fstat(descriptor, &status) != 0) {
        const int error = errno;
        ::close(descriptor);
        RefuseToOpen(name, error);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(descriptor);
        RefuseAllButRegularFiles(name, status);
    }
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        RefuseToOpen(name, TDocumentFault::ReadFailed, file.errorString().toUtf8().constData());
    }
}

QByteArray ReadDocumentFile(const QString& path)
{
    QFile file;
    OpenDocumentFile(QFile::encodeName(path), file);
    return ReadDocumentFile(file);
}

QByteArray ReadDocumentFile(QFile& file)
{
    const QString tooLarge = QStringLiteral("the file is larger than %1 MiB").arg(kMaxRtfInputSize / (1024 * 1024));
    if (file.size() > kMaxRtfInputSize)
        throw EDocumentLoadError(tooLarge.toStdString(), TDocumentFault::TooLarge);
    // One byte beyond the limit is enough to tell that the file grew too
    // big, without reading all of a huge one.
    QByteArray data = file.read(kMaxRtfInputSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw EDocumentLoadError(file.errorString().toStdString(), TDocumentFault::ReadFailed);
    file.close();
    if (data.size() > kMaxRtfInputSize)
        throw EDocumentLoadError(tooLarge.toStdString(), TDocumentFault::TooLarge);
    return data;
}

void BuildRichTextDocument(const QByteArray& data, QTextDocument& document)
{
    // Only bytes that are not RTF at all are shown as plain text: broken RTF
    // is read as far as it goes, and RTF source is never shown as text.
    QString reason;
    RtfReadResult result = ReadRtf(data, document, &reason);
    if (result == RtfReadResult::NotRtf)
        result = ReadPlainText(data, document, &reason) ? RtfReadResult::Read : RtfReadResult::OverLimits;
    if (result != RtfReadResult::Read)
        throw EDocumentLoadError(reason.toStdString(), TDocumentFault::OverLimits);
}

void LoadRichTextFile(const QString& path, QTextDocument& document)
{
    QFile file;
    OpenDocumentFile(QFile::encodeName(path), file);
    LoadRichTextFile(file, document);
}

void LoadRichTextFile(QFile& file, QTextDocument& document)
{
    QByteArray data;
    try {
        data = ReadDocumentFile(file);
    } catch (const EDocumentLoadError&) {
        document.clear();
        throw;
    }
    BuildRichTextDocument(data, document);
}

} // namespace eh
