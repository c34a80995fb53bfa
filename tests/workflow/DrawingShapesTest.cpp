// SPDX-License-Identifier: GPL-3.0-or-later
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

} // namespace
} // namespace eh
