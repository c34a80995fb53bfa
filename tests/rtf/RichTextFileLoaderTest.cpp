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
    } catch (const EOutOfResources& error) {
        EXPECT_STREQ(error.what(), "Failed to Load Stream");
    }
    EXPECT_EQ(document_.blockCount(), kMaxRtfParagraphs);
    EXPECT_EQ(document_.lastBlock().text(), "p");
}

TEST_F(RichTextFileLoaderTest, MissingFileThrowsEFOpenError)
{
    const QString path = directory_.filePath("help_eh.rtf");
    try {
        LoadRichTextFile(path, document_);
        FAIL() << "no exception";
    } catch (const EFOpenError& error) {
        EXPECT_NE(std::string(error.what()).find(path.toStdString()), std::string::npos) << error.what();
        EXPECT_STREQ(error.kind(), "EFOpenError");
    }
}

TEST_F(RichTextFileLoaderTest, DirectoryThrowsEFOpenError)
{
    EXPECT_THROW(LoadRichTextFile(directory_.path(), document_), EFOpenError);
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
    } catch (const EOutOfResources& error) {
        EXPECT_STREQ(error.what(), "Failed to Load Stream");
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
