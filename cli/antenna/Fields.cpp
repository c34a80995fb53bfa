// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fields.h"

#include "Exceptions.h"
#include "NumberConversion.h"

namespace eh::cli {

const std::array<FieldInfo, kFieldCount>& Fields()
{
    using I = TAntennaInputs;
    static const std::array<FieldInfo, kFieldCount> fields = {{
        {"frequency", "EC15", "FREQUENCY", "frequency in MHz", "Частота (МГц)", &I::FrequencyMHz},
        {"cylinder-diameter", "EC16", "CYLINDER_DIAMETER", "cylinder diameter in mm", "Диаметр цилиндров (мм)",
         &I::CylinderDiameterMm},
        {"ratio", "EC17", "LD_RATIO", "cylinder length-to-diameter ratio", "Отношение длина/диаметр (L/D)",
         &I::LengthToDiameter},
        {"wire-diameter", "EC33", "WIRE_DIAMETER", "coil wire diameter in mm", "Диаметр провода (мм)",
         &I::WireDiameterMm},
        {"pitch", "EC34", "PITCH", "winding pitch in mm", "Шаг намотки (мм)", &I::WindingPitchMm},
        {"turn-diameter", "EC36", "TURN_DIAMETER", "coil turn diameter in mm", "Диаметр витка (мм)",
         &I::TurnDiameterMm},
        {"bandwidth", "EC27", "BANDWIDTH", "measured bandwidth in kHz", "Полоса пропускания BW (КГц)",
         &I::MeasuredBandwidthKHz},
    }};
    return fields;
}

std::optional<std::size_t> FieldByKey(std::string_view key)
{
    const auto& fields = Fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (key == fields[i].key)
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> ReadFieldTexts(const FieldTexts& texts, char separator, TAntennaInputs& inputs)
{
    const auto& fields = Fields();
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        try {
            inputs.*fields[i].input = ConvertFieldText(texts[i], separator);
        } catch (const EConvertError&) {
            // As in the window: the first field that is not a number ends the
            // reading, and the later fields are not read.
            return i;
        }
    }
    return std::nullopt;
}

std::string FieldDisplayName(std::size_t field)
{
    const FieldInfo& info = Fields().at(field);
    return std::string(info.argument) + " (" + info.component + ", " + info.words + ")";
}

} // namespace eh::cli
