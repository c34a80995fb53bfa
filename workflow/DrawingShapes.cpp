// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawingShapes.h"

#include "NumberFormat.h"
#include "ShownLengths.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

namespace eh {

namespace {

bool Drawable(double size) { return std::isfinite(size) && size > 0; }

const char* CaptionKey(TLengthUnit lengths)
{
    return lengths == TLengthUnit::Inch ? "explorer.drawing.caption.inch" : "explorer.drawing.caption";
}

TDrawingFigure CylinderFigure(const TDrawingDimensions& d, char separator, TLanguage language, TLengthUnit lengths)
{
    TDrawingFigure figure;
    if (!Drawable(d.cylinderDiameter) || !Drawable(d.cylinderLength) || !Drawable(d.coilDiameter) ||
        !Drawable(d.coilLength) || !Drawable(d.totalLength)) {
        figure.fault = LocalText("explorer.drawing.not-to-scale", language);
        return figure;
    }
    const auto mm = [separator, lengths](double value) { return ShownLengthText(value, separator, lengths); };
    // From the top, centred on x = 0: cylinder, gap, cylinder, gap, coil, as
    // the overall length adds them up.
    const double half = d.cylinderDiameter / 2;
    const double coilHalf = d.coilDiameter / 2;
    const double edges[] = {0,
                            d.cylinderLength,
                            d.cylinderLength + d.gap,
                            2 * d.cylinderLength + d.gap,
                            2 * d.cylinderLength + 2 * d.gap,
                            2 * d.cylinderLength + 2 * d.gap + d.coilLength};
    figure.bodies = {{TBodyKind::Arm, {-half, edges[0]}, d.cylinderDiameter, d.cylinderLength},
                     {TBodyKind::Arm, {-half, edges[2]}, d.cylinderDiameter, d.cylinderLength},
                     {TBodyKind::Coil, {-coilHalf, edges[4]}, d.coilDiameter, d.coilLength}};
    const int turnsDrawn = static_cast<int>(std::clamp(std::round(d.turns), 1.0, double(kMaxTurnsDrawn)));
    const double turnStep = d.coilLength / turnsDrawn;
    for (int i = 0; i < turnsDrawn; ++i)
        figure.strokes.push_back(
            {TStrokeKind::CoilTurn, {-coilHalf, edges[4] + i * turnStep}, {coilHalf, edges[4] + (i + 1) * turnStep}});
    figure.strokes.push_back({TStrokeKind::Wire, {0, edges[3]}, {0, edges[4]}});

    // The lengths on the right, the overall length on the left, both beside
    // the wider of cylinder and coil; the diameters above and below.
    const double widestHalf = std::max(half, coilHalf);
    const double sizes[] = {d.cylinderLength, d.gap, d.cylinderLength, d.gap, d.coilLength};
    for (int i = 0; i < 5; ++i)
        figure.dimensions.push_back({{widestHalf, edges[i + 1]}, {widestHalf, edges[i]}, TLabelSide::Right, mm(sizes[i])});
    figure.dimensions.push_back(
        {{-widestHalf, edges[5]}, {-widestHalf, edges[0]}, TLabelSide::Left, mm(d.totalLength)});
    figure.dimensions.push_back({{-half, 0}, {half, 0}, TLabelSide::Above, mm(d.cylinderDiameter)});
    figure.dimensions.push_back({{-coilHalf, edges[5]}, {coilHalf, edges[5]}, TLabelSide::Below, mm(d.coilDiameter)});
    std::string turns = fmt::format(fmt::runtime(LocalText("explorer.drawing.turns", language)),
                                    FormatReportNumber(d.turns, separator));
    if (d.turns > kMaxTurnsDrawn)
        turns += fmt::format(fmt::runtime(LocalText("explorer.drawing.turns-shown", language)), kMaxTurnsDrawn);
    figure.notes.push_back(turns);
    return figure;
}

TDrawingFigure FlatFigure(const TDrawingDimensions& d, char separator, TLanguage language, TLengthUnit lengths)
{
    TDrawingFigure figure;
    figure.title = LocalText("explorer.drawing.flat", language);
    if (!Drawable(d.flatHorizontal) || !Drawable(d.flatVertical) || !Drawable(d.flatGap))
        return figure;
    const auto mm = [separator, lengths](double value) { return ShownLengthText(value, separator, lengths); };
    const double second = d.flatHorizontal + d.flatGap;
    figure.bodies = {{TBodyKind::Arm, {0, 0}, d.flatHorizontal, d.flatVertical},
                     {TBodyKind::Arm, {second, 0}, d.flatHorizontal, d.flatVertical}};
    figure.dimensions = {
        {{0, d.flatVertical}, {0, 0}, TLabelSide::Left, mm(d.flatVertical)},
        {{0, d.flatVertical}, {d.flatHorizontal, d.flatVertical}, TLabelSide::Below, mm(d.flatHorizontal)},
        {{d.flatHorizontal, d.flatVertical}, {second, d.flatVertical}, TLabelSide::Below, mm(d.flatGap)},
    };
    return figure;
}

} // namespace

TDrawingShapes DrawingShapes(const TDrawingDimensions& d, char separator, TLanguage language, TLengthUnit lengths)
{
    TDrawingShapes shapes;
    shapes.caption = LocalText(CaptionKey(lengths), language);
    shapes.cylinder = CylinderFigure(d, separator, language, lengths);
    shapes.flat = FlatFigure(d, separator, language, lengths);
    return shapes;
}

TDrawingShapes UncalculatedDrawing(TLanguage language, TLengthUnit lengths)
{
    TDrawingShapes shapes;
    shapes.caption = LocalText(CaptionKey(lengths), language);
    shapes.fault = LocalText("explorer.drawing.not-calculated", language);
    return shapes;
}

} // namespace eh
