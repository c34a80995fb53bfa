// SPDX-License-Identifier: GPL-3.0-or-later
#include "RichTextFileLoader.h"

#include "Exceptions.h"
#include "PlainTextReader.h"
#include "RtfReader.h"

#include <QFile>
#include <QTextDocument>

namespace eh {

void LoadRichTextFile(const QString& path, QTextDocument& document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()).toStdString());
    LoadRichTextFile(file, document);
}

void LoadRichTextFile(QFile& file, QTextDocument& document)
{
    // One byte beyond the limit is enough to tell that the file is too big,
    // without reading all of a huge one.
    const QByteArray data = file.read(kMaxRtfInputSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw EOutOfResources("Failed to Load Stream");
    file.close();
    // Only a file that is not RTF at all is shown as plain text: broken RTF
    // is read as far as it goes, and RTF source is never shown as text.
    const RtfReadResult result = ReadRtf(data, document);
    if (result == RtfReadResult::Read || (result == RtfReadResult::NotRtf && ReadPlainText(data, document)))
        return;
    throw EOutOfResources("Failed to Load Stream");
}

} // namespace eh
