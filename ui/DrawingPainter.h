// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DrawingShapes.h"

#include <QLineF>
#include <QRectF>
#include <vector>

class QFontMetricsF;
class QPainter;

namespace eh {

// Where a figure's parts land in a painter's coordinates: the scale in
// pixels per millimetre, the place of the millimetres' origin, each
// dimension's line and label (in the figure's order) and the notes.
struct TPlacedFigure {
    double scale = 0;
    QPointF origin;
    std::vector<QLineF> dimensionLines;
    std::vector<QRectF> labels;
    std::vector<QRectF> notes;
    QRectF bounds; // all of the above, with the bodies
};

struct TPlacedDrawing {
    TPlacedFigure cylinder;
    TPlacedFigure flat;
};

// The figures laid out in `area` for text of `metrics`; nothing placed for
// a figure with a fault or nothing to draw.
TPlacedDrawing PlaceDrawing(const TDrawingShapes& shapes, const QRectF& area, const QFontMetricsF& metrics);

// Draws the antenna's shapes into `area` of any painter (the window, an SVG
// or PNG file, a page) in the painter's font: each figure at the largest
// scale at which it, its dimension lines and their labels fit whole, a
// label that would overlap another moved further out.
void PaintDrawingShapes(QPainter& painter, const TDrawingShapes& shapes, const QRectF& area);

} // namespace eh
