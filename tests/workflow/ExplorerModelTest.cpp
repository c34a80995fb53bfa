// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer's model: where it looks first, answers that never outlive
// their question, pins that survive, and numbers a builder can use.
#include "AxisTicks.h"
#include "BuildSheetText.h"
#include "CoreTestSupport.h"
#include "DesignFile.h"
#include "DrawingShapes.h"
#include "ExplorerDesignFile.h"
#include "NumberConversion.h"
#include "ExplorerModel.h"
#include "ExplorerNotes.h"
#include "ExplorerOutputs.h"
#include "ExplorerReadout.h"
#include "InputText.h"
#include "PinnedDesigns.h"
#include "TuningPlan.h"
#include "WorkbenchNumber.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using eh::ExplorerModel;
using eh::TFieldTexts;

const TFieldTexts kExampleA = {"14,2", "50", "3", "1", "2", "50", "0"};
const std::size_t kDiameter = 1;
const std::size_t kBandwidthField = 6;

// A model of the reference design with a search for BandwidthKHz = 500 by
// the cylinder diameter, solved.
ExplorerModel Solved(const char* target = "500")
{
    ExplorerModel model;
    model.SetSeparator(',');
    model.SetFieldTexts(kExampleA);
    eh::TSolveTexts texts = model.SolveTexts();
    texts.target = target;
    model.SetSolveTexts(texts);
    const eh::TSolveReading reading = model.SolveRequest();
    EXPECT_TRUE(reading.request) << reading.message;
    model.AcceptSolutions({*reading.request, eh::SolveForTarget(*reading.request)});
    return model;
}

TEST(ExplorerModel, TheFirstSearchLooksOverTheInputsWholeSensibleRange)
{
    // Half to twice the typed 50 mm would miss it.
    const ExplorerModel model = Solved();
    EXPECT_EQ(model.SolveTexts().input, kDiameter);
    EXPECT_EQ(model.SolveTexts().from, "1");
    EXPECT_EQ(model.SolveTexts().to, "500");
    ASSERT_TRUE(model.Solutions());
    ASSERT_EQ(model.Solutions()->outcome.solutions.size(), 1u);
    EXPECT_EQ(eh::WorkbenchNumber(model.Solutions()->outcome.solutions[0], "мм", ','), "22,6");
}

TEST(ExplorerModel, AnswersGoWithTheDesignAndTargetTheyWereFoundFor)
{
    struct Case {
        const char* name;
        std::size_t field;  // kInputCount: the target changes instead
        const char* text;
        bool kept;
    };
    const Case cases[] = {
        {"the bandwidth field", kBandwidthField, "120", false},
        {"the frequency", 0, "7,1", false},
        {"the input solved for (an answer written back)", kDiameter, "22,6", true},
        {"a field no longer a number", 2, "x", false},
        {"the target", eh::kInputCount, "600", false},
        {"the target typed again alike", eh::kInputCount, "500,0", true},
    };
    for (const Case& c : cases) {
        ExplorerModel model = Solved();
        if (c.field < eh::kInputCount) {
            TFieldTexts texts = kExampleA;
            texts[c.field] = c.text;
            model.SetFieldTexts(texts);
        } else {
            eh::TSolveTexts texts = model.SolveTexts();
            texts.target = c.text;
            model.SetSolveTexts(texts);
        }
        EXPECT_EQ(model.Solutions().has_value(), c.kept) << c.name;
    }
    // Answers that arrive after the design changed are not kept.
    ExplorerModel model;
    model.SetFieldTexts(kExampleA);
    eh::TSolveTexts texts = model.SolveTexts();
    texts.target = "500";
    model.SetSolveTexts(texts);
    const eh::TSolveRequest request = *model.SolveRequest().request;
    TFieldTexts changed = kExampleA;
    changed[kBandwidthField] = "120";
    model.SetFieldTexts(changed);
    EXPECT_FALSE(model.AcceptSolutions({request, eh::SolveForTarget(request)}));
    EXPECT_FALSE(model.Solutions());
}

TEST(ExplorerModel, TheSolutionListShowsAndWritesWorkbenchValuesWithTheirResult)
{
    const ExplorerModel model = Solved();
    const std::vector<eh::TSolutionRow> rows = eh::SolutionRows(*model.Solutions(), ',');
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].shownText, "22,6");
    eh::TAntennaInputs shown = eh::test::ExampleA();
    shown.CylinderDiameterMm = 22.6;
    const double bandwidth = eh::CalculateDesign(shown).results->BandwidthKHz;
    EXPECT_EQ(rows[0].resultAtShown, bandwidth);
    EXPECT_EQ(rows[0].text, "Диаметр цилиндров (мм) = 22,6 → " + eh::WorkbenchNumber(bandwidth, "кГц", ',') + " кГц");
    EXPECT_EQ(rows[0].exactText, eh::ExactNumber(model.Solutions()->outcome.solutions[0], ','));
}

TEST(ExplorerModel, PinsAreDesignsThatSurviveAnotherInputAndASearch)
{
    ExplorerModel model = Solved();
    model.Pins().Pin(eh::test::ExampleA());
    model.Pins().Pin(eh::test::ExampleB());
    model.SetXInput(kDiameter);
    EXPECT_EQ(model.Pins().Designs().size(), 2u);
    EXPECT_EQ(eh::PinnedLabel(eh::test::ExampleB(), eh::test::ExampleA(), kDiameter, ','),
              "Полоса пропускания BW (КГц) 500,00");
    EXPECT_EQ(eh::PinnedLabel(eh::test::ExampleB(), eh::test::ExampleA(), kBandwidthField, ','), "та же конструкция");
    EXPECT_TRUE(model.Pins().Pin(eh::test::ExampleA()));
    EXPECT_FALSE(model.Pins().Pin(eh::test::ExampleA()));
}

TEST(ExplorerModel, AnotherInputStartsFromItsSensibleRangeAFrequencyFromHf)
{
    ExplorerModel model;
    model.SetSeparator(',');
    model.SetFieldTexts(kExampleA);
    model.SetXInput(3); // the wire diameter
    EXPECT_EQ(model.Preset(), eh::TRangePreset::Custom);
    EXPECT_EQ(model.RangeTexts().from, "0,05");
    EXPECT_EQ(model.RangeTexts().to, "10");
    model.SetXInput(0);
    model.SetPreset(eh::TRangePreset::TypedBand);
    const eh::TExplorerRequest request = model.Request();
    ASSERT_TRUE(request.plan) << request.message;
    EXPECT_EQ(model.RangeTexts().from, "14");
    EXPECT_EQ(model.RangeTexts().to, "14,35");
    model.ShowBand(eh::BandPlan(eh::TIaruRegion::Region1)[0]);
    EXPECT_EQ(model.Preset(), eh::TRangePreset::Custom);
    EXPECT_EQ(model.RangeTexts().from, "1,81");
}

TEST(ExplorerCharts, EveryOutputOnceTwoUnitsAChartAndAUnitNeverSplit)
{
    std::vector<std::size_t> all(eh::kResultCount);
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = i;
    const std::vector<std::vector<std::size_t>> charts = eh::ExplorerCharts(all);
    std::vector<std::size_t> seen;
    std::vector<std::string> unitsSeen;
    for (const std::vector<std::size_t>& chart : charts) {
        std::vector<std::string> units;
        for (const std::size_t output : chart) {
            seen.push_back(output);
            const std::string unit = eh::ExplorerUnit(eh::ResultTable()[output]);
            if (std::find(units.begin(), units.end(), unit) == units.end())
                units.push_back(unit);
        }
        EXPECT_LE(units.size(), eh::kUnitsPerChart);
        for (const std::string& unit : units) {
            EXPECT_EQ(std::count(unitsSeen.begin(), unitsSeen.end(), unit), 0) << unit;
            unitsSeen.push_back(unit);
        }
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, all);
    EXPECT_TRUE(eh::ExplorerCharts({}).empty());
}

TEST(WorkbenchNumber, FourSignificantDigitsAndMillimetresToAHundredth)
{
    struct Case {
        double value;
        const char* unit;
        const char* text;
    };
    const Case cases[] = {
        {22.6123, "мм", "22,61"},  {1234.567, "мм", "1235"},    {0.0523, "мм", "0,05"},
        {1234.3167, "кГц", "1234"}, {0.012345, "%", "0,01235"}, {99.96, "%", "99,96"},
        {99.996, "%", "100"},       {-7.0, "", "-7"},           {0.0, "", "0"},
        {2.5e20, "Ом", "2,5e+20"},  {-0.0, "", "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(eh::WorkbenchNumber(c.value, c.unit, ','), c.text) << c.value;
}

TEST(WorkbenchNumber, ASweepsValuesTakeTheDecimalsThatKeepNeighboursApart)
{
    struct Case {
        std::vector<double> values;
        int decimals;
        const char* second; // the second value's text
    };
    const Case cases[] = {
        {{10, 11, 12}, 1, "11"},
        {{12.080444444444444, 12.090642222222222}, 3, "12,091"},
        {{1.8, 1.8565130260521042, 1.913026052104208}, 3, "1,857"},
        {{1, 1.0000000000000002}, 17, "1,00000000000000022"},
        {{5, 5, 5}, 0, "5"}, // no step: a constant or a single point
        {{7}, 0, "7"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(eh::StepDecimals(c.values), c.decimals) << c.second;
        EXPECT_EQ(eh::DecimalsNumber(c.values[std::min<std::size_t>(1, c.values.size() - 1)], c.decimals, ','),
                  c.second);
    }
}

TEST(TuningPlan, ASwrOfTwoAllows0Point71OfTheBandwidthAndEverySettingIsATuning)
{
    const eh::TAntennaInputs typed = eh::test::ExampleA();
    const auto threeDb = eh::TuningPlan(eh::TIaruRegion::Region1, typed, eh::TBandwidthCriterion::ThreeDb);
    const auto swr = eh::TuningPlan(eh::TIaruRegion::Region1, typed, eh::TBandwidthCriterion::Swr2);
    ASSERT_EQ(swr.size(), threeDb.size());
    for (std::size_t i = 0; i < swr.size(); ++i) {
        ASSERT_TRUE(threeDb[i].widthKHz && swr[i].widthKHz);
        EXPECT_DOUBLE_EQ(*swr[i].widthKHz, *threeDb[i].widthKHz / std::sqrt(2.0));
        EXPECT_EQ(swr[i].typedBand, swr[i].coverage.band.metres == 20);
        const eh::TAmateurBand& band = swr[i].coverage.band;
        EXPECT_EQ(*swr[i].settingCount, eh::SettingsToCover(band.WidthKHz(), *swr[i].widthKHz));
        // Each setting tunes the middle of its share of the band.
        const double share = band.WidthKHz() / static_cast<double>(*swr[i].settingCount);
        for (std::size_t s = 0; s < swr[i].settings.size(); ++s) {
            EXPECT_DOUBLE_EQ(swr[i].settings[s].frequencyKHz, band.lowKHz + (s + 0.5) * share);
            eh::TAntennaInputs there = typed;
            there.FrequencyMHz = swr[i].settings[s].frequencyKHz / 1000;
            EXPECT_EQ(swr[i].settings[s].turns, eh::CalculateDesign(there).results->TurnCount);
        }
    }
}

TEST(TuningPlan, EachSettingIsListedWithItsFrequencyAndTurns)
{
    const auto plan = eh::TuningPlan(eh::TIaruRegion::Region1, eh::test::ExampleA(), eh::TBandwidthCriterion::Swr2);
    eh::TAntennaInputs at20m = eh::test::ExampleA();
    at20m.FrequencyMHz = 14.175;
    EXPECT_EQ(eh::SettingsText(plan[5], ','),
              "20 м, настроек: 1\n14175 кГц — " +
                  eh::WorkbenchNumber(eh::CalculateDesign(at20m).results->TurnCount, "", ',') + " вит.");
    // 160 m takes 14: the first dozen are listed.
    const std::string text = eh::SettingsText(plan[0], ',');
    EXPECT_TRUE(text.starts_with("160 м, настроек: 14\n1817 кГц — ")) << text;
    EXPECT_TRUE(text.ends_with("\n…")) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 13);
}

TEST(ExplorerNotes, AMeasuredBandwidthIsSaidToHoldWhereItWasMeasured)
{
    eh::TSweepPlan plan = *eh::PlanSweepByPoints(0, "1,8", "30", 3, ',', 3).plan;
    const std::vector<std::size_t> efficiency = {*eh::ResultByKey("EfficiencyPct")};
    const std::vector<std::size_t> turns = {*eh::ResultByKey("TurnCount")};
    const eh::TDesignSweep measured = eh::RunDesignSweep(plan, eh::test::ExampleB());
    EXPECT_EQ(eh::ExplorerNotes(measured, efficiency, "", ',').Joined(),
              "Измеренная полоса 500 кГц верна только там, где её измерили (Частота (МГц) = 14,2, красная черта): "
              "в стороне от неё RR, КПД и потери — не измерение");
    EXPECT_EQ(eh::ExplorerNotes(measured, turns, "", ',').Joined(), "");
    const eh::TDesignSweep unmeasured = eh::RunDesignSweep(plan, eh::test::ExampleA());
    EXPECT_TRUE(eh::ExplorerNotes(unmeasured, efficiency, "", ',').Joined().starts_with("Измеренная полоса равна 0"));
}

TEST(ExplorerReadout, AShortenedReadoutCountsWhatItLeavesOut)
{
    const std::vector<std::string> parts{"Частота (МГц) = 15", "Q = 12", "RR = 0 Ом"};
    EXPECT_EQ(eh::JoinedReadout(parts, 3), "Частота (МГц) = 15   Q = 12   RR = 0 Ом");
    EXPECT_EQ(eh::JoinedReadout(parts, 1), "Частота (МГц) = 15   … ещё 2");
}

TEST(ExplorerLanguage, EveryTextTheModelMakesIsInTheChosenLanguage)
{
    const eh::TLanguage english = eh::TLanguage::English;
    const auto plan =
        eh::TuningPlan(eh::TIaruRegion::Region1, eh::test::ExampleA(), eh::TBandwidthCriterion::Swr2);
    eh::TAntennaInputs at20m = eh::test::ExampleA();
    at20m.FrequencyMHz = 14.175;
    const std::string turns = eh::WorkbenchNumber(eh::CalculateDesign(at20m).results->TurnCount, "", '.');
    const eh::TSweepPlan sweep = *eh::PlanSweepByPoints(0, "14.1", "14.3", 3, '.', 3).plan;
    const eh::TDesignSweep measured = eh::RunDesignSweep(sweep, eh::test::ExampleB());
    ExplorerModel model;
    model.SetLanguage(english);
    model.SetFieldTexts({"14.2", "x", "3", "1", "2", "50", "0"});
    const std::vector<std::size_t> inductance = {*eh::ResultByKey("InductanceUh")};
    const std::vector<std::string> readout =
        eh::ExplorerReadoutParts(measured, 1, inductance, eh::TIaruRegion::Region1, '.', false, english);
    const struct {
        std::string shown, expected;
    } cases[] = {
        {eh::ExplorerCaption(eh::ResultTable()[*eh::ResultByKey("BandwidthKHz")], english), "3 dB bandwidth, kHz"},
        {eh::SettingsText(plan[5], '.', english), "20 m, settings: 1\n14175 kHz — " + turns + " turns"},
        {eh::TuningPlanCells(plan[5], '.', english)[0], "20 m"},
        {eh::CriterionNames(english)[1], "SWR ≤ 2 (0.71 of the 3 dB bandwidth)"},
        {model.Request().message, "Cylinder diameter (mm): not a number"},
        {readout.at(0), "Frequency (MHz) = 14.2 (20 m)"},
        {readout.at(1).substr(0, readout.at(1).find('=')), "Coil inductance L "},
        {readout.at(1).substr(readout.at(1).size() - 3), "µH"},
        {eh::ExplorerNotes(measured, {*eh::ResultByKey("EfficiencyPct")}, "", '.', english).Joined(),
         "The measured bandwidth of 500 kHz holds only where it was measured (Frequency (MHz) = 14.2, the red "
         "line): away from it RR, efficiency and loss are not a measurement"},
        {eh::JoinedReadout({"Q = 12", "RR = 0 Ohm"}, 1, english), "Q = 12   … 1 more"},
        {eh::PinnedLabel(eh::test::ExampleA(), eh::test::ExampleA(), 0, '.', english), "the same design"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, c.expected);
}

// Example A typed in inches: 50 mm is 1.968503937 in, 1 mm 0.0393700787 in.
const TFieldTexts kExampleAInInches = {"14.2", "1.968503937", "3", "0.0393700787", "0.0787401575", "1.968503937", "0"};
const std::size_t kPitch = 4;

ExplorerModel InInches()
{
    ExplorerModel model;
    model.SetLanguage(eh::TLanguage::English);
    model.SetFieldTextOptions({.lengths = eh::TLengthUnit::Inch});
    model.SetFieldTexts(kExampleAInInches);
    return model;
}

TEST(ExplorerInches, EveryLengthTheExplorerShowsIsInInchesAndEveryTypedOneReachesTheModelExactly)
{
    const eh::TLanguage english = eh::TLanguage::English;
    const eh::TLengthUnit inches = eh::TLengthUnit::Inch;
    ExplorerModel model = InInches();
    model.SetXInput(kPitch);
    const eh::TRangeTexts sensible = model.RangeTexts();
    model.SetRangeTexts({"0.05", "0.1", "3"});
    const eh::TExplorerRequest request = model.Request();
    ASSERT_TRUE(request.plan) << request.message;
    const eh::TDesignSweep sweep = eh::RunDesignSweep(*request.plan, *request.typed);
    const std::vector<std::size_t> total = {*eh::ResultByKey("TotalLengthCm")};
    const std::vector<std::string> readout =
        eh::ExplorerReadoutParts(sweep, 2, total, eh::TIaruRegion::Region1, '.', false, english, inches);
    eh::TAntennaInputs wider = *request.typed;
    wider.CylinderDiameterMm = 50.8;
    const eh::TDrawingDimensions dimensions =
        eh::DrawingDimensions(*request.typed, *eh::CalculateDesign(*request.typed).results);
    const eh::TDrawingShapes drawing = eh::DrawingShapes(dimensions, '.', english, inches);

    const struct {
        std::string shown, expected;
    } cases[] = {
        // A range over the pitch starts from its sensible range, widened to
        // round inches, and reaches the model as exact millimetres.
        {sensible.from + " to " + sensible.to, "0.0019 to 0.79"},
        {eh::ExactNumber(request.plan->Value(0), '.') + " to " + eh::ExactNumber(request.plan->Value(2), '.'),
         "1.27 to 2.54"},
        {readout.at(0), "Winding pitch (in) = 0.1"},
        {readout.at(1).substr(readout.at(1).size() - 3), " in"},
        {eh::ExplorerCaption(eh::ResultTable()[total[0]], english, inches), "Total antenna length, in"},
        {eh::ExplorerCaption(eh::ResultTable()[*eh::ResultByKey("TurnsPerCm")], english, inches), "Turns per inch"},
        {eh::PinnedLabel(wider, *request.typed, 0, '.', english, inches), "Cylinder diameter (in) 2.000"},
        {drawing.caption, "Side view, in"},
        {drawing.cylinder.dimensions.at(6).label, "1.969"},
        // Millimetres stay as they were.
        {eh::DrawingShapes(dimensions, '.', english).cylinder.dimensions.at(6).label, "50.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, c.expected);
    EXPECT_EQ(request.typed->CylinderDiameterMm, eh::ConvertFieldText("49.9999999998", '.'));
}

TEST(ExplorerInches, ASearchTakesItsBoundsInInchesAndListsAndWritesInches)
{
    ExplorerModel model = InInches();
    // Which cylinder diameter gives the bandwidth that 40 mm gives?
    eh::TAntennaInputs forty = *model.Typed();
    forty.CylinderDiameterMm = 40;
    eh::TSolveTexts texts = model.SolveTexts();
    EXPECT_EQ(texts.from + " to " + texts.to, "0.039 to 20");
    texts.target = eh::ExactNumber(eh::CalculateDesign(forty).results->BandwidthKHz, '.');
    model.SetSolveTexts(texts);
    const eh::TSolveReading reading = model.SolveRequest();
    ASSERT_TRUE(reading.request) << reading.message;
    EXPECT_EQ(reading.request->plan.Value(reading.request->plan.points - 1), 508);
    model.AcceptSolutions({*reading.request, eh::SolveForTarget(*reading.request)});
    const std::vector<eh::TSolutionRow> rows =
        eh::SolutionRows(*model.Solutions(), '.', eh::TLanguage::English, eh::TLengthUnit::Inch);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NEAR(rows[0].exact, 40, 1e-9);
    EXPECT_EQ(rows[0].shownText, "1.575");
    EXPECT_TRUE(rows[0].text.starts_with("Cylinder diameter (in) = 1.575 → ")) << rows[0].text;
}

TEST(ExplorerInches, ADesignFileIsInMillimetresAndReopensInTheInchesTyped)
{
    ExplorerModel model = InInches();
    model.Pins().Pin(*model.Typed());
    const eh::TDesignFile file = eh::ExplorerDesignFile(model);
    EXPECT_EQ(file.texts, (TFieldTexts{"14.2", "49.9999999998", "3", "0.99999999898", "2.00000000050",
                                       "49.9999999998", "0"}));
    // Read as millimetres, as the tool reads it: the design typed.
    const eh::TAntennaInputs read = eh::ReadFieldTexts(file.texts, '.', {}).inputs;
    for (const eh::TInputInfo& input : eh::InputTable())
        EXPECT_EQ(read.*input.value, (*model.Typed()).*input.value) << input.key;
    EXPECT_EQ(eh::DesignFileFieldTexts(model, file), kExampleAInInches);
    EXPECT_EQ(eh::DesignFileFieldTexts(ExplorerModel(), file), file.texts);
}

TEST(ExplorerNotes, ThePageNamesTheFieldWhereThePageHasIt)
{
    eh::TSweepPlan plan = *eh::PlanSweepByPoints(0, "1.8", "30", 3, '.', 3).plan;
    const eh::TDesignSweep unmeasured = eh::RunDesignSweep(plan, eh::test::ExampleA());
    const std::string note = eh::ExplorerNotes(unmeasured, {*eh::ResultByKey("EfficiencyPct")}, "", '.',
                                               eh::TLanguage::English, eh::TLengthUnit::Millimetre,
                                               eh::TExplorerHost::Page)
                                 .Joined();
    EXPECT_TRUE(note.ends_with("(type it into the field “Bandwidth BW (kHz)” at the top of the page)")) << note;
}

TEST(AxisTicks, AtLeastThreeLabelledTicksWhereTheRangeAllows)
{
    struct Case {
        double low;
        double high;
        int maxTicks;
    };
    const Case cases[] = {{0, 1.1, 2},  {13.9, 14.41, 3}, {99.2, 100, 4}, {1.8, 30, 12},
                          {-5, 5, 2},   {6.93, 7.62, 2},  {0, 0, 5}};
    for (const Case& c : cases) {
        const eh::TAxisTicks ticks = eh::AxisTicks(c.low, c.high, c.maxTicks);
        EXPECT_GE(ticks.step, 1e-9 * std::max(1.0, std::abs(c.high))) << c.low << " to " << c.high;
        const double within = std::floor(ticks.high / ticks.step) - std::ceil(ticks.low / ticks.step) + 1;
        EXPECT_GE(within, 3) << c.low << " to " << c.high;
        EXPECT_LE(within - 1, std::max(c.maxTicks, 3)) << c.low << " to " << c.high; // intervals
    }
}

TEST(DesignFile, TheSevenTextsAndThePinsTravelAndABadFileIsNamed)
{
    const eh::TDesignFile design{kExampleA, {{"7,1", "40", "3", "1", "2", "50", "0"}}};
    const std::string bytes = eh::WriteDesignFile(design, ',');
    EXPECT_EQ(bytes, R"({"frequency":"14,2","cylinder-diameter":"50","ratio":"3","wire-diameter":"1","pitch":"2",)"
                     R"("turn-diameter":"50","bandwidth":"0","separator":",","pins":[{"frequency":"7,1",)"
                     R"("cylinder-diameter":"40","ratio":"3","wire-diameter":"1","pitch":"2","turn-diameter":"50",)"
                     R"("bandwidth":"0"}]})"
                     "\n");
    // Read where a point is the mark: the texts follow.
    const eh::TDesignFileReading read = eh::ReadDesignFile(bytes, '.');
    ASSERT_TRUE(read.design);
    EXPECT_EQ(read.design->texts[0], "14.2");
    EXPECT_EQ(read.design->pins.at(0)[0], "7.1");

    EXPECT_EQ(eh::DesignLinkQuery({"14,2", "50", "3", "1", "2", "50", "a b&"}, ','),
              "?frequency=14%2C2&cylinder-diameter=50&ratio=3&wire-diameter=1&pitch=2&turn-diameter=50"
              "&bandwidth=a%20b%26&separator=%2C");

    struct Case {
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"{", "это не JSON"},
        {"[1]", "в файле не объект JSON"},
        {R"({"frequency":"1","colour":"red"})", "неизвестный ключ «colour»"},
        {R"({"frequency":14.2})", "значение ключа «frequency» должно быть строкой"},
        {R"({"frequency":"14.2"})", "нет ключа «cylinder-diameter»"},
        {std::string(eh::kMaxDesignFileBytes + 1, ' '), "файл слишком велик для файла конструкции (65537 байт)"},
    };
    for (const Case& c : cases) {
        const eh::TDesignFileReading reading = eh::ReadDesignFile(c.bytes, ',');
        EXPECT_FALSE(reading.design);
        EXPECT_EQ(eh::DesignFileFault(reading, eh::TLanguage::Russian), c.message);
    }
}


// A measured antenna: resonant at 14.186 MHz, 236.74 kHz wide at 3 dB,
// SWR <= 2 from 14.12 to 14.25 MHz.
eh::TShownMeasurement Measured()
{
    eh::TShownMeasurement measured{"antenna.s1p", {}};
    measured.analysis.resonanceHz = 14.186e6;
    measured.analysis.bandwidthHz = 236.74e3;
    measured.analysis.swr2Span = eh::TFrequencySpan{14.12e6, 14.25e6};
    return measured;
}

TEST(ExplorerMeasurement, MarksWhatFallsInTheRangeAndSaysTheRestInTheLegend)
{
    const std::size_t bandwidth = *eh::ResultByKey("BandwidthKHz");
    const std::size_t efficiency = *eh::ResultByKey("EfficiencyPct");
    const std::string numbers = "Измерение «antenna.s1p»: f₀ 14,1860 МГц, полоса 3 dB 236,74 кГц";
    const std::string swr2 = ", КСВ ≤ 2 14,1200–14,2500 МГц";
    struct Case {
        double low, high;
        std::vector<std::size_t> outputs;
        bool resonance, band, span;
        std::optional<std::size_t> pointOutput;
        std::string legend;
    };
    const Case cases[] = {
        {14, 14.35, {efficiency, bandwidth}, true, true, true, 1, numbers + " (◆)" + swr2},
        {14, 14.35, {efficiency}, true, true, true, std::nullopt, numbers + swr2},
        // The top of the 3 dB band and the 2:1 span's edge reach into it.
        {14.25, 14.35, {bandwidth}, false, true, true, std::nullopt, numbers + swr2 + " — вне диапазона графика"},
        {7, 7.2, {bandwidth}, false, false, false, std::nullopt, numbers + swr2 + " — вне диапазона графика"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << "–" << c.high << " MHz, " << c.outputs.size() << " outputs");
        const eh::TMeasurementMarks marks = eh::MeasurementMarks(Measured(), c.low, c.high, c.outputs, ',');
        EXPECT_EQ(marks.legend, c.legend);
        EXPECT_EQ(marks.resonanceMHz, c.resonance ? std::optional(14.186) : std::nullopt);
        ASSERT_EQ(marks.band.has_value(), c.band);
        if (c.band) {
            EXPECT_NEAR(marks.band->lowMHz, 14.06763, 1e-9);
            EXPECT_NEAR(marks.band->highMHz, 14.30437, 1e-9);
        }
        ASSERT_EQ(marks.swr2Span.has_value(), c.span);
        if (c.span) {
            EXPECT_EQ(marks.swr2Span->lowMHz, 14.12);
        }
        ASSERT_EQ(marks.point.has_value(), c.pointOutput.has_value());
        if (c.pointOutput) {
            EXPECT_EQ(marks.point->output, *c.pointOutput);
            EXPECT_EQ(marks.point->frequencyMHz, 14.186);
            EXPECT_NEAR(marks.point->bandwidthKHz, 236.74, 1e-9);
        }
    }
    eh::TShownMeasurement flat = Measured();
    flat.analysis = {};
    EXPECT_EQ(eh::MeasurementMarks(flat, 1.8, 30, {bandwidth}, ',').legend,
              "Измерение «antenna.s1p»: резонанса в нём нет");
}

TEST(ExplorerModel, AMeasurementShowsOverTheFrequencyChartUntilHidden)
{
    ExplorerModel model;
    model.SetSeparator(',');
    EXPECT_FALSE(model.MeasurementMarksOver(0, 1.8, 30));
    model.SetMeasurement(Measured());
    ASSERT_TRUE(model.MeasurementMarksOver(0, 1.8, 30));
    EXPECT_TRUE(model.MeasurementMarksOver(0, 1.8, 30)->point);
    EXPECT_FALSE(model.MeasurementMarksOver(kDiameter, 10, 100));
    model.SetMeasurementShown(false);
    EXPECT_FALSE(model.MeasurementMarksOver(0, 1.8, 30));
    model.SetMeasurement(Measured());
    EXPECT_TRUE(model.MeasurementShown());

    // Twice the 3 dB band either side of 14.186 MHz, to round figures.
    model.SetXInput(kDiameter);
    ASSERT_TRUE(model.ShowMeasuredStretch());
    EXPECT_TRUE(model.SweepsFrequency());
    EXPECT_EQ(model.Preset(), eh::TRangePreset::Custom);
    EXPECT_EQ(model.RangeTexts().from, "13,6");
    EXPECT_EQ(model.RangeTexts().to, "14,8");
    eh::TShownMeasurement flat = Measured();
    flat.analysis = {};
    model.SetMeasurement(flat);
    EXPECT_FALSE(model.ShowMeasuredStretch());
    EXPECT_EQ(model.RangeTexts().from, "13,6");
}

} // namespace

TEST(BuildSheetText, TheInputsInTheReportsFormTheBandAndTheLink)
{
    ExplorerModel model;
    model.SetSeparator(',');
    model.SetFieldTexts(kExampleA);
    const std::optional<eh::TBuildSheetText> sheet = eh::BuildSheetText(model);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->title, "EH-антенна: лист сборки");
    ASSERT_EQ(sheet->inputs.size(), 7u);
    EXPECT_EQ(sheet->inputs[0], "Частота (МГц): 14,20");
    EXPECT_EQ(sheet->inputs[1], "Диаметр цилиндров (мм): 50,00");
    EXPECT_EQ(sheet->band, "Диапазон 20 м: 14000–14350 кГц");
    EXPECT_EQ(sheet->link, eh::DesignLinkQuery(kExampleA, ','));

    // Lengths typed in inches are written in inches, as the report writes them.
    ExplorerModel inches;
    inches.SetLanguage(eh::TLanguage::English);
    inches.SetFieldTextOptions(eh::PageFieldReading(eh::TLanguage::English, eh::TLengthUnit::Inch));
    inches.SetFieldTexts({"7.1", "2", "3", "0.04", "0.08", "2", "0"});
    const std::optional<eh::TBuildSheetText> english = eh::BuildSheetText(inches);
    ASSERT_TRUE(english);
    EXPECT_EQ(english->inputs[0], "Frequency (MHz): 7.10");
    EXPECT_EQ(english->inputs[1], "Cylinder diameter (in): 2.000");
    EXPECT_EQ(english->inputs[2], "Length/diameter ratio (L/D): 3.00");
    EXPECT_EQ(english->band, "40 m band: 7000–7200 kHz");
    EXPECT_TRUE(english->link.ends_with("&separator=.&units=in")) << english->link;

    model.SetFieldTexts({"14,2", "x", "3", "1", "2", "50", "0"});
    EXPECT_FALSE(eh::BuildSheetText(model));
}
