// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The EH antenna model: seven typed numbers in, the 24 computed values out.
namespace eh {

// The inputs exactly as read from the fields; lengths in millimetres.
struct TAntennaInputs {
    double FrequencyMHz = 0;
    double CylinderDiameterMm = 0;
    double LengthToDiameter = 0;
    double MeasuredBandwidthKHz = 0;
    double WireDiameterMm = 0;
    double WindingPitchMm = 0;
    double TurnDiameterMm = 0;
};

struct TAntennaResults {
    double CapacitancePf = 0;
    double ReactanceOhm = 0;
    double BandwidthKHz = 0;
    double QFactor = 0;
    double TotalLengthCm = 0;
    double TotalLengthM = 0;
    double LengthToWavelengthPct = 0;
    double RrOhm = 0;
    double RrDeviationPct = 0;
    double TurnsPerCm = 0;
    double WireCylinderCapacitancePf = 0;
    double CoilCapacitancePf = 0;
    double InductanceUh = 0;
    double TurnCount = 0;
    double CoilLengthMm = 0;
    double CoilWireLengthCm = 0;
    double LossResistanceOhm = 0;
    double EfficiencyPct = 0;
    double LossDb = 0;
    double PhasingWireLengthCm = 0;
    double PhasingTurnCount = 0;
    double FlatArmHorizontalCm = 0;
    double FlatArmVerticalCm = 0;
    double FlatArmGapCm = 0;
};

// Runs the 24 formulas in their fixed order. Intermediates are carried in
// 80-bit extended precision and every result is stored as a double before a
// later formula reads it. Throws EZeroDivide, EInvalidOp or EOverflow at the
// first fault; no result of a failed calculation is handed back.
TAntennaResults CalculateAntenna(const TAntennaInputs& inputs);

} // namespace eh
