// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawingLayout.h"
#include "DrawingShapes.h"

#include <gtest/gtest.h>

namespace eh {
namespace {

TDrawingDimensions Example()
{
    TDrawingDimensions d;
    d.cylinderDiameter = 50;
    d.cylinderLength = 150;
    d.gap = 50;
    d.coilDiameter = 40;
    d.coilLength = 28.17;
    d.totalLength = 428.17;
    d.turns = 14.08;
    d.flatHorizontal = 150;
    d.flatVertical = 157;
    d.flatGap = 50;
    return d;
}

TEST(DrawingShapes, StacksTheCylindersOverTheCoilWithEveryDimensionLabelled)
{
    const TDrawingShapes shapes = DrawingShapes(Example(), ',');
    const TDrawingFigure& cylinder = shapes.cylinder;
    ASSERT_EQ(cylinder.bodies.size(), 3u);
    EXPECT_EQ(cylinder.bodies[2].kind, TBodyKind::Coil);
    EXPECT_DOUBLE_EQ(cylinder.bodies[2].topLeft.x, -20);
    EXPECT_DOUBLE_EQ(cylinder.bodies[2].topLeft.y + cylinder.bodies[2].height, 428.17);
    std::vector<std::string> labels;
    for (const TDimensionShape& dimension : cylinder.dimensions)
        labels.push_back(dimension.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"150,00", "50,00", "150,00", "50,00", "28,17", "428,17", "50,00",
                                                "40,00"}));
    // The lengths chain from the coil's bottom to the top, beside the wider body.
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(cylinder.dimensions[i].from.x, 25);
        EXPECT_EQ(cylinder.dimensions[i].side, TLabelSide::Right);
        if (i > 0) {
            EXPECT_DOUBLE_EQ(cylinder.dimensions[i].to.y, cylinder.dimensions[i - 1].from.y);
        }
    }
    EXPECT_EQ(cylinder.notes, std::vector<std::string>{"Витков: 14,08"});
    EXPECT_EQ(cylinder.strokes.size(), 14u + 1u); // the turns and the wire

    const TDrawingFigure& flat = shapes.flat;
    ASSERT_EQ(flat.bodies.size(), 2u);
    EXPECT_DOUBLE_EQ(flat.bodies[1].topLeft.x, 200);
    ASSERT_EQ(flat.dimensions.size(), 3u);
    EXPECT_EQ(flat.dimensions[1].label, "150,00");
    EXPECT_EQ(flat.dimensions[2].label, "50,00");
}

TEST(DrawingShapes, ManyTurnsAreDrawnAsFortyAndSaySo)
{
    TDrawingDimensions d = Example();
    d.turns = 57.3;
    const TDrawingFigure cylinder = DrawingShapes(d, '.').cylinder;
    EXPECT_EQ(cylinder.notes, std::vector<std::string>{"Витков: 57.30 (показано 40)"});
    EXPECT_EQ(DrawingShapes(d, '.', TLanguage::English).cylinder.notes,
              std::vector<std::string>{"Turns: 57.30 (40 shown)"});
    EXPECT_EQ(cylinder.strokes.size(), std::size_t(kMaxTurnsDrawn) + 1);
}

TEST(DrawingShapes, AFigureThatCannotBeDrawnToScaleSaysWhy)
{
    TDrawingDimensions d = Example();
    d.coilLength = 0;
    d.flatGap = -1;
    const TDrawingShapes shapes = DrawingShapes(d, '.');
    EXPECT_EQ(shapes.cylinder.fault, "Размеры не изображаются");
    EXPECT_TRUE(shapes.cylinder.bodies.empty());
    EXPECT_TRUE(shapes.flat.bodies.empty());
    EXPECT_EQ(UncalculatedDrawing().fault, "Конструкция не рассчитана");
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
    // A flat variant with a short gap once wrote "150.00" and "50.00" over
    // each other and out of the picture.
    TDrawingDimensions d = Example();
    d.coilDiameter = 50;
    d.coilLength = 3;
    d.turns = 2;
    d.flatVertical = 40;
    d.flatGap = 5;
    const TDrawingShapes shapes = DrawingShapes(d, '.');
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
    const TPlacedDrawing tiny = PlaceDrawing(DrawingShapes(Example(), '.'), {0, 0, 20, 20}, kText);
    EXPECT_EQ(tiny.cylinder.scale, 0);
    EXPECT_TRUE(tiny.cylinder.dimensions.empty());
    TDrawingShapes shapes = DrawingShapes(Example(), '.');
    shapes.flat.fault = "not to scale";
    const TPlacedDrawing placed = PlaceDrawing(shapes, {0, 0, 260, 480}, kText);
    EXPECT_GT(placed.cylinder.scale, 0);
    EXPECT_EQ(placed.flat.scale, 0);
    // The fault is written under the flat variant's title.
    EXPECT_EQ(placed.flat.room.top, placed.flat.area.top + 15 + 8);
}

} // namespace
} // namespace eh
