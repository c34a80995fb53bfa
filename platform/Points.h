// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPaintDevice>

namespace eh {

// A length in typographic points (1/72 inch) in the device's pixels.
inline double PointsToPixels(double points, const QPaintDevice& device)
{
    return points * device.logicalDpiX() / 72.0;
}

} // namespace eh
