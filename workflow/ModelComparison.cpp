// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModelComparison.h"

#include "Exceptions.h"

namespace eh {

std::optional<TModelPromise> ModelPromise(const TFieldTexts& texts, char separator, const TFieldTextOptions& options)
{
    TFieldTexts design = texts;
    design[*InputByKey("bandwidth")] = std::string(1, '0');
    try {
        const TFieldReading reading = ReadFieldTexts(design, separator, options);
        if (reading.badField)
            return std::nullopt;
        const TDesign calculated = CalculateDesign(reading.inputs);
        if (!calculated.results || !(calculated.results->BandwidthKHz > 0) || !(calculated.results->QFactor > 0))
            return std::nullopt;
        return TModelPromise{calculated.results->BandwidthKHz, calculated.results->QFactor};
    } catch (const Exception&) {
        // A number beyond the double range in a field.
        return std::nullopt;
    }
}

double IdealSwrAt(const TModelPromise& promise, double resonanceHz, double frequencyHz)
{
    return IdealResonatorSwr(frequencyHz, resonanceHz, resonanceHz / promise.q);
}

std::vector<std::pair<double, double>> IdealSwrCurve(const TModelPromise& promise, double resonanceHz,
                                                     double lowHz, double highHz, std::size_t count)
{
    std::vector<std::pair<double, double>> curve;
    if (count < 2 || !(lowHz < highHz) || !(resonanceHz > 0) || !(promise.q > 0))
        return curve;
    curve.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double f = lowHz + (highHz - lowHz) * static_cast<double>(i) / static_cast<double>(count - 1);
        curve.emplace_back(f, IdealSwrAt(promise, resonanceHz, f));
    }
    return curve;
}

} // namespace eh
