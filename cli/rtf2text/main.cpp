// SPDX-License-Identifier: GPL-3.0-or-later
// rtf2text FILE: loads FILE as the Help window does (RTF, or plain
// Windows-1251 text when the RTF reader rejects it) and prints its text in
// UTF-8, one line per paragraph and per line break, "\n" after each.
// Exit status: 0 done, 1 the file cannot be loaded or the text cannot be
// written, 2 wrong usage.

#include "DocumentLines.h"
#include "Exceptions.h"
#include "RichTextFileLoader.h"
#include "Utf8.h"

#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <QTextDocument>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Where the tool's own messages go: standard error, or its copy while the
// document is read.
int messageStream = STDERR_FILENO;

// Qt's own diagnostics ("QStandardPaths: XDG_RUNTIME_DIR not set", ...) are
// no concern of the tool's user: only the tool's messages reach stderr, and
// a fatal one still says why the tool stops.
void KeepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        ::dprintf(messageStream, "rtf2text: %s\n", message.toLocal8Bit().constData());
}

// While the document is read, standard error goes to /dev/null: the picture
// decoders' libraries print their own complaints there ("libpng error: Read
// Error" for a broken picture, which the reader simply leaves out).
class QuietDecoders {
public:
    QuietDecoders() : saved_(::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3))
    {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0 && ::dup2(null, STDERR_FILENO) >= 0)
            messageStream = saved_;
        if (null >= 0)
            ::close(null);
    }
    ~QuietDecoders()
    {
        if (saved_ < 0)
            return;
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        messageStream = STDERR_FILENO;
    }
    QuietDecoders(const QuietDecoders&) = delete;
    QuietDecoders& operator=(const QuietDecoders&) = delete;

private:
    int saved_;
};

// Opens the file by its name's bytes, which need not be UTF-8 and so could
// not pass through a QString unchanged; returns -1 and errno on failure.
int OpenForReading(const char* name)
{
    const int descriptor = ::open(name, O_RDONLY | O_CLOEXEC | O_NOCTTY);
    struct stat status {};
    if (descriptor >= 0 && ::fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
        ::close(descriptor);
        errno = EISDIR;
        return -1;
    }
    return descriptor;
}

// Qt opens files of its own; one of them would take the number of a closed
// standard stream and receive the text or the messages. /dev/null holds the
// place instead. Returns whether standard output was open.
bool HoldStandardStreams()
{
    const bool outputOpen = ::fcntl(STDOUT_FILENO, F_GETFD) != -1;
    for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
        if (::fcntl(stream, F_GETFD) == -1)
            ::open("/dev/null", O_RDWR);
    }
    return outputOpen;
}

int CannotWriteText(int error)
{
    std::fprintf(stderr, "rtf2text: cannot write the text: %s\n", std::strerror(error));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: rtf2text FILE\n");
        return 2;
    }
    if (!HoldStandardStreams())
        return CannotWriteText(EBADF);
    qInstallMessageHandler(KeepQtQuiet);
    // The document needs the GUI library but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    QTextDocument document;
    try {
        QFile file;
        const int descriptor = OpenForReading(argv[1]);
        if (descriptor < 0 || !file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
            throw eh::EFOpenError("Cannot open file \"" + eh::EscapeTyped(argv[1]) + "\". " + std::strerror(errno));
        const QuietDecoders quiet;
        eh::LoadRichTextFile(file, document);
    } catch (const eh::EDocumentLoadError& failure) {
        std::fprintf(stderr, "rtf2text: %s: %s: %s\n", failure.kind(), failure.what(), failure.reason().c_str());
        return 1;
    } catch (const eh::Exception& failure) {
        std::fprintf(stderr, "rtf2text: %s: %s\n", failure.kind(), failure.what());
        return 1;
    }
    for (const QString& line : eh::DocumentLines(document)) {
        const QByteArray utf8 = line.toUtf8();
        std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
        std::fputc('\n', stdout);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return CannotWriteText(errno);
    return 0;
}
