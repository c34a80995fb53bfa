// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the Help window's reading path: the RTF reader,
// then the plain-text fallback when the reader rejects them, then a layout
// of the result, as the Help pane would make.

#include "DocumentLines.h"
#include "PlainTextReader.h"
#include "RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    // Broken pictures and odd fonts make Qt log warnings at every run; they
    // would drown libFuzzer's own report.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // The first layout loads the font database, which lives for the rest
    // of the process; loading it here keeps it out of the leak checks.
    QTextDocument warmUp(QStringLiteral("warm-up"));
    warmUp.documentLayout()->documentSize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    if (eh::ReadRtf(bytes, document) == eh::RtfReadResult::NotRtf)
        eh::ReadPlainText(bytes, document);
    document.setTextWidth(570);
    document.documentLayout()->documentSize();
    eh::DocumentLines(document);
    return 0;
}
