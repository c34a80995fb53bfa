// SPDX-License-Identifier: GPL-3.0-or-later
#include "PinnedDesigns.h"

#include "DesignTables.h"
#include "ShownLengths.h"

namespace eh {

bool PinnedDesigns::Pin(const TAntennaInputs& design)
{
    if (Full())
        return false;
    designs_.push_back(design);
    return true;
}

std::string PinnedLabel(const TAntennaInputs& pinned, const TAntennaInputs& typed, std::size_t sweptInput,
                        char separator, TLanguage language, TLengthUnit lengths)
{
    std::string label;
    for (std::size_t i = 0; i < kInputCount; ++i) {
        const TInputInfo& input = InputTable()[i];
        if (i == sweptInput || pinned.*input.value == typed.*input.value)
            continue;
        label += (label.empty() ? "" : ", ") + ShownInputLabel(input, language, lengths) + " " +
                 ShownInputText(input, pinned.*input.value, separator, lengths);
    }
    return label.empty() ? LocalText("explorer.pin.same-design", language) : label;
}

} // namespace eh
