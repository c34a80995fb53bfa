// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResonanceAnalysis.h"

namespace eh {

TPointFigures FiguresAt(const TMeasuredPoint& point) { return {point.frequencyHz, {}, {}, {}, 0}; }

TResonanceAnalysis AnalyseResonance(const TMeasuredSweep& sweep)
{
    TResonanceAnalysis analysis;
    analysis.points = sweep.points.size();
    return analysis;
}

double IdealResonatorSwr(double, double, double) { return 1; }

std::optional<std::string> BandwidthFieldText(const TResonanceAnalysis&) { return {}; }

} // namespace eh
