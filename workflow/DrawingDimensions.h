// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"

// The sizes a to-scale side drawing of the antenna shows, in millimetres,
// all from one design: the same for the explorer window and the page.
namespace eh {

struct TDrawingDimensions {
    double cylinderDiameter = 0;
    double cylinderLength = 0; // L/D times the diameter
    double gap = 0;            // the overall length counts one diameter between the cylinders and one before the coil
    double coilDiameter = 0;
    double coilLength = 0;
    double totalLength = 0;
    double turns = 0;
    double flatHorizontal = 0;
    double flatVertical = 0;
    double flatGap = 0;
};

TDrawingDimensions DrawingDimensions(const TAntennaInputs& inputs, const TAntennaResults& results);

// More turns than this are drawn as this many, and the count is written.
inline constexpr int kMaxTurnsDrawn = 40;

} // namespace eh
