// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DrawingShapes.h"

#include <QRectF>

class QPainter;

namespace eh {

// Draws the antenna's shapes into `area` of any painter (the window, an SVG
// or PNG file, a page) in the painter's font, where the drawing's layout
// places them for that font.
void PaintDrawingShapes(QPainter& painter, const TDrawingShapes& shapes, const QRectF& area);

} // namespace eh
