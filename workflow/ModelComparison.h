// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignService.h"
#include "ResonanceAnalysis.h"

#include <optional>
#include <utility>
#include <vector>

// What the design promises beside what the antenna measured: the model's
// 3 dB bandwidth and Q for the typed design, and the ideal resonator with
// that Q set at the measured resonance. The window and the page draw its
// SWR beside the measured SWR; the wider the measured curve than the ideal
// one, the more the real antenna loses.
namespace eh {

struct TModelPromise {
    double bandwidthKHz = 0; // the model's BandwidthKHz at the design's own frequency
    double q = 0;            // the model's QFactor: that frequency over that bandwidth
};

// The model's bandwidth and Q for the field texts, or nothing when a field
// is not a number or the design faults. The bandwidth field is not read: the
// model's own bandwidth does not depend on it, and it is the field a
// measurement is about to fill.
std::optional<TModelPromise> ModelPromise(const TFieldTexts& texts, char separator,
                                          const TFieldTextOptions& options = {});

// The ideal resonator's SWR at `frequencyHz`: a series resonator matched at
// `resonanceHz` (the measured one) with the model's Q, so its 3 dB
// bandwidth there is resonanceHz / Q (IdealResonatorSwr):
//   Z = R0 (1 + j Q y),  y = f/f0 - f0/f,  Γ = (Z - R0)/(Z + R0) = jQy / (2 + jQy),
//   |Γ| = Q|y| / sqrt(4 + Q²y²),  SWR = (1 + |Γ|) / (1 - |Γ|),
// 1 at f0 and 2.618 at the edges of the 3 dB bandwidth (Q|y| = 1).
double IdealSwrAt(const TModelPromise& promise, double resonanceHz, double frequencyHz);

// The same at `count` (>= 2) frequencies evenly spread over [lowHz, highHz]:
// a smooth curve needs no more points than a chart has pixel columns,
// however many the measurement holds.
std::vector<std::pair<double, double>> IdealSwrCurve(const TModelPromise& promise, double resonanceHz,
                                                     double lowHz, double highHz, std::size_t count);

} // namespace eh
