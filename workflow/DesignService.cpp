// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignService.h"

#include "Exceptions.h"

namespace eh {

TFieldReading ReadFieldTexts(const TFieldTexts& texts, char separator, const TFieldTextOptions& options)
{
    TFieldReading reading;
    const auto& table = InputTable();
    for (std::size_t i = 0; i < kInputCount; ++i) {
        try {
            reading.inputs.*table[i].value = ReadInputText(table[i], texts[i], separator, options);
        } catch (const EConvertError&) {
            // The first field that is not a number ends the reading; the
            // later fields are not read.
            reading.badField = i;
            return reading;
        }
    }
    return reading;
}

bool PitchNeedsNotice(const TAntennaInputs& inputs)
{
    return !(inputs.WindingPitchMm >= inputs.WireDiameterMm);
}

TDesign CalculateDesign(const TAntennaInputs& inputs)
{
    TDesign design;
    design.inputs = inputs;
    design.pitchNotice = PitchNeedsNotice(inputs);
    TAntennaResults results;
    try {
        results = CalculateAntenna(inputs);
    } catch (const Exception& e) {
        design.fault = e.Fault();
        return design;
    }
    try {
        // The only fault the report's lines can meet is a scaled value that
        // no longer fits a double.
        for (const TResultInfo& info : ResultTable())
            ShownValue(info, results);
    } catch (const Exception& e) {
        design.fault = e.Fault();
        design.resultsBeforeReportFault = results;
        return design;
    }
    design.results = results;
    return design;
}

} // namespace eh
