// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawingPainter.h"

#include "DrawingLayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <array>

namespace eh {

namespace {

const QColor kArmColour(255, 102, 0);
const QColor kCoilColour(184, 115, 51);
const QColor kDimensionColour(40, 40, 40);

QString Text(const std::string& text) { return QString::fromStdString(text); }

QRectF Rect(const TBoxPx& box) { return {box.left, box.top, box.width, box.height}; }

QPointF Point(const TPointPx& point) { return {point.x, point.y}; }

void PaintDimension(QPainter& painter, const TPlacedDimension& dimension, const std::string& label)
{
    painter.setPen(QPen(kDimensionColour, 1));
    painter.setBrush(kDimensionColour);
    painter.drawLine(Point(dimension.from), Point(dimension.to));
    for (const std::array<TPointPx, 3>& head : dimension.heads) {
        const QPointF corners[] = {Point(head[0]), Point(head[1]), Point(head[2])};
        painter.drawPolygon(corners, 3);
    }
    painter.setPen(kDimensionColour);
    painter.drawText(Rect(dimension.label), Qt::AlignCenter, Text(label));
}

void PaintFigure(QPainter& painter, const TDrawingFigure& figure, const TPlacedFigure& placed)
{
    painter.setPen(Qt::black);
    if (!figure.title.empty())
        painter.drawText(Rect(placed.area), Qt::AlignLeft | Qt::AlignTop, Text(figure.title));
    if (!figure.fault.empty()) {
        painter.drawText(Rect(placed.room), Qt::AlignCenter | Qt::TextWordWrap, Text(figure.fault));
        return;
    }
    // No room to draw in: the title alone.
    if (!(placed.scale > 0))
        return;
    const double scale = placed.scale;
    const QPointF origin = Point(placed.origin);
    const auto at = [&](const TPointMm& p) { return origin + QPointF(p.x * scale, p.y * scale); };
    for (const TBodyShape& body : figure.bodies) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(body.kind == TBodyKind::Arm ? kArmColour : kCoilColour.lighter(160));
        painter.drawRect(QRectF(at(body.topLeft), QSizeF(body.width * scale, body.height * scale)));
    }
    for (const TStrokeShape& stroke : figure.strokes) {
        painter.setPen(stroke.kind == TStrokeKind::CoilTurn ? QPen(kCoilColour.darker(130), 1.2) : QPen(Qt::black, 1));
        painter.drawLine(at(stroke.from), at(stroke.to));
    }
    for (std::size_t i = 0; i < figure.dimensions.size(); ++i)
        PaintDimension(painter, placed.dimensions[i], figure.dimensions[i].label);
    for (std::size_t i = 0; i < figure.notes.size(); ++i)
        painter.drawText(Rect(placed.notes[i]), Qt::AlignCenter, Text(figure.notes[i]));
}

} // namespace

void PaintDrawingShapes(QPainter& painter, const TDrawingShapes& shapes, const QRectF& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font());
    const TTextMetrics text{[&metrics](const std::string& words) { return metrics.horizontalAdvance(Text(words)); },
                            metrics.height()};
    const TPlacedDrawing placed =
        PlaceDrawing(shapes, {area.left(), area.top(), area.width(), area.height()}, text);
    painter.setPen(Qt::black);
    painter.drawText(Rect(placed.inner), Qt::AlignLeft | Qt::AlignTop, Text(shapes.caption));
    if (!shapes.fault.empty()) {
        painter.drawText(Rect(placed.inner), Qt::AlignCenter | Qt::TextWordWrap, Text(shapes.fault));
    } else {
        PaintFigure(painter, shapes.cylinder, placed.cylinder);
        PaintFigure(painter, shapes.flat, placed.flat);
    }
    painter.restore();
}

} // namespace eh
