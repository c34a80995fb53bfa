// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawingLayout.h"

#include <gtest/gtest.h>

namespace eh {
namespace {

// A flat variant with a short gap once wrote "150.00" and "50.00" over each
// other and out of the picture.
TDrawingShapes ShortGapDesign()
{
    TDrawingDimensions d;
    d.cylinderDiameter = 50;
    d.cylinderLength = 150;
    d.gap = 50;
    d.coilDiameter = 50;
    d.coilLength = 3;
    d.totalLength = 403;
    d.turns = 2;
    d.flatHorizontal = 150;
    d.flatVertical = 40;
    d.flatGap = 5;
    return DrawingShapes(d, '.');
}

// Seven pixels a character: widths that need no fonts.
const TTextMetrics kText{[](const std::string& text) { return 7.0 * static_cast<double>(text.size()); }, 15};

bool Inside(const TBoxPx& box, const TBoxPx& area)
{
    constexpr double kSlack = 1e-9;
    return box.left >= area.left - kSlack && box.Right() <= area.Right() + kSlack && box.top >= area.top - kSlack &&
           box.Bottom() <= area.Bottom() + kSlack;
}

bool Overlap(const TBoxPx& a, const TBoxPx& b)
{
    return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

// However narrow the drawing, each figure is as large as its room allows,
// its labels whole inside the drawing and apart.
TEST(DrawingLayout, LabelsStayInsideAndApartAtTheLargestScaleThatFits)
{
    const TDrawingShapes shapes = ShortGapDesign();
    for (const TBoxPx area : {TBoxPx{0, 0, 200, 300}, TBoxPx{0, 0, 260, 480}, TBoxPx{10, 20, 600, 900}}) {
        SCOPED_TRACE(area.width);
        const TPlacedDrawing placed = PlaceDrawing(shapes, area, kText);
        for (const auto& [figure, shape] : {std::pair{&placed.cylinder, &shapes.cylinder}, {&placed.flat, &shapes.flat}}) {
            ASSERT_GT(figure->scale, 0);
            ASSERT_EQ(figure->dimensions.size(), shape->dimensions.size());
            ASSERT_EQ(figure->notes.size(), shape->notes.size());
            EXPECT_TRUE(Inside(figure->bounds, figure->room));
            // At a larger scale it would not fit across or down.
            EXPECT_TRUE(std::abs(figure->bounds.width - figure->room.width) < 1e-6 ||
                        std::abs(figure->bounds.height - figure->room.height) < 1e-6);
            for (std::size_t i = 0; i < figure->dimensions.size(); ++i) {
                EXPECT_TRUE(Inside(figure->dimensions[i].label, area)) << i;
                for (std::size_t j = 0; j < i; ++j)
                    EXPECT_FALSE(Overlap(figure->dimensions[i].label, figure->dimensions[j].label)) << i << " " << j;
            }
        }
        EXPECT_LE(placed.cylinder.room.Bottom(), placed.flat.area.top);
    }
}

TEST(DrawingLayout, NothingIsPlacedWithoutRoomOrForAFault)
{
    const TDrawingShapes shapes = ShortGapDesign();
    const TPlacedDrawing tiny = PlaceDrawing(shapes, {0, 0, 20, 20}, kText);
    EXPECT_EQ(tiny.cylinder.scale, 0);
    EXPECT_TRUE(tiny.cylinder.dimensions.empty());
    TDrawingShapes faulty = shapes;
    faulty.flat.fault = "not to scale";
    const TPlacedDrawing placed = PlaceDrawing(faulty, {0, 0, 260, 480}, kText);
    EXPECT_GT(placed.cylinder.scale, 0);
    EXPECT_EQ(placed.flat.scale, 0);
    // The fault is written under the flat variant's title.
    EXPECT_EQ(placed.flat.room.top, placed.flat.area.top + 15 + 8);
}

} // namespace
} // namespace eh
