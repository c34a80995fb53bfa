// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "Exceptions.h"
#include "Report.h"

#include <fmt/format.h>

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <typeinfo>

namespace eh {

// Readable failure output for style runs and line kinds.
inline void PrintTo(const TStyleRun& run, std::ostream* os)
{
    *os << "(" << run.Start << ", " << run.Length << (run.Bold ? ", bold" : ", regular")
        << (run.Underline ? ", underlined" : "") << ", " << run.Size << "pt)";
}

inline void PrintTo(TReportLineKind kind, std::ostream* os)
{
    switch (kind) {
    case TReportLineKind::rlTitle: *os << "rlTitle"; break;
    case TReportLineKind::rlHeading: *os << "rlHeading"; break;
    case TReportLineKind::rlEmpty: *os << "rlEmpty"; break;
    case TReportLineKind::rlValue: *os << "rlValue"; break;
    }
}

} // namespace eh

namespace eh::test {

// The reference design: 14.2 MHz, 50 mm cylinders three diameters long, 1 mm
// wire wound at 2 mm pitch on 50 mm turns, no measured bandwidth.
inline TAntennaInputs ExampleA()
{
    TAntennaInputs in;
    in.FrequencyMHz = 14.2;
    in.CylinderDiameterMm = 50;
    in.LengthToDiameter = 3;
    in.MeasuredBandwidthKHz = 0;
    in.WireDiameterMm = 1;
    in.WindingPitchMm = 2;
    in.TurnDiameterMm = 50;
    return in;
}

// The reference design with a measured bandwidth of 500 kHz.
inline TAntennaInputs ExampleB()
{
    TAntennaInputs in = ExampleA();
    in.MeasuredBandwidthKHz = 500;
    return in;
}

// A value with six decimals and a point, independent of the C locale.
inline std::string SixDecimals(double value)
{
    return fmt::format("{:.6f}", value);
}

// What a failed operation threw: its kind as the program names it, checked
// against the C++ type, and its message. Empty kind when nothing was thrown.
struct Fault {
    std::string kind;
    std::string message;
    bool typeMatchesKind = false;
};

inline bool TypeMatches(const Exception& e)
{
    const std::string_view kind = e.kind();
    if (kind == "EZeroDivide")
        return dynamic_cast<const EZeroDivide*>(&e) != nullptr;
    if (kind == "EInvalidOp")
        return dynamic_cast<const EInvalidOp*>(&e) != nullptr;
    if (kind == "EOverflow")
        return dynamic_cast<const EOverflow*>(&e) != nullptr;
    if (kind == "EConvertError")
        return dynamic_cast<const EConvertError*>(&e) != nullptr;
    return false;
}

inline Fault CatchFault(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Exception& e) {
        return {e.kind(), e.what(), TypeMatches(e)};
    }
    return {};
}

inline constexpr const char* kZeroDivideText = "Floating point division by zero";
inline constexpr const char* kInvalidOpText = "Invalid floating point operation";
inline constexpr const char* kOverflowText = "Floating point overflow";

} // namespace eh::test
