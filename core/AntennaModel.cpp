// SPDX-License-Identifier: GPL-3.0-or-later
#include "AntennaModel.h"

#include "ExtendedMath.h"

namespace eh {

using namespace xmath;

TAntennaResults CalculateAntenna(const TAntennaInputs& in)
{
    // Every formula below is written in the order of evaluation it must keep:
    // grouping is explicit, and operations that can fault are sequenced so
    // that the first fault met is the one reported.
    const Extended f = in.FrequencyMHz;
    const Extended k = in.LengthToDiameter;
    const Extended b = in.MeasuredBandwidthKHz;
    const Extended w = in.WireDiameterMm;
    const Extended p = in.WindingPitchMm;

    // Step 0: the two diameters in centimetres, stored as doubles.
    const Extended d = Store(Div(in.CylinderDiameterMm, 10.0L));
    const Extended t = Store(Div(in.TurnDiameterMm, 10.0L));

    TAntennaResults r;

    // 1. Antenna capacitance: 0.546 pF per inch of length, 2.06 pF per inch
    //    of diameter.
    {
        const Extended lengthPart = Div((0.546L * k) * d, 2.54L);
        const Extended diameterPart = Div(2.06L * d, 2.54L);
        r.CapacitancePf = Store(lengthPart + diameterPart);
    }
    // 2. Capacitive reactance at the working frequency.
    r.ReactanceOhm = Store(Div(1.0L, (((6.28L * f) * 1e6L) * r.CapacitancePf) * 1e-12L));
    // 3. Bandwidth for the 120-ohm radiation resistance the design assumes.
    r.BandwidthKHz = Store(Div(Sqr(f * 1e6L) * (((120.0L * r.CapacitancePf) * 1e-12L) * 6.28L), 1000.0L));
    // 4. Q.
    r.QFactor = Store(Div(f * 1000.0L, r.BandwidthKHz));
    // 5. RR from the measured bandwidth.
    r.RrOhm = Store(Div(r.ReactanceOhm * b, f * 1000.0L));
    // 6. RR against 120 ohms, in percent.
    r.RrDeviationPct = Store(Div(r.RrOhm - 120.0L, 120.0L) * 100.0L);
    // 7. Tuning coil turns per centimetre.
    r.TurnsPerCm = Store(Div(10.0L, Div(p + w, 2.0L)));
    // 8. Capacitance between the coil wire and the cylinder.
    {
        const Extended ratio = Div(Div(d, 2.54L), Div(w, 25.4L));
        const Extended perLength = Div(0.614L, Log10(ratio));
        r.WireCylinderCapacitancePf = Store(Div((perLength * k) * d, 2.54L));
    }
    // 9. Tuning coil capacitance.
    r.CoilCapacitancePf = Store(Div(r.CapacitancePf, 2.0L));
    // 10. The inductance that resonates the three capacitances together.
    {
        const Extended capacitances =
            ((Extended(r.CapacitancePf) + r.WireCylinderCapacitancePf) + r.CoilCapacitancePf) * 1e-12L;
        r.InductanceUh = Store(Div(1.0L, Sqr((6.28L * f) * 1e6L) * capacitances) * 1e6L);
    }
    // 11. Number of turns: the positive root of Wheeler's single-layer coil
    //     formula. The term a is computed twice, as the formula is written.
    {
        const Extended u = Div(t, 2.54L);
        const Extended a1 = Div((10.0L * r.InductanceUh) * p, 25.4L);
        const Extended s = ((Cube(u) * 4.5L) * r.InductanceUh) + Sqr(a1);
        const Extended a2 = Div((10.0L * r.InductanceUh) * p, 25.4L);
        const Extended q = Sqrt(s) + a2;
        r.TurnCount = Store(Div(q, Div(Sqr(u), 2.0L)));
    }
    // 12. Overall length: coil, one diameter, two cylinders and one more
    //     diameter, in inches, back to centimetres.
    {
        const Extended coil = Div(r.TurnCount * p, 25.4L);
        const Extended diameter = Div(d, 2.54L);
        const Extended cylinders = ((2.0L * k) + 1.0L) * Div(d, 2.54L);
        r.TotalLengthCm = Store(((coil + diameter) + cylinders) * 2.54L);
    }
    // 13. The same in metres.
    r.TotalLengthM = Store(0.01L * r.TotalLengthCm);
    // 14. Length against the wavelength, in percent.
    r.LengthToWavelengthPct = Store(Div(r.TotalLengthM, Div(300.0L, f)) * 100.0L);
    // 15. Coil length.
    r.CoilLengthMm = Store(r.TurnCount * p);
    // 16. Coil wire length.
    r.CoilWireLengthCm = Store((r.TurnCount * t) * 3.14L);
    // 17. RF loss resistance: ohms per foot of wire times the wire length in
    //     feet.
    {
        const Extended root = Sqrt(f * 1e6L);
        const Extended perFoot = Div(root * 9.96e-7L, Div(w, 25.4L));
        const Extended wireInches = ((Div(t, 2.54L) * r.TurnCount) * 3.14L);
        r.LossResistanceOhm = Store(Div(perFoot * wireInches, 12.0L));
    }
    // 18. Efficiency; no measured bandwidth means no figure.
    if (r.RrOhm == 0.0)
        r.EfficiencyPct = 0.0;
    else
        r.EfficiencyPct = Store(Div(r.RrOhm, Extended(r.RrOhm) + r.LossResistanceOhm) * 100.0L);
    // 19. Loss in decibels.
    if (r.RrOhm == 0.0)
        r.LossDb = 0.0;
    else
        r.LossDb = Store(Log10(Div(r.EfficiencyPct, 100.0L)) * 10.0L);
    // 20. Phasing coil wire: six degrees of the wavelength, in centimetres.
    r.PhasingWireLengthCm = Store(Div(Div(984.0L, f) * 6.0L, 360.0L) * 12.0L * 2.54L);
    // 21. Phasing coil turns on the cylinder; the length is computed again.
    {
        const Extended lengthInches = Div(Div(984.0L, f) * 6.0L, 360.0L) * 12.0L;
        r.PhasingTurnCount = Store(Div(lengthInches, Div(d, 2.54L) * 3.14L));
    }
    // 22-24. The flat variant's arms.
    r.FlatArmHorizontalCm = Store(d * k);
    r.FlatArmVerticalCm = Store(3.14L * d);
    r.FlatArmGapCm = Store(1.0L * d);
    return r;
}

} // namespace eh
