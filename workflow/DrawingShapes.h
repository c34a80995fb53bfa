// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DrawingDimensions.h"
#include "Language.h"
#include "LengthUnit.h"

#include <string>
#include <vector>

// The antenna's to-scale drawing as shapes in millimetres with their
// dimension labels: what is drawn and what each dimension says, decided once
// for every surface that draws it (the window, its SVG and PNG, the build
// sheet). A surface only chooses the scale and where the labels' text goes.
namespace eh {

// Millimetres, x to the right, y downwards.
struct TPointMm {
    double x = 0;
    double y = 0;
};

enum class TBodyKind { Arm, Coil };

// A filled outlined rectangle: a cylinder, a flat arm or the coil.
struct TBodyShape {
    TBodyKind kind = TBodyKind::Arm;
    TPointMm topLeft;
    double width = 0;
    double height = 0;
};

enum class TStrokeKind { Wire, CoilTurn };

struct TStrokeShape {
    TStrokeKind kind = TStrokeKind::Wire;
    TPointMm from;
    TPointMm to;
};

// The side of the measured edge on which a dimension line stands, and on
// which its label sits beside it.
enum class TLabelSide { Left, Right, Above, Below };

// A dimension from `from` to `to`, both on the measured edge; a surface
// draws its line a little off that edge on `side`, arrowheads at both ends.
struct TDimensionShape {
    TPointMm from;
    TPointMm to;
    TLabelSide side = TLabelSide::Right;
    std::string label;
};

// One figure: its title, its shapes, and notes centred under it. A figure
// that cannot be drawn to scale holds only its title and a fault.
struct TDrawingFigure {
    std::string title;
    std::string fault;
    std::vector<TBodyShape> bodies;
    std::vector<TStrokeShape> strokes;
    std::vector<TDimensionShape> dimensions;
    std::vector<std::string> notes;
};

struct TDrawingShapes {
    std::string caption;
    std::string fault; // set when the design did not calculate; no figures then
    TDrawingFigure cylinder;
    TDrawingFigure flat;
};

// The side view of the cylinders over the coil, and the flat variant's two
// arms; numbers in the report's form with `separator`, sizes in `lengths`
// (the shapes stay in millimetres), words in `language`.
TDrawingShapes DrawingShapes(const TDrawingDimensions& d, char separator, TLanguage language = kDefaultLanguage,
                             TLengthUnit lengths = TLengthUnit::Millimetre);
// A design that did not calculate: the caption and why nothing is drawn.
TDrawingShapes UncalculatedDrawing(TLanguage language = kDefaultLanguage,
                                   TLengthUnit lengths = TLengthUnit::Millimetre);

} // namespace eh
