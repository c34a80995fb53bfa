// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseName.h"
#include "CalculateCommand.h"
#include "CoreTestSupport.h"
#include "ExampleReport.h"
#include "Exceptions.h"
#include "Fakes.h"
#include "ReportText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using eh::test::PrintTo;

using eh::test::CallLog;
using eh::test::CharFormat;
using eh::test::FakeField;
using eh::test::FakePane;
using eh::test::kExampleAReport;

const std::array<const char*, 7> kFieldNames = {"EC15", "EC16", "EC17", "EC33", "EC34", "EC36", "EC27"};

// The main window's seven fields, the pane and the notice, all logging into
// one call log.
struct MainWindow {
    explicit MainWindow(const std::array<std::string, 7>& texts) : pane(&log)
    {
        for (size_t i = 0; i < 7; ++i) {
            fields[i] = std::make_unique<FakeField>(kFieldNames[i], texts[i], &log);
            pointers[i] = fields[i].get();
        }
    }

    // The calculate command with a comma as the decimal separator.
    void Calculate(char separator = ',')
    {
        eh::RunCalculateCommand(pointers, pane, separator,
                                [this](const std::string& text) {
                                    notices.push_back(text);
                                    log.push_back("Notice " + text);
                                });
    }

    // The calls made to the pane alone.
    CallLog PaneCalls() const
    {
        CallLog calls;
        for (const std::string& c : log) {
            if (c.rfind("Read ", 0) != 0 && c.rfind("SetText ", 0) != 0 && c.rfind("Focus ", 0) != 0 &&
                c.rfind("Notice ", 0) != 0)
                calls.push_back(c);
        }
        return calls;
    }

    CallLog log;
    std::array<std::unique_ptr<FakeField>, 7> fields;
    eh::TInputFields pointers{};
    FakePane pane;
    std::vector<std::string> notices;
};

// Field texts in reading order: EC15, EC16, EC17, EC33, EC34, EC36, EC27.
const std::array<std::string, 7> kExampleATexts = {"14.2", "50", "3", "1", "2", "50", "0"};

int Positions(const std::string& text) { return FakePane::Positions(text); }

std::string ExampleAPlainText()
{
    std::string text;
    for (const auto& line : kExampleAReport)
        text += std::string(line.text) + "\r\n";
    return text;
}

// The pane calls that render the reference report, line by line.
CallLog ExampleARenderCalls()
{
    CallLog calls;
    int lineStart = 0;
    for (const auto& line : kExampleAReport) {
        const std::string text = line.text;
        calls.push_back("Append " + text);
        switch (line.kind) {
        case eh::TReportLineKind::rlTitle:
            calls.push_back("Select " + std::to_string(lineStart) + " " + std::to_string(Positions(text)));
            calls.push_back("Style bold underline");
            calls.push_back("Size 14");
            break;
        case eh::TReportLineKind::rlHeading:
        case eh::TReportLineKind::rlEmpty:
            calls.push_back("Select " + std::to_string(lineStart) + " " + std::to_string(Positions(text)));
            calls.push_back("Style bold");
            calls.push_back("Size 9");
            break;
        case eh::TReportLineKind::rlValue: {
            const std::string number = line.number;
            const int numberStart = Positions(text.substr(0, text.rfind(number)));
            calls.push_back("Select " + std::to_string(lineStart) + " " + std::to_string(Positions(text)));
            calls.push_back("Style");
            calls.push_back("Size 9");
            calls.push_back("Select " + std::to_string(lineStart + numberStart) + " " +
                            std::to_string(Positions(number)));
            calls.push_back("Style bold");
            calls.push_back("Size 9");
            break;
        }
        }
        lineStart += Positions(text) + 2;
    }
    return calls;
}

// ---------------------------------------------------------------------------
// A complete run.

TEST(CalculateCommandTest, RendersTheReferenceReportWithTheExactPaneCalls)
{
    MainWindow window(kExampleATexts);
    window.Calculate();
    CallLog expected = {"Clear", "Indent 2"};
    const CallLog render = ExampleARenderCalls();
    expected.insert(expected.end(), render.begin(), render.end());
    EXPECT_EQ(window.PaneCalls(), expected);
    EXPECT_TRUE(window.notices.empty());
}

TEST(CalculateCommandTest, ClearsThenReadsThenIndentsBeforeTheFirstLine)
{
    MainWindow window(kExampleATexts);
    window.Calculate();
    const CallLog head(window.log.begin(), window.log.begin() + 10);
    EXPECT_EQ(head, (CallLog{"Clear", "Read EC15", "Read EC16", "Read EC17", "Read EC33", "Read EC34", "Read EC36",
                             "Read EC27", "Indent 2", "Append Расчет параметров ЕН Антенны"}));
}

TEST(CalculateCommandTest, PaneTextIsTheReportWithCrLfAfterEveryLine)
{
    MainWindow window(kExampleATexts);
    window.Calculate();
    EXPECT_EQ(window.pane.PlainText(), ExampleAPlainText());
    EXPECT_EQ(window.pane.indent, 2);
    EXPECT_EQ(window.pane.appends, 38);
}

TEST(CalculateCommandTest, StylesEachCharacterAsItsRunSays)
{
    MainWindow window(kExampleATexts);
    window.Calculate();
    const std::vector<CharFormat>& formats = window.pane.Formats();
    ASSERT_EQ(static_cast<int>(formats.size()), Positions(ExampleAPlainText()));

    const CharFormat defaultFormat{};
    const CharFormat title{true, false, true, false, 14};
    const CharFormat heading{true, false, false, false, 9};
    const CharFormat regular{false, false, false, false, 9};
    const CharFormat number{true, false, false, false, 9};

    int lineStart = 0;
    for (const auto& line : kExampleAReport) {
        const std::string text = line.text;
        const int length = Positions(text);
        int numberStart = -1;
        int numberEnd = -1;
        if (line.number) {
            numberStart = Positions(text.substr(0, text.rfind(line.number)));
            numberEnd = numberStart + Positions(line.number);
        }
        for (int i = 0; i < length; ++i) {
            CharFormat expected = regular;
            if (line.kind == eh::TReportLineKind::rlTitle)
                expected = title;
            else if (line.kind == eh::TReportLineKind::rlHeading)
                expected = heading;
            else if (i >= numberStart && i < numberEnd)
                expected = number;
            EXPECT_EQ(formats[lineStart + i], expected) << text << " at " << i;
        }
        // The line end keeps the pane's default format.
        EXPECT_EQ(formats[lineStart + length], defaultFormat) << text;
        EXPECT_EQ(formats[lineStart + length + 1], defaultFormat) << text;
        lineStart += length + 2;
    }
}

TEST(CalculateCommandTest, TheLastSelectionLiesOnTheLastNumber)
{
    MainWindow window(kExampleATexts);
    window.Calculate();
    const int lastLineStart = Positions(ExampleAPlainText()) - Positions("Расстояние между плечами 50,00 мм") - 2;
    const CallLog calls = window.PaneCalls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[calls.size() - 3], "Select " + std::to_string(lastLineStart + 25) + " 5");
}

TEST(CalculateCommandTest, ASecondRunReplacesTheReport)
{
    MainWindow window(kExampleATexts);
    window.Calculate();
    window.fields[0] = std::make_unique<FakeField>("EC15", "7.1", &window.log);
    window.pointers[0] = window.fields[0].get();
    window.Calculate();
    const std::string text = window.pane.PlainText();
    EXPECT_EQ(text.find("Частота = 14,20 МГц"), std::string::npos);
    EXPECT_NE(text.find("Частота = 7,10 МГц\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Расчет параметров ЕН Антенны"), 0u);
    EXPECT_EQ(window.pane.appends, 76);
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 38u);
}

TEST(CalculateCommandTest, PointSeparatorReadsWholeNumbersAndExponents)
{
    MainWindow window({"142e-1", "50", "3", "1", "2", "50", "0"});
    window.Calculate('.');
    const std::string text = window.pane.PlainText();
    EXPECT_EQ(text.find("Частота = 14.20 МГц\r\n"), std::string(kExampleAReport[0].text).size() + 2);
    EXPECT_NE(text.find("Общая длина антенны  = 428.17 мм\r\n"), std::string::npos);
}

// ---------------------------------------------------------------------------
// The pitch notice.

TEST(CalculateCommandTest, PitchEqualToTheWireGivesNoNotice)
{
    MainWindow window({"14.2", "50", "3", "1", "1", "50", "0"});
    window.Calculate();
    EXPECT_TRUE(window.notices.empty());
    EXPECT_EQ(window.pane.appends, 38);
}

TEST(CalculateCommandTest, PitchSmallerThanTheWireGivesTheNoticeThenTheFullReport)
{
    MainWindow window({"14.2", "50", "3", "1", "0.999", "50", "0"});
    window.Calculate();
    ASSERT_EQ(window.notices, std::vector<std::string>{"Ошибка!!! Шаг намотки меньше диаметра провода!"});
    // After every field is read and before anything is written.
    const auto notice = std::find(window.log.begin(), window.log.end(),
                                  "Notice Ошибка!!! Шаг намотки меньше диаметра провода!");
    ASSERT_NE(notice, window.log.end());
    EXPECT_EQ(*(notice - 1), "Read EC27");
    EXPECT_EQ(*(notice + 1), "Indent 2");
    EXPECT_EQ(window.pane.appends, 38);
    EXPECT_NE(window.pane.PlainText().find("Шаг намотки = 1,00 мм\r\n"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Runs that stop early.

TEST(CalculateCommandTest, FreshStartFillsOneFieldPerRunThenFaults)
{
    MainWindow window({"", "", "", "", "", "", ""});
    for (int run = 0; run < 7; ++run) {
        window.log.clear();
        ASSERT_NO_THROW(window.Calculate()) << "run " << run + 1;
        const FakeField& filled = *window.fields[run];
        EXPECT_EQ(filled.CurrentText(), run == 6 ? "0" : "0.1") << kFieldNames[run];
        EXPECT_EQ(filled.focusMoves, 1) << kFieldNames[run];
        for (int later = run + 1; later < 7; ++later) {
            EXPECT_EQ(window.fields[later]->CurrentText(), "") << kFieldNames[later];
            EXPECT_TRUE(window.fields[later]->resets.empty()) << kFieldNames[later];
        }
        EXPECT_EQ(window.PaneCalls(), CallLog{"Clear"}) << "run " << run + 1;
        EXPECT_EQ(window.pane.PlainText(), "");
    }
    // The eighth run reads 0.1 six times and 0, and the model faults.
    window.log.clear();
    try {
        window.Calculate();
        ADD_FAILURE() << "the eighth run calculated";
    } catch (const eh::EInvalidOp& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
    EXPECT_EQ(window.PaneCalls(), CallLog{"Clear"});
    EXPECT_EQ(window.pane.PlainText(), "");
    EXPECT_TRUE(window.notices.empty()); // pitch equals wire
    for (const auto& field : window.fields)
        EXPECT_EQ(field->focusMoves, 1);
}

TEST(CalculateCommandTest, WithAPointSeparatorTheDefaultsReadToo)
{
    MainWindow window({"", "", "", "", "", "", ""});
    for (int run = 0; run < 7; ++run)
        ASSERT_NO_THROW(window.Calculate('.')) << "run " << run + 1;
    // Each field was reset once, and "0.1" then reads with a point separator.
    for (const auto& field : window.fields)
        EXPECT_EQ(field->focusMoves, 1);
    EXPECT_THROW(window.Calculate('.'), eh::EInvalidOp);
}

TEST(CalculateCommandTest, AnUnreadableFieldEmptiesAPaneThatHeldAReport)
{
    MainWindow window(kExampleATexts);
    window.Calculate();
    ASSERT_FALSE(window.pane.PlainText().empty());
    window.fields[2] = std::make_unique<FakeField>("EC17", "three", &window.log);
    window.pointers[2] = window.fields[2].get();
    window.log.clear();
    ASSERT_NO_THROW(window.Calculate());
    EXPECT_EQ(window.pane.PlainText(), "");
    EXPECT_EQ(window.PaneCalls(), CallLog{"Clear"});
    EXPECT_EQ(window.fields[2]->CurrentText(), "0.1");
    EXPECT_TRUE(window.fields[3]->resets.empty()); // only the first unreadable field is reset
}

TEST(CalculateCommandTest, ANumberBeyondTheDoubleRangeEndsTheRunWithOverflow)
{
    MainWindow window({"14.2", "1e400", "3", "1", "2", "50", "0"});
    try {
        window.Calculate();
        ADD_FAILURE() << "no overflow";
    } catch (const eh::EOverflow& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    EXPECT_EQ(window.PaneCalls(), CallLog{"Clear"});
    EXPECT_TRUE(window.fields[1]->resets.empty());
    EXPECT_EQ(window.fields[1]->focusMoves, 0);
    EXPECT_TRUE(window.fields[2]->resets.empty());
}

struct ModelFaultCase {
    const char* name;
    std::array<std::string, 7> texts;
    const char* kind;
    const char* message;
    bool notice;
};

class ModelFaultTest : public testing::TestWithParam<ModelFaultCase> {};

TEST_P(ModelFaultTest, LeavesThePaneEmpty)
{
    const ModelFaultCase& c = GetParam();
    MainWindow window(c.texts);
    std::string kind;
    std::string message;
    try {
        window.Calculate();
    } catch (const eh::Exception& e) {
        kind = e.kind();
        message = e.what();
    }
    EXPECT_EQ(kind, c.kind);
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(window.PaneCalls(), CallLog{"Clear"});
    EXPECT_EQ(window.notices.size(), c.notice ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ModelFaultTest,
    testing::Values(
        ModelFaultCase{"ZeroFrequency", {"0", "50", "3", "1", "2", "50", "0"}, "EZeroDivide",
                       "Floating point division by zero", false},
        ModelFaultCase{"ZeroFrequencyAfterPitchNotice", {"0", "50", "3", "1", "0.5", "50", "0"}, "EZeroDivide",
                       "Floating point division by zero", true},
        ModelFaultCase{"NegativeFrequency", {"-14.2", "50", "3", "1", "2", "50", "0"}, "EInvalidOp",
                       "Invalid floating point operation", false},
        ModelFaultCase{"HugeFrequency", {"1e300", "50", "3", "1", "2", "50", "0"}, "EOverflow",
                       "Floating point overflow", false},
        ModelFaultCase{"WireAsThickAsCylinder", {"14.2", "50", "3", "50", "60", "50", "0"}, "EZeroDivide",
                       "Floating point division by zero", false}),
    [](const testing::TestParamInfo<ModelFaultCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Faults while the report is written: the lines before stay in the pane.

TEST(CalculateCommandTest, OverflowOfAScaledLengthKeepsTheLinesBefore)
{
    // Cylinders of 1e308 mm: the overall length (8e307 cm) calculates, but
    // not in millimetres on line 9.
    MainWindow window({"1", "1e308", "3", "1", "2", "50", "0"});
    try {
        window.Calculate();
        ADD_FAILURE() << "no overflow";
    } catch (const eh::EOverflow& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    EXPECT_EQ(window.pane.appends, 8);
    const std::string text = window.pane.PlainText();
    const std::string head = "Расчет параметров ЕН Антенны\r\n"
                             "Частота = 1,00 МГц\r\n"
                             "Диаметр цилиндров = 1,00000000000000001E308 мм\r\n"
                             "Отношение длина/диаметр (L/D) = 3,00\r\n"
                             "C = ";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_NE(text.find("\r\nQ = "), std::string::npos);
    EXPECT_EQ(text.find("Общая длина"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(CalculateCommandTest, InsertionFailureKeepsTheLinesBefore)
{
    MainWindow window(kExampleATexts);
    window.pane.failingAppend = 10;
    try {
        window.Calculate();
        ADD_FAILURE() << "no failure";
    } catch (const eh::EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "RichEdit line insertion error");
    }
    std::string expected;
    for (int i = 0; i < 9; ++i)
        expected += std::string(kExampleAReport[i].text) + "\r\n";
    EXPECT_EQ(window.pane.PlainText(), expected);
    EXPECT_EQ(window.PaneCalls().back(), "AppendFailed " + std::string(kExampleAReport[9].text));
}

// ---------------------------------------------------------------------------
// The window's command and the design service agree for the same texts: the
// same report, notice, reset field and fault.

struct AgreementCase {
    const char* name;
    std::array<std::string, 7> texts;
    char separator;
};

class WindowAgreesWithTheServiceTest : public testing::TestWithParam<AgreementCase> {};

TEST_P(WindowAgreesWithTheServiceTest, ForTheSameTexts)
{
    const AgreementCase& c = GetParam();
    MainWindow window(c.texts);
    const eh::test::Fault windowFault = eh::test::CatchFault([&] { window.Calculate(c.separator); });

    std::string report;
    bool notice = false;
    std::optional<size_t> badField;
    const eh::test::Fault serviceFault = eh::test::CatchFault([&] {
        const eh::TFieldReading reading = eh::ReadFieldTexts(c.texts, c.separator);
        badField = reading.badField;
        if (badField)
            return;
        const eh::TDesign design = eh::CalculateDesign(reading.inputs);
        notice = design.pitchNotice;
        if (design.fault)
            eh::Raise(*design.fault);
        report = eh::ReportPlainText(eh::BuildReport(design.inputs, *design.results, c.separator));
    });

    EXPECT_EQ(windowFault.kind, serviceFault.kind);
    EXPECT_EQ(windowFault.message, serviceFault.message);
    EXPECT_EQ(window.notices.size(), notice ? 1u : 0u);
    if (serviceFault.kind.empty()) {
        EXPECT_EQ(window.pane.PlainText(), report);
    }
    for (size_t i = 0; i < 7; ++i) {
        const std::vector<std::string> resets =
            badField == i ? std::vector<std::string>{eh::InputTable()[i].resetText} : std::vector<std::string>{};
        EXPECT_EQ(window.fields[i]->resets, resets) << kFieldNames[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WindowAgreesWithTheServiceTest,
    testing::Values(AgreementCase{"Example", kExampleATexts, ','},
                    AgreementCase{"PointSeparator", {"142e-1", "50", "3", "1", "2", "50", "5e2"}, '.'},
                    AgreementCase{"PitchNotice", {"7.1", "40", "2.5", "1.5", "1", "40", "100"}, ','},
                    AgreementCase{"BadRatio", {"14.2", "50", "L/D", "1", "2", "50", "0"}, ','},
                    AgreementCase{"BadBandwidth", {"14.2", "50", "3", "1", "2", "50", "-"}, ','},
                    AgreementCase{"FieldOverflows", {"14.2", "50", "1e400", "1", "2", "50", "0"}, ','},
                    AgreementCase{"ZeroFrequencyAfterNotice", {"0", "50", "3", "1", "0.5", "50", "0"}, ','},
                    AgreementCase{"NegativeFrequency", {"-14.2", "50", "3", "1", "2", "50", "0"}, ','},
                    AgreementCase{"ScaledLengthOverflows", {"1", "1e308", "3", "1", "2", "50", "0"}, ','}),
    [](const testing::TestParamInfo<AgreementCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Rendering one line.

TEST(RenderReportLineTest, RunsAreShiftedByTheLineStart)
{
    CallLog log;
    FakePane pane(&log);
    pane.AppendLine("Ёж");      // 2 characters and CR LF: the next line starts at 4
    pane.AppendLine("");        // 0 characters and CR LF: at 6
    log.clear();
    eh::RenderReportLine(pane, eh::MakeValueLine("Q = ", 12.837119, " ", ','));
    EXPECT_EQ(log, (CallLog{"Append Q = 12,84 ", "Select 6 10", "Style", "Size 9", "Select 10 5", "Style bold",
                            "Size 9"}));
}

TEST(RenderReportLineTest, EmptyLineSelectsNothing)
{
    CallLog log;
    FakePane pane(&log);
    pane.AppendLine("Частота");
    log.clear();
    eh::RenderReportLine(pane, eh::MakeHeadingLine(""));
    EXPECT_EQ(log, (CallLog{"Append ", "Select 9 0", "Style bold", "Size 9"}));
}

TEST(RenderReportLineTest, TitleIsBoldUnderlined14)
{
    CallLog log;
    FakePane pane(&log);
    eh::RenderReportLine(pane, eh::MakeTitleLine("Расчет параметров ЕН Антенны"));
    EXPECT_EQ(log, (CallLog{"Append Расчет параметров ЕН Антенны", "Select 0 28", "Style bold underline", "Size 14"}));
}

} // namespace
