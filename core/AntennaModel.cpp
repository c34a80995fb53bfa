// SPDX-License-Identifier: GPL-3.0-or-later
#include "AntennaModel.h"

#include "ExtendedMath.h"

namespace eh {

using namespace xmath;

namespace {

// The formulas with intermediates of type X: Extended, or DoubleDouble as a
// fast route. Every literal and every stored result enters an operation as
// an X, so that no step is computed in another type.
template <class X>
TAntennaResults Formulas(const TAntennaInputs& in)
{
    // Every formula below is written in the order of evaluation it must keep:
    // grouping is explicit, and operations that can fault are sequenced so
    // that the first fault met is the one reported.
    const X f = X(in.FrequencyMHz);
    const X k = X(in.LengthToDiameter);
    const X b = X(in.MeasuredBandwidthKHz);
    const X w = X(in.WireDiameterMm);
    const X p = X(in.WindingPitchMm);

    // Step 0: the two diameters in centimetres, stored as doubles.
    const X d = X(Store(Div(X(in.CylinderDiameterMm), X(10.0L))));
    const X t = X(Store(Div(X(in.TurnDiameterMm), X(10.0L))));

    TAntennaResults r;

    // 1. Antenna capacitance: 0.546 pF per inch of length, 2.06 pF per inch
    //    of diameter.
    {
        const X lengthPart = Div((X(0.546L) * k) * d, X(2.54L));
        const X diameterPart = Div(X(2.06L) * d, X(2.54L));
        r.CapacitancePf = Store(lengthPart + diameterPart);
    }
    // 2. Capacitive reactance at the working frequency.
    r.ReactanceOhm = Store(Div(X(1.0L), (((X(6.28L) * f) * X(1e6L)) * X(r.CapacitancePf)) * X(1e-12L)));
    // 3. Bandwidth for the 120-ohm radiation resistance the design assumes.
    r.BandwidthKHz = Store(
        Div(Sqr(f * X(1e6L)) * (((X(120.0L) * X(r.CapacitancePf)) * X(1e-12L)) * X(6.28L)), X(1000.0L)));
    // 4. Q.
    r.QFactor = Store(Div(f * X(1000.0L), X(r.BandwidthKHz)));
    // 5. RR from the measured bandwidth.
    r.RrOhm = Store(Div(X(r.ReactanceOhm) * b, f * X(1000.0L)));
    // 6. RR against 120 ohms, in percent.
    r.RrDeviationPct = Store(Div(X(r.RrOhm) - X(120.0L), X(120.0L)) * X(100.0L));
    // 7. Tuning coil turns per centimetre.
    r.TurnsPerCm = Store(Div(X(10.0L), Div(p + w, X(2.0L))));
    // 8. Capacitance between the coil wire and the cylinder.
    {
        const X ratio = Div(Div(d, X(2.54L)), Div(w, X(25.4L)));
        const X perLength = Div(X(0.614L), Log10(ratio));
        r.WireCylinderCapacitancePf = Store(Div((perLength * k) * d, X(2.54L)));
    }
    // 9. Tuning coil capacitance.
    r.CoilCapacitancePf = Store(Div(X(r.CapacitancePf), X(2.0L)));
    // 10. The inductance that resonates the three capacitances together.
    {
        const X capacitances =
            ((X(r.CapacitancePf) + X(r.WireCylinderCapacitancePf)) + X(r.CoilCapacitancePf)) * X(1e-12L);
        r.InductanceUh = Store(Div(X(1.0L), Sqr((X(6.28L) * f) * X(1e6L)) * capacitances) * X(1e6L));
    }
    // 11. Number of turns: the positive root of Wheeler's single-layer coil
    //     formula. The term a is computed twice, as the formula is written.
    {
        const X u = Div(t, X(2.54L));
        const X a1 = Div((X(10.0L) * X(r.InductanceUh)) * p, X(25.4L));
        const X s = ((Cube(u) * X(4.5L)) * X(r.InductanceUh)) + Sqr(a1);
        const X a2 = Div((X(10.0L) * X(r.InductanceUh)) * p, X(25.4L));
        const X q = Sqrt(s) + a2;
        r.TurnCount = Store(Div(q, Div(Sqr(u), X(2.0L))));
    }
    // 12. Overall length: coil, one diameter, two cylinders and one more
    //     diameter, in inches, back to centimetres.
    {
        const X coil = Div(X(r.TurnCount) * p, X(25.4L));
        const X diameter = Div(d, X(2.54L));
        const X cylinders = ((X(2.0L) * k) + X(1.0L)) * Div(d, X(2.54L));
        r.TotalLengthCm = Store(((coil + diameter) + cylinders) * X(2.54L));
    }
    // 13. The same in metres.
    r.TotalLengthM = Store(X(0.01L) * X(r.TotalLengthCm));
    // 14. Length against the wavelength, in percent.
    r.LengthToWavelengthPct = Store(Div(X(r.TotalLengthM), Div(X(300.0L), f)) * X(100.0L));
    // 15. Coil length.
    r.CoilLengthMm = Store(X(r.TurnCount) * p);
    // 16. Coil wire length.
    r.CoilWireLengthCm = Store((X(r.TurnCount) * t) * X(3.14L));
    // 17. RF loss resistance: ohms per foot of wire times the wire length in
    //     feet.
    {
        const X root = Sqrt(f * X(1e6L));
        const X perFoot = Div(root * X(9.96e-7L), Div(w, X(25.4L)));
        const X wireInches = ((Div(t, X(2.54L)) * X(r.TurnCount)) * X(3.14L));
        r.LossResistanceOhm = Store(Div(perFoot * wireInches, X(12.0L)));
    }
    // 18. Efficiency; no measured bandwidth means no figure.
    if (r.RrOhm == 0.0)
        r.EfficiencyPct = 0.0;
    else
        r.EfficiencyPct = Store(Div(X(r.RrOhm), X(r.RrOhm) + X(r.LossResistanceOhm)) * X(100.0L));
    // 19. Loss in decibels.
    if (r.RrOhm == 0.0)
        r.LossDb = 0.0;
    else
        r.LossDb = Store(Log10(Div(X(r.EfficiencyPct), X(100.0L))) * X(10.0L));
    // 20. Phasing coil wire: six degrees of the wavelength, in centimetres.
    r.PhasingWireLengthCm = Store(Div(Div(X(984.0L), f) * X(6.0L), X(360.0L)) * X(12.0L) * X(2.54L));
    // 21. Phasing coil turns on the cylinder; the length is computed again.
    {
        const X lengthInches = Div(Div(X(984.0L), f) * X(6.0L), X(360.0L)) * X(12.0L);
        r.PhasingTurnCount = Store(Div(lengthInches, Div(d, X(2.54L)) * X(3.14L)));
    }
    // 22-24. The flat variant's arms.
    r.FlatArmHorizontalCm = Store(d * k);
    r.FlatArmVerticalCm = Store(X(3.14L) * d);
    r.FlatArmGapCm = Store(X(1.0L) * d);
    return r;
}

#ifdef EH_DOUBLE_DOUBLE_ROUTE
// Out of line, so that the try block below makes one call: under
// emscripten's exceptions each call inside a try block goes through
// JavaScript.
[[gnu::noinline]] TAntennaResults DoubleDoubleFormulas(const TAntennaInputs& in)
{
    return Formulas<DoubleDouble>(in);
}
#endif

} // namespace

TAntennaResults CalculateAntenna(const TAntennaInputs& in)
{
#ifdef EH_DOUBLE_DOUBLE_ROUTE
    // Where long double is computed in software, double-double arithmetic
    // gives the same stored results many times faster; where it cannot vouch
    // for a result (a fault, an extreme range, a result that hinges on the
    // last bits) the design is computed again in long double.
    try {
        return DoubleDoubleFormulas(in);
    } catch (const DoubleDoubleDeclined&) {
    }
#endif
    return Formulas<Extended>(in);
}

} // namespace eh
