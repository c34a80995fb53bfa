// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseName.h"
#include "Exceptions.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using eh::test::PrintTo;

// The fault kinds and the messages the user reads.
TEST(ExceptionKindTest, EachKindNamesItself)
{
    EXPECT_STREQ(eh::EZeroDivide("x").kind(), "EZeroDivide");
    EXPECT_STREQ(eh::EInvalidOp("x").kind(), "EInvalidOp");
    EXPECT_STREQ(eh::EOverflow("x").kind(), "EOverflow");
    EXPECT_STREQ(eh::EConvertError("x").kind(), "EConvertError");
    EXPECT_STREQ(eh::EOutOfResources("x").kind(), "EOutOfResources");
    EXPECT_STREQ(eh::EFCreateError("x").kind(), "EFCreateError");
}

TEST(ExceptionKindTest, FaultMessages)
{
    EXPECT_STREQ(eh::kZeroDivideMessage, "Floating point division by zero");
    EXPECT_STREQ(eh::kInvalidOpMessage, "Invalid floating point operation");
    EXPECT_STREQ(eh::kOverflowMessage, "Floating point overflow");
    EXPECT_STREQ(eh::EOverflow(eh::kOverflowMessage).what(), "Floating point overflow");
}

// A failure box ends its text with a dot unless the last character's code is
// 0x2E or below.
struct TrailingDotCase {
    const char* name;
    std::string message;
    std::string shown;
};

const TrailingDotCase kTrailingDotCases[] = {
    {"Letter", "Floating point overflow", "Floating point overflow."},
    {"ZeroDivide", "Floating point division by zero", "Floating point division by zero."},
    {"InvalidOp", "Invalid floating point operation", "Invalid floating point operation."},
    {"Digit", "Error 5", "Error 5."},
    {"QuestionMark", "Why?", "Why?."},
    {"Colon", "Reason:", "Reason:."},
    {"Slash", "a/", "a/."},
    {"Dot", "Done.", "Done."},
    {"Exclamation", "Stop!", "Stop!"},
    {"ClosingParenthesis", "(x)", "(x)"},
    {"Space", "Trailing ", "Trailing "},
    {"Quote", "Cannot create file \"a.txt\"", "Cannot create file \"a.txt\""},
    {"Comma", "a,", "a,"},
    {"Minus", "a-", "a-"},
    {"LineFeed", "a\n", "a\n"},
    {"Empty", "", ""},
    {"LoneDot", ".", "."},
    {"Cyrillic", "Ошибка", "Ошибка."},
    {"CyrillicExclamation", "Ошибка!!! Шаг намотки меньше диаметра провода!",
     "Ошибка!!! Шаг намотки меньше диаметра провода!"},
};

class FailureTextTest : public testing::TestWithParam<TrailingDotCase> {};

TEST_P(FailureTextTest, AppendsADotAfterCodesAboveTheDot)
{
    EXPECT_EQ(eh::FailureText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(LastCharacters, FailureTextTest, testing::ValuesIn(kTrailingDotCases),
                         [](const testing::TestParamInfo<TrailingDotCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
