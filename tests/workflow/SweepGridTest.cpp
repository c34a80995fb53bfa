// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep grid: decimal places read from number texts, and values that land
// on the decimals a user typed.
#include "SweepGrid.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SweepGrid, DecimalPlacesOfNumberTexts)
{
    struct Case {
        std::string text;
        char separator;
        int places;
    };
    for (const Case& c : {Case{"2", ',', 0}, Case{" 1.25 ", ',', 2}, Case{"1,25", ',', 2}, Case{"1,25", '.', 0},
                          Case{"15e-1", '.', 1}, Case{"1.5E3", '.', 0}, Case{"-0.05e+1", '.', 1},
                          Case{"1e-99999999999", '.', -1}})
        EXPECT_EQ(eh::DecimalPlaces(c.text, c.separator), c.places) << c.text;
}

TEST(SweepGrid, ValuesAreTheDoublesOfTheDecimals)
{
    const eh::TSweepGrid grid{1.8, 0.1, 1};
    EXPECT_EQ(grid.Value(0), 1.8);
    EXPECT_EQ(grid.Value(1), 1.9); // 1.8 + 0.1 is 1.9000000000000001
    EXPECT_EQ(grid.Value(12), 3.0);
    const eh::TSweepGrid down{0.7, -0.15, 2};
    EXPECT_EQ(down.Value(3), 0.25);

    // Without known decimals, or beyond what doubles count exactly, the
    // values are START + i * STEP as computed.
    EXPECT_EQ((eh::TSweepGrid{1.8, 0.1, -1}.Value(1)), 1.8 + 0.1);
    EXPECT_EQ((eh::TSweepGrid{1e300, 1e299, 2}.Value(1)), 1e300 + 1e299);
}

} // namespace
