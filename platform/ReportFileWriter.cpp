// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportFileWriter.h"

#include "Exceptions.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

namespace eh {

namespace {

// The system's error text without trailing blanks, line ends and dots.
std::string TrimmedReason(const QString& reason)
{
    std::string text = reason.toStdString();
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n' || text.back() == '.'))
        text.pop_back();
    return text;
}

// Writes straight into an existing device or pipe ("/dev/stdout", a FIFO):
// replacing it by renaming a new file over it would destroy it.
void WriteIntoSpecialFile(const QString& name, const std::string& fullPath, const std::string& bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EFCreateError("Cannot create file \"" + fullPath + "\". " + TrimmedReason(file.errorString()));
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        throw EOutOfResources("Failed to Save Stream");
}

} // namespace

void WriteReportFile(const std::string& path, const std::string& bytes)
{
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    const std::string fullPath = info.absoluteFilePath().toStdString();
    if (info.exists() && !info.isFile() && !info.isDir()) {
        WriteIntoSpecialFile(name, fullPath, bytes);
        return;
    }
    QSaveFile file(name);
    // Writing straight into the file would be the only way to save into a
    // folder where no temporary file may be created; an unsaved report is
    // better than a half-written one, so that fallback stays off.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a short write shows in write()'s result: a buffered
    // flush that writes only part of the data does not report it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EFCreateError("Cannot create file \"" + fullPath + "\". " + TrimmedReason(file.errorString()));
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        throw EOutOfResources("Failed to Save Stream");
    }
    if (!file.commit())
        throw EOutOfResources("Failed to Save Stream");
}

} // namespace eh
