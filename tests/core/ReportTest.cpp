// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseName.h"
#include "CoreTestSupport.h"
#include "ExampleReport.h"
#include "NumberFormat.h"
#include "Report.h"
#include "Windows1251.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <set>
#include <ostream>
#include <string>
#include <vector>

namespace {

using eh::test::PrintTo;

using eh::TAntennaInputs;
using eh::TAntennaResults;
using eh::TReport;
using eh::TReportLine;
using eh::TReportLineKind;
using eh::TStyleRun;
using eh::test::CatchFault;
using eh::test::ExampleA;
using eh::test::kExampleAReport;

// The code points of a UTF-8 text (the report's texts are well formed).
std::vector<char32_t> CodePoints(const std::string& utf8)
{
    std::vector<char32_t> out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t cp = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
        for (int k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out.push_back(cp);
        i += length;
    }
    return out;
}

int Chars(const std::string& utf8) { return static_cast<int>(CodePoints(utf8).size()); }

TReport ExampleAReport()
{
    const TAntennaInputs in = ExampleA();
    return eh::BuildReport(in, eh::CalculateAntenna(in), ',');
}

// The runs a line of each kind carries.
std::vector<TStyleRun> ExpectedRuns(const eh::test::ExpectedReportLine& line)
{
    const std::string text = line.text;
    switch (line.kind) {
    case TReportLineKind::rlTitle:
        return {{0, Chars(text), true, true, 14}};
    case TReportLineKind::rlHeading:
        return {{0, Chars(text), true, false, 9}};
    case TReportLineKind::rlEmpty:
        return {{0, 0, true, false, 9}};
    case TReportLineKind::rlValue:
        break;
    }
    const std::string number = line.number;
    const size_t at = text.rfind(number);
    return {{0, Chars(text), false, false, 9}, {Chars(text.substr(0, at)), Chars(number), true, false, 9}};
}

// ---------------------------------------------------------------------------
// The reference design's report, line by line.

TEST(ExampleReportTest, HasThirtyEightLines)
{
    const TReport report = ExampleAReport();
    EXPECT_EQ(report.Lines.size(), 38u);
}

class ExampleReportLineTest : public testing::TestWithParam<int> {};

TEST_P(ExampleReportLineTest, TextKindAndRuns)
{
    const int index = GetParam();
    const TReport report = ExampleAReport();
    ASSERT_EQ(report.Lines.size(), kExampleAReport.size());
    const TReportLine& line = report.Lines[index];
    const auto& expected = kExampleAReport[index];
    EXPECT_EQ(line.Text, expected.text);
    EXPECT_EQ(line.Kind, expected.kind);
    EXPECT_EQ(line.Runs, ExpectedRuns(expected));
}

INSTANTIATE_TEST_SUITE_P(Lines, ExampleReportLineTest, testing::Range(0, 38),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Line" + std::to_string(info.param + 1);
                         });

TEST(ExampleReportTest, FrequencyLineRuns)
{
    const TReport report = ExampleAReport();
    const TReportLine& line = report.Lines.at(1);
    EXPECT_EQ(line.Text, "Частота = 14,20 МГц");
    const std::vector<TStyleRun> runs = {{0, 19, false, false, 9}, {10, 5, true, false, 9}};
    EXPECT_EQ(line.Runs, runs);
}

TEST(ExampleReportTest, TitleRun)
{
    const TReport report = ExampleAReport();
    const std::vector<TStyleRun> runs = {{0, 28, true, true, 14}};
    EXPECT_EQ(report.Lines.at(0).Runs, runs);
}

TEST(ExampleReportTest, LineEndsAndSharedLabels)
{
    const TReport report = ExampleAReport();
    auto text = [&](int number) { return report.Lines.at(number - 1).Text; };
    for (const int n : {8, 15, 20})
        EXPECT_EQ(text(n).back(), ' ') << n;
    for (const int n : {4, 33})
        EXPECT_TRUE(text(n).back() >= '0' && text(n).back() <= '9') << n;
    EXPECT_EQ(text(20).rfind("Количество витков = ", 0), 0u);
    EXPECT_EQ(text(33).rfind("Количество витков = ", 0), 0u);
    EXPECT_EQ(text(22).rfind("Длина провода = ", 0), 0u);
    EXPECT_EQ(text(32).rfind("Длина провода = ", 0), 0u);
}

TEST(ExampleReportTest, LettersAreCyrillicExceptTheLatinAbbreviations)
{
    // The Latin words each line carries, by line number.
    const std::vector<std::vector<std::string>> latin = {
        {}, {}, {}, {"L", "D"}, {"C"}, {"Xc"}, {"dB"}, {"Q"}, {}, {}, {}, {}, {}, {}, {}, {}, {"C"}, {"C"}, {"L"},
        {}, {}, {}, {}, {}, {}, {}, {"dB"}, {"RR"}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}};
    const TReport report = ExampleAReport();
    ASSERT_EQ(report.Lines.size(), latin.size());
    for (size_t i = 0; i < report.Lines.size(); ++i) {
        const std::vector<char32_t> cps = CodePoints(report.Lines[i].Text);
        std::vector<std::string> words;
        std::string word;
        for (const char32_t cp : cps) {
            const bool asciiLetter = (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z');
            if (asciiLetter) {
                word += static_cast<char>(cp);
                continue;
            }
            if (!word.empty())
                words.push_back(word);
            word.clear();
            if (cp >= 0x80) {
                EXPECT_TRUE(cp >= 0x0410 && cp <= 0x044F)
                    << "line " << i + 1 << " code point " << static_cast<unsigned>(cp);
            }
        }
        if (!word.empty())
            words.push_back(word);
        EXPECT_EQ(words, latin[i]) << "line " << i + 1;
    }
    // "ЕН" is Cyrillic: U+0415 U+041D.
    EXPECT_NE(report.Lines[0].Text.find("\u0415\u041D"), std::string::npos);
    EXPECT_NE(report.Lines[34].Text.find("\u0415\u041D"), std::string::npos);
}

TEST(ExampleReportTest, EveryLineEncodesToOneByteACharacter)
{
    // In every language and unit: a translation may use only what a saved
    // report can hold.
    const TAntennaInputs in = ExampleA();
    for (std::size_t language = 0; language < eh::kCatalogueLanguageCount; ++language) {
        for (const eh::TLengthUnit lengths : {eh::TLengthUnit::Millimetre, eh::TLengthUnit::Inch}) {
            const TReport report =
                eh::BuildReport(in, eh::CalculateAntenna(in), ',', {static_cast<eh::TLanguage>(language), lengths});
            for (const TReportLine& line : report.Lines) {
                const std::string bytes = eh::EncodeWindows1251(line.Text);
                EXPECT_EQ(static_cast<int>(bytes.size()), eh::CharacterCount(line.Text)) << line.Text;
                EXPECT_EQ(bytes.find('?'), std::string::npos) << line.Text;
                EXPECT_EQ(eh::DecodeWindows1251(bytes), line.Text);
            }
        }
    }
}

TEST(ExampleReportTest, FrequencyLineInWindows1251)
{
    const TReport report = ExampleAReport();
    EXPECT_EQ(eh::EncodeWindows1251(report.Lines.at(1).Text),
              "\xD7\xE0\xF1\xF2\xEE\xF2\xE0 = 14,20 \xCC\xC3\xF6");
}

TEST(ExampleReportTest, PointSeparatorChangesOnlyTheNumbers)
{
    const TAntennaInputs in = ExampleA();
    const TReport report = eh::BuildReport(in, eh::CalculateAntenna(in), '.');
    ASSERT_EQ(report.Lines.size(), 38u);
    EXPECT_EQ(report.Lines[1].Text, "Частота = 14.20 МГц");
    EXPECT_EQ(report.Lines[8].Text, "Общая длина антенны  = 428.17 мм");
    EXPECT_EQ(report.Lines[6].Text, "Полоса пропуск. по ур.3 dB = 1106.17 Кгц");
}

// ---------------------------------------------------------------------------
// Which value each line shows: changing one value changes exactly one line.

struct ShownValue {
    const char* name;
    double TAntennaInputs::*input;
    double TAntennaResults::*result;
    int line; // 1-based; 0 when the value is not shown
    bool timesTen;
};

const ShownValue kShownValues[] = {
    {"FrequencyMHz", &TAntennaInputs::FrequencyMHz, nullptr, 2, false},
    {"CylinderDiameterMm", &TAntennaInputs::CylinderDiameterMm, nullptr, 3, false},
    {"LengthToDiameter", &TAntennaInputs::LengthToDiameter, nullptr, 4, false},
    {"MeasuredBandwidthKHz", &TAntennaInputs::MeasuredBandwidthKHz, nullptr, 0, false},
    {"WireDiameterMm", &TAntennaInputs::WireDiameterMm, nullptr, 13, false},
    {"WindingPitchMm", &TAntennaInputs::WindingPitchMm, nullptr, 14, false},
    {"TurnDiameterMm", &TAntennaInputs::TurnDiameterMm, nullptr, 16, false},
    {"CapacitancePf", nullptr, &TAntennaResults::CapacitancePf, 5, false},
    {"ReactanceOhm", nullptr, &TAntennaResults::ReactanceOhm, 6, false},
    {"BandwidthKHz", nullptr, &TAntennaResults::BandwidthKHz, 7, false},
    {"QFactor", nullptr, &TAntennaResults::QFactor, 8, false},
    {"TotalLengthCm", nullptr, &TAntennaResults::TotalLengthCm, 9, true},
    {"TotalLengthM", nullptr, &TAntennaResults::TotalLengthM, 0, false},
    {"LengthToWavelengthPct", nullptr, &TAntennaResults::LengthToWavelengthPct, 10, false},
    {"RrOhm", nullptr, &TAntennaResults::RrOhm, 28, false},
    {"RrDeviationPct", nullptr, &TAntennaResults::RrDeviationPct, 29, false},
    {"TurnsPerCm", nullptr, &TAntennaResults::TurnsPerCm, 15, false},
    {"WireCylinderCapacitancePf", nullptr, &TAntennaResults::WireCylinderCapacitancePf, 17, false},
    {"CoilCapacitancePf", nullptr, &TAntennaResults::CoilCapacitancePf, 18, false},
    {"InductanceUh", nullptr, &TAntennaResults::InductanceUh, 19, false},
    {"TurnCount", nullptr, &TAntennaResults::TurnCount, 20, false},
    {"CoilLengthMm", nullptr, &TAntennaResults::CoilLengthMm, 21, false},
    {"CoilWireLengthCm", nullptr, &TAntennaResults::CoilWireLengthCm, 22, true},
    {"LossResistanceOhm", nullptr, &TAntennaResults::LossResistanceOhm, 25, false},
    {"EfficiencyPct", nullptr, &TAntennaResults::EfficiencyPct, 26, false},
    {"LossDb", nullptr, &TAntennaResults::LossDb, 27, false},
    {"PhasingWireLengthCm", nullptr, &TAntennaResults::PhasingWireLengthCm, 32, true},
    {"PhasingTurnCount", nullptr, &TAntennaResults::PhasingTurnCount, 33, false},
    {"FlatArmHorizontalCm", nullptr, &TAntennaResults::FlatArmHorizontalCm, 36, true},
    {"FlatArmVerticalCm", nullptr, &TAntennaResults::FlatArmVerticalCm, 37, true},
    {"FlatArmGapCm", nullptr, &TAntennaResults::FlatArmGapCm, 38, true},
};

class ShownValueTest : public testing::TestWithParam<ShownValue> {};

TEST_P(ShownValueTest, ChangesExactlyItsOwnLine)
{
    const ShownValue& v = GetParam();
    TAntennaInputs in = ExampleA();
    TAntennaResults results = eh::CalculateAntenna(in);
    if (v.input)
        in.*v.input = 12.5;
    else
        results.*v.result = 12.5;
    const TReport report = eh::BuildReport(in, results, ',');
    ASSERT_EQ(report.Lines.size(), 38u);
    for (size_t i = 0; i < report.Lines.size(); ++i) {
        const std::string reference = kExampleAReport[i].text;
        if (static_cast<int>(i) + 1 != v.line) {
            EXPECT_EQ(report.Lines[i].Text, reference) << "line " << i + 1;
            continue;
        }
        // The reference line with its number replaced.
        const std::string oldNumber = kExampleAReport[i].number;
        std::string expected = reference;
        expected.replace(reference.rfind(oldNumber), oldNumber.size(), v.timesTen ? "125,00" : "12,50");
        EXPECT_EQ(report.Lines[i].Text, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryField, ShownValueTest, testing::ValuesIn(kShownValues),
                         [](const testing::TestParamInfo<ShownValue>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Values beyond the usual range.

struct TimesTenRow {
    const char* name;
    double TAntennaResults::*result;
    int line; // 1-based
};

class TimesTenOverflowTest : public testing::TestWithParam<TimesTenRow> {};

TEST_P(TimesTenOverflowTest, OverflowsAtItsLineAfterDeliveringTheEarlierOnes)
{
    const TimesTenRow& row = GetParam();
    const TAntennaInputs in = ExampleA();
    TAntennaResults results = eh::CalculateAntenna(in);
    results.*row.result = 1e308;
    std::vector<std::string> delivered;
    const auto fault = CatchFault([&] {
        eh::ForEachReportLine(in, results, ',', [&](const TReportLine& line) { delivered.push_back(line.Text); });
    });
    EXPECT_EQ(fault.kind, "EOverflow");
    EXPECT_EQ(fault.message, eh::test::kOverflowText);
    ASSERT_EQ(static_cast<int>(delivered.size()), row.line - 1);
    for (size_t i = 0; i < delivered.size(); ++i)
        EXPECT_EQ(delivered[i], kExampleAReport[i].text);
    EXPECT_EQ(CatchFault([&] { eh::BuildReport(in, results, ','); }).kind, "EOverflow");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TimesTenOverflowTest,
    testing::Values(TimesTenRow{"TotalLength", &TAntennaResults::TotalLengthCm, 9},
                    TimesTenRow{"CoilWireLength", &TAntennaResults::CoilWireLengthCm, 22},
                    TimesTenRow{"PhasingWireLength", &TAntennaResults::PhasingWireLengthCm, 32},
                    TimesTenRow{"FlatArmHorizontal", &TAntennaResults::FlatArmHorizontalCm, 36},
                    TimesTenRow{"FlatArmVertical", &TAntennaResults::FlatArmVerticalCm, 37},
                    TimesTenRow{"FlatArmGap", &TAntennaResults::FlatArmGapCm, 38}),
    [](const testing::TestParamInfo<TimesTenRow>& info) { return std::string(info.param.name); });

TEST(ReportRangeTest, NegativeTimesTenOverflowToo)
{
    const TAntennaInputs in = ExampleA();
    TAntennaResults results = eh::CalculateAntenna(in);
    results.FlatArmGapCm = -DBL_MAX;
    EXPECT_EQ(CatchFault([&] { eh::BuildReport(in, results, ','); }).kind, "EOverflow");
}

TEST(ReportRangeTest, LargestDoubleInAPlainRowIsWrittenInExponentForm)
{
    const TAntennaInputs in = ExampleA();
    TAntennaResults results = eh::CalculateAntenna(in);
    results.ReactanceOhm = DBL_MAX;
    results.QFactor = 1.5e20;
    TReport report;
    ASSERT_NO_THROW(report = eh::BuildReport(in, results, ','));
    ASSERT_EQ(report.Lines.size(), 38u);
    EXPECT_EQ(report.Lines[5].Text, "Xc = 1,79769313486231571E308 Ом");
    const std::vector<TStyleRun> reactanceRuns = {{0, 31, false, false, 9}, {5, 23, true, false, 9}};
    EXPECT_EQ(report.Lines[5].Runs, reactanceRuns);
    EXPECT_EQ(report.Lines[7].Text, "Q = 1,5E20 ");
    const std::vector<TStyleRun> qRuns = {{0, 11, false, false, 9}, {4, 6, true, false, 9}};
    EXPECT_EQ(report.Lines[7].Runs, qRuns);
}

TEST(ReportRangeTest, ThirtyEightLinesWhateverTheValues)
{
    TAntennaInputs in;
    TAntennaResults results;
    in.FrequencyMHz = -0.0;
    results.RrDeviationPct = -0.004;
    results.LossDb = -0.005;
    results.InductanceUh = -1e22;
    const TReport report = eh::BuildReport(in, results, ',');
    ASSERT_EQ(report.Lines.size(), 38u);
    for (size_t i = 0; i < 38; ++i)
        EXPECT_EQ(report.Lines[i].Kind, kExampleAReport[i].kind) << i + 1;
    EXPECT_EQ(report.Lines[1].Text, "Частота = 0,00 МГц");
    EXPECT_EQ(report.Lines[28].Text, "Ошибка вычисления = 0,00 %");
    EXPECT_EQ(report.Lines[26].Text, "Потери в антенне = -0,01 dB");
    EXPECT_EQ(report.Lines[18].Text, "Индуктивность катушки L = -1E22 микрогенри");
}

// ---------------------------------------------------------------------------
// The three line makers.

TEST(LineMakerTest, ValueLineWithUnit)
{
    const TReportLine line = eh::MakeValueLine("Частота = ", 14.2, " МГц", ',');
    EXPECT_EQ(line.Kind, TReportLineKind::rlValue);
    EXPECT_EQ(line.Text, "Частота = 14,20 МГц");
    const std::vector<TStyleRun> runs = {{0, 19, false, false, 9}, {10, 5, true, false, 9}};
    EXPECT_EQ(line.Runs, runs);
}

TEST(LineMakerTest, ValueLineWithoutUnitEndsWithTheNumber)
{
    const TReportLine line = eh::MakeValueLine("Количество витков = ", 2.242182, "", '.');
    EXPECT_EQ(line.Text, "Количество витков = 2.24");
    const std::vector<TStyleRun> runs = {{0, 24, false, false, 9}, {20, 4, true, false, 9}};
    EXPECT_EQ(line.Runs, runs);
}

TEST(LineMakerTest, ValueLineBoldRunCoversTheWholeExponentForm)
{
    const TReportLine line = eh::MakeValueLine("Xc = ", -1.5e20, " Ом", ',');
    EXPECT_EQ(line.Text, "Xc = -1,5E20 Ом");
    const std::vector<TStyleRun> runs = {{0, 15, false, false, 9}, {5, 7, true, false, 9}};
    EXPECT_EQ(line.Runs, runs);
}

TEST(LineMakerTest, ValueLineNeverShowsMinusZero)
{
    EXPECT_EQ(eh::MakeValueLine("Ошибка вычисления = ", -0.004, " %", ',').Text, "Ошибка вычисления = 0,00 %");
    EXPECT_EQ(eh::MakeValueLine("Ошибка вычисления = ", -0.005, " %", ',').Text, "Ошибка вычисления = -0,01 %");
}

TEST(LineMakerTest, TitleLine)
{
    const TReportLine line = eh::MakeTitleLine("Расчет параметров ЕН Антенны");
    EXPECT_EQ(line.Kind, TReportLineKind::rlTitle);
    EXPECT_EQ(line.Text, "Расчет параметров ЕН Антенны");
    const std::vector<TStyleRun> runs = {{0, 28, true, true, 14}};
    EXPECT_EQ(line.Runs, runs);
}

TEST(LineMakerTest, HeadingLine)
{
    const TReportLine line = eh::MakeHeadingLine("Вычисление эффективности антенны");
    EXPECT_EQ(line.Kind, TReportLineKind::rlHeading);
    const std::vector<TStyleRun> runs = {{0, 32, true, false, 9}};
    EXPECT_EQ(line.Runs, runs);
}

TEST(LineMakerTest, EmptyHeadingMakesTheEmptyLine)
{
    const TReportLine line = eh::MakeHeadingLine("");
    EXPECT_EQ(line.Kind, TReportLineKind::rlEmpty);
    EXPECT_EQ(line.Text, "");
    const std::vector<TStyleRun> runs = {{0, 0, true, false, 9}};
    EXPECT_EQ(line.Runs, runs);
}

TEST(CharacterCountTest, CountsCodePoints)
{
    EXPECT_EQ(eh::CharacterCount(""), 0);
    EXPECT_EQ(eh::CharacterCount("abc"), 3);
    EXPECT_EQ(eh::CharacterCount("Ч"), 1);
    EXPECT_EQ(eh::CharacterCount("Частота = 14,20 МГц"), 19);
    EXPECT_EQ(eh::CharacterCount("\xE2\x82\xAC"), 1); // the euro sign
}

} // namespace

// ---------------------------------------------------------------------------
// Other languages and units.

namespace {

using eh::TLanguage;
using eh::TLengthUnit;
using eh::TReportOptions;
using eh::test::kExampleAReportEnglish;

TReport ExampleAReportIn(const TReportOptions& options)
{
    const TAntennaInputs in = ExampleA();
    return eh::BuildReport(in, eh::CalculateAntenna(in), ',', options);
}

TEST(EnglishReportTest, EveryLineHasTheRussianKindRunsShapeAndNumber)
{
    const TReport report = ExampleAReportIn({TLanguage::English});
    ASSERT_EQ(report.Lines.size(), kExampleAReportEnglish.size());
    for (size_t i = 0; i < report.Lines.size(); ++i) {
        const auto& expected = kExampleAReportEnglish[i];
        EXPECT_EQ(report.Lines[i].Text, expected.text) << "line " << i + 1;
        EXPECT_EQ(report.Lines[i].Kind, kExampleAReport[i].kind) << "line " << i + 1;
        EXPECT_EQ(report.Lines[i].Runs, ExpectedRuns(expected)) << "line " << i + 1;
        if (expected.number) {
            EXPECT_STREQ(expected.number, kExampleAReport[i].number) << "line " << i + 1;
        }
    }
}

TEST(EnglishReportTest, MicroSignIsOneWindows1251Byte)
{
    const TReport report = ExampleAReportIn({TLanguage::English});
    EXPECT_EQ(eh::EncodeWindows1251(report.Lines[18].Text), "Coil inductance L = 9,63 \xB5H");
}

// The lines that show a length, and the turns per length, in inches.
struct InchLine {
    size_t index;
    const char* russian;
    const char* english;
};

constexpr InchLine kInchLines[] = {
    {2, "Диаметр цилиндров = 1,969 дюйм", "Cylinder diameter = 1,969 in"},
    {8, "Общая длина антенны  = 16,857 дюйм", "Total antenna length = 16,857 in"},
    {12, "Диаметр провода = 0,039 дюйм", "Wire diameter = 0,039 in"},
    {13, "Шаг намотки = 0,079 дюйм", "Winding pitch = 0,079 in"},
    {14, "Витков на дюйм = 16,93 ", "Turns per inch = 16,93"},
    {15, "Диаметр витка = 1,969 дюйм", "Turn diameter = 1,969 in"},
    {20, "Длина катушки = 1,109 дюйм", "Coil length = 1,109 in"},
    {21, "Длина провода = 87,056 дюйм", "Wire length = 87,056 in"},
    {31, "Длина провода = 13,859 дюйм", "Wire length = 13,859 in"},
    {35, "Горизонтальный размер плеча 5,906 дюйм", "Horizontal arm size 5,906 in"},
    {36, "Вертикальный размер плеча 6,181 дюйм", "Vertical arm size 6,181 in"},
    {37, "Расстояние между плечами 1,969 дюйм", "Gap between the arms 1,969 in"},
};

TEST(InchReportTest, LengthsInInchesTheOtherLinesAsInMillimetres)
{
    for (const TLanguage language : {TLanguage::Russian, TLanguage::English}) {
        const TReport inches = ExampleAReportIn({language, TLengthUnit::Inch});
        const TReport millimetres = ExampleAReportIn({language, TLengthUnit::Millimetre});
        std::set<size_t> converted;
        for (const InchLine& line : kInchLines) {
            EXPECT_EQ(inches.Lines[line.index].Text, language == TLanguage::Russian ? line.russian : line.english);
            converted.insert(line.index);
        }
        for (size_t i = 0; i < inches.Lines.size(); ++i) {
            if (converted.count(i) == 0) {
                EXPECT_EQ(inches.Lines[i].Text, millimetres.Lines[i].Text) << "line " << i + 1;
            }
        }
    }
}

struct DecimalsCase {
    double value;
    int decimals;
    const char* text;
};

TEST(ReportNumberTest, ThreeDecimalsRoundHalfAwayFromZero)
{
    const DecimalsCase cases[] = {
        {0.0005, 3, "0.001"},  {0.9995, 3, "1.000"},    {-0.0004, 3, "0.000"},  {12.3456, 3, "12.346"},
        {1e-9, 3, "0.000"},    {999.9996, 3, "1000.000"}, {1e18, 3, "1E18"},     {2.5, 2, "2.50"},
    };
    for (const DecimalsCase& c : cases)
        EXPECT_EQ(eh::FormatReportNumber(c.value, '.', c.decimals), c.text) << c.value;
}

} // namespace
