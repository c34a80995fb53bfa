// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Touchstone.h"

#include <optional>
#include <string>
#include <vector>

// What a measured one-port sweep says about the tuned antenna: where it
// resonates, how well it is matched there, and its Q and 3 dB bandwidth.
//
// Q comes from the slope of the feed impedance (A. D. Yaghjian and
// S. R. Best, "Impedance, bandwidth, and Q of antennas", IEEE Trans.
// Antennas Propag. 53(4), 2005, pp. 1298-1324):
//     Q(w0) = w0 |Z'(w0) + j|X(w0)|/w0| / (2 R(w0)),
// which is their Q_Z of the antenna once tuned at w0 by a series reactance
// (the |X|/w0 term; it vanishes where X = 0). It holds for a feed that looks
// like a series or a parallel resonance, matched or not. The 3 dB bandwidth
// is f0/Q, the span where a resonator matched at f0 keeps SWR <= 2.618.
// Z and Z' at the resonance come from a least-squares fit over the points
// nearest it (see ResonanceAnalysis.cpp), not from two neighbouring samples,
// so that the instrument's noise does not decide the slope.
namespace eh {

// The SWR at the edges of the 3 dB bandwidth f0/Q of a resonator matched at
// its resonance: there |reflection| = 1/sqrt 5, so SWR = (3 + sqrt 5)/2.
inline constexpr double kHalfPowerSwr = 2.618033988749895;

// The figures of one point, as the tool's CSV and the charts show them.
struct TPointFigures {
    double frequencyHz = 0;
    std::optional<double> resistanceOhm; // empty where the impedance is not finite
    std::optional<double> reactanceOhm;
    std::optional<double> swr;          // empty where |reflection| >= 1
    double returnLossDb = 0;            // -20 log10 |reflection|; negative above 1, +inf at a perfect match
};

TPointFigures FiguresAt(const TMeasuredPoint& point);

// A frequency span inside the sweep.
struct TFrequencySpan {
    double lowHz = 0;
    double highHz = 0;
    double WidthHz() const { return highHz - lowHz; }
};

// Why a figure of the analysis is missing, or what the user should know
// about one; in the order found. Front ends word them.
enum class TMeasurementNote {
    MinimumAtLowEnd,        // the smallest reflection is the sweep's first point: no resonance inside the sweep
    MinimumAtHighEnd,       // ... its last point
    NoPowerAccepted,        // |reflection| >= 1 everywhere: no resonance, nothing absorbed
    ReflectionAboveOne,     // some point has |reflection| > 1: the analyser was not calibrated
    ResistanceNotPositive,  // R <= 0 at the resonance: no Q
    SlopeNotDefined,        // the fit found no slope (a flat or erratic impedance): no Q
    FewPointsAcrossBand,    // fewer points than the fit wants across the half-power band: Q less certain
    SwrSpanNotReached,      // the SWR never falls to 2.618: no such span
    SwrSpanBeyondSweep,     // the SWR <= 2.618 span runs past an end of the sweep
    Swr2SpanNotReached,     // the SWR never falls to 2
    Swr2SpanBeyondSweep,    // the 2:1 span runs past an end of the sweep
    NotOneResonance,        // the data around the dip do not follow one resonance: no Q
};

struct TResonanceAnalysis {
    std::size_t points = 0;
    double swrMin = 0;                      // at the resonance; else the smallest sampled (infinite when none below 1)
    std::optional<double> resonanceHz;      // refined between samples
    std::optional<double> resistanceOhm;    // R, X and |reflection| at the resonance
    std::optional<double> reactanceOhm;
    std::optional<double> q;                // Yaghjian and Best's Q at the resonance
    std::optional<double> bandwidthHz;      // f0 / Q: the 3 dB bandwidth
    std::optional<TFrequencySpan> swrSpan;  // SWR <= kHalfPowerSwr around the resonance
    std::optional<TFrequencySpan> swr2Span; // SWR <= 2
    std::size_t fitPoints = 0;              // points in the least-squares fit of Z
    std::size_t pointsAboveOne = 0;         // points with |reflection| > 1
    std::vector<TMeasurementNote> notes;
};

// Analyses a sweep as ReadTouchstone returns it (at least
// kTouchstoneMinPoints points, frequencies rising). Time and memory are
// linear in the points.
TResonanceAnalysis AnalyseResonance(const TMeasuredSweep& sweep);

// The SWR across frequency of an ideal resonator matched at `resonanceHz`
// whose 3 dB bandwidth is `bandwidthHz` (both positive), for drawing beside
// a measured curve: Q = f0/BW, x = Q (f/f0 - f0/f), |G| = |x| / sqrt(4 + x^2).
double IdealResonatorSwr(double frequencyHz, double resonanceHz, double bandwidthHz);

// The measured bandwidth as the text of the bandwidth field (kilohertz), to
// 5 significant digits ("236.74"): a tenth of the measurement's own
// uncertainty at most, what a ham would type, and the same text on every
// target (the last digits of the computed double depend on the C++
// library's complex arithmetic). Writing it into the field, typing it and
// the tool's --bandwidth-from then all give the same design. Empty when
// the analysis has no bandwidth.
std::optional<std::string> BandwidthFieldText(const TResonanceAnalysis& analysis);

} // namespace eh
