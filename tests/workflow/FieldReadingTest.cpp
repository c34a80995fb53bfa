// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalculateCommand.h"
#include "Exceptions.h"
#include "Fakes.h"
#include "FieldReading.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Failure output names the case instead of dumping its bytes.
template <typename Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

using eh::ReadFieldValue;
using eh::test::FakeField;

// ---------------------------------------------------------------------------
// One field.

TEST(ReadFieldValueTest, ReadsANumberAndLeavesTheFieldAlone)
{
    FakeField field("EC15", "14.2");
    double destination = 0;
    EXPECT_TRUE(ReadFieldValue(destination, field, ','));
    EXPECT_DOUBLE_EQ(destination, 14.2);
    EXPECT_EQ(field.CurrentText(), "14.2"); // the field keeps its point
    EXPECT_TRUE(field.resets.empty());
    EXPECT_EQ(field.focusMoves, 0);
}

TEST(ReadFieldValueTest, ReadsCommaAndExponentForms)
{
    FakeField comma("EC16", " 1,5 ");
    FakeField exponent("EC17", "15e-1");
    double a = 0;
    double b = 0;
    EXPECT_TRUE(ReadFieldValue(a, comma, ','));
    EXPECT_TRUE(ReadFieldValue(b, exponent, ','));
    EXPECT_EQ(a, 1.5);
    EXPECT_EQ(b, 1.5);
    EXPECT_EQ(comma.CurrentText(), " 1,5 ");
}

TEST(ReadFieldValueTest, APointReadsWhateverTheSeparator)
{
    for (const char separator : {',', '.'}) {
        FakeField field("EC15", "0.1");
        double destination = 0;
        EXPECT_TRUE(ReadFieldValue(destination, field, separator)) << separator;
        EXPECT_EQ(destination, 0.1);
        EXPECT_EQ(field.focusMoves, 0);
    }
}

TEST(ReadFieldValueTest, TooSmallANumberReadsAsZero)
{
    FakeField field("EC27", "1e-400");
    double destination = 7;
    EXPECT_TRUE(ReadFieldValue(destination, field, ','));
    EXPECT_EQ(destination, 0.0);
    EXPECT_TRUE(field.resets.empty());
}

struct UnreadableCase {
    const char* name;
    const char* field;
    std::string text;
    char separator;
    const char* reset;
};

const UnreadableCase kUnreadable[] = {
    {"Empty", "EC15", "", ',', "0.1"},
    {"SpacesOnly", "EC16", "   ", ',', "0.1"},
    {"PlusOnly", "EC17", "+", ',', "0.1"},
    {"MinusOnly", "EC33", "-", ',', "0.1"},
    {"Letters", "EC34", "abc", ',', "0.1"},
    {"SecondSeparator", "EC36", "12.5.", ',', "0.1"},
    {"ThousandsSpace", "EC15", "1 000", ',', "0.1"},
    {"ExponentDigitLeftUnread", "EC15", "1e5000", ',', "0.1"},
    {"Tab", "EC16", "\t5", ',', "0.1"},
    {"BandwidthEmpty", "EC27", "", ',', "0"},
    {"BandwidthLetters", "EC27", "kHz", ',', "0"},
    {"BandwidthSpaces", "EC27", "  ", ',', "0"},
    {"NameIsCaseSensitive", "ec27", "", ',', "0.1"},
    {"PointSeparatorBandwidth", "EC27", "2,5", '.', "0"},
};

class UnreadableFieldTest : public testing::TestWithParam<UnreadableCase> {};

TEST_P(UnreadableFieldTest, IsResetAndFocusedAndTheDestinationKept)
{
    const UnreadableCase& c = GetParam();
    FakeField field(c.field, c.text);
    double destination = 42.5;
    bool result = true;
    ASSERT_NO_THROW(result = ReadFieldValue(destination, field, c.separator));
    EXPECT_FALSE(result);
    EXPECT_EQ(destination, 42.5);
    EXPECT_EQ(field.resets, std::vector<std::string>{c.reset});
    EXPECT_EQ(field.CurrentText(), c.reset);
    EXPECT_EQ(field.focusMoves, 1);
}

INSTANTIATE_TEST_SUITE_P(Texts, UnreadableFieldTest, testing::ValuesIn(kUnreadable),
                         [](const testing::TestParamInfo<UnreadableCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ReadFieldValueTest, ResetIsFollowedByTheFocusMove)
{
    eh::test::CallLog log;
    FakeField field("EC27", "x", &log);
    double destination = 0;
    ReadFieldValue(destination, field, ',');
    EXPECT_EQ(log, (eh::test::CallLog{"Read EC27", "SetText EC27 0", "Focus EC27"}));
}

TEST(ReadFieldValueTest, ANumberBeyondTheDoubleRangeOverflowsWithoutReset)
{
    for (const char* text : {"1e400", "-1e400", "1e0500"}) {
        FakeField field("EC15", text);
        double destination = 3.25;
        try {
            ReadFieldValue(destination, field, ',');
            ADD_FAILURE() << text << " did not overflow";
        } catch (const eh::EOverflow& e) {
            EXPECT_STREQ(e.what(), "Floating point overflow");
        }
        EXPECT_EQ(destination, 3.25) << text;
        EXPECT_TRUE(field.resets.empty()) << text;
        EXPECT_EQ(field.CurrentText(), text);
        EXPECT_EQ(field.focusMoves, 0) << text;
    }
}

TEST(ReadFieldValueTest, AResetTextReadsOnTheNextAttempt)
{
    FakeField field("EC34", "?");
    double destination = 0;
    EXPECT_FALSE(ReadFieldValue(destination, field, ','));
    EXPECT_TRUE(ReadFieldValue(destination, field, ','));
    EXPECT_DOUBLE_EQ(destination, 0.1);
    EXPECT_EQ(field.CurrentText(), "0.1");
}

// ---------------------------------------------------------------------------
// The seven fields in reading order.

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

TEST(ReadInputFieldsTest, ReadsEachFieldIntoItsInputInOrder)
{
    eh::test::CallLog log;
    SevenFields seven({"1", "2", "3", "4", "5", "6", "7"}, &log);
    eh::TAntennaInputs inputs;
    EXPECT_TRUE(eh::ReadInputFields(seven.pointers, inputs, ','));
    EXPECT_EQ(log, (eh::test::CallLog{"Read EC15", "Read EC16", "Read EC17", "Read EC33", "Read EC34", "Read EC36",
                                      "Read EC27"}));
    EXPECT_EQ(inputs.FrequencyMHz, 1);
    EXPECT_EQ(inputs.CylinderDiameterMm, 2);
    EXPECT_EQ(inputs.LengthToDiameter, 3);
    EXPECT_EQ(inputs.WireDiameterMm, 4);
    EXPECT_EQ(inputs.WindingPitchMm, 5);
    EXPECT_EQ(inputs.TurnDiameterMm, 6);
    EXPECT_EQ(inputs.MeasuredBandwidthKHz, 7);
}

class FirstFailingFieldTest : public testing::TestWithParam<int> {};

TEST_P(FirstFailingFieldTest, StopsThereAndLeavesLaterFieldsUntouched)
{
    const int failing = GetParam();
    std::array<std::string, 7> texts;
    for (int i = 0; i < 7; ++i)
        texts[i] = i < failing ? std::to_string(i + 1) : "bad"; // later fields would fail too
    SevenFields seven(texts);
    eh::TAntennaInputs inputs;
    double eh::TAntennaInputs::*const members[] = {
        &eh::TAntennaInputs::FrequencyMHz,   &eh::TAntennaInputs::CylinderDiameterMm,
        &eh::TAntennaInputs::LengthToDiameter, &eh::TAntennaInputs::WireDiameterMm,
        &eh::TAntennaInputs::WindingPitchMm, &eh::TAntennaInputs::TurnDiameterMm,
        &eh::TAntennaInputs::MeasuredBandwidthKHz,
    };
    for (auto member : members)
        inputs.*member = -1;

    EXPECT_FALSE(eh::ReadInputFields(seven.pointers, inputs, ','));
    for (int i = 0; i < 7; ++i) {
        const FakeField& f = *seven.fields[i];
        if (i < failing) {
            EXPECT_EQ(inputs.*members[i], i + 1) << kFieldNames[i];
            EXPECT_TRUE(f.resets.empty()) << kFieldNames[i];
        } else if (i == failing) {
            EXPECT_EQ(inputs.*members[i], -1) << kFieldNames[i];
            EXPECT_EQ(f.CurrentText(), i == 6 ? "0" : "0.1");
            EXPECT_EQ(f.focusMoves, 1);
        } else {
            EXPECT_EQ(f.reads, 0) << kFieldNames[i];
            EXPECT_TRUE(f.resets.empty()) << kFieldNames[i];
            EXPECT_EQ(f.focusMoves, 0) << kFieldNames[i];
            EXPECT_EQ(f.CurrentText(), "bad");
            EXPECT_EQ(inputs.*members[i], -1) << kFieldNames[i];
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
