// SPDX-License-Identifier: GPL-3.0-or-later
#include "AntennaDrawing.h"

#include "DrawingPainter.h"
#include "InterfaceLanguage.h"

#include <QPainter>

namespace eh {

AntennaDrawing::AntennaDrawing(QWidget* parent) : QWidget(parent), shapes_(UncalculatedDrawing(InterfaceLanguage(), InterfaceLengthUnit()))
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMinimumWidth(200);
}

QSize AntennaDrawing::sizeHint() const { return {260, 480}; }

void AntennaDrawing::SetDesign(const TAntennaInputs& inputs, const std::optional<TAntennaResults>& results,
                               char separator)
{
    dimensions_.reset();
    shapes_ = UncalculatedDrawing(InterfaceLanguage(), InterfaceLengthUnit());
    if (results) {
        dimensions_ = DrawingDimensions(inputs, *results);
        shapes_ = DrawingShapes(*dimensions_, separator, InterfaceLanguage(), InterfaceLengthUnit());
    }
    update();
}

void AntennaDrawing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter, rect());
}

void AntennaDrawing::Paint(QPainter& painter, const QRectF& area) const { PaintDrawingShapes(painter, shapes_, area); }

} // namespace eh
