// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignFileOpening.h"

#include "DesignFile.h"
#include "Exceptions.h"
#include "ExplorerDesignFile.h"
#include "ExplorerModel.h"
#include "FormControls.h"
#include "InterfaceLanguage.h"

#include <QFile>
#include <QFileInfo>

namespace eh {

namespace {

// Why the file at `path` was not opened, for EFOpenError.
std::string NotOpenedText(const QString& path, const QString& reason)
{
    return UiText("explorer.file.not-opened").arg(path, reason).toStdString();
}

// The bytes of a file of at most `limit` bytes; EFOpenError otherwise.
std::string ReadSmallFile(const QString& path, qint64 limit)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile())
        throw EFOpenError(NotOpenedText(path, UiText("measurement.not-regular-file")));
    if (info.size() > limit)
        throw EFOpenError(NotOpenedText(path, UiText("explorer.file.too-large")));
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(NotOpenedText(path, file.errorString()));
    const QByteArray bytes = file.read(limit + 1);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

TFieldTexts OpenDesignFile(const QString& path, ExplorerModel& model)
{
    const TDesignFileReading reading =
        ReadDesignFile(ReadSmallFile(path, static_cast<qint64>(kMaxDesignFileBytes)), model.Separator());
    if (!reading.design)
        throw EFOpenError(NotOpenedText(path, Utf8(DesignFileFault(reading, InterfaceLanguage()))));
    // The pins first: a pin that is no design leaves everything as it was.
    if (const std::optional<std::size_t> badField = TakeDesignFilePins(model, *reading.design))
        throw EFOpenError(NotOpenedText(
            path, UiText("explorer.file.in-pin").arg(Utf8(NotANumberNote(*badField, InterfaceLanguage())))));
    return DesignFileFieldTexts(model, *reading.design);
}

} // namespace eh
