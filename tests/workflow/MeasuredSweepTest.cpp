// SPDX-License-Identifier: GPL-3.0-or-later
// A measured one-port sweep: resonances of known Q read back from every form
// an analyser saves them in, the refusals with their line, and the figures
// that are missing from a sweep that cannot give them.
#include "MeasurementTexts.h"
#include "NumberWord.h"
#include "ResonanceAnalysis.h"
#include "SyntheticSweep.h"
#include "Touchstone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

using eh::TMeasurementNote;
using eh::TTouchstoneFault;
using eh::test::TSyntheticFormat;
using eh::test::TSyntheticResonance;

eh::TResonanceAnalysis Analyse(const std::string& file)
{
    const eh::TTouchstoneReading reading = eh::ReadTouchstone(file);
    EXPECT_TRUE(reading.sweep) << eh::TouchstoneRefusalText(reading.refusal);
    return reading.sweep ? eh::AnalyseResonance(*reading.sweep) : eh::TResonanceAnalysis{};
}

bool Has(const eh::TResonanceAnalysis& analysis, TMeasurementNote note)
{
    return std::find(analysis.notes.begin(), analysis.notes.end(), note) != analysis.notes.end();
}

TEST(ResonanceAnalysis, KnownResonancesGiveTheirFrequencyAndQWithinOnePercent)
{
    struct Case {
        TSyntheticResonance resonance;
        TSyntheticFormat format;
    };
    const Case cases[] = {
        {{false, 14.2e6, 60, 50}, {'S', "RI", "MHZ"}},                          // series, matched
        {{false, 7.1e6, 40, 20}, {'S', "MA", "KHZ", 50, 301, 6, 0.003}},        // series, SWR 2.5, noisy
        {{true, 3.6e6, 120, 50}, {'Z', "RI", "HZ"}},                            // parallel, matched
        {{true, 0.435e9, 300, 130}, {'S', "DB", "GHZ", 50, 401, 3, 0.004}},     // parallel, SWR 2.6, noisy
        {{false, 28.5e6, 25, 80}, {'Y', "MA", "MHZ", 75, 101, 8}},              // series, 75 ohm reference
        {{true, 1.85e6, 200, 35}, {'S', "DB", "KHZ", 50, 1001, 2, 0.002}},      // parallel, dense and noisy
        {{false, 10.1e6, 80, 45}, {'Z', "RI", "MHZ", 50, 201, 4, 0, 2}},        // Touchstone 2.0, ohms
        {{true, 50.2e6, 150, 60}, {'Y', "DB", "HZ", 50, 151, 5, 0.003, 2}},     // Touchstone 2.0, siemens
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.resonance.parallel ? "parallel " : "series ") << c.resonance.resonanceHz
                                        << " Hz " << c.format.parameter << " " << c.format.format);
        const eh::TResonanceAnalysis analysis = Analyse(eh::test::SyntheticTouchstone(c.resonance, c.format));
        const double bandwidth = c.resonance.resonanceHz / c.resonance.q;
        ASSERT_TRUE(analysis.resonanceHz && analysis.q && analysis.bandwidthHz);
        EXPECT_NEAR(*analysis.resonanceHz, c.resonance.resonanceHz, 0.01 * bandwidth);
        EXPECT_NEAR(*analysis.q, c.resonance.q, 0.01 * c.resonance.q);
        EXPECT_NEAR(*analysis.bandwidthHz, bandwidth, 0.01 * bandwidth);
        EXPECT_NEAR(*analysis.resistanceOhm, c.resonance.resistanceOhm, 0.01 * c.resonance.resistanceOhm);
        EXPECT_NEAR(*analysis.reactanceOhm, 0, 0.02 * c.resonance.resistanceOhm);
        EXPECT_EQ(analysis.points, static_cast<std::size_t>(c.format.points));
    }
}

TEST(ResonanceAnalysis, MatchedResonatorsHalfPowerSwrSpanIsItsBandwidth)
{
    // Two independent readings of the same figure: the slope of Z and the
    // SWR <= 2.618 span read off the curve.
    for (const bool parallel : {false, true}) {
        const TSyntheticResonance resonance{parallel, 14.2e6, 70, 50};
        const eh::TResonanceAnalysis analysis =
            Analyse(eh::test::SyntheticTouchstone(resonance, {'S', "RI", "MHZ", 50, 801, 3}));
        ASSERT_TRUE(analysis.swrSpan && analysis.swr2Span && analysis.bandwidthHz);
        EXPECT_NEAR(analysis.swrSpan->WidthHz(), *analysis.bandwidthHz, 0.01 * *analysis.bandwidthHz);
        // 2:1 of a matched resonator: (s - 1)/(Q sqrt s) of f0.
        EXPECT_NEAR(analysis.swr2Span->WidthHz(), *analysis.bandwidthHz / std::sqrt(2.0), 0.01 * *analysis.bandwidthHz);
        EXPECT_NEAR(analysis.swrMin, 1, 1e-3);
        // The ideal resonator drawn beside the curve crosses 2.618 where the measured one does.
        for (const double edge : {analysis.swrSpan->lowHz, analysis.swrSpan->highHz})
            EXPECT_NEAR(eh::IdealResonatorSwr(edge, *analysis.resonanceHz, *analysis.bandwidthHz), eh::kHalfPowerSwr, 0.01);
        EXPECT_EQ(eh::IdealResonatorSwr(*analysis.resonanceHz, *analysis.resonanceHz, *analysis.bandwidthHz), 1);
    }
}

TEST(ResonanceAnalysis, WhatASweepCannotGiveIsMissingWithItsReason)
{
    const TSyntheticResonance resonance{false, 14.2e6, 60, 50};
    // The sweep ends below the resonance: its smallest reflection is its last point.
    TSyntheticFormat below{'S', "RI", "MHZ", 50, 101, 4};
    below.offsetBandwidths = -3;
    eh::TResonanceAnalysis analysis = Analyse(eh::test::SyntheticTouchstone(resonance, below));
    EXPECT_FALSE(analysis.resonanceHz || analysis.q || analysis.bandwidthHz || analysis.swrSpan);
    EXPECT_TRUE(Has(analysis, TMeasurementNote::MinimumAtHighEnd));
    EXPECT_GT(analysis.swrMin, 1);

    // Too narrow a sweep: Q stands, the spans run past its ends.
    analysis = Analyse(eh::test::SyntheticTouchstone(resonance, {'S', "RI", "MHZ", 50, 101, 0.5}));
    ASSERT_TRUE(analysis.q);
    EXPECT_NEAR(*analysis.q, 60, 0.6);
    EXPECT_FALSE(analysis.swrSpan || analysis.swr2Span);
    EXPECT_TRUE(Has(analysis, TMeasurementNote::SwrSpanBeyondSweep));
    EXPECT_TRUE(Has(analysis, TMeasurementNote::Swr2SpanBeyondSweep));

    // Random reflections are no resonance.
    std::mt19937 random(5);
    std::string noise = "# MHZ S MA\n";
    for (int i = 1; i <= 101; ++i)
        noise += std::to_string(i) + " 0." + std::to_string(100 + random() % 800) + " " +
                 std::to_string(random() % 360) + "\n";
    analysis = Analyse(noise);
    EXPECT_FALSE(analysis.q);
    EXPECT_TRUE(Has(analysis, TMeasurementNote::NotOneResonance));

    // SWR 5 at the resonance: Q stands, neither span exists.
    analysis = Analyse(eh::test::SyntheticTouchstone({true, 14.2e6, 60, 250}, {'S', "RI", "MHZ"}));
    ASSERT_TRUE(analysis.q);
    EXPECT_NEAR(*analysis.q, 60, 0.6);
    EXPECT_NEAR(analysis.swrMin, 5, 0.01);
    EXPECT_TRUE(Has(analysis, TMeasurementNote::SwrSpanNotReached));
    EXPECT_TRUE(Has(analysis, TMeasurementNote::Swr2SpanNotReached));
}

TEST(ResonanceAnalysis, AnUncalibratedReflectionAboveOneIsReportedNotAnalysedAway)
{
    // Every reflection 5 % too large: near the resonance still below 1,
    // away from it above.
    std::string file = "# MHZ S MA R 50\n";
    for (int i = 0; i < 41; ++i) {
        const double hz = 13.2e6 + 50e3 * i;
        const std::complex<double> z = eh::test::ResonanceImpedance({false, 14.2e6, 60, 50}, hz);
        const std::complex<double> g = 1.05 * (z - 50.0) / (z + 50.0);
        file += eh::test::NumberText(hz / 1e6) + " " + eh::test::NumberText(std::abs(g)) + " " +
                eh::test::NumberText(std::arg(g) * 180 / std::numbers::pi) + "\n";
    }
    const eh::TResonanceAnalysis analysis = Analyse(file);
    EXPECT_GT(analysis.pointsAboveOne, 0u);
    EXPECT_EQ(analysis.notes.front(), TMeasurementNote::ReflectionAboveOne);
    const eh::TTouchstoneReading reading = eh::ReadTouchstone(file);
    const eh::TPointFigures first = eh::FiguresAt(reading.sweep->points.front());
    EXPECT_FALSE(first.swr);
    EXPECT_LT(first.returnLossDb, 0);
    EXPECT_LT(*first.resistanceOhm, 0);

    const std::string dead = "# MHZ S RI\n1 1 0\n2 1 0\n3 1 0\n4 1 0\n5 1 0\n";
    EXPECT_TRUE(Has(Analyse(dead), TMeasurementNote::NoPowerAccepted));
}

TEST(ResonanceAnalysis, TheFieldTextIsTheBandwidthToFiveDigits)
{
    struct Case {
        double bandwidthHz;
        const char* text;
    };
    const Case cases[] = {{236'666.67, "236.67"}, {2'366'666.7, "2366.7"}, {23'666.667, "23.667"},
                          {14'200, "14.2"},       {0.5, "0.0005"},          {1.5e8, "1.5e+05"}};
    for (const Case& c : cases) {
        eh::TResonanceAnalysis analysis;
        analysis.bandwidthHz = c.bandwidthHz;
        EXPECT_EQ(eh::BandwidthFieldText(analysis), c.text);
    }
    EXPECT_FALSE(eh::BandwidthFieldText(eh::TResonanceAnalysis{}));
}

TEST(NumberWord, ReadsWhatInstrumentsWrite)
{
    using eh::TNumberWordKind;
    struct Case {
        const char* word;
        TNumberWordKind kind;
        double value;
    };
    const Case cases[] = {
        {"1.0E+09", TNumberWordKind::Number, 1e9},
        {"+5", TNumberWordKind::Number, 5},
        {"-.5", TNumberWordKind::Number, -0.5},
        {"5.", TNumberWordKind::Number, 5},
        {"0.1", TNumberWordKind::Number, 0.1},
        {"-0.699375236355014", TNumberWordKind::Number, -0.699375236355014},
        {"236.69702842546695", TNumberWordKind::Number, 236.69702842546695},
        {"000123456789012345678901e-3", TNumberWordKind::Number, 123456789012345678901e-3},
        {"1e-999", TNumberWordKind::Number, 0},
        {"1e999", TNumberWordKind::NotFinite, 0},
        {"-Infinity", TNumberWordKind::NotFinite, 0},
        {"NaN", TNumberWordKind::NotFinite, 0},
        {"", TNumberWordKind::NotANumber, 0},
        {".", TNumberWordKind::NotANumber, 0},
        {"1e", TNumberWordKind::NotANumber, 0},
        {"1.2.3", TNumberWordKind::NotANumber, 0},
        {"0x10", TNumberWordKind::NotANumber, 0},
        {"0,5", TNumberWordKind::NotANumber, 0},
    };
    for (const Case& c : cases) {
        const eh::TNumberWord number = eh::ReadNumberWord(c.word);
        EXPECT_EQ(number.kind, c.kind) << c.word;
        EXPECT_EQ(number.value, c.value) << c.word;
    }
}

TEST(Touchstone, BadFilesAreRefusedNamingTheLine)
{
    const std::string five = "1 0 0\n2 0 0\n3 0 0\n4 0 0\n5 0 0\n";
    struct Case {
        std::string file;
        TTouchstoneFault fault;
        std::size_t line;
        const char* text;
    };
    const Case cases[] = {
        {"", TTouchstoneFault::Empty, 0, "Файл не прочитан: в файле нет ни одной точки измерения."},
        {"! nothing\r\n# MHZ S RI R 50\r\n\r\n", TTouchstoneFault::Empty, 0, nullptr},
        {"# MHZ S RI\r\n1 0 0\r\n\x89PNG\x1A\n", TTouchstoneFault::Binary, 3,
         "Файл не прочитан, строка 3: это не текстовый файл Touchstone (двоичные данные)."},
        {std::string("1 0 0\0", 6), TTouchstoneFault::Binary, 1, nullptr},
        {"# MHZ S RI R 50\n1 0 0 0.9 0 0.9 0 0 0\n", TTouchstoneFault::NotOnePort, 2,
         "Файл не прочитан, строка 2: это не однопортовое измерение (нужен файл .s1p)."},
        {"# MHZ S RI\n1 0 0\n2 0\n", TTouchstoneFault::WrongColumnCount, 3, nullptr},
        {"# MHZ S RI\n1 0 0\n2 0 0 0\n", TTouchstoneFault::WrongColumnCount, 3, nullptr},
        {"1 0 0\n2 nan 0\n", TTouchstoneFault::NotFinite, 2,
         "Файл не прочитан, строка 2: число бесконечно или не определено (nan, inf)."},
        {"1 0 0\n2 0 -inf\n", TTouchstoneFault::NotFinite, 2, nullptr},
        {"1 0 0\n2 1e999 0\n", TTouchstoneFault::NotFinite, 2, nullptr},
        {"1 0 0\n2 0,5 0\n", TTouchstoneFault::NotANumber, 2, "Файл не прочитан, строка 2: не число."},
        {"0 0 0\n", TTouchstoneFault::FrequencyNotPositive, 1, nullptr},
        {"1 0 0\n-2 0 0\n", TTouchstoneFault::FrequencyNotPositive, 2, nullptr},
        {"1 0 0\n2 0 0 ! again\n2 0 0\n", TTouchstoneFault::DuplicateFrequency, 3,
         "Файл не прочитан, строка 3: та же частота, что в предыдущей строке."},
        {"1 0 0\n3 0 0\n2 0 0\n", TTouchstoneFault::FrequencyOutOfOrder, 3, nullptr},
        {"# MHZ S RI\n1 0 0\n2 0 0\n3 0 0\n4 0 0\n", TTouchstoneFault::TooFewPoints, 0,
         "Файл не прочитан: точек 4, для анализа нужно не меньше 5."},
        {"# MHZ S XY\n" + five, TTouchstoneFault::BadOptionLine, 1, nullptr},
        {"# MHZ S RI R -50\n" + five, TTouchstoneFault::BadReference, 1, nullptr},
        {"1 0 0\n# MHZ S RI\n" + five, TTouchstoneFault::BadOptionLine, 2, nullptr},
        {"[Version] 2.0\n# MHZ S RI\n[Number of Ports] 2\n", TTouchstoneFault::NotOnePort, 3, nullptr},
        {"[Version] 2.0\n# MHZ S RI\n[Number of Ports] 1\n[Noise Data]\n", TTouchstoneFault::BadKeyword, 4, nullptr},
        {"[Version] 2.0\n# MHZ S RI\n[Number of Ports] 1\n" + five, TTouchstoneFault::BadKeyword, 4, nullptr},
        {"[Version] 2.0\n# MHZ S RI\n[Number of Ports] 1\n[Number of Frequencies] 6\n[Network Data]\n" + five +
             "[End]\n",
         TTouchstoneFault::CountMismatch, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.substr(0, 60));
        const eh::TTouchstoneReading reading = eh::ReadTouchstone(c.file);
        ASSERT_FALSE(reading.sweep);
        EXPECT_EQ(reading.refusal.fault, c.fault);
        EXPECT_EQ(reading.refusal.line, c.line);
        if (c.text != nullptr) {
            EXPECT_EQ(eh::TouchstoneRefusalText(reading.refusal), c.text);
        }
    }
}

TEST(Touchstone, OptionLineDefaultsCaseAndCommentsAreRead)
{
    // No option line: GHz, S, magnitude and angle, 50 ohm.
    const std::string file = "! VNA\r\n\t0.001 0.5 90 ! first\r\n0.002 0.5 90\n\n0.003 0.5 90\n0.004 0.5 90\n0.005 0 0\n";
    eh::TTouchstoneReading reading = eh::ReadTouchstone(file);
    ASSERT_TRUE(reading.sweep);
    EXPECT_EQ(reading.sweep->points[0].frequencyHz, 1e6);
    EXPECT_NEAR(reading.sweep->points[0].impedanceOhm.real(), 30, 1e-9); // 50 (1 + 0.5j)/(1 - 0.5j)
    EXPECT_NEAR(reading.sweep->points[0].impedanceOhm.imag(), 40, 1e-9);

    reading = eh::ReadTouchstone("\xEF\xBB\xBF# khz z ri r 75 ! lower case\r+1 1 0\r2 .4 -1.2\r3 1 0\r4 1 0\r5 1 0\r");
    ASSERT_TRUE(reading.sweep);
    EXPECT_EQ(reading.sweep->points[1].frequencyHz, 2e3);
    EXPECT_NEAR(reading.sweep->points[1].impedanceOhm.real(), 30, 1e-9); // normalised to R
    EXPECT_NEAR(reading.sweep->points[1].impedanceOhm.imag(), -90, 1e-9);
    EXPECT_EQ(reading.sweep->points[0].reflection, std::complex<double>(0, 0));
}

} // namespace
