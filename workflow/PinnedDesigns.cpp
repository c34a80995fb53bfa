// SPDX-License-Identifier: GPL-3.0-or-later
#include "PinnedDesigns.h"

#include "DesignTables.h"
#include "NumberFormat.h"

namespace eh {

bool PinnedDesigns::Pin(const TAntennaInputs& design)
{
    if (Full())
        return false;
    designs_.push_back(design);
    return true;
}

std::string PinnedLabel(const TAntennaInputs& pinned, const TAntennaInputs& typed, std::size_t sweptInput,
                        char separator, TLanguage language)
{
    std::string label;
    for (std::size_t i = 0; i < kInputCount; ++i) {
        const TInputInfo& input = InputTable()[i];
        if (i == sweptInput || pinned.*input.value == typed.*input.value)
            continue;
        label += (label.empty() ? "" : ", ") + std::string(InputText(input, "label", language)) + " " +
                 FormatReportNumber(pinned.*input.value, separator);
    }
    return label.empty() ? LocalText("explorer.pin.same-design", language) : label;
}

} // namespace eh
