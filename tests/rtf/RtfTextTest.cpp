// SPDX-License-Identifier: GPL-3.0-or-later
// The text the reader finds: code pages, Unicode, special characters,
// paragraphs, groups and destinations.

#include "RtfReader.h"
#include "RtfTestSupport.h"

#include <gtest/gtest.h>

namespace eh::test {
namespace {

struct TextCase {
    const char* name;
    QByteArray rtf;
    QStringList paragraphs;
};

void PrintTo(const TextCase& textCase, std::ostream* out) { *out << textCase.name; }

class RtfTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(RtfTextTest, GivesTheExpectedParagraphs)
{
    const auto document = ReadAccepted(GetParam().rtf);
    EXPECT_EQ(BlockTexts(*document), GetParam().paragraphs);
}

INSTANTIATE_TEST_SUITE_P(CodePages, RtfTextTest, testing::Values(
    TextCase{"ansicpg1251", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2, \\'b8\\'c0!}", {"Привет, ёА!"}},
    TextCase{"ansi_is_1252", "{\\rtf1\\ansi \\'e9\\'e8\\'93\\'94\\'80\\'9c}", {"éè“”€œ"}},
    TextCase{"no_code_page_is_1252", "{\\rtf1 \\'e9}", {"é"}},
    TextCase{"raw_8bit_bytes", "{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8}", {"При"}},
    TextCase{"fcharset204_in_a_1252_document",
             "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}{\\f1\\froman\\fcharset0 Times;}}"
             "\\f0 \\'cf\\'f0\\'e8 \\f1 \\'e9}",
             {"При é"}},
    TextCase{"fcharset0_in_a_1251_document",
             "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset0 Times;}{\\f1\\fcharset204 Times CYR;}}"
             "\\f0 caf\\'e9 \\f1 \\'e4\\'e0}",
             {"café да"}},
    TextCase{"default_font_charset", "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f1\\fcharset204 Arial;}}\\'c0\\'e1}", {"Аб"}},
    TextCase{"plain_returns_to_default_font",
             "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset204 A;}{\\f1\\fcharset0 B;}}\\f1\\'e0\\plain\\'e0}", {"àа"}},
    TextCase{"fcharset1_uses_document_code_page",
             "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset1 Arial;}}\\f0\\'c0}", {"А"}},
    TextCase{"cpg_overrides_charset", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0\\cpg1251 Arial;}}\\f0\\'c0}", {"А"}},
    TextCase{"windows1250", "{\\rtf1\\ansi\\ansicpg1250 \\'9a\\'e8\\'f8}", {"ščř"}},
    TextCase{"windows1253", "{\\rtf1\\ansi\\ansicpg1253 \\'e1\\'e2\\'e3}", {"αβγ"}},
    TextCase{"windows1254", "{\\rtf1\\ansi\\ansicpg1254 \\'fe\\'f0}", {"şğ"}},
    TextCase{"windows1257", "{\\rtf1\\ansi\\ansicpg1257 \\'e0\\'e8}", {"ąč"}},
    TextCase{"cp866", "{\\rtf1\\ansi\\ansicpg866 \\'af\\'e0}", {"пр"}},
    TextCase{"koi8r", "{\\rtf1\\ansi\\ansicpg20866 \\'d0\\'d2}", {"пр"}},
    TextCase{"mac_roman", "{\\rtf1\\mac \\'8e\\'a5}", {"é•"}},
    TextCase{"pc437", "{\\rtf1\\pc \\'82\\'e1}", {"éß"}},
    TextCase{"symbol_font",
             "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f2\\fnil\\fcharset2 Symbol;}}\\f2 \\'6c\\'57\\'b7\\'b1}",
             {"λΩ•±"}},
    TextCase{"unknown_code_page_is_1252", "{\\rtf1\\ansi\\ansicpg12345 \\'e9}", {"é"}}));

INSTANTIATE_TEST_SUITE_P(Unicode, RtfTextTest, testing::Values(
    TextCase{"uc1_skips_one_hex_byte", "{\\rtf1\\ansi\\uc1\\u1055\\'cf\\u1088\\'f0}", {"Пр"}},
    TextCase{"default_uc_is_1", "{\\rtf1\\ansi \\u1055?\\u1088?}", {"Пр"}},
    TextCase{"uc0_skips_nothing", "{\\rtf1\\ansi\\uc0\\u1055\\u1088 x}", {"Прx"}},
    TextCase{"uc2_skips_two", "{\\rtf1\\ansi\\uc2\\u8470\\'b9\\'b9 5}", {"№ 5"}},
    TextCase{"skips_bytes_of_a_text_run", "{\\rtf1\\ansi\\uc1\\u1055 abc}", {"Пbc"}},
    TextCase{"stand_ins_spread_over_text_and_hex_bytes", "{\\rtf1\\ansi\\uc3\\u1055 a\\'e0bcd}", {"Пcd"}},
    TextCase{"skips_a_control_word", "{\\rtf1\\ansi\\uc1\\u1055\\tab x}", {"Пx"}},
    TextCase{"skipping_stops_at_group_end", "{\\rtf1\\ansi{\\uc3\\u1055}x}", {"Пx"}},
    TextCase{"uc_is_reset_at_group_end", "{\\rtf1\\ansi{\\uc0\\u1055}\\u1056?}", {"ПР"}},
    TextCase{"negative_parameter", "{\\rtf1\\ansi\\uc0\\u-4064}", {"\uF020"}},
    TextCase{"surrogate_pair", "{\\rtf1\\ansi\\uc0\\u-10179\\u-8704}", {"\U0001F600"}},
    TextCase{"code_point_above_bmp", "{\\rtf1\\ansi\\uc0\\u128512}", {"\U0001F600"}},
    TextCase{"out_of_range", "{\\rtf1\\ansi\\uc0\\u2000000}", {"\uFFFD"}},
    // Where the stand-in is not the very next byte or \'hh.
    TextCase{"stand_in_after_a_line_end", "{\\rtf1\\ansi \\u1055\r\n?x}", {"Пx"}},
    TextCase{"group_start_is_no_stand_in", "{\\rtf1\\ansi \\u1055{?}x}", {"П?x"}},
    TextCase{"malformed_hex_byte_is_the_stand_in", "{\\rtf1\\ansi \\u1055\\'zzx}", {"Пzzx"}},
    TextCase{"cut_off_after_the_letter", "{\\rtf1\\ansi \\u1055", {"П"}},
    TextCase{"starred_letter_skips_its_group", "{\\rtf1\\ansi a{\\*\\u1055?b}c}", {"ac"}},
    TextCase{"letters_and_text_between", "{\\rtf1\\ansi \\u1055?\\u1088? \\u-3913?x\\u1080\\'e8.}", {"Пр \uF0B7xи."}},
    TextCase{"control_characters_dropped", "{\\rtf1\\ansi\\uc0 a\\u0\\u7\\u13\\u10 b}", {"ab"}},
    TextCase{"document_structure_characters_replaced", "{\\rtf1\\ansi\\uc0 a\\u8233\\u-560\\u-4 b}",
             {"a\uFFFD\uFFFD\uFFFDb"}}));

INSTANTIATE_TEST_SUITE_P(SpecialCharacters, RtfTextTest, testing::Values(
    TextCase{"nonbreaking_space", "{\\rtf1 a\\~b}", {"a\u00A0b"}},
    TextCase{"optional_hyphen", "{\\rtf1 a\\-b}", {"a\u00ADb"}},
    TextCase{"nonbreaking_hyphen", "{\\rtf1 a\\_b}", {"a\u2011b"}},
    TextCase{"escaped_braces_and_backslash", "{\\rtf1 \\{a\\}\\\\}", {"{a}\\"}},
    TextCase{"tab", "{\\rtf1 a\\tab b}", {"a\tb"}},
    TextCase{"tab_character", "{\\rtf1 a\tb}", {"a\tb"}},
    TextCase{"dashes", "{\\rtf1 \\emdash\\endash}", {"—–"}},
    TextCase{"quotes", "{\\rtf1 \\lquote\\rquote\\ldblquote\\rdblquote}", {"‘’“”"}},
    TextCase{"bullet", "{\\rtf1 \\bullet}", {"•"}},
    TextCase{"spaces", "{\\rtf1 \\emspace\\enspace}", {"\u2003\u2002"}},
    TextCase{"line_break_stays_in_paragraph", "{\\rtf1 a\\line b}", {"a\u2028b"}}));

INSTANTIATE_TEST_SUITE_P(Structure, RtfTextTest, testing::Values(
    TextCase{"empty_document", "{\\rtf1}", {""}},
    TextCase{"paragraphs", "{\\rtf1 one\\par two\\par}", {"one", "two"}},
    TextCase{"last_paragraph_without_par", "{\\rtf1 one\\par two}", {"one", "two"}},
    TextCase{"empty_paragraphs_kept", "{\\rtf1 one\\par\\par\\par two}", {"one", "", "", "two"}},
    TextCase{"only_a_par", "{\\rtf1\\par}", {""}},
    TextCase{"backslash_line_end_is_par", "{\\rtf1 one\\\r\ntwo}", {"one", "two"}},
    TextCase{"line_ends_ignored", "{\\rtf1 on\r\ne\rtw\no}", {"onetwo"}},
    TextCase{"space_after_control_word_is_a_delimiter", "{\\rtf1 \\b  a\\b0  b}", {" a b"}},
    TextCase{"digit_delimits_parameter", "{\\rtf1 \\fs20 20}", {"20"}},
    TextCase{"nested_groups", "{\\rtf1 a{b{c{d}}e}f}", {"abcdef"}},
    TextCase{"text_after_document_end_ignored", "{\\rtf1 a}b}c", {"a"}},
    TextCase{"missing_last_brace_tolerated", "{\\rtf1 a\\par b", {"a", "b"}},
    TextCase{"byte_order_mark_and_blanks_before_header", "\xEF\xBB\xBF \r\n{\\rtf1 a}", {"a"}},
    TextCase{"hidden_text_left_out", "{\\rtf1 a{\\v hidden}b\\v c\\v0 d}", {"abd"}},
    TextCase{"bin_data_skipped", "{\\rtf1 a\\bin5 {}\\\\}b}", {"ab"}},
    TextCase{"long_control_word_ignored", "{\\rtf1 a\\" + QByteArray(100, 'x') + " b}", {"ab"}},
    TextCase{"huge_parameter_saturates", "{\\rtf1\\fs99999999999999999999 a}", {"a"}}));

INSTANTIATE_TEST_SUITE_P(Destinations, RtfTextTest, testing::Values(
    TextCase{"starred_unknown_destination_skipped", "{\\rtf1 a{\\*\\unknown text{\\b more}}b}", {"ab"}},
    TextCase{"unstarred_unknown_word_keeps_its_text", "{\\rtf1 a{\\unknown text}b}", {"atextb"}},
    TextCase{"font_table", "{\\rtf1{\\fonttbl{\\f0\\froman{\\*\\panose 02020603}Times;}\\f1 Arial;}a}", {"a"}},
    TextCase{"color_table", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}a}", {"a"}},
    TextCase{"stylesheet", "{\\rtf1{\\stylesheet{\\s0 Normal;}{\\*\\cs10 Default;}}a}", {"a"}},
    TextCase{"info", "{\\rtf1{\\info{\\title T}{\\author A}{\\creatim\\yr2008}}a}", {"a"}},
    TextCase{"header_footer_footnote", "{\\rtf1{\\header H}{\\footer F}a{\\footnote note}b}", {"ab"}},
    TextCase{"field_result_shown",
             "{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt {\\ul link}}}.}", {"see link."}},
    TextCase{"list_text_shown", "{\\rtf1{\\*\\listtable{\\list x}}{\\listtext 1.\\tab}item}", {"1.\titem"}},
    TextCase{"pntext_shown_pn_skipped", "{\\rtf1{\\pntext \\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb \\'b7}}item}",
             {"·\titem"}},
    TextCase{"nonshppict_skipped", "{\\rtf1 a{\\nonshppict{\\pict\\wmetafile8 0100}}b}", {"ab"}},
    TextCase{"star_before_text_skips_group", "{\\rtf1 a{\\* text}b}", {"ab"}}));

// A numbered list 1 starting at `start`, in the format `format`, with two items.
QByteArray TwoItems(const char* start, const char* format = "0")
{
    return QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc") + format + "\\levelstartat" + start +
           "}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\\ls1 one\\par two\\par}";
}

INSTANTIATE_TEST_SUITE_P(ListNumbers, RtfTextTest, testing::Values(
    TextCase{"counts_on", TwoItems("3"), {"3.\tone", "4.\ttwo"}},
    TextCase{"starts_at_zero", TwoItems("0"), {"0.\tone", "1.\ttwo"}},
    TextCase{"saturates_at_the_largest", TwoItems("2147483647"), {"32767.\tone", "32767.\ttwo"}},
    TextCase{"negative_start_is_zero", TwoItems("-5"), {"0.\tone", "1.\ttwo"}},
    TextCase{"roman", TwoItems("3", "2"), {"iii.\tone", "iv.\ttwo"}}));

} // namespace
} // namespace eh::test
