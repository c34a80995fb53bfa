// SPDX-License-Identifier: GPL-3.0-or-later
// Character formats on the resulting QTextDocument: each property, its
// scope in groups, \plain, and the batching of text into runs.

#include "RtfTestSupport.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <gtest/gtest.h>

#include <functional>

namespace eh::test {
namespace {

const QByteArray kTables = "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss\\fcharset204 Arial;}"
                           "{\\f2\\fmodern Courier New;}}"
                           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}";

struct FormatCase {
    const char* name;
    QByteArray body; // follows the tables; the fragment "x" is checked
    std::function<void(const QTextCharFormat&)> check;
};

void PrintTo(const FormatCase& formatCase, std::ostream* out) { *out << formatCase.name; }

class RtfCharacterFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(RtfCharacterFormatTest, SetsTheFormatOfTheText)
{
    const auto document = ReadAccepted("{\\rtf1\\ansi\\deff0" + kTables + GetParam().body + "}");
    GetParam().check(FragmentFormat(*document, "x"));
}

INSTANTIATE_TEST_SUITE_P(Properties, RtfCharacterFormatTest, testing::Values(
    FormatCase{"default", "{x}", [](const QTextCharFormat& f) {
        EXPECT_EQ(f.fontWeight(), QFont::Normal);
        EXPECT_FALSE(f.fontItalic());
        EXPECT_FALSE(f.fontUnderline());
        EXPECT_FALSE(f.fontStrikeOut());
        EXPECT_EQ(f.fontPointSize(), 12.0);
        EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{"Times New Roman"});
        EXPECT_EQ(f.verticalAlignment(), QTextCharFormat::AlignNormal);
        EXPECT_FALSE(f.hasProperty(QTextFormat::ForegroundBrush));
        EXPECT_FALSE(f.hasProperty(QTextFormat::BackgroundBrush));
    }},
    FormatCase{"bold", "\\b x", [](const QTextCharFormat& f) { EXPECT_EQ(f.fontWeight(), QFont::Bold); }},
    FormatCase{"bold1", "\\b1 x", [](const QTextCharFormat& f) { EXPECT_EQ(f.fontWeight(), QFont::Bold); }},
    FormatCase{"bold0", "\\b\\b0 x", [](const QTextCharFormat& f) { EXPECT_EQ(f.fontWeight(), QFont::Normal); }},
    FormatCase{"italic", "\\i x", [](const QTextCharFormat& f) { EXPECT_TRUE(f.fontItalic()); }},
    FormatCase{"italic0", "\\i\\i0 x", [](const QTextCharFormat& f) { EXPECT_FALSE(f.fontItalic()); }},
    FormatCase{"underline", "\\ul x", [](const QTextCharFormat& f) { EXPECT_TRUE(f.fontUnderline()); }},
    FormatCase{"double_underline", "\\uldb x", [](const QTextCharFormat& f) { EXPECT_TRUE(f.fontUnderline()); }},
    FormatCase{"word_underline", "\\ulw x", [](const QTextCharFormat& f) { EXPECT_TRUE(f.fontUnderline()); }},
    FormatCase{"ulnone", "\\ul\\ulnone x", [](const QTextCharFormat& f) { EXPECT_FALSE(f.fontUnderline()); }},
    FormatCase{"ul0", "\\ul\\ul0 x", [](const QTextCharFormat& f) { EXPECT_FALSE(f.fontUnderline()); }},
    FormatCase{"underline_colour_is_no_underline", "\\ulc1 x",
               [](const QTextCharFormat& f) { EXPECT_FALSE(f.fontUnderline()); }},
    FormatCase{"strike", "\\strike x", [](const QTextCharFormat& f) { EXPECT_TRUE(f.fontStrikeOut()); }},
    FormatCase{"strike0", "\\strike\\strike0 x", [](const QTextCharFormat& f) { EXPECT_FALSE(f.fontStrikeOut()); }},
    FormatCase{"font_size", "\\fs30 x", [](const QTextCharFormat& f) { EXPECT_EQ(f.fontPointSize(), 15.0); }},
    FormatCase{"odd_half_points", "\\fs17 x", [](const QTextCharFormat& f) { EXPECT_EQ(f.fontPointSize(), 8.5); }},
    FormatCase{"font_size_without_value", "\\fs40\\fs x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.fontPointSize(), 12.0); }},
    FormatCase{"font_size_capped", "\\fs99999999999 x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.fontPointSize(), 1638.0); }},
    FormatCase{"font", "\\f1 x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{"Arial"}); }},
    FormatCase{"font_without_charset", "\\f2 x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{"Courier New"}); }},
    FormatCase{"unknown_font_keeps_default_family", "\\f9 x",
               [](const QTextCharFormat& f) { EXPECT_FALSE(f.hasProperty(QTextFormat::FontFamilies)); }},
    FormatCase{"foreground", "\\cf1 x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.foreground().color(), QColor(255, 0, 0)); }},
    FormatCase{"automatic_foreground", "\\cf1\\cf0 x",
               [](const QTextCharFormat& f) { EXPECT_FALSE(f.hasProperty(QTextFormat::ForegroundBrush)); }},
    FormatCase{"colour_beyond_table", "\\cf7 x",
               [](const QTextCharFormat& f) { EXPECT_FALSE(f.hasProperty(QTextFormat::ForegroundBrush)); }},
    FormatCase{"highlight", "\\highlight3 x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.background().color(), QColor(255, 255, 0)); }},
    FormatCase{"cb", "\\cb2 x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.background().color(), QColor(0, 0, 255)); }},
    FormatCase{"superscript", "\\super x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.verticalAlignment(), QTextCharFormat::AlignSuperScript); }},
    FormatCase{"subscript", "\\sub x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.verticalAlignment(), QTextCharFormat::AlignSubScript); }},
    FormatCase{"nosupersub", "\\super\\nosupersub x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.verticalAlignment(), QTextCharFormat::AlignNormal); }},
    FormatCase{"raised", "\\up8 x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.verticalAlignment(), QTextCharFormat::AlignSuperScript); }},
    FormatCase{"lowered", "\\dn4 x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.verticalAlignment(), QTextCharFormat::AlignSubScript); }},
    FormatCase{"raised_by_nothing", "\\up8\\up0 x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.verticalAlignment(), QTextCharFormat::AlignNormal); }},
    FormatCase{"plain_resets_everything", "\\b\\i\\ul\\strike\\super\\fs40\\f1\\cf1\\highlight3\\plain x",
               [](const QTextCharFormat& f) {
                   EXPECT_EQ(f.fontWeight(), QFont::Normal);
                   EXPECT_FALSE(f.fontItalic());
                   EXPECT_FALSE(f.fontUnderline());
                   EXPECT_FALSE(f.fontStrikeOut());
                   EXPECT_EQ(f.verticalAlignment(), QTextCharFormat::AlignNormal);
                   EXPECT_EQ(f.fontPointSize(), 12.0);
                   EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{"Times New Roman"});
                   EXPECT_FALSE(f.hasProperty(QTextFormat::ForegroundBrush));
                   EXPECT_FALSE(f.hasProperty(QTextFormat::BackgroundBrush));
               }},
    FormatCase{"carried_into_groups", "\\b{\\i{x}}",
               [](const QTextCharFormat& f) {
                   EXPECT_EQ(f.fontWeight(), QFont::Bold);
                   EXPECT_TRUE(f.fontItalic());
               }},
    FormatCase{"reset_at_group_end", "{\\b\\i\\fs40\\cf1 y}x",
               [](const QTextCharFormat& f) {
                   EXPECT_EQ(f.fontWeight(), QFont::Normal);
                   EXPECT_FALSE(f.fontItalic());
                   EXPECT_EQ(f.fontPointSize(), 12.0);
                   EXPECT_FALSE(f.hasProperty(QTextFormat::ForegroundBrush));
               }},
    FormatCase{"plain_in_group_ends_with_group", "\\b{\\plain y}x",
               [](const QTextCharFormat& f) { EXPECT_EQ(f.fontWeight(), QFont::Bold); }}));

TEST(RtfCharacterFormatRunsTest, TextOfOneFormatIsOneRun)
{
    // Groups, control words that change nothing and Unicode characters
    // leave the text in the run of its format.
    const auto document = ReadAccepted("{\\rtf1\\ansi ab{cd}\\b0 e\\u1046?f{\\i g}h\\b i}");
    EXPECT_EQ(FragmentTexts(*document), (QStringList{"abcdeЖf", "g", "h", "i"}));
}

TEST(RtfCharacterFormatRunsTest, FontNameIsDecodedInTheFontsCodePage)
{
    const auto document = ReadAccepted("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}\\f0 x}");
    EXPECT_EQ(FragmentFormat(*document, "x").fontFamilies().toStringList(), QStringList{"Ариал"});
}

TEST(RtfCharacterFormatRunsTest, FontEntryWithoutSemicolonIsNamedAtItsGroupEnd)
{
    const auto document = ReadAccepted("{\\rtf1\\ansi{\\fonttbl{\\f3 Tahoma}}\\f3 x}");
    EXPECT_EQ(FragmentFormat(*document, "x").fontFamilies().toStringList(), QStringList{"Tahoma"});
}

TEST(RtfCharacterFormatRunsTest, FirstColourTableEntryMayBeAColour)
{
    const auto document = ReadAccepted("{\\rtf1\\ansi{\\colortbl\\red0\\green128\\blue0;}a\\cf0 x}");
    EXPECT_EQ(FragmentFormat(*document, "x").foreground().color(), QColor(0, 128, 0));
    EXPECT_FALSE(FragmentFormat(*document, "a").hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RtfCharacterFormatRunsTest, TablesKeepTheirFirst65536Entries)
{
    QByteArray fonts = "{\\fonttbl";
    QByteArray colours = "{\\colortbl";
    for (int i = 0; i < 70000; ++i) {
        fonts += "\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";";
        colours += "\\red" + QByteArray::number(i % 256) + ";";
    }
    const auto document = ReadAccepted("{\\rtf1\\ansi" + fonts + "}" + colours +
                                       "}\\f65535\\cf65535 kept\\f65536\\cf65536 dropped}");
    const QTextCharFormat kept = FragmentFormat(*document, "kept");
    EXPECT_EQ(kept.fontFamilies().toStringList(), QStringList{"F65535"});
    EXPECT_EQ(kept.foreground().color(), QColor(65535 % 256, 0, 0));
    const QTextCharFormat dropped = FragmentFormat(*document, "dropped");
    EXPECT_FALSE(dropped.hasProperty(QTextFormat::FontFamilies));
    EXPECT_FALSE(dropped.hasProperty(QTextFormat::ForegroundBrush));
}

} // namespace
} // namespace eh::test
