// SPDX-License-Identifier: GPL-3.0-or-later
#include "LengthUnit.h"

#include "ExtendedMath.h"

namespace eh {

double InchesFromMillimetres(double millimetres)
{
    return xmath::Store(static_cast<xmath::Extended>(millimetres) * 10.0L / kTenthsOfMillimetrePerInch);
}

double PerInchFromPerCentimetre(double perCentimetre)
{
    return xmath::Store(static_cast<xmath::Extended>(perCentimetre) * kTenthsOfMillimetrePerInch / 100.0L);
}

double PerCentimetreFromPerInch(double perInch)
{
    return xmath::Store(static_cast<xmath::Extended>(perInch) * 100.0L / kTenthsOfMillimetrePerInch);
}

} // namespace eh
