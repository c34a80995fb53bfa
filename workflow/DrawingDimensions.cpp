// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawingDimensions.h"

namespace eh {

TDrawingDimensions DrawingDimensions(const TAntennaInputs& inputs, const TAntennaResults& results)
{
    TDrawingDimensions d;
    d.cylinderDiameter = inputs.CylinderDiameterMm;
    d.cylinderLength = inputs.LengthToDiameter * inputs.CylinderDiameterMm;
    d.gap = inputs.CylinderDiameterMm;
    d.coilDiameter = inputs.TurnDiameterMm;
    d.coilLength = results.CoilLengthMm;
    d.totalLength = results.TotalLengthCm * 10;
    d.turns = results.TurnCount;
    d.flatHorizontal = results.FlatArmHorizontalCm * 10;
    d.flatVertical = results.FlatArmVerticalCm * 10;
    d.flatGap = results.FlatArmGapCm * 10;
    return d;
}

} // namespace eh
