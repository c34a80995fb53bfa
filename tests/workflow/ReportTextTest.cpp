// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseName.h"
#include "AntennaModel.h"
#include "CoreTestSupport.h"
#include "ExampleReport.h"
#include "Report.h"
#include "ReportText.h"
#include "Windows1251.h"

#ifndef __EMSCRIPTEN__
#include "IconvConverter.h"
#endif

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using eh::test::PrintTo;

using eh::DecodeWindows1251;
using eh::EncodeWindows1251;
using eh::ReportFileBytes;
using eh::test::kExampleAReport;

eh::TReport ExampleAReport()
{
    const eh::TAntennaInputs in = eh::test::ExampleA();
    return eh::BuildReport(in, eh::CalculateAntenna(in), ',');
}

// ---------------------------------------------------------------------------
// The bytes of a saved report.

struct FileBytesCase {
    const char* name;
    std::string text;
    std::string bytes;
};

const FileBytesCase kFileBytes[] = {
    {"Empty", "", ""},
    {"OneLineWithoutEnd", "a", "a\r\n"},
    {"OneLineWithLf", "a\n", "a\r\n"},
    {"OneLineWithCrLf", "a\r\n", "a\r\n"},
    {"TwoLinesLf", "a\nb", "a\r\nb\r\n"},
    {"TwoLinesCrLf", "a\r\nb\r\n", "a\r\nb\r\n"},
    {"MixedLineEnds", "a\r\nb\nc", "a\r\nb\r\nc\r\n"},
    {"LoneEmptyLine", "\n", "\r\n"},
    {"EmptyLinesInside", "a\n\nb\n", "a\r\n\r\nb\r\n"},
    {"EmptyLinesInsideCrLf", "a\r\n\r\n\r\nb\r\n", "a\r\n\r\n\r\nb\r\n"},
    {"TrailingSpaceKept", "Q = 12,84 \r\n", "Q = 12,84 \r\n"},
    {"Cyrillic", "Частота = 14,20 МГц\r\n", "\xD7\xE0\xF1\xF2\xEE\xF2\xE0 = 14,20 \xCC\xC3\xF6\r\n"},
    {"CyrillicLf", "Шаг\nмм", "\xD8\xE0\xE3\r\n\xEC\xEC\r\n"},
};

class ReportFileBytesTest : public testing::TestWithParam<FileBytesCase> {};

TEST_P(ReportFileBytesTest, Windows1251WithCrLfAfterEveryLine)
{
    EXPECT_EQ(ReportFileBytes(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReportFileBytesTest, testing::ValuesIn(kFileBytes),
                         [](const testing::TestParamInfo<FileBytesCase>& info) { return std::string(info.param.name); });

TEST(ReportFileBytesTest, WholeReferenceReport)
{
    std::string expected;
    for (const auto& line : kExampleAReport)
        expected += EncodeWindows1251(line.text) + "\r\n";
    const std::string bytes = ReportFileBytes(eh::ReportPlainText(ExampleAReport()));
    EXPECT_EQ(bytes, expected);
    // One byte per character, two per line end, no byte-order mark.
    size_t size = 0;
    for (const auto& line : kExampleAReport)
        size += static_cast<size_t>(eh::CharacterCount(line.text)) + 2;
    EXPECT_EQ(bytes.size(), size);
    EXPECT_EQ(bytes.substr(0, 6), "\xD0\xE0\xF1\xF7\xE5\xF2"); // "Расчет"
    EXPECT_EQ(bytes.find('?'), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 35), "\xD0\xE0\xF1\xF1\xF2\xEE\xFF\xED\xE8\xE5 \xEC\xE5\xE6\xE4\xF3 "
                                               "\xEF\xEB\xE5\xF7\xE0\xEC\xE8 50,00 \xEC\xEC\r\n");
}

TEST(ReportPlainTextTest, EachLineFollowedByCrLf)
{
    std::string expected;
    for (const auto& line : kExampleAReport)
        expected += std::string(line.text) + "\r\n";
    EXPECT_EQ(eh::ReportPlainText(ExampleAReport()), expected);
    EXPECT_EQ(eh::ReportPlainText(eh::TReport{}), "");
}

// ---------------------------------------------------------------------------
// The Windows-1251 code page.

TEST(Windows1251Test, EveryAssignedByteRoundTrips)
{
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98)
            continue;
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = DecodeWindows1251(byte);
        EXPECT_FALSE(utf8.empty()) << b;
        EXPECT_EQ(EncodeWindows1251(utf8), byte) << b;
    }
}

#ifndef __EMSCRIPTEN__
// The table is decoded by the build machine's iconv command; the program's
// own C library must read every byte the same way.
TEST(Windows1251Test, DecodesAsTheCLibrarysIconv)
{
    eh::IconvConverter iconv("UTF-8", "WINDOWS-1251");
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(DecodeWindows1251(byte), iconv.Convert(byte, "\xEF\xBF\xBD", [](std::string_view) {
            return std::size_t{1};
        })) << b;
    }
}
#endif

TEST(Windows1251Test, AllBytesAtOnce)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        if (b != 0x98)
            bytes += static_cast<char>(b);
    }
    EXPECT_EQ(EncodeWindows1251(DecodeWindows1251(bytes)), bytes);
}

TEST(Windows1251Test, UnassignedByteDecodesToTheReplacementCharacter)
{
    EXPECT_EQ(DecodeWindows1251("\x98"), "\xEF\xBF\xBD");
    EXPECT_EQ(DecodeWindows1251("a\x98" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(EncodeWindows1251("\xEF\xBF\xBD"), "?");
}

struct EncodeCase {
    const char* name;
    std::string utf8;
    std::string cp1251;
};

const EncodeCase kEncodeCases[] = {
    {"Empty", "", ""},
    {"Ascii", "RR= 0,00", "RR= 0,00"},
    {"CyrillicRange", "АЯаяЁё", "\xC0\xDF\xE0\xFF\xA8\xB8"},
    {"CyrillicEn", "ЕН", "\xC5\xCD"},
    {"EuroAndNumero", "€№", "\x88\xB9"},
    {"NonBreakingSpace", "\xC2\xA0", "\xA0"},
    {"UnrepresentableCjk", "a中b", "a?b"},
    {"UnrepresentableLatin", "é", "?"},
    {"UnrepresentableEmoji", "x\xF0\x9F\x98\x80y", "x?y"},
    {"InvalidLeadByte", "\xFF", "?"},
    {"StrayContinuation", "a\x80" "b", "a?b"},
    {"TruncatedAtEnd", "a\xD0", "a?"},
    {"TruncatedBeforeAscii", "a\xD0" "b", "a?b"},
    {"EncodedSurrogate", "\xED\xA0\x80", "?"},
};

class EncodeWindows1251Test : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeWindows1251Test, OneBytePerCharacterAndQuestionMarkOtherwise)
{
    EXPECT_EQ(EncodeWindows1251(GetParam().utf8), GetParam().cp1251);
}

INSTANTIATE_TEST_SUITE_P(Texts, EncodeWindows1251Test, testing::ValuesIn(kEncodeCases),
                         [](const testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.name); });

TEST(EncodeWindows1251Test, LongTexts)
{
    std::string utf8;
    for (int i = 0; i < 100'000; ++i)
        utf8 += "Ж";
    const std::string bytes = EncodeWindows1251(utf8);
    EXPECT_EQ(bytes, std::string(100'000, '\xC6'));
    EXPECT_EQ(DecodeWindows1251(bytes), utf8);

    std::string broken;
    for (int i = 0; i < 50'000; ++i)
        broken += "\xFFЖ";
    std::string expected;
    for (int i = 0; i < 50'000; ++i)
        expected += "?\xC6";
    EXPECT_EQ(EncodeWindows1251(broken), expected);
}

} // namespace
