// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseName.h"
#include "CalculateCommand.h"
#include "Exceptions.h"
#include "Fakes.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using eh::test::PrintTo;

using eh::ReadInputFields;
using eh::test::FakeField;

const std::array<const char*, 7> kFieldNames = {"EC15", "EC16", "EC17", "EC33", "EC34", "EC36", "EC27"};

struct SevenFields {
    explicit SevenFields(const std::array<std::string, 7>& texts, eh::test::CallLog* log = nullptr)
    {
        for (size_t i = 0; i < 7; ++i) {
            fields[i] = std::make_unique<FakeField>(kFieldNames[i], texts[i], log);
            pointers[i] = fields[i].get();
        }
    }
    std::array<std::unique_ptr<FakeField>, 7> fields;
    eh::TInputFields pointers{};
};

// The reference design's texts with `text` in the field at `index`.
std::array<std::string, 7> ExampleWith(size_t index, const std::string& text)
{
    std::array<std::string, 7> texts = {"14.2", "50", "3", "1", "2", "50", "0"};
    texts[index] = text;
    return texts;
}

// ---------------------------------------------------------------------------
// One field.

struct ReadableCase {
    const char* name;
    size_t index;
    std::string text;
    char separator;
    double value;
};

class ReadableFieldTest : public testing::TestWithParam<ReadableCase> {};

TEST_P(ReadableFieldTest, ReadsTheNumberAndLeavesTheFieldAlone)
{
    const ReadableCase& c = GetParam();
    SevenFields seven(ExampleWith(c.index, c.text));
    const std::optional<eh::TAntennaInputs> inputs = ReadInputFields(seven.pointers, c.separator);
    ASSERT_TRUE(inputs);
    EXPECT_EQ((*inputs).*eh::InputTable()[c.index].value, c.value);
    const FakeField& field = *seven.fields[c.index];
    EXPECT_EQ(field.CurrentText(), c.text); // a point stays a point in the field
    EXPECT_TRUE(field.resets.empty());
    EXPECT_EQ(field.focusMoves, 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadableFieldTest,
                         testing::Values(ReadableCase{"Point", 0, "14.2", ',', 14.2},
                                         ReadableCase{"CommaWithSpaces", 1, " 1,5 ", ',', 1.5},
                                         ReadableCase{"Exponent", 2, "15e-1", ',', 1.5},
                                         ReadableCase{"PointWithAPointSeparator", 0, "0.1", '.', 0.1},
                                         ReadableCase{"TooSmallReadsAsZero", 6, "1e-400", ',', 0.0}),
                         [](const testing::TestParamInfo<ReadableCase>& info) {
                             return std::string(info.param.name);
                         });

struct UnreadableCase {
    const char* name;
    size_t index;
    std::string text;
    char separator;
    const char* reset;
};

const UnreadableCase kUnreadable[] = {
    {"Empty", 0, "", ',', "0.1"},
    {"SpacesOnly", 1, "   ", ',', "0.1"},
    {"PlusOnly", 2, "+", ',', "0.1"},
    {"MinusOnly", 3, "-", ',', "0.1"},
    {"Letters", 4, "abc", ',', "0.1"},
    {"SecondSeparator", 5, "12.5.", ',', "0.1"},
    {"ThousandsSpace", 0, "1 000", ',', "0.1"},
    {"ExponentDigitLeftUnread", 0, "1e5000", ',', "0.1"},
    {"Tab", 1, "\t5", ',', "0.1"},
    {"BandwidthEmpty", 6, "", ',', "0"},
    {"BandwidthLetters", 6, "kHz", ',', "0"},
    {"BandwidthSpaces", 6, "  ", ',', "0"},
    {"PointSeparatorBandwidth", 6, "2,5", '.', "0"},
};

class UnreadableFieldTest : public testing::TestWithParam<UnreadableCase> {};

TEST_P(UnreadableFieldTest, IsResetAndFocused)
{
    const UnreadableCase& c = GetParam();
    SevenFields seven(ExampleWith(c.index, c.text));
    std::optional<eh::TAntennaInputs> inputs;
    ASSERT_NO_THROW(inputs = ReadInputFields(seven.pointers, c.separator));
    EXPECT_FALSE(inputs);
    const FakeField& field = *seven.fields[c.index];
    EXPECT_EQ(field.resets, std::vector<std::string>{c.reset});
    EXPECT_EQ(field.CurrentText(), c.reset);
    EXPECT_EQ(field.focusMoves, 1);
}

INSTANTIATE_TEST_SUITE_P(Texts, UnreadableFieldTest, testing::ValuesIn(kUnreadable),
                         [](const testing::TestParamInfo<UnreadableCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ReadInputFieldsTest, ResetIsFollowedByTheFocusMove)
{
    eh::test::CallLog log;
    SevenFields seven(ExampleWith(6, "x"), &log);
    ReadInputFields(seven.pointers, ',');
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(eh::test::CallLog(log.end() - 2, log.end()), (eh::test::CallLog{"SetText EC27 0", "Focus EC27"}));
}

TEST(ReadInputFieldsTest, ANumberBeyondTheDoubleRangeOverflowsWithoutReset)
{
    for (const char* text : {"1e400", "-1e400", "1e0500"}) {
        SevenFields seven(ExampleWith(0, text));
        try {
            ReadInputFields(seven.pointers, ',');
            ADD_FAILURE() << text << " did not overflow";
        } catch (const eh::EOverflow& e) {
            EXPECT_STREQ(e.what(), "Floating point overflow");
        }
        EXPECT_TRUE(seven.fields[0]->resets.empty()) << text;
        EXPECT_EQ(seven.fields[0]->CurrentText(), text);
        EXPECT_EQ(seven.fields[0]->focusMoves, 0) << text;
    }
}

TEST(ReadInputFieldsTest, AResetTextReadsOnTheNextAttempt)
{
    SevenFields seven(ExampleWith(4, "?"));
    EXPECT_FALSE(ReadInputFields(seven.pointers, ','));
    const std::optional<eh::TAntennaInputs> inputs = ReadInputFields(seven.pointers, ',');
    ASSERT_TRUE(inputs);
    EXPECT_DOUBLE_EQ(inputs->WindingPitchMm, 0.1);
    EXPECT_EQ(seven.fields[4]->CurrentText(), "0.1");
}

// ---------------------------------------------------------------------------
// The seven fields in reading order.

TEST(ReadInputFieldsTest, ReadsEachFieldIntoItsInputInOrder)
{
    eh::test::CallLog log;
    SevenFields seven({"1", "2", "3", "4", "5", "6", "7"}, &log);
    const std::optional<eh::TAntennaInputs> inputs = ReadInputFields(seven.pointers, ',');
    ASSERT_TRUE(inputs);
    EXPECT_EQ(log, (eh::test::CallLog{"Read EC15", "Read EC16", "Read EC17", "Read EC33", "Read EC34", "Read EC36",
                                      "Read EC27"}));
    EXPECT_EQ(inputs->FrequencyMHz, 1);
    EXPECT_EQ(inputs->CylinderDiameterMm, 2);
    EXPECT_EQ(inputs->LengthToDiameter, 3);
    EXPECT_EQ(inputs->WireDiameterMm, 4);
    EXPECT_EQ(inputs->WindingPitchMm, 5);
    EXPECT_EQ(inputs->TurnDiameterMm, 6);
    EXPECT_EQ(inputs->MeasuredBandwidthKHz, 7);
}

class FirstFailingFieldTest : public testing::TestWithParam<int> {};

TEST_P(FirstFailingFieldTest, OnlyThatFieldIsReset)
{
    const int failing = GetParam();
    std::array<std::string, 7> texts;
    for (int i = 0; i < 7; ++i)
        texts[i] = i < failing ? std::to_string(i + 1) : "bad"; // later fields would fail too
    SevenFields seven(texts);
    EXPECT_FALSE(ReadInputFields(seven.pointers, ','));
    for (int i = 0; i < 7; ++i) {
        const FakeField& f = *seven.fields[i];
        if (i == failing) {
            EXPECT_EQ(f.CurrentText(), i == 6 ? "0" : "0.1");
            EXPECT_EQ(f.focusMoves, 1);
        } else {
            EXPECT_TRUE(f.resets.empty()) << kFieldNames[i];
            EXPECT_EQ(f.focusMoves, 0) << kFieldNames[i];
            EXPECT_EQ(f.CurrentText(), texts[i]) << kFieldNames[i];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachField, FirstFailingFieldTest, testing::Range(0, 7),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(kFieldNames[info.param]);
                         });

// ---------------------------------------------------------------------------
// The pitch check.

struct PitchCase {
    const char* name;
    double pitch;
    double wire;
    bool notice;
};

class PitchNoticeTest : public testing::TestWithParam<PitchCase> {};

TEST_P(PitchNoticeTest, OnlyForAPitchSmallerThanTheWire)
{
    eh::TAntennaInputs inputs;
    inputs.WindingPitchMm = GetParam().pitch;
    inputs.WireDiameterMm = GetParam().wire;
    EXPECT_EQ(eh::PitchNeedsNotice(inputs), GetParam().notice);
}

INSTANTIATE_TEST_SUITE_P(Pitches, PitchNoticeTest,
                         testing::Values(PitchCase{"Larger", 2, 1, false}, PitchCase{"Equal", 1, 1, false},
                                         PitchCase{"EqualZero", 0, -0.0, false},
                                         PitchCase{"SmallerByOneStep", 0.99999999999999989, 1, true},
                                         PitchCase{"Smaller", 0.5, 1, true}, PitchCase{"Zero", 0, 1, true},
                                         PitchCase{"Negative", -2, -1, true}),
                         [](const testing::TestParamInfo<PitchCase>& info) { return std::string(info.param.name); });

TEST(PitchNoticeTest, Text)
{
    EXPECT_STREQ(eh::kPitchNotice, "Ошибка!!! Шаг намотки меньше диаметра провода!");
}

} // namespace
