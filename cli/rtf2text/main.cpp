// SPDX-License-Identifier: GPL-3.0-or-later
// rtf2text FILE: loads FILE as the Help window does (RTF, or plain
// Windows-1251 text when the RTF reader rejects it) and prints its text in
// UTF-8, one line per paragraph and per line break, "\n" after each.
// Exit status: 0 done, 1 the file cannot be loaded, 2 wrong usage.

#include "DocumentLines.h"
#include "Exceptions.h"
#include "RichTextFileLoader.h"

#include <QGuiApplication>
#include <QString>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: rtf2text FILE\n");
        return 2;
    }
    // The document needs the GUI library but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    QTextDocument document;
    try {
        eh::LoadRichTextFile(QString::fromLocal8Bit(argv[1]), document);
    } catch (const eh::Exception& failure) {
        std::fprintf(stderr, "rtf2text: %s: %s\n", failure.kind(), failure.what());
        return 1;
    }
    for (const QString& line : eh::DocumentLines(document)) {
        const QByteArray utf8 = line.toUtf8();
        std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
        std::fputc('\n', stdout);
    }
    return std::fflush(stdout) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
