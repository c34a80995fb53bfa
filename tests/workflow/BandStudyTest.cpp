// SPDX-License-Identifier: GPL-3.0-or-later
// The band plans of the three IARU regions and how a design covers them.
#include "BandCoverage.h"
#include "BandPlans.h"
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using eh::TIaruRegion;

struct Band {
    int metres;
    double lowKHz;
    double highKHz;
};

std::vector<Band> Bands(TIaruRegion region)
{
    std::vector<Band> bands;
    for (const eh::TAmateurBand& band : eh::BandPlan(region))
        bands.push_back({band.metres, band.lowKHz, band.highKHz});
    return bands;
}

bool operator==(const Band& a, const Band& b)
{
    return a.metres == b.metres && a.lowKHz == b.lowKHz && a.highKHz == b.highKHz;
}

TEST(BandPlans, RegionOneAndWhereTheOtherRegionsDiffer)
{
    const std::vector<Band> region1 = {{160, 1810, 2000},   {80, 3500, 3800},   {60, 5351.5, 5366.5},
                                       {40, 7000, 7200},    {30, 10100, 10150}, {20, 14000, 14350},
                                       {17, 18068, 18168},  {15, 21000, 21450}, {12, 24890, 24990},
                                       {10, 28000, 29700},  {6, 50000, 52000}};
    EXPECT_TRUE(Bands(TIaruRegion::Region1) == region1);

    struct Difference {
        TIaruRegion region;
        std::size_t index;
        Band band;
    };
    std::vector<Band> region2 = region1;
    std::vector<Band> region3 = region1;
    for (const Difference& d : {Difference{TIaruRegion::Region2, 0, {160, 1800, 2000}},
                                Difference{TIaruRegion::Region2, 1, {80, 3500, 4000}},
                                Difference{TIaruRegion::Region2, 3, {40, 7000, 7300}},
                                Difference{TIaruRegion::Region2, 10, {6, 50000, 54000}},
                                Difference{TIaruRegion::Region3, 0, {160, 1800, 2000}},
                                Difference{TIaruRegion::Region3, 1, {80, 3500, 3900}},
                                Difference{TIaruRegion::Region3, 10, {6, 50000, 54000}}})
        (d.region == TIaruRegion::Region2 ? region2 : region3)[d.index] = d.band;
    EXPECT_TRUE(Bands(TIaruRegion::Region2) == region2);
    EXPECT_TRUE(Bands(TIaruRegion::Region3) == region3);

    EXPECT_EQ(eh::IaruRegion(3), TIaruRegion::Region3);
    EXPECT_FALSE(eh::IaruRegion(0));
    EXPECT_FALSE(eh::IaruRegion(4));
}

TEST(BandPlans, NearestBand)
{
    struct Case {
        TIaruRegion region;
        double frequencyMHz;
        int metres;
    };
    for (const Case& c : {Case{TIaruRegion::Region1, 5.36, 60}, Case{TIaruRegion::Region1, 14.2, 20},
                          Case{TIaruRegion::Region1, 2.5, 160}, Case{TIaruRegion::Region1, 3.9, 80},
                          Case{TIaruRegion::Region1, 7.25, 40}, Case{TIaruRegion::Region1, 53, 6},
                          Case{TIaruRegion::Region1, 0.1, 160}, Case{TIaruRegion::Region2, 7.25, 40},
                          Case{TIaruRegion::Region1, 39, 10}, Case{TIaruRegion::Region1, 41, 6}, Case{TIaruRegion::Region1, 1e300, 6}})
        EXPECT_EQ(eh::NearestBand(c.region, c.frequencyMHz).metres, c.metres) << c.frequencyMHz;
}

TEST(BandCoverage, BandwidthAtTheCentreDecidesTheSettings)
{
    int covered = 0;
    int notCovered = 0;
    for (const TIaruRegion region : {TIaruRegion::Region1, TIaruRegion::Region2, TIaruRegion::Region3}) {
        const std::vector<eh::TBandCoverage> table = eh::CoverBands(region, eh::test::ExampleA());
        ASSERT_EQ(table.size(), eh::BandPlan(region).size());
        for (const eh::TBandCoverage& row : table) {
            SCOPED_TRACE(row.band.metres);
            EXPECT_EQ(row.low.inputs.FrequencyMHz, row.band.lowKHz / 1000);
            EXPECT_EQ(row.high.inputs.FrequencyMHz, row.band.highKHz / 1000);
            eh::TAntennaInputs centre = eh::test::ExampleA();
            centre.FrequencyMHz = (row.band.lowKHz + row.band.highKHz) / 2000;
            ASSERT_TRUE(row.bandwidthKHz && row.settings);
            EXPECT_EQ(*row.bandwidthKHz, eh::CalculateDesign(centre).results->BandwidthKHz);
            const double width = row.band.highKHz - row.band.lowKHz;
            EXPECT_EQ(row.covers, *row.bandwidthKHz >= width);
            EXPECT_GE(static_cast<double>(*row.settings) * *row.bandwidthKHz, width);
            EXPECT_LT(static_cast<double>(*row.settings - 1) * *row.bandwidthKHz, width);
            (row.covers ? covered : notCovered) += 1;
        }
    }
    // The reference design covers 20 m but not 160 m or 80 m.
    EXPECT_GT(covered, 0);
    EXPECT_GT(notCovered, 0);

    // A design that faults at every frequency has no bandwidth to count with.
    eh::TAntennaInputs flat = eh::test::ExampleA();
    flat.CylinderDiameterMm = 0;
    const eh::TBandCoverage faulted = eh::CoverBand(eh::BandPlan(TIaruRegion::Region1)[4], flat);
    EXPECT_TRUE(faulted.centre.fault);
    EXPECT_FALSE(faulted.bandwidthKHz);
    EXPECT_FALSE(faulted.covers);
    EXPECT_FALSE(faulted.settings);
}

} // namespace
