// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NumberFormat.h"

#include <array>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <random>
#include <string>

// Touchstone one-port files of a series or a parallel RLC resonance with a
// known resonance and Q, as an analyser would save them, for the tests and
// the benchmarks (no measured file is kept in the repository).
namespace eh::test {

struct TSyntheticResonance {
    bool parallel = false;
    double resonanceHz = 14.2e6;
    double q = 50;
    double resistanceOhm = 50; // at the resonance
};

struct TSyntheticFormat {
    char parameter = 'S';       // S, Z or Y
    const char* format = "RI";  // RI, MA or DB
    const char* unit = "MHZ";   // HZ, KHZ, MHZ or GHZ
    double referenceOhm = 50;
    int points = 201;
    double spanBandwidths = 4;  // the sweep's width in units of f0/Q, centred on f0
    double noise = 0;           // largest error added to each part of the reflection
    int version = 1;            // 2 for a Touchstone 2.0 file
    double offsetBandwidths = 0; // the sweep's centre above f0, in units of f0/Q
};

inline std::string NumberText(double value)
{
    std::array<char, kShortestNumberMaxBytes> text{};
    return std::string(text.data(), WriteShortestNumber(text.data(), value));
}

inline std::complex<double> ResonanceImpedance(const TSyntheticResonance& r, double frequencyHz)
{
    const double w0 = 2 * std::numbers::pi * r.resonanceHz;
    const double w = 2 * std::numbers::pi * frequencyHz;
    if (r.parallel) {
        const double c = r.q / (w0 * r.resistanceOhm);
        const double l = 1 / (w0 * w0 * c);
        return 1.0 / std::complex<double>(1 / r.resistanceOhm, w * c - 1 / (w * l));
    }
    const double l = r.q * r.resistanceOhm / w0;
    const double c = 1 / (w0 * w0 * l);
    return {r.resistanceOhm, w * l - 1 / (w * c)};
}

inline double UnitScale(const std::string& unit)
{
    return unit == "HZ" ? 1 : unit == "KHZ" ? 1e3 : unit == "MHZ" ? 1e6 : 1e9;
}

inline std::string SyntheticTouchstone(const TSyntheticResonance& r, const TSyntheticFormat& f)
{
    std::mt19937 random(20050401); // the same noise on every machine
    const auto noise = [&] { return f.noise * (2.0 * random() / std::mt19937::max() - 1); };
    const double r0 = f.referenceOhm;
    std::string text = "! synthetic resonance\r\n";
    if (f.version == 2)
        text += "[Version] 2.0\n";
    text += std::string("# ") + f.unit + " " + f.parameter + " " + f.format + " R " + NumberText(r0) + "\n";
    if (f.version == 2)
        text += "[Number of Ports] 1\n[Number of Frequencies] " + std::to_string(f.points) + "\n[Network Data]\n";
    const double span = f.spanBandwidths * r.resonanceHz / r.q;
    for (int i = 0; i < f.points; ++i) {
        const double hz = r.resonanceHz * (1 + f.offsetBandwidths / r.q) - span / 2 + span * i / (f.points - 1);
        const std::complex<double> z = ResonanceImpedance(r, hz);
        const std::complex<double> g = (z - r0) / (z + r0) + std::complex<double>(noise(), noise());
        const std::complex<double> zn = (1.0 + g) / (1.0 - g); // normalised
        std::complex<double> value = g;
        if (f.parameter == 'Z')
            value = f.version == 1 ? zn : zn * r0;
        else if (f.parameter == 'Y')
            value = f.version == 1 ? 1.0 / zn : 1.0 / (zn * r0);
        const std::string format = f.format;
        const double angle = std::arg(value) * 180 / std::numbers::pi;
        const double first = format == "RI" ? value.real()
                             : format == "MA" ? std::abs(value)
                                              : 20 * std::log10(std::abs(value));
        const double second = format == "RI" ? value.imag() : angle;
        text += NumberText(hz / UnitScale(f.unit)) + "\t" + NumberText(first) + " " + NumberText(second) +
                " ! point\r\n";
    }
    if (f.version == 2)
        text += "[End]\n";
    return text;
}

} // namespace eh::test
