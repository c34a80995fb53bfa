// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResonanceAnalysis.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace eh {

namespace {

using TComplex = std::complex<double>;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Fewer points than this in the half-power region and the fit takes the
// nearest points beyond it, so that three complex unknowns always rest on
// more than twice as many equations and one noisy point cannot steer them.
constexpr std::size_t kFitMinPoints = 7;

double Swr(double magnitude) { return magnitude < 1 ? (1 + magnitude) / (1 - magnitude) : kInfinity; }

// Near one resonance the reflection of a feed, series or parallel, matched
// or not, is a bilinear function of frequency:
//     G(t) = (a + b t) / (1 + c t),
// exactly so for a series or a parallel RLC in the narrow band where
// w - w0^2/w is 2 (w - w0), and it stays a good fit across the whole
// half-power band. So the fit may span the band, where it sees many points
// and averages the instrument's noise away, instead of a polynomial that
// would have to stay within a small part of it to follow the curve. The
// linearised problem a + b t - c t G = G is solved by least squares
// (weighted by 1/|1 + c t|^2 of the previous pass, which turns its residual
// back into the residual of G itself). t is the offset from the sample of
// the smallest reflection in units of the window's half width.
class TBilinearFit {
public:
    TComplex At(double t) const { return (a_ + b_ * t) / (1.0 + c_ * t); }
    TComplex SlopeAt(double t) const
    {
        const TComplex d = 1.0 + c_ * t;
        return (b_ - a_ * c_) / (d * d);
    }

    // The t in [low, high] where |G(t)| is smallest: an end, or where the
    // derivative of |a + b t|^2 / |1 + c t|^2 vanishes (a quadratic: the
    // cubic terms cancel).
    double MinimumIn(double low, double high) const
    {
        const double n0 = std::norm(a_), n1 = 2 * (a_ * std::conj(b_)).real(), n2 = std::norm(b_);
        const double d0 = 1, d1 = 2 * c_.real(), d2 = std::norm(c_);
        const double q2 = n2 * d1 - n1 * d2, q1 = 2 * (n2 * d0 - n0 * d2), q0 = n1 * d0 - n0 * d1;
        std::array<double, 4> candidates{low, high, low, low};
        if (q2 != 0) {
            const double discriminant = q1 * q1 - 4 * q2 * q0;
            if (discriminant >= 0) {
                const double root = std::sqrt(discriminant);
                candidates[2] = (-q1 - root) / (2 * q2);
                candidates[3] = (-q1 + root) / (2 * q2);
            }
        } else if (q1 != 0) {
            candidates[2] = -q0 / q1;
        }
        double best = low;
        for (const double t : candidates)
            if (t >= low && t <= high && std::norm(At(t)) < std::norm(At(best)))
                best = t;
        return best;
    }

    // False when the points do not determine the three unknowns.
    bool Fit(const std::vector<double>& t, const std::vector<TComplex>& g)
    {
        constexpr int kPasses = 3;
        for (int pass = 0; pass < kPasses; ++pass)
            if (!Pass(t, g, pass > 0))
                return false;
        return true;
    }

private:
    bool Pass(const std::vector<double>& t, const std::vector<TComplex>& g, bool weighted)
    {
        std::array<std::array<TComplex, 4>, 3> m{}; // normal equations, right side in column 3
        for (std::size_t k = 0; k < t.size(); ++k) {
            const std::array<TComplex, 3> row{1.0, t[k], -t[k] * g[k]};
            const double w = weighted ? 1 / std::norm(1.0 + c_ * t[k]) : 1;
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j)
                    m[i][j] += w * std::conj(row[i]) * row[j];
                m[i][3] += w * std::conj(row[i]) * g[k];
            }
        }
        for (int col = 0; col < 3; ++col) {
            int pivot = col;
            for (int r = col + 1; r < 3; ++r)
                if (std::abs(m[r][col]) > std::abs(m[pivot][col]))
                    pivot = r;
            if (!(std::abs(m[pivot][col]) > 0))
                return false;
            std::swap(m[col], m[pivot]);
            for (int r = 0; r < 3; ++r) {
                if (r == col)
                    continue;
                const TComplex factor = m[r][col] / m[col][col];
                for (int j = col; j < 4; ++j)
                    m[r][j] -= factor * m[col][j];
            }
        }
        a_ = m[0][3] / m[0][0];
        b_ = m[1][3] / m[1][1];
        c_ = m[2][3] / m[2][2];
        return std::isfinite(std::abs(a_)) && std::isfinite(std::abs(b_)) && std::isfinite(std::abs(c_));
    }

    TComplex a_, b_, c_;
};

// The contiguous points around `centre` that absorb at least half the power
// it absorbs: the loaded half-power band, where the resonance is what the
// data show. It is as wide as the resonance, whatever the step of the
// sweep, so a dense sweep puts many points into the fit (the noise
// averages out) and a wide one no far points (where the feed line or
// another resonance would bend the curve). Widened to kFitMinPoints.
struct TWindow {
    std::size_t first = 0;
    std::size_t last = 0; // included
    bool fewAcrossBand = false;
};

TWindow FitWindow(const std::vector<TMeasuredPoint>& points, std::size_t centre)
{
    const auto absorbed = [&](std::size_t i) { return 1 - std::norm(points[i].reflection); };
    const double half = absorbed(centre) / 2;
    TWindow window{centre, centre, false};
    while (window.first > 0 && absorbed(window.first - 1) >= half)
        --window.first;
    while (window.last + 1 < points.size() && absorbed(window.last + 1) >= half)
        ++window.last;
    window.fewAcrossBand = window.last - window.first + 1 < kFitMinPoints;
    while (window.last - window.first + 1 < kFitMinPoints && (window.first > 0 || window.last + 1 < points.size())) {
        const bool lowFirst = window.last + 1 == points.size() ||
                              (window.first > 0 && points[centre].frequencyHz - points[window.first - 1].frequencyHz <
                                                       points[window.last + 1].frequencyHz - points[centre].frequencyHz);
        if (lowFirst)
            --window.first;
        else
            ++window.last;
    }
    return window;
}

// The contiguous samples around `centre` that absorb at least 90 % of what
// it absorbs (or its two neighbours when none does): where the bottom of
// the dip lies, whatever the noise.
TWindow Bottom(const std::vector<TMeasuredPoint>& points, std::size_t centre)
{
    const auto absorbed = [&](std::size_t i) { return 1 - std::norm(points[i].reflection); };
    constexpr double kBottomShare = 0.9;
    const double floor = kBottomShare * absorbed(centre);
    TWindow bottom{centre - 1, centre + 1, false};
    while (bottom.first > 0 && absorbed(bottom.first) >= floor)
        --bottom.first;
    while (bottom.last + 1 < points.size() && absorbed(bottom.last) >= floor)
        ++bottom.last;
    return bottom;
}

// Whether the data follow the fitted resonance: its misses, root mean
// square, stay within a tenth of how far the reflection moves across the
// window. An instrument's noise is a small part of that; a sweep of
// something else (several resonances, a loose connector, random numbers)
// is not.
bool FollowsOneResonance(const TBilinearFit& fit, const std::vector<double>& t, const std::vector<TComplex>& g)
{
    constexpr double kLargestMissShare = 0.1;
    double squaredMisses = 0;
    double spread = 0;
    for (std::size_t k = 0; k < t.size(); ++k) {
        squaredMisses += std::norm(g[k] - fit.At(t[k]));
        for (const TComplex& other : {g.front(), g.back()})
            spread = std::max(spread, std::abs(g[k] - other));
    }
    return std::sqrt(squaredMisses / static_cast<double>(t.size())) <= kLargestMissShare * spread;
}

// The span around `centre` where |G| <= the magnitude of `swr`, its ends
// interpolated linearly between samples; empty, with a note, when the SWR
// never gets so low at `centre` or the span runs past the sweep.
std::optional<TFrequencySpan> SwrSpan(const std::vector<TMeasuredPoint>& points, std::size_t centre, double swr,
                                      TMeasurementNote notReached, TMeasurementNote beyondSweep,
                                      std::vector<TMeasurementNote>& notes)
{
    const double limit = (swr - 1) / (swr + 1);
    const auto magnitude = [&](std::size_t i) { return std::abs(points[i].reflection); };
    if (!(magnitude(centre) <= limit)) {
        notes.push_back(notReached);
        return std::nullopt;
    }
    std::size_t low = centre;
    while (low > 0 && magnitude(low - 1) <= limit)
        --low;
    std::size_t high = centre;
    while (high + 1 < points.size() && magnitude(high + 1) <= limit)
        ++high;
    if (low == 0 || high + 1 == points.size()) {
        notes.push_back(beyondSweep);
        return std::nullopt;
    }
    const auto crossing = [&](std::size_t outside, std::size_t inside) {
        const double fraction = (limit - magnitude(inside)) / (magnitude(outside) - magnitude(inside));
        return points[inside].frequencyHz + fraction * (points[outside].frequencyHz - points[inside].frequencyHz);
    };
    return TFrequencySpan{crossing(low - 1, low), crossing(high + 1, high)};
}

} // namespace

TPointFigures FiguresAt(const TMeasuredPoint& point)
{
    TPointFigures figures;
    figures.frequencyHz = point.frequencyHz;
    if (std::isfinite(point.impedanceOhm.real()) && std::isfinite(point.impedanceOhm.imag())) {
        figures.resistanceOhm = point.impedanceOhm.real();
        figures.reactanceOhm = point.impedanceOhm.imag();
    }
    const double magnitude = std::abs(point.reflection);
    if (magnitude < 1)
        figures.swr = Swr(magnitude);
    figures.returnLossDb = -20 * std::log10(magnitude);
    if (figures.returnLossDb == 0)
        figures.returnLossDb = 0; // total reflection: 0 dB, not "-0"
    return figures;
}

TResonanceAnalysis AnalyseResonance(const TMeasuredSweep& sweep)
{
    const std::vector<TMeasuredPoint>& points = sweep.points;
    TResonanceAnalysis analysis;
    analysis.points = points.size();
    std::size_t centre = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double power = std::norm(points[i].reflection);
        if (power > 1)
            ++analysis.pointsAboveOne;
        if (power < std::norm(points[centre].reflection))
            centre = i;
    }
    if (analysis.pointsAboveOne > 0)
        analysis.notes.push_back(TMeasurementNote::ReflectionAboveOne);
    const double smallest = std::abs(points[centre].reflection);
    analysis.swrMin = Swr(smallest);
    if (!(smallest < 1)) {
        analysis.notes.push_back(TMeasurementNote::NoPowerAccepted);
        return analysis;
    }
    if (centre == 0 || centre + 1 == points.size()) {
        analysis.notes.push_back(centre == 0 ? TMeasurementNote::MinimumAtLowEnd : TMeasurementNote::MinimumAtHighEnd);
        return analysis;
    }

    const TWindow window = FitWindow(points, centre);
    if (window.fewAcrossBand)
        analysis.notes.push_back(TMeasurementNote::FewPointsAcrossBand);
    const double fc = points[centre].frequencyHz;
    const double scale = std::max(fc - points[window.first].frequencyHz, points[window.last].frequencyHz - fc);
    std::vector<double> t;
    std::vector<TComplex> g;
    t.reserve(window.last - window.first + 1);
    g.reserve(window.last - window.first + 1);
    for (std::size_t i = window.first; i <= window.last; ++i) {
        t.push_back((points[i].frequencyHz - fc) / scale);
        g.push_back(points[i].reflection);
    }
    analysis.fitPoints = t.size();
    const double r0 = sweep.referenceOhm;
    TBilinearFit fit;
    const bool fitted = fit.Fit(t, g);
    if (fitted && !FollowsOneResonance(fit, t, g)) {
        // What the fit would say of such data is not worth a figure.
        analysis.notes.push_back(TMeasurementNote::NotOneResonance);
        analysis.resonanceHz = fc;
        analysis.resistanceOhm = points[centre].impedanceOhm.real();
        analysis.reactanceOhm = points[centre].impedanceOhm.imag();
    } else if (!fitted) {
        // No slope to be had: the resonance stays at the sample.
        analysis.resonanceHz = fc;
        analysis.resistanceOhm = points[centre].impedanceOhm.real();
        analysis.reactanceOhm = points[centre].impedanceOhm.imag();
        analysis.notes.push_back(TMeasurementNote::SlopeNotDefined);
    } else {
        // The smallest reflection of the fit, among the samples near the
        // smallest one: near a mismatched resonance the reflection is so flat
        // that the instrument's noise moves the smallest sample by several
        // points, but the resonance is not where no sample comes near it.
        const TWindow bottom = Bottom(points, centre);
        const double t0 = fit.MinimumIn((points[bottom.first].frequencyHz - fc) / scale,
                                        (points[bottom.last].frequencyHz - fc) / scale);
        // A fitted minimum at the sweep's first or last point lies beyond it.
        if ((t0 == t.front() && bottom.first == 0) || (t0 == t.back() && bottom.last + 1 == points.size())) {
            analysis.notes.push_back(t0 == t.front() ? TMeasurementNote::MinimumAtLowEnd
                                                     : TMeasurementNote::MinimumAtHighEnd);
            return analysis;
        }
        const double f0 = fc + t0 * scale;
        const TComplex g0 = fit.At(t0);
        const TComplex z0 = r0 * (1.0 + g0) / (1.0 - g0);
        const bool finite = std::isfinite(z0.real()) && std::isfinite(z0.imag());
        // dZ/df from dG/dt: Z = r0 (1 + G)/(1 - G), so dZ = 2 r0 dG / (1 - G)^2.
        const TComplex slopePerHz = 2 * r0 * fit.SlopeAt(t0) / ((1.0 - g0) * (1.0 - g0)) / scale;
        analysis.resonanceHz = f0;
        if (finite) {
            analysis.resistanceOhm = z0.real();
            analysis.reactanceOhm = z0.imag();
        }
        analysis.swrMin = Swr(std::abs(g0));
        // w0 |Z'(w0) + j|X|/w0| / (2R) with Z' per radian per second is
        // |f0 Z'(f0) + j|X|| / (2R) with Z' per hertz.
        const double q = std::abs(f0 * slopePerHz + TComplex(0, std::abs(z0.imag()))) / (2 * z0.real());
        if (!finite || !(z0.real() > 0))
            analysis.notes.push_back(TMeasurementNote::ResistanceNotPositive);
        else if (!(std::isfinite(q) && q > 0))
            analysis.notes.push_back(TMeasurementNote::SlopeNotDefined);
        else {
            analysis.q = q;
            analysis.bandwidthHz = f0 / q;
        }
    }
    analysis.swrSpan = SwrSpan(points, centre, kHalfPowerSwr, TMeasurementNote::SwrSpanNotReached,
                               TMeasurementNote::SwrSpanBeyondSweep, analysis.notes);
    analysis.swr2Span = SwrSpan(points, centre, 2.0, TMeasurementNote::Swr2SpanNotReached,
                                TMeasurementNote::Swr2SpanBeyondSweep, analysis.notes);
    return analysis;
}

double IdealResonatorSwr(double frequencyHz, double resonanceHz, double bandwidthHz)
{
    const double q = resonanceHz / bandwidthHz;
    const double x = q * (frequencyHz / resonanceHz - resonanceHz / frequencyHz);
    return Swr(std::abs(x) / std::sqrt(4 + x * x));
}

std::optional<std::string> BandwidthFieldText(const TResonanceAnalysis& analysis)
{
    if (!analysis.bandwidthHz)
        return std::nullopt;
    return fmt::format("{:.5g}", *analysis.bandwidthHz / 1000);
}

} // namespace eh
