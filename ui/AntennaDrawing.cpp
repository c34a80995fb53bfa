// SPDX-License-Identifier: GPL-3.0-or-later
#include "AntennaDrawing.h"

#include "NumberFormat.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace eh {

namespace {

const QColor kArmColour(255, 102, 0);
const QColor kCoilColour(184, 115, 51);
const QColor kDimensionColour(40, 40, 40);
constexpr double kArrow = 5;
constexpr double kFlatShare = 0.3; // of the height, for the flat variant

bool Drawable(double size) { return std::isfinite(size) && size > 0; }

// A dimension line from `a` to `b` with arrowheads at both ends and its text
// level beside its middle: left of a vertical line (right when
// `textAfter`), above a horizontal one (below when `textAfter`). The text is
// never turned, so that bitmap fonts stay readable.
void DimensionLine(QPainter& painter, QPointF a, QPointF b, const QString& text, bool textAfter = false)
{
    painter.save();
    painter.setPen(QPen(kDimensionColour, 1));
    painter.setBrush(kDimensionColour);
    painter.drawLine(a, b);
    const double angle = std::atan2(b.y() - a.y(), b.x() - a.x());
    for (const auto& [tip, direction] : {std::pair{a, angle}, std::pair{b, angle + M_PI}}) {
        const QPointF head[] = {tip,
                                tip + QPointF(std::cos(direction + 0.4), std::sin(direction + 0.4)) * kArrow,
                                tip + QPointF(std::cos(direction - 0.4), std::sin(direction - 0.4)) * kArrow};
        painter.drawPolygon(head, 3);
    }
    const QFontMetricsF metrics(painter.font());
    const double width = metrics.horizontalAdvance(text) + 4;
    const double height = metrics.height();
    const QPointF middle = (a + b) / 2;
    const bool vertical = std::abs(a.x() - b.x()) < std::abs(a.y() - b.y());
    QRectF box(0, 0, width, height);
    if (vertical)
        box.moveCenter(middle + QPointF(textAfter ? width / 2 + 2 : -width / 2 - 2, 0));
    else
        box.moveCenter(middle + QPointF(0, textAfter ? height / 2 + 1 : -height / 2 - 1));
    painter.setPen(kDimensionColour);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

// Arm, cylinder or coil: filled, outlined in black.
void Body(QPainter& painter, const QRectF& rect, const QColor& colour)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    painter.drawRect(rect);
}

} // namespace

AntennaDrawing::AntennaDrawing(QWidget* parent) : QWidget(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMinimumWidth(200);
}

QSize AntennaDrawing::sizeHint() const { return {260, 480}; }

void AntennaDrawing::SetDesign(const TAntennaInputs& inputs, const std::optional<TAntennaResults>& results,
                               char separator)
{
    separator_ = separator;
    dimensions_.reset();
    if (results)
        dimensions_ = DrawingDimensions(inputs, *results);
    update();
}

QString AntennaDrawing::Millimetres(double value) const
{
    return QString::fromStdString(FormatReportNumber(value, separator_));
}

void AntennaDrawing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter, rect());
}

void AntennaDrawing::Paint(QPainter& painter, const QRectF& area) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF all = area.adjusted(6, 6, -6, -6);
    const double flatHeight = all.height() * kFlatShare;
    painter.drawText(all.adjusted(0, 0, 0, -all.height() + 16), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Вид сбоку, мм"));
    if (!dimensions_) {
        painter.drawText(all, Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("Конструкция не рассчитана"));
        return;
    }
    PaintCylinderAntenna(painter, all.adjusted(0, 18, 0, -flatHeight));
    PaintFlatAntenna(painter, QRectF(all.left(), all.bottom() - flatHeight, all.width(), flatHeight));
}

void AntennaDrawing::PaintCylinderAntenna(QPainter& painter, const QRectF& area) const
{
    const TDrawingDimensions& d = *dimensions_;
    if (!Drawable(d.cylinderDiameter) || !Drawable(d.cylinderLength) || !Drawable(d.coilDiameter) ||
        !Drawable(d.coilLength) || !Drawable(d.totalLength)) {
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("Размеры не изображаются"));
        return;
    }
    const QFontMetricsF metrics(painter.font());
    const double lineRoom = metrics.height() + 8;
    const double sideRoom = metrics.horizontalAdvance(Millimetres(d.totalLength)) + 16;
    const QRectF room = area.adjusted(sideRoom, lineRoom, -sideRoom, -lineRoom * 2.5);
    const double widest = std::max(d.cylinderDiameter, d.coilDiameter);
    const double scale = std::min(room.height() / d.totalLength, room.width() / widest);
    const double cx = room.center().x();
    double y = room.top();

    // From the top: cylinder, gap, cylinder, gap, coil, as the overall length
    // adds them up.
    const double cylinderWidth = d.cylinderDiameter * scale;
    const QRectF upper(cx - cylinderWidth / 2, y, cylinderWidth, d.cylinderLength * scale);
    y = upper.bottom() + d.gap * scale;
    const QRectF lower(cx - cylinderWidth / 2, y, cylinderWidth, d.cylinderLength * scale);
    y = lower.bottom() + d.gap * scale;
    const double coilWidth = d.coilDiameter * scale;
    const QRectF coil(cx - coilWidth / 2, y, coilWidth, d.coilLength * scale);
    Body(painter, upper, kArmColour);
    Body(painter, lower, kArmColour);
    Body(painter, coil, kCoilColour.lighter(160));

    const int turnsDrawn = static_cast<int>(std::clamp(std::round(d.turns), 1.0, double(kMaxTurnsDrawn)));
    painter.setPen(QPen(kCoilColour.darker(130), 1.2));
    const double turnStep = coil.height() / turnsDrawn;
    for (int i = 0; i < turnsDrawn; ++i) {
        const double top = coil.top() + i * turnStep;
        painter.drawLine(QPointF(coil.left(), top), QPointF(coil.right(), top + turnStep));
    }
    // The wire from the lower cylinder down to the coil.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(cx, lower.bottom()), QPointF(cx, coil.top()));

    const double widestHalf = widest * scale / 2;
    const double right = cx + widestHalf + 8;
    const double left = cx - widestHalf - 8;
    const double parts[] = {upper.top(), upper.bottom(), lower.top(), lower.bottom(), coil.top(), coil.bottom()};
    const double sizes[] = {d.cylinderLength, d.gap, d.cylinderLength, d.gap, d.coilLength};
    for (int i = 0; i < 5; ++i)
        DimensionLine(painter, QPointF(right, parts[i + 1]), QPointF(right, parts[i]), Millimetres(sizes[i]),
                      true);
    DimensionLine(painter, QPointF(left, coil.bottom()), QPointF(left, upper.top()), Millimetres(d.totalLength));
    DimensionLine(painter, QPointF(upper.left(), upper.top() - 4), QPointF(upper.right(), upper.top() - 4),
                  Millimetres(d.cylinderDiameter));
    DimensionLine(painter, QPointF(coil.left(), coil.bottom() + 4), QPointF(coil.right(), coil.bottom() + 4),
                  Millimetres(d.coilDiameter), true);
    QString turns = QStringLiteral("Витков: ") + Millimetres(d.turns);
    if (d.turns > kMaxTurnsDrawn)
        turns += QStringLiteral(" (показано ") + QString::number(kMaxTurnsDrawn) + ")";
    painter.setPen(kDimensionColour);
    painter.drawText(QRectF(area.left(), coil.bottom() + metrics.height() + 8, area.width(), metrics.height() + 2),
                     Qt::AlignCenter, turns);
}

void AntennaDrawing::PaintFlatAntenna(QPainter& painter, const QRectF& area) const
{
    const TDrawingDimensions& d = *dimensions_;
    painter.setPen(Qt::black);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Плоский вариант"));
    if (!Drawable(d.flatHorizontal) || !Drawable(d.flatVertical) || !Drawable(d.flatGap))
        return;
    const QFontMetricsF metrics(painter.font());
    const double textRoom = metrics.height() + 8;
    const double sideRoom = metrics.horizontalAdvance(Millimetres(d.flatVertical)) + 16;
    // Below the arms: the dimension lines, then their numbers.
    const QRectF room = area.adjusted(sideRoom, textRoom + 4, -8, -textRoom - 12);
    const double span = 2 * d.flatHorizontal + d.flatGap;
    const double scale = std::min(room.width() / span, room.height() / d.flatVertical);
    const double left = room.center().x() - span * scale / 2;
    const QRectF first(left, room.top(), d.flatHorizontal * scale, d.flatVertical * scale);
    const QRectF second(first.right() + d.flatGap * scale, room.top(), first.width(), first.height());
    Body(painter, first, kArmColour);
    Body(painter, second, kArmColour);
    DimensionLine(painter, QPointF(first.left() - 6, first.bottom()), QPointF(first.left() - 6, first.top()),
                  Millimetres(d.flatVertical));
    const double below = first.bottom() + 8;
    DimensionLine(painter, QPointF(first.left(), below), QPointF(first.right(), below), Millimetres(d.flatHorizontal),
                  true);
    DimensionLine(painter, QPointF(first.right(), below), QPointF(second.left(), below), Millimetres(d.flatGap), true);
}

} // namespace eh
