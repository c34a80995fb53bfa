// SPDX-License-Identifier: GPL-3.0-or-later
// The rtf2text tool as a process: its output, error output and exit status.

#include "RtfTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace eh::test {
namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

ToolRun RunTool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(RTF2TEXT_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

TEST(Rtf2TextToolTest, PrintsEachParagraphAndLineBreakOnALine)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("help.rtf");
    WriteFile(path, "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'e5\\'f0\\'e2\\'fb\\'e9\\par a\\tab b\\line c\\par\\par\\intbl x\\cell y\\cell\\row}");
    const ToolRun run = RunTool({path});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.output, QByteArray("Первый\na\tb\nc\n\nx\ny\n\n"));
}

TEST(Rtf2TextToolTest, PrintsAFileThatIsNotRtfAsPlainText)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("help.txt");
    WriteFile(path, "\xd2\xe5\xea\xf1\xf2\r\nline 2\r\n");
    const ToolRun run = RunTool({path});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, QByteArray("Текст\nline 2\n"));
}

TEST(Rtf2TextToolTest, MissingFileFailsWithStatus1)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("missing.rtf");
    const ToolRun run = RunTool({path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.output.isEmpty());
    EXPECT_TRUE(run.errors.contains("EFOpenError")) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(path.toUtf8())) << run.errors.toStdString();
}

TEST(Rtf2TextToolTest, AnswersHelpAndRefusesWrongUsageWithStatus2)
{
    const struct {
        QStringList arguments;
        int exitCode;
        QByteArray output;
        QByteArray errors;
    } cases[] = {
        {{"--help"}, 0, "usage: rtf2text [--] FILE\nPrints the text of a help document", ""},
        {{}, 2, "", "rtf2text: no FILE given\nusage: rtf2text [--] FILE\n"},
        {{"--"}, 2, "", "rtf2text: no FILE given\nusage: rtf2text [--] FILE\n"},
        {{"a.rtf", "b.rtf"}, 2, "", "rtf2text: one FILE only\nusage: rtf2text [--] FILE\n"},
        {{"--help", "a.rtf"}, 2, "", "rtf2text: --help takes no FILE\nusage: rtf2text [--] FILE\n"},
        {{"--version"}, 2, "", "rtf2text: unknown option \"--version\"\nusage: rtf2text [--] FILE\n"},
        // After "--" a name may start with a dash.
        {{"--", "--help"}, 1, "", "rtf2text: EFOpenError: Cannot open file \"--help\". No such file or directory\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.output.startsWith(c.output)) << run.output.toStdString();
        EXPECT_EQ(run.output.isEmpty(), c.output.isEmpty());
        EXPECT_EQ(run.errors, c.errors);
    }
}

} // namespace
} // namespace eh::test
