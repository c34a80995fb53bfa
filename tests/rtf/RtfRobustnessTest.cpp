// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile and broken input: the reader rejects it with a message or reads it
// within bounds, and never crashes. The large inputs are generated here.

#include "DocumentLines.h"
#include "RtfReader.h"
#include "RtfTestSupport.h"

#include <QFile>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <random>

namespace eh::test {
namespace {

QString Rejection(const QByteArray& data)
{
    QTextDocument document;
    document.setPlainText("left over");
    QString error;
    EXPECT_FALSE(ReadRtf(data, document, &error));
    EXPECT_TRUE(document.isEmpty()) << "a rejected document is left empty";
    EXPECT_FALSE(error.isEmpty());
    return error;
}

QByteArray CorpusFile(const char* name)
{
    QFile file(QStringLiteral(RTF_CORPUS_DIR "/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

struct RejectedCase {
    const char* name;
    QByteArray data;
    const char* messagePart;
};

void PrintTo(const RejectedCase& rejected, std::ostream* out) { *out << rejected.name; }

class RtfRejectedTest : public testing::TestWithParam<RejectedCase> {};

TEST_P(RtfRejectedTest, IsRejectedWithAMessage)
{
    EXPECT_TRUE(Rejection(GetParam().data).contains(QString::fromUtf8(GetParam().messagePart)))
        << Rejection(GetParam().data).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Inputs, RtfRejectedTest, testing::Values(
    RejectedCase{"empty", "", "not an RTF document"},
    RejectedCase{"plain_text", "Hello, world\r\n", "not an RTF document"},
    RejectedCase{"header_not_at_start", "x{\\rtf1 a}", "not an RTF document"},
    RejectedCase{"group_without_rtf", "{\\pard a}", "not an RTF document"},
    RejectedCase{"ends_inside_a_control_word", "{\\rtf1 a\\", "ends in the middle of a control word"},
    RejectedCase{"ends_inside_a_hex_byte", "{\\rtf1 a\\'4", "hex byte"},
    RejectedCase{"bin_past_the_end", "{\\rtf1 a\\bin100 xyz}", "runs past the end"},
    RejectedCase{"groups_left_open", "{\\rtf1 {\\b a{\\i b", "3 groups still open"},
    RejectedCase{"nesting_too_deep", "{\\rtf1 " + QByteArray(100000, '{'), "nested more than 256 deep"},
    RejectedCase{"nesting_just_too_deep", "{\\rtf1 " + QByteArray(kMaxRtfGroupDepth, '{') + QByteArray(kMaxRtfGroupDepth + 1, '}'),
                 "nested more than 256 deep"}));

TEST(RtfRobustnessTest, NestingUpToTheLimitIsRead)
{
    const int inner = kMaxRtfGroupDepth - 1; // the document's own group is one
    const auto document =
        ReadAccepted("{\\rtf1 " + QByteArray(inner, '{') + "\\b deep" + QByteArray(inner, '}') + " flat}");
    EXPECT_EQ(BlockTexts(*document), QStringList{"deep flat"});
}

TEST(RtfRobustnessTest, InputLargerThanTheLimitIsRejected)
{
    // 50 MB of otherwise valid RTF.
    QByteArray data = "{\\rtf1 ";
    data.append(50 * 1000 * 1000, 'a');
    data.append('}');
    EXPECT_TRUE(Rejection(data).contains("larger than 32 MiB"));
}

TEST(RtfRobustnessTest, InputJustWithinTheLimitIsRead)
{
    QByteArray data = "{\\rtf1 ";
    data.append(kMaxRtfInputSize - data.size() - 1, 'a');
    data.append('}');
    ASSERT_EQ(data.size(), kMaxRtfInputSize);
    const auto document = ReadAccepted(data);
    EXPECT_EQ(document->characterCount(), kMaxRtfInputSize - 8 + 1); // text plus the final paragraph mark
}

class RtfTruncatedCorpusTest : public testing::TestWithParam<int> {};

TEST_P(RtfTruncatedCorpusTest, FileCutShortIsRejectedOrReadAsFarAsItGoes)
{
    // Cut inside a nested group, the file is rejected. Cut where only the
    // document's own group is open (LibreOffice writes its body there), it
    // reads like a file that lost its last brace: the text up to the cut.
    const QByteArray whole = CorpusFile("libreoffice-help-ru.rtf");
    const QByteArray cut = whole.left(whole.size() * GetParam() / 10);
    QTextDocument document;
    QString error;
    if (!ReadRtf(cut, document, &error)) {
        EXPECT_TRUE(error.contains("still open")) << error.toStdString();
        EXPECT_TRUE(document.isEmpty());
        return;
    }
    // Empty lines are left out of the comparison: a table cut in the middle
    // of a row has empty cells where the complete one has text.
    const auto textLines = [](const QTextDocument& read) {
        QStringList lines = DocumentLines(read);
        lines.removeAll(QString());
        return lines;
    };
    const QStringList complete = textLines(*ReadAccepted(whole));
    const QStringList partial = textLines(document);
    ASSERT_FALSE(partial.isEmpty());
    ASSERT_LE(partial.size(), complete.size());
    for (qsizetype i = 0; i + 1 < partial.size(); ++i)
        EXPECT_EQ(partial[i], complete[i]);
    EXPECT_TRUE(complete[partial.size() - 1].startsWith(partial.back())) << partial.back().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Tenths, RtfTruncatedCorpusTest, testing::Range(1, 10));

TEST(RtfRobustnessTest, FileCutBeforeItsLastBraceIsRead)
{
    const QByteArray whole = CorpusFile("pandoc-notes.rtf");
    const QByteArray cut = whole.left(whole.lastIndexOf('}'));
    const auto complete = ReadAccepted(whole);
    const auto truncated = ReadAccepted(cut);
    EXPECT_EQ(BlockTexts(*truncated), BlockTexts(*complete));
}

TEST(RtfRobustnessTest, BinaryGarbageIsRejected)
{
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray garbage;
    for (int i = 0; i < 1 << 20; ++i)
        garbage.append(static_cast<char>(byte(random)));
    garbage[0] = '\x01'; // surely no "{\rtf" header
    Rejection(garbage);
}

TEST(RtfRobustnessTest, BinaryGarbageAfterTheHeaderIsReadOrRejected)
{
    // Random bytes hold braces at random; whatever the outcome, the reader
    // must neither crash nor leave a half-filled document on rejection.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 20; ++round) {
        QByteArray data = "{\\rtf1 ";
        for (int i = 0; i < 20000; ++i)
            data.append(static_cast<char>(byte(random)));
        QTextDocument document;
        QString error;
        if (!ReadRtf(data, document, &error)) {
            EXPECT_TRUE(document.isEmpty());
            EXPECT_FALSE(error.isEmpty());
        }
    }
}

TEST(RtfRobustnessTest, ManyParagraphsAndRunsAreRead)
{
    // 200,000 paragraphs of alternating formats: every one must arrive.
    QByteArray body;
    for (int i = 0; i < 200000; ++i)
        body += (i % 2 == 0 ? "\\b " : "\\b0 ") + QByteArray::number(i) + "\\par ";
    const auto document = ReadAccepted(Rtf(body));
    ASSERT_EQ(document->blockCount(), 200000);
    EXPECT_EQ(document->lastBlock().text(), "199999");
}

TEST(RtfRobustnessTest, HugeUnicodeSkipCountEndsWithTheGroup)
{
    const auto document = ReadAccepted(Rtf("{\\uc2147483647\\u1055 all of this is skipped}after"));
    EXPECT_EQ(BlockTexts(*document), QStringList{"Пafter"});
}

TEST(RtfRobustnessTest, PictureWithoutItsOwnGroupDoesNotBreakTheReader)
{
    const auto document = ReadAccepted(Rtf("text\\par\\pict\\pngblip 89504e47"));
    EXPECT_EQ(BlockTexts(*document), QStringList{"text"});
}

} // namespace
} // namespace eh::test
