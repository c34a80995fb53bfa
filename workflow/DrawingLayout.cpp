// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawingLayout.h"

#include <algorithm>
#include <cmath>

namespace eh {

namespace {

constexpr double kMargin = 6;
constexpr double kTitleGap = 8; // under a caption or a title
constexpr double kFlatShare = 0.3; // of the height, for the flat variant
// How far a dimension line stands off the edge it measures.
constexpr double kSideLineGap = 8;
constexpr double kEdgeLineGap = 5;
// A label's box is this much wider than its text, and stands this far off
// its line beside it, or above or below it.
constexpr double kLabelPadding = 4;
constexpr double kSideLabelGap = 2;
constexpr double kEdgeLabelGap = 1;
// An arrowhead's sides turn 0.4 radians either side of its line: their
// cosine and sine, so that no trigonometry is linked into the page's module.
constexpr double kArrowCos = 0.9210609940028851;
constexpr double kArrowSin = 0.3894183423086505;

// The box grown by the edges' offsets.
TBoxPx Adjusted(const TBoxPx& box, double left, double top, double right, double bottom)
{
    return {box.left + left, box.top + top, box.width + right - left, box.height + bottom - top};
}

TBoxPx WithTop(TBoxPx box, double top)
{
    const double rise = top - box.top;
    box.height -= rise;
    box.top += rise;
    return box;
}

TBoxPx Moved(TBoxPx box, double dx, double dy)
{
    box.left += dx;
    box.top += dy;
    return box;
}

TPointPx Centre(const TBoxPx& box) { return {box.left + box.width / 2, box.top + box.height / 2}; }

bool Overlap(const TBoxPx& a, const TBoxPx& b)
{
    return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

// The smallest box holding both points.
TBoxPx Spanning(const TPointPx& a, const TPointPx& b)
{
    TBoxPx box{a.x, a.y, b.x - a.x, b.y - a.y};
    if (box.width < 0) {
        box.left += box.width;
        box.width = -box.width;
    }
    if (box.height < 0) {
        box.top += box.height;
        box.height = -box.height;
    }
    return box;
}

void Grow(TBoxPx& bounds, const TBoxPx& box)
{
    const double left = std::min(bounds.left, box.left);
    const double top = std::min(bounds.top, box.top);
    const double right = std::max(bounds.Right(), box.Right());
    const double bottom = std::max(bounds.Bottom(), box.Bottom());
    bounds = {left, top, right - left, bottom - top};
}

// A body's box at `scale`.
TBoxPx BodyBox(const TBodyShape& body, double scale)
{
    return {body.topLeft.x * scale, body.topLeft.y * scale, body.width * scale, body.height * scale};
}

// The widths of a figure's texts, measured once for every scale tried.
struct TFigureTextWidths {
    std::vector<double> labels;
    std::vector<double> notes;
};

// The figure at `scale`, the origin of its millimetres at the pixels'; a
// figure has a body at least.
TPlacedFigure LayOut(const TDrawingFigure& figure, double scale, const TFigureTextWidths& widths, double lineHeight)
{
    TPlacedFigure layout;
    layout.scale = scale;
    const auto at = [scale](const TPointMm& p) { return TPointPx{p.x * scale, p.y * scale}; };
    TBoxPx bounds = BodyBox(figure.bodies.front(), scale);
    for (std::size_t i = 1; i < figure.bodies.size(); ++i)
        Grow(bounds, BodyBox(figure.bodies[i], scale));
    for (std::size_t i = 0; i < figure.dimensions.size(); ++i) {
        const TDimensionShape& dimension = figure.dimensions[i];
        TPointPx shift;
        switch (dimension.side) {
        case TLabelSide::Left: shift = {-kSideLineGap, 0}; break;
        case TLabelSide::Right: shift = {kSideLineGap, 0}; break;
        case TLabelSide::Above: shift = {0, -kEdgeLineGap}; break;
        case TLabelSide::Below: shift = {0, kEdgeLineGap}; break;
        }
        TPlacedDimension placed;
        placed.from = at(dimension.from);
        placed.from = {placed.from.x + shift.x, placed.from.y + shift.y};
        placed.to = at(dimension.to);
        placed.to = {placed.to.x + shift.x, placed.to.y + shift.y};
        const double width = widths.labels[i] + kLabelPadding;
        const TPointPx middle{0.5 * placed.from.x + 0.5 * placed.to.x, 0.5 * placed.from.y + 0.5 * placed.to.y};
        // The label's centre beside the line's middle, on the line's side.
        TPointPx centre = middle;
        switch (dimension.side) {
        case TLabelSide::Left: centre.x = middle.x - (width / 2 + kSideLabelGap); break;
        case TLabelSide::Right: centre.x = middle.x + (width / 2 + kSideLabelGap); break;
        case TLabelSide::Above: centre.y = middle.y - (lineHeight / 2 + kEdgeLabelGap); break;
        case TLabelSide::Below: centre.y = middle.y + (lineHeight / 2 + kEdgeLabelGap); break;
        }
        TBoxPx box{centre.x - width / 2, centre.y - lineHeight / 2, width, lineHeight};
        // Short neighbouring dimensions: the later label steps outwards
        // until it stands clear of the earlier ones.
        for (std::size_t tries = 0; tries < i; ++tries) {
            const auto overlap =
                std::find_if(layout.dimensions.begin(), layout.dimensions.end(),
                             [&box](const TPlacedDimension& other) { return Overlap(other.label, box); });
            if (overlap == layout.dimensions.end())
                break;
            const TBoxPx& other = overlap->label;
            switch (dimension.side) {
            case TLabelSide::Left: box.left = other.left - box.width; break;
            case TLabelSide::Right: box.left = other.Right(); break;
            case TLabelSide::Above: box.top = other.top - box.height; break;
            case TLabelSide::Below: box.top = other.Bottom(); break;
            }
        }
        placed.label = box;
        Grow(bounds, Adjusted(Spanning(placed.from, placed.to), -kDrawingArrow, -kDrawingArrow, kDrawingArrow,
                              kDrawingArrow));
        Grow(bounds, box);
        layout.dimensions.push_back(placed);
    }
    const double centre = Centre(bounds).x;
    double y = bounds.Bottom() + 2;
    for (const double noteWidth : widths.notes) {
        const double width = noteWidth + kLabelPadding;
        layout.notes.push_back({centre - width / 2, y, width, lineHeight});
        Grow(bounds, layout.notes.back());
        y += lineHeight;
    }
    layout.bounds = bounds;
    return layout;
}

bool Fits(const TPlacedFigure& layout, const TBoxPx& room)
{
    return layout.bounds.width <= room.width && layout.bounds.height <= room.height;
}

// The arrowhead at `tip` of a line that runs from it along (`dx`, `dy`).
std::array<TPointPx, 3> ArrowHead(const TPointPx& tip, double dx, double dy)
{
    const double length = std::sqrt(dx * dx + dy * dy);
    const double ux = length > 0 ? dx / length : 1;
    const double uy = length > 0 ? dy / length : 0;
    const auto corner = [&](double sine) {
        return TPointPx{tip.x + (ux * kArrowCos - uy * sine) * kDrawingArrow,
                        tip.y + (ux * sine + uy * kArrowCos) * kDrawingArrow};
    };
    return {tip, corner(kArrowSin), corner(-kArrowSin)};
}

TPlacedFigure PlaceFigure(const TDrawingFigure& figure, const TBoxPx& area, const TTextMetrics& text)
{
    TPlacedFigure nothing;
    nothing.area = area;
    nothing.room = figure.title.empty() ? area : WithTop(area, area.top + text.lineHeight + kTitleGap);
    const TBoxPx& room = nothing.room;
    if (!figure.fault.empty() || figure.bodies.empty() || room.width <= 0 || room.height <= 0)
        return nothing;
    TFigureTextWidths widths;
    for (const TDimensionShape& dimension : figure.dimensions)
        widths.labels.push_back(text.width(dimension.label));
    for (const std::string& note : figure.notes)
        widths.notes.push_back(text.width(note));
    // The largest scale at which everything fits: the layout only grows with
    // the scale, so halving the interval finds it.
    TBoxPx extent = BodyBox(figure.bodies.front(), 1);
    for (std::size_t i = 1; i < figure.bodies.size(); ++i)
        Grow(extent, BodyBox(figure.bodies[i], 1));
    double low = 0;
    double high = std::min(room.width / extent.width, room.height / extent.height);
    if (!Fits(LayOut(figure, high, widths, text.lineHeight), room)) {
        for (int i = 0; i < 40; ++i) {
            const double middle = (low + high) / 2;
            (Fits(LayOut(figure, middle, widths, text.lineHeight), room) ? low : high) = middle;
        }
        high = low;
    }
    if (!(high > 0))
        return nothing;
    TPlacedFigure placed = LayOut(figure, high, widths, text.lineHeight);
    placed.area = nothing.area;
    placed.room = room;
    // Centred across, from the top.
    const TPointPx shift{Centre(room).x - Centre(placed.bounds).x, room.top - placed.bounds.top};
    placed.origin = shift;
    for (TPlacedDimension& dimension : placed.dimensions) {
        dimension.from = {dimension.from.x + shift.x, dimension.from.y + shift.y};
        dimension.to = {dimension.to.x + shift.x, dimension.to.y + shift.y};
        dimension.label = Moved(dimension.label, shift.x, shift.y);
        const double dx = dimension.to.x - dimension.from.x;
        const double dy = dimension.to.y - dimension.from.y;
        dimension.heads = {ArrowHead(dimension.from, dx, dy), ArrowHead(dimension.to, -dx, -dy)};
    }
    for (TBoxPx& box : placed.notes)
        box = Moved(box, shift.x, shift.y);
    placed.bounds = Moved(placed.bounds, shift.x, shift.y);
    return placed;
}

} // namespace

TPlacedDrawing PlaceDrawing(const TDrawingShapes& shapes, const TBoxPx& area, const TTextMetrics& text)
{
    TPlacedDrawing placed;
    placed.inner = Adjusted(area, kMargin, kMargin, -kMargin, -kMargin);
    if (!shapes.fault.empty())
        return placed;
    // The caption's line on top, the flat variant its share of the height
    // at the bottom, the cylinders between.
    const TBoxPx& all = placed.inner;
    const double flatHeight = all.height * kFlatShare;
    placed.cylinder = PlaceFigure(
        shapes.cylinder, Adjusted(all, 0, text.lineHeight + kTitleGap, 0, -flatHeight - kTitleGap), text);
    placed.flat = PlaceFigure(shapes.flat, {all.left, all.Bottom() - flatHeight, all.width, flatHeight}, text);
    return placed;
}

} // namespace eh
