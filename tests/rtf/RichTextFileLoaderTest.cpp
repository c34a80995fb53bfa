// SPDX-License-Identifier: GPL-3.0-or-later
// The Help window's loader: RTF when the reader accepts the file, plain
// Windows-1251 text when it does not, and the failures of both.

#include "Exceptions.h"
#include "RichTextFileLoader.h"
#include "RtfReader.h"
#include "RtfTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace eh::test {
namespace {

class RichTextFileLoaderTest : public testing::Test {
protected:
    QString FileWith(const QByteArray& bytes)
    {
        const QString path = directory_.filePath("help_eh.rtf");
        WriteFile(path, bytes);
        return path;
    }

    QTemporaryDir directory_;
    QTextDocument document_;
};

TEST_F(RichTextFileLoaderTest, ReadsRtfAsRichText)
{
    LoadRichTextFile(FileWith("{\\rtf1\\ansi\\ansicpg1251 \\qc{\\b \\'d1\\'ef\\'f0\\'e0\\'e2\\'ea\\'e0}\\par\\pard text}"),
                     document_);
    EXPECT_EQ(BlockTexts(document_), (QStringList{"Справка", "text"}));
    EXPECT_EQ(FragmentFormat(document_, "Справка").fontWeight(), QFont::Bold);
    EXPECT_EQ(document_.begin().blockFormat().alignment(), Qt::AlignHCenter);
}

TEST_F(RichTextFileLoaderTest, ReplacesWhatTheDocumentHeld)
{
    document_.setPlainText("old\nold");
    LoadRichTextFile(FileWith("{\\rtf1 new}"), document_);
    EXPECT_EQ(BlockTexts(document_), QStringList{"new"});
}

struct PlainTextCase {
    const char* name;
    QByteArray bytes;
    QStringList paragraphs;
};

void PrintTo(const PlainTextCase& plainCase, std::ostream* out) { *out << plainCase.name; }

class RichTextFileLoaderPlainTest : public testing::TestWithParam<PlainTextCase> {};

TEST_P(RichTextFileLoaderPlainTest, ShowsTheFileAsPlainText)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("help_eh.rtf");
    WriteFile(path, GetParam().bytes);
    QTextDocument document;
    LoadRichTextFile(path, document);
    EXPECT_EQ(BlockTexts(document), GetParam().paragraphs);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        EXPECT_EQ(block.charFormat().fontWeight(), QFont::Normal);
}

INSTANTIATE_TEST_SUITE_P(Files, RichTextFileLoaderPlainTest, testing::Values(
    PlainTextCase{"windows1251_lines",
                  "\xd1\xf2\xf0\xee\xea\xe0 1\r\n\xd1\xf2\xf0\xee\xea\xe0 2\n\xd1\xf2\xf0\xee\xea\xe0 3\r\xd1\xf2\xf0\xee\xea\xe0 4\r\n",
                  {"Строка 1", "Строка 2", "Строка 3", "Строка 4"}},
    PlainTextCase{"no_line_end_at_the_end", "one\r\ntwo", {"one", "two"}},
    PlainTextCase{"empty_lines_kept", "one\r\n\r\n\r\ntwo\r\n", {"one", "", "", "two"}},
    PlainTextCase{"empty_file", "", {""}},
    PlainTextCase{"unassigned_byte", "a\x98z", {"a\uFFFDz"}},
    PlainTextCase{"tabs_kept", "a\tb", {"a\tb"}}));

TEST_F(RichTextFileLoaderTest, BrokenRtfIsReadAsRtfNeverShownAsSource)
{
    LoadRichTextFile(FileWith("{\\rtf1\\ansi {\\b bold\r\n"), document_);
    EXPECT_EQ(BlockTexts(document_), QStringList{"bold"});
    EXPECT_EQ(FragmentFormat(document_, "bold").fontWeight(), QFont::Bold);
}

TEST_F(RichTextFileLoaderTest, RtfOverTheLimitsThrowsFailedToLoadStreamKeepingWhatWasRead)
{
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < kMaxRtfParagraphs + 10; ++i)
        rtf += "p\\par ";
    try {
        LoadRichTextFile(FileWith(rtf + "}"), document_);
        FAIL() << "no exception";
    } catch (const EDocumentLoadError& error) {
        EXPECT_STREQ(error.what(), "Failed to Load Stream");
        EXPECT_EQ(error.reason(), "the document holds more than 100000 paragraphs or 50000 table cells");
    }
    EXPECT_EQ(document_.blockCount(), kMaxRtfParagraphs);
    EXPECT_EQ(document_.lastBlock().text(), "p");
}

TEST(RichTextFileLoader, WhatIsNotARegularFileIsRefusedUnopenedAndNamed)
{
    // A pipe would hold the reader until something wrote into it, and a
    // device may never end.
    const struct {
        const char* name;
        bool (*make)(const QString& path);
        TDocumentFault fault;
        const char* reason;
    } cases[] = {
        {"missing", [](const QString&) { return true; }, TDocumentFault::Missing, "No such file or directory"},
        {"folder", [](const QString& path) { return QDir().mkdir(path); }, TDocumentFault::Folder,
         "Is a directory"},
        {"pipe", [](const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
         TDocumentFault::NotAFile, "It is not a regular file"},
        {"link to a device", [](const QString& path) { return QFile::link("/dev/zero", path); },
         TDocumentFault::NotAFile, "It is not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir directory;
        const QString path = directory.filePath("help_eh.rtf");
        ASSERT_TRUE(c.make(path));
        QTextDocument document;
        try {
            LoadRichTextFile(path, document);
            ADD_FAILURE() << "no exception";
        } catch (const EDocumentOpenError& error) {
            EXPECT_EQ(error.what(), "Cannot open file \"" + path.toStdString() + "\". " + c.reason);
            EXPECT_EQ(error.fault(), c.fault);
            EXPECT_STREQ(error.kind(), "EFOpenError");
        }
    }
}

TEST_F(RichTextFileLoaderTest, PlainTextOverTheParagraphLimitKeepsTheFirstParagraphs)
{
    // Lines, and pieces of a long line, count alike.
    const QByteArray longLine(kMaxRtfParagraphLength * 3, 'w');
    const struct {
        const char* name;
        QByteArray text;
        QString last;
    } cases[] = {
        {"line feeds", "a\n" + QByteArray("\n").repeated(30'000'000), ""},
        {"CR LF lines", QByteArray("line\r\n").repeated(kMaxRtfParagraphs + 1), "line"},
        {"long lines", QByteArray("x\r").repeated(kMaxRtfParagraphs - 2) + longLine, QString(kMaxRtfParagraphLength, 'w')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            LoadRichTextFile(FileWith(c.text), document_);
            ADD_FAILURE() << "no exception";
        } catch (const EDocumentLoadError& error) {
            EXPECT_EQ(error.reason(), "the document holds more than 100000 paragraphs");
            EXPECT_EQ(error.fault(), TDocumentFault::OverLimits);
        }
        EXPECT_EQ(document_.blockCount(), kMaxRtfParagraphs);
        EXPECT_EQ(document_.lastBlock().text(), c.last);
    }
    // Exactly at the limit, with a line end at the end, is whole.
    LoadRichTextFile(FileWith(QByteArray("line\n").repeated(kMaxRtfParagraphs)), document_);
    EXPECT_EQ(document_.blockCount(), kMaxRtfParagraphs);
}

TEST_F(RichTextFileLoaderTest, FileLargerThanTheLimitThrowsFailedToLoadStream)
{
    // 50 MB: neither the RTF reader nor the plain-text fallback takes it.
    const QString path = directory_.filePath("help_eh.rtf");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray chunk(1000 * 1000, 'a');
        for (int i = 0; i < 50; ++i)
            ASSERT_EQ(file.write(chunk), chunk.size());
    }
    try {
        LoadRichTextFile(path, document_);
        FAIL() << "no exception";
    } catch (const EDocumentLoadError& error) {
        EXPECT_STREQ(error.what(), "Failed to Load Stream");
        EXPECT_EQ(error.reason(), "the file is larger than 32 MiB");
        EXPECT_EQ(error.fault(), TDocumentFault::TooLarge);
    }
}

TEST_F(RichTextFileLoaderTest, PlainTextJustWithinTheLimitIsShownInParagraphsOfBoundedLength)
{
    QByteArray text(kMaxRtfInputSize, 'a');
    text[10] = '\n';
    LoadRichTextFile(FileWith(text), document_);
    const qsizetype second = kMaxRtfInputSize - 11;
    EXPECT_EQ(document_.blockCount(), 1 + (second + kMaxRtfParagraphLength - 1) / kMaxRtfParagraphLength);
    EXPECT_EQ(document_.begin().text(), QString(10, u'a'));
    EXPECT_EQ(document_.begin().next().length(), kMaxRtfParagraphLength + 1);
    EXPECT_EQ(document_.characterCount(), kMaxRtfInputSize - 1 + document_.blockCount());
}

} // namespace
} // namespace eh::test
