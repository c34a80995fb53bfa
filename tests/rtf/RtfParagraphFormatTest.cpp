// SPDX-License-Identifier: GPL-3.0-or-later
// Paragraph formats on the resulting QTextDocument's blocks. Lengths are
// pixels at 96 per inch: 1440 twips are 96 pixels, so 15 twips are 1 pixel.

#include "RtfTestSupport.h"

#include <QTextBlock>
#include <QTextBlockFormat>

#include <gtest/gtest.h>

namespace eh::test {
namespace {

QTextBlockFormat FirstBlockFormat(const QByteArray& body)
{
    const auto document = ReadAccepted(Rtf(body));
    return document->begin().blockFormat();
}

struct AlignmentCase {
    const char* word;
    Qt::Alignment alignment;
};

void PrintTo(const AlignmentCase& alignmentCase, std::ostream* out) { *out << alignmentCase.word; }

class RtfAlignmentTest : public testing::TestWithParam<AlignmentCase> {};

TEST_P(RtfAlignmentTest, AlignsTheParagraph)
{
    EXPECT_EQ(FirstBlockFormat(QByteArray("\\qr") + GetParam().word + " text\\par").alignment(),
              GetParam().alignment);
}

INSTANTIATE_TEST_SUITE_P(Words, RtfAlignmentTest, testing::Values(
    AlignmentCase{"\\ql", Qt::AlignLeft},
    AlignmentCase{"\\qc", Qt::AlignHCenter},
    AlignmentCase{"\\qr", Qt::AlignRight},
    AlignmentCase{"\\qj", Qt::AlignJustify},
    AlignmentCase{"\\pard", Qt::AlignLeft}));

struct IndentCase {
    const char* body;
    qreal left;
    qreal right;
    qreal firstLine;
    qreal before;
    qreal after;
};

void PrintTo(const IndentCase& indentCase, std::ostream* out) { *out << indentCase.body; }

class RtfIndentTest : public testing::TestWithParam<IndentCase> {};

TEST_P(RtfIndentTest, ConvertsTwipsToPixels)
{
    const QTextBlockFormat format = FirstBlockFormat(GetParam().body);
    EXPECT_DOUBLE_EQ(format.leftMargin(), GetParam().left);
    EXPECT_DOUBLE_EQ(format.rightMargin(), GetParam().right);
    EXPECT_DOUBLE_EQ(format.textIndent(), GetParam().firstLine);
    EXPECT_DOUBLE_EQ(format.topMargin(), GetParam().before);
    EXPECT_DOUBLE_EQ(format.bottomMargin(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Words, RtfIndentTest, testing::Values(
    IndentCase{"text\\par", 0, 0, 0, 0, 0},
    IndentCase{"\\li720 text\\par", 48, 0, 0, 0, 0},
    IndentCase{"\\ri1440 text\\par", 0, 96, 0, 0, 0},
    IndentCase{"\\li720\\fi-360 text\\par", 48, 0, -24, 0, 0},
    IndentCase{"\\fi100 text\\par", 0, 0, 100 / 15.0, 0, 0},
    IndentCase{"\\sb240\\sa120 text\\par", 0, 0, 0, 16, 8},
    IndentCase{"\\li720\\ri720\\fi360\\sb60\\sa60\\pard text\\par", 0, 0, 0, 0, 0},
    IndentCase{"\\li99999999 text\\par", 2112, 0, 0, 0, 0},
    IndentCase{"\\sb-300 text\\par", 0, 0, 0, 0, 0}));

TEST(RtfParagraphFormatTest, PropertiesAtTheParBelongToTheParagraphItEnds)
{
    const auto document = ReadAccepted(Rtf("\\qc one\\par\\pard two\\par\\qr three\\par"));
    const QStringList texts = BlockTexts(*document);
    ASSERT_EQ(texts, (QStringList{"one", "two", "three"}));
    QTextBlock block = document->begin();
    EXPECT_EQ(block.blockFormat().alignment(), Qt::AlignHCenter);
    block = block.next();
    EXPECT_EQ(block.blockFormat().alignment(), Qt::AlignLeft);
    block = block.next();
    EXPECT_EQ(block.blockFormat().alignment(), Qt::AlignRight);
}

TEST(RtfParagraphFormatTest, LastParagraphWithoutParTakesTheFormatInForce)
{
    const auto document = ReadAccepted(Rtf("one\\par\\qc\\li300 two"));
    const QTextBlock last = document->lastBlock();
    EXPECT_EQ(last.text(), "two");
    EXPECT_EQ(last.blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(last.blockFormat().leftMargin(), 20);
}

TEST(RtfParagraphFormatTest, ParagraphPropertiesEndWithTheirGroup)
{
    const auto document = ReadAccepted(Rtf("{\\pard\\qc\\li720 one\\par}two\\par"));
    const QTextBlock second = document->begin().next();
    EXPECT_EQ(second.text(), "two");
    EXPECT_EQ(second.blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(second.blockFormat().leftMargin(), 0);
}

TEST(RtfParagraphFormatTest, EmptyParagraphKeepsTheSizeOfItsMark)
{
    const auto document = ReadAccepted(Rtf("one\\par\\fs40\\par two"));
    EXPECT_EQ(document->begin().next().charFormat().fontPointSize(), 20.0);
}

} // namespace
} // namespace eh::test
