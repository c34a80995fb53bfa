// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputText.h"

#include "InchText.h"
#include "NumberConversion.h"
#include "WireGauge.h"

namespace eh {

bool TakesWireGauge(const TInputInfo& input) { return input.value == &TAntennaInputs::WireDiameterMm; }

TFieldTextOptions PageFieldReading(TLanguage language, TLengthUnit lengths)
{
    return {lengths, language != TLanguage::Russian || lengths != TLengthUnit::Millimetre};
}

double ReadInputText(const TInputInfo& input, std::string_view text, char separator,
                     const TFieldTextOptions& options)
{
    if (options.wireGauges && TakesWireGauge(input)) {
        if (const std::optional<int> gauge = ReadWireGauge(text))
            return WireGaugeDiameterMm(*gauge);
    }
    if (options.lengths == TLengthUnit::Inch && IsLength(input)) {
        // Read first as it is, so that a text that is not a number fails
        // with its own words, and a number too large fails as it would.
        ConvertFieldText(text, separator);
        return ConvertFieldText(MillimetreTextOfInches(text, separator), '.');
    }
    return ConvertFieldText(text, separator);
}

} // namespace eh
