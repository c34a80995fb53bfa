// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile and broken input: the reader rejects it with a message or reads it
// within bounds, and never crashes. The large inputs are generated here.

#include "DocumentLines.h"
#include "RtfReader.h"
#include "RtfTestSupport.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <random>

namespace eh::test {
namespace {

QString Rejection(const QByteArray& data, RtfReadResult expected)
{
    QTextDocument document;
    document.setPlainText("left over");
    QString error;
    EXPECT_EQ(ReadRtf(data, document, &error), expected);
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

TEST(RtfRobustnessTest, InputThatIsNotRtfIsRejected)
{
    for (const QByteArray& data : {QByteArray(), QByteArray("Hello, world\r\n"), QByteArray("x{\\rtf1 a}"),
                                   QByteArray("{\\pard a}")})
        EXPECT_TRUE(Rejection(data, RtfReadResult::NotRtf).contains("not an RTF document")) << data.toStdString();
}

struct RecoveredCase {
    const char* name;
    QByteArray data;
    QStringList blocks;
};

void PrintTo(const RecoveredCase& recovered, std::ostream* out) { *out << recovered.name; }

class RtfRecoveryTest : public testing::TestWithParam<RecoveredCase> {};

TEST_P(RtfRecoveryTest, BrokenRtfIsReadAsFarAsItGoes)
{
    EXPECT_EQ(BlockTexts(*ReadAccepted(GetParam().data)), GetParam().blocks);
}

// Nesting beyond the limit: the text keeps the formatting of the deepest
// tracked group, and the groups still close where the file closes them.
const QByteArray kTooDeep = "{\\rtf1 " + QByteArray(kMaxRtfGroupDepth - 1, '{') + "\\b deep" +
                            QByteArray(1000, '{') + " deeper" + QByteArray(1000 + kMaxRtfGroupDepth - 1, '}') +
                            " flat}";

INSTANTIATE_TEST_SUITE_P(Inputs, RtfRecoveryTest, testing::Values(
    RecoveredCase{"ends_inside_a_control_word", "{\\rtf1 a\\", {"a"}},
    RecoveredCase{"ends_inside_a_hex_byte", "{\\rtf1 a\\'4", {"a"}},
    RecoveredCase{"bin_past_the_end", "{\\rtf1 a\\bin100 xyz}", {"a"}},
    RecoveredCase{"bin_past_the_end_in_a_picture", "{\\rtf1 a{\\pict\\pngblip\\bin100 xyz}}", {"a"}},
    RecoveredCase{"groups_left_open", "{\\rtf1 {\\b a{\\i b\\par c", {"ab", "c"}},
    RecoveredCase{"cut_inside_the_font_table", "{\\rtf1 {\\fonttbl{\\f0 Arial;}{\\f1 Cour", {""}},
    RecoveredCase{"nesting_far_too_deep", "{\\rtf1 a" + QByteArray(100000, '{') + "b", {"ab"}},
    RecoveredCase{"nesting_too_deep_then_closed", kTooDeep, {"deep deeper flat"}}));

TEST(RtfRobustnessTest, NestingBeyondTheLimitKeepsTheDeepestFormatting)
{
    const auto document = ReadAccepted(kTooDeep);
    EXPECT_EQ(FragmentFormat(*document, "deep deeper").fontWeight(), QFont::Bold);
    EXPECT_EQ(FragmentFormat(*document, " flat").fontWeight(), QFont::Normal);
}

TEST(RtfRobustnessTest, InputLargerThanTheLimitIsRejected)
{
    // 50 MB of otherwise valid RTF.
    QByteArray data = "{\\rtf1 ";
    data.append(50 * 1000 * 1000, 'a');
    data.append('}');
    EXPECT_TRUE(Rejection(data, RtfReadResult::OverLimits).contains("larger than 32 MiB"));
}

TEST(RtfRobustnessTest, InputJustWithinTheLimitIsReadInParagraphsOfBoundedLength)
{
    QByteArray data = "{\\rtf1 ";
    data.append(kMaxRtfInputSize - data.size() - 1, 'a');
    data.append('}');
    ASSERT_EQ(data.size(), kMaxRtfInputSize);
    const auto document = ReadAccepted(data);
    const qsizetype text = kMaxRtfInputSize - 8;
    const qsizetype paragraphs = (text + kMaxRtfParagraphLength - 1) / kMaxRtfParagraphLength;
    EXPECT_EQ(document->blockCount(), paragraphs);
    EXPECT_EQ(document->firstBlock().length(), kMaxRtfParagraphLength + 1); // with its paragraph mark
    EXPECT_EQ(document->characterCount(), text + paragraphs); // no character lost
}

class RtfTruncatedCorpusTest : public testing::TestWithParam<int> {};

TEST_P(RtfTruncatedCorpusTest, FileCutShortIsReadUpToTheCut)
{
    const QByteArray whole = CorpusFile("libreoffice-help-ru.rtf");
    const auto partial = ReadAccepted(whole.left(whole.size() * GetParam() / 10));
    // Empty lines are left out of the comparison: a table cut in the middle
    // of a row has empty cells where the complete one has text.
    const auto textLines = [](const QTextDocument& read) {
        QStringList lines = DocumentLines(read);
        lines.removeAll(QString());
        return lines;
    };
    const QStringList complete = textLines(*ReadAccepted(whole));
    const QStringList cut = textLines(*partial);
    ASSERT_LE(cut.size(), complete.size());
    for (qsizetype i = 0; i + 1 < cut.size(); ++i)
        EXPECT_EQ(cut[i], complete[i]);
    if (!cut.isEmpty()) {
        EXPECT_TRUE(complete[cut.size() - 1].startsWith(cut.back())) << cut.back().toStdString();
    }
    EXPECT_FALSE(partial->toPlainText().contains("\\rtf")) << "RTF source is never shown";
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

TEST(RtfRobustnessTest, BinaryGarbageIsNotRtf)
{
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray garbage;
    for (int i = 0; i < 1 << 20; ++i)
        garbage.append(static_cast<char>(byte(random)));
    garbage[0] = '\x01'; // surely no "{\rtf" header
    Rejection(garbage, RtfReadResult::NotRtf);
}

TEST(RtfRobustnessTest, BinaryGarbageAfterTheHeaderIsRead)
{
    // Random bytes hold braces at random; whatever they hold, the reader
    // takes them without crashing.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 20; ++round) {
        QByteArray data = "{\\rtf1 ";
        for (int i = 0; i < 20000; ++i)
            data.append(static_cast<char>(byte(random)));
        QTextDocument document;
        EXPECT_EQ(ReadRtf(data, document), RtfReadResult::Read);
    }
}

TEST(RtfRobustnessTest, ManyParagraphsAndRunsAreRead)
{
    // As many paragraphs of alternating formats as the limit allows: every
    // one must arrive.
    QByteArray body;
    for (int i = 0; i < kMaxRtfParagraphs; ++i)
        body += (i % 2 == 0 ? "\\b " : "\\b0 ") + QByteArray::number(i) + "\\par ";
    const auto document = ReadAccepted(Rtf(body));
    ASSERT_EQ(document->blockCount(), kMaxRtfParagraphs);
    EXPECT_EQ(document->lastBlock().text(), QString::number(kMaxRtfParagraphs - 1));
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

// Documents beyond the limits load quickly in bounded memory: paragraphs
// and cells stop the reading, with what came before kept; runs and formats
// beyond theirs keep the text in a format already made.
QByteArray Repeated(const QByteArray& pattern, int count)
{
    QByteArray body;
    for (int i = 0; i < count; ++i)
        body += QByteArray(pattern).replace("%d", QByteArray::number(i));
    return Rtf(body);
}

struct OverLimitCase {
    const char* name;
    QByteArray data;
    int blocks; // blocks of the document, table cells' included
};

void PrintTo(const OverLimitCase& overLimit, std::ostream* out) { *out << overLimit.name; }

class RtfOverLimitsTest : public testing::TestWithParam<OverLimitCase> {};

TEST_P(RtfOverLimitsTest, StopsAtTheLimitKeepingWhatCameBefore)
{
    QTextDocument document;
    QString error;
    EXPECT_EQ(ReadRtf(GetParam().data, document, &error), RtfReadResult::OverLimits);
    EXPECT_TRUE(error.contains("more than 100000 paragraphs or 50000 table cells")) << error.toStdString();
    EXPECT_EQ(document.blockCount(), GetParam().blocks);
}

INSTANTIATE_TEST_SUITE_P(Documents, RtfOverLimitsTest, testing::Values(
    OverLimitCase{"paragraphs", Repeated("p\\par ", kMaxRtfParagraphs + 1), kMaxRtfParagraphs},
    // Besides the cells, a block before the tables and one after each.
    OverLimitCase{"empty_cells", Repeated("\\intbl\\cell", kMaxRtfTableCells + 1), kMaxRtfTableCells + 2},
    // Long tables are split into tables of 16,384 cells: four here.
    OverLimitCase{"rows", Repeated("\\intbl a\\cell b\\cell\\row", kMaxRtfTableCells / 2 + 1),
                  kMaxRtfTableCells + 5}));

TEST(RtfLimitsTest, UnknownFontsAndColoursMakeNoFormatsOfTheirOwn)
{
    const auto document = ReadAccepted(Repeated("\\f%d\\cf%d a", 5000));
    EXPECT_EQ(FragmentTexts(*document), QStringList{QString(5000, u'a')});
    EXPECT_LT(document->allFormats().size(), 10);
}

TEST(RtfLimitsTest, FormatsBeyondTheLimitTakeThePlainFormat)
{
    // Sizes 1 to 3276 points, bold and not: more distinct formats than allowed.
    QByteArray body;
    for (int i = 0; i < 2 * 3276; ++i)
        body += "\\fs" + QByteArray::number(i / 2 + 1) + (i % 2 == 0 ? "\\b " : "\\b0 ") + "x";
    const auto document = ReadAccepted(Rtf(body));
    EXPECT_LE(document->allFormats().size(), kMaxRtfCharacterFormats + 10);
    EXPECT_EQ(document->characterCount(), 2 * 3276 + 1);
    QTextCursor last(document.get());
    last.movePosition(QTextCursor::End);
    EXPECT_EQ(last.charFormat().fontPointSize(), 12.0) << "the last sizes are beyond the limit";
}

TEST(RtfLimitsTest, ChangedTablesDoNotLiftTheFormatLimit)
{
    // Each change to the tables empties the reader's cache of formats; 3,000
    // sizes between such changes must not make 3,000 formats.
    for (const QByteArray& change : {QByteArray("\\deff%d "), QByteArray("{\\fonttbl{\\f%d F%d;}}\\deff%d "),
                                    QByteArray("{\\colortbl;\\red%d\\green0\\blue0;}\\cf1 ")}) {
        const auto document = ReadAccepted(Repeated(change + "\\fs%d x", 3000));
        EXPECT_LE(document->allFormats().size(), kMaxRtfCharacterFormats + 10) << change.constData();
        EXPECT_EQ(document->characterCount(), 3000 + 1);
    }
}

TEST(RtfLimitsTest, RunsBeyondTheLimitGoOnInTheLastFormat)
{
    const int runs = kMaxRtfRuns + 1000;
    const auto document = ReadAccepted(Repeated("\\b a\\b0 b", runs / 2));
    const QStringList fragments = FragmentTexts(*document);
    EXPECT_EQ(fragments.size(), kMaxRtfRuns + 1); // the last run takes the rest
    EXPECT_EQ(fragments.join(QString()), QString("ab").repeated(runs / 2));
}

} // namespace
} // namespace eh::test
