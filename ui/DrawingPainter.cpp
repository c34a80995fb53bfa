// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawingPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace eh {

namespace {

const QColor kArmColour(255, 102, 0);
const QColor kCoilColour(184, 115, 51);
const QColor kDimensionColour(40, 40, 40);
constexpr double kArrow = 5;
constexpr double kFlatShare = 0.3; // of the height, for the flat variant
// How far a dimension line stands off the edge it measures.
constexpr double kSideLineGap = 8;
constexpr double kEdgeLineGap = 5;

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The figure at `scale`, the origin of its millimetres at the painter's.
TPlacedFigure LayOut(const TDrawingFigure& figure, double scale, const QFontMetricsF& metrics)
{
    TPlacedFigure layout;
    layout.scale = scale;
    const auto at = [scale](const TPointMm& p) { return QPointF(p.x * scale, p.y * scale); };
    for (const TBodyShape& body : figure.bodies)
        layout.bounds |= QRectF(at(body.topLeft), QSizeF(body.width * scale, body.height * scale));
    for (const TDimensionShape& dimension : figure.dimensions) {
        QPointF shift;
        switch (dimension.side) {
        case TLabelSide::Left: shift = {-kSideLineGap, 0}; break;
        case TLabelSide::Right: shift = {kSideLineGap, 0}; break;
        case TLabelSide::Above: shift = {0, -kEdgeLineGap}; break;
        case TLabelSide::Below: shift = {0, kEdgeLineGap}; break;
        }
        const QLineF line(at(dimension.from) + shift, at(dimension.to) + shift);
        layout.dimensionLines.push_back(line);
        const QSizeF size(metrics.horizontalAdvance(Text(dimension.label)) + 4, metrics.height());
        QRectF box(QPointF(), size);
        const QPointF middle = line.center();
        switch (dimension.side) {
        case TLabelSide::Left: box.moveCenter(middle - QPointF(size.width() / 2 + 2, 0)); break;
        case TLabelSide::Right: box.moveCenter(middle + QPointF(size.width() / 2 + 2, 0)); break;
        case TLabelSide::Above: box.moveCenter(middle - QPointF(0, size.height() / 2 + 1)); break;
        case TLabelSide::Below: box.moveCenter(middle + QPointF(0, size.height() / 2 + 1)); break;
        }
        // Short neighbouring dimensions: the later label steps outwards
        // until it stands clear of the earlier ones.
        for (std::size_t tries = 0; tries < layout.labels.size(); ++tries) {
            const auto overlap = std::find_if(layout.labels.begin(), layout.labels.end(),
                                              [&box](const QRectF& other) { return other.intersects(box); });
            if (overlap == layout.labels.end())
                break;
            switch (dimension.side) {
            case TLabelSide::Left: box.moveRight(overlap->left()); break;
            case TLabelSide::Right: box.moveLeft(overlap->right()); break;
            case TLabelSide::Above: box.moveBottom(overlap->top()); break;
            case TLabelSide::Below: box.moveTop(overlap->bottom()); break;
            }
        }
        layout.labels.push_back(box);
        layout.bounds |= QRectF(line.p1(), line.p2()).normalized().adjusted(-kArrow, -kArrow, kArrow, kArrow);
        layout.bounds |= box;
    }
    const double centre = layout.bounds.center().x();
    double y = layout.bounds.bottom() + 2;
    for (const std::string& note : figure.notes) {
        const double width = metrics.horizontalAdvance(Text(note)) + 4;
        layout.notes.emplace_back(centre - width / 2, y, width, metrics.height());
        layout.bounds |= layout.notes.back();
        y += metrics.height();
    }
    return layout;
}

bool Fits(const TPlacedFigure& layout, const QSizeF& room)
{
    return layout.bounds.width() <= room.width() && layout.bounds.height() <= room.height();
}

void PaintDimensionLine(QPainter& painter, const QLineF& line)
{
    painter.setPen(QPen(kDimensionColour, 1));
    painter.setBrush(kDimensionColour);
    painter.drawLine(line);
    const double angle = std::atan2(line.dy(), line.dx());
    for (const auto& [tip, direction] : {std::pair{line.p1(), angle}, std::pair{line.p2(), angle + M_PI}}) {
        const QPointF head[] = {tip,
                                tip + QPointF(std::cos(direction + 0.4), std::sin(direction + 0.4)) * kArrow,
                                tip + QPointF(std::cos(direction - 0.4), std::sin(direction - 0.4)) * kArrow};
        painter.drawPolygon(head, 3);
    }
}

// The figure's title takes the top of `area` (where a painter writes it).
QRectF FigureArea(const TDrawingFigure& figure, QRectF area, const QFontMetricsF& metrics)
{
    if (!figure.title.empty())
        area.setTop(area.top() + metrics.height() + 8);
    return area;
}

void PaintFigure(QPainter& painter, const TDrawingFigure& figure, const QRectF& area, const TPlacedFigure& placed)
{
    painter.setPen(Qt::black);
    if (!figure.title.empty())
        painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, Text(figure.title));
    const QRectF room = FigureArea(figure, area, QFontMetricsF(painter.font()));
    if (!figure.fault.empty()) {
        painter.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, Text(figure.fault));
        return;
    }
    // No room to draw in: the title alone.
    if (placed.dimensionLines.size() != figure.dimensions.size() || placed.notes.size() != figure.notes.size() ||
        !(placed.scale > 0))
        return;
    const double scale = placed.scale;
    const auto at = [&](const TPointMm& p) { return placed.origin + QPointF(p.x * scale, p.y * scale); };
    for (const TBodyShape& body : figure.bodies) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(body.kind == TBodyKind::Arm ? kArmColour : kCoilColour.lighter(160));
        painter.drawRect(QRectF(at(body.topLeft), QSizeF(body.width * scale, body.height * scale)));
    }
    for (const TStrokeShape& stroke : figure.strokes) {
        painter.setPen(stroke.kind == TStrokeKind::CoilTurn ? QPen(kCoilColour.darker(130), 1.2) : QPen(Qt::black, 1));
        painter.drawLine(at(stroke.from), at(stroke.to));
    }
    for (std::size_t i = 0; i < figure.dimensions.size(); ++i) {
        PaintDimensionLine(painter, placed.dimensionLines[i]);
        painter.setPen(kDimensionColour);
        painter.drawText(placed.labels[i], Qt::AlignCenter, Text(figure.dimensions[i].label));
    }
    for (std::size_t i = 0; i < figure.notes.size(); ++i)
        painter.drawText(placed.notes[i], Qt::AlignCenter, Text(figure.notes[i]));
}

// The caption's line and the share of the height the flat variant takes.
std::pair<QRectF, QRectF> FigureAreas(const QRectF& area, const QFontMetricsF& metrics)
{
    const QRectF all = area.adjusted(6, 6, -6, -6);
    const double flatHeight = all.height() * kFlatShare;
    return {all.adjusted(0, metrics.height() + 8, 0, -flatHeight - 8),
            QRectF(all.left(), all.bottom() - flatHeight, all.width(), flatHeight)};
}

TPlacedFigure PlaceFigure(const TDrawingFigure& figure, const QRectF& area, const QFontMetricsF& metrics)
{
    const QRectF room = FigureArea(figure, area, metrics);
    if (!figure.fault.empty() || figure.bodies.empty() || room.width() <= 0 || room.height() <= 0)
        return {};
    // The largest scale at which everything fits: the layout only grows with
    // the scale, so halving the interval finds it.
    QRectF extent;
    for (const TBodyShape& body : figure.bodies)
        extent |= QRectF(body.topLeft.x, body.topLeft.y, body.width, body.height);
    double low = 0;
    double high = std::min(room.width() / extent.width(), room.height() / extent.height());
    if (!Fits(LayOut(figure, high, metrics), room.size())) {
        for (int i = 0; i < 40; ++i) {
            const double middle = (low + high) / 2;
            (Fits(LayOut(figure, middle, metrics), room.size()) ? low : high) = middle;
        }
        high = low;
    }
    TPlacedFigure placed = LayOut(figure, high, metrics);
    // Centred across, from the top.
    const QPointF shift(room.center().x() - placed.bounds.center().x(), room.top() - placed.bounds.top());
    placed.origin = shift;
    for (QLineF& line : placed.dimensionLines)
        line.translate(shift);
    for (QRectF& box : placed.labels)
        box.translate(shift);
    for (QRectF& box : placed.notes)
        box.translate(shift);
    placed.bounds.translate(shift);
    return placed;
}

} // namespace

TPlacedDrawing PlaceDrawing(const TDrawingShapes& shapes, const QRectF& area, const QFontMetricsF& metrics)
{
    if (!shapes.fault.empty())
        return {};
    const auto [cylinder, flat] = FigureAreas(area, metrics);
    return {PlaceFigure(shapes.cylinder, cylinder, metrics), PlaceFigure(shapes.flat, flat, metrics)};
}

void PaintDrawingShapes(QPainter& painter, const TDrawingShapes& shapes, const QRectF& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font());
    const QRectF all = area.adjusted(6, 6, -6, -6);
    painter.setPen(Qt::black);
    painter.drawText(all, Qt::AlignLeft | Qt::AlignTop, Text(shapes.caption));
    if (!shapes.fault.empty()) {
        painter.drawText(all, Qt::AlignCenter | Qt::TextWordWrap, Text(shapes.fault));
        painter.restore();
        return;
    }
    const auto [cylinderArea, flatArea] = FigureAreas(area, metrics);
    const TPlacedDrawing placed = PlaceDrawing(shapes, area, metrics);
    PaintFigure(painter, shapes.cylinder, cylinderArea, placed.cylinder);
    PaintFigure(painter, shapes.flat, flatArea, placed.flat);
    painter.restore();
}

} // namespace eh
