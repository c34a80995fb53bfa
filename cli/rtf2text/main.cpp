// SPDX-License-Identifier: GPL-3.0-or-later
// rtf2text [--] FILE: loads FILE as the Help window does (RTF, or plain
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
#include <string_view>

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

constexpr const char* kUsage = "usage: rtf2text [--] FILE\n";
constexpr const char* kHelp =
    "Prints the text of a help document as the program's Help window reads it:\n"
    "RTF, or plain Windows-1251 text when the file is not RTF. The text is\n"
    "written in UTF-8, one line per paragraph and per line break.\n"
    "\n"
    "  --help  show this help and exit\n"
    "  --      end of options: a FILE that starts with '-' follows\n"
    "\n"
    "Exit status: 0 done, 1 the file cannot be loaded or the text cannot be\n"
    "written, 2 wrong usage.\n";

int WrongUsage(const char* problem)
{
    std::fprintf(stderr, "rtf2text: %s\n%s", problem, kUsage);
    return 2;
}

int CannotWriteText(int error)
{
    std::fprintf(stderr, "rtf2text: cannot write the text: %s\n", std::strerror(error));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        if (argc > 2)
            return WrongUsage("--help takes no FILE");
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        return std::fflush(stdout) == 0 ? 0 : CannotWriteText(errno);
    }
    // A name may start with a dash only after "--", which ends the options.
    const int fileArgument = first == "--" ? 2 : 1;
    if (argc <= fileArgument)
        return WrongUsage("no FILE given");
    if (argc > fileArgument + 1)
        return WrongUsage("one FILE only");
    if (fileArgument == 1 && first.size() > 1 && first.starts_with('-'))
        return WrongUsage(("unknown option \"" + eh::EscapeTyped(first) + "\"").c_str());
    const char* name = argv[fileArgument];
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
        eh::OpenDocumentFile(QByteArray(name), file);
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
