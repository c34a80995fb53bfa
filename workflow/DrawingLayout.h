// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DrawingShapes.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// Where the drawing's shapes land in pixels: each figure at the largest
// scale at which it, its dimension lines and their labels fit whole, a label
// that would overlap an earlier one moved further out. Decided once for every
// surface (the window, its SVG and PNG, the build sheet, the page), each of
// which only measures its text and paints what is placed here.
namespace eh {

// Pixels, y downwards.
struct TPointPx {
    double x = 0;
    double y = 0;
};

// A box in pixels by its top left corner and its size.
struct TBoxPx {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    double Right() const { return left + width; }
    double Bottom() const { return top + height; }
};

// How a surface sets its text: a text's width and a line's height in pixels.
struct TTextMetrics {
    std::function<double(const std::string&)> width;
    double lineHeight = 0;
};

// The length of a dimension line's arrowheads in pixels.
inline constexpr double kDrawingArrow = 5;

struct TPlacedDimension {
    TPointPx from;
    TPointPx to;
    // The arrowheads at `from` and at `to`, each a triangle, its tip first.
    std::array<std::array<TPointPx, 3>, 2> heads;
    TBoxPx label; // the label's text is centred in it
};

struct TPlacedFigure {
    TBoxPx area; // the figure's part of the drawing: its title at the top left
    TBoxPx room; // under the title: the figure, or its fault centred
    // Pixels a millimetre; 0 when nothing is drawn: the figure has a fault,
    // nothing to draw or no room.
    double scale = 0;
    TPointPx origin; // where the millimetres' origin lands
    std::vector<TPlacedDimension> dimensions; // in the figure's order
    std::vector<TBoxPx> notes;                // each note centred in its box
    TBoxPx bounds;                            // all of the above, with the bodies
};

struct TPlacedDrawing {
    TBoxPx inner; // the caption at its top left; a fault centred in it
    TPlacedFigure cylinder;
    TPlacedFigure flat;
};

// The drawing laid out in `area` (the cylinders over the coil, the flat
// variant in the lower part) for text set as `text` says.
TPlacedDrawing PlaceDrawing(const TDrawingShapes& shapes, const TBoxPx& area, const TTextMetrics& text);

} // namespace eh
