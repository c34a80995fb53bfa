// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerDesignFile.h"

#include "WorkbenchNumber.h"

#include <vector>

namespace eh {

TDesignFile ExplorerDesignFile(const ExplorerModel& model)
{
    TDesignFile design{model.FieldTexts(), {}};
    for (const TAntennaInputs& pin : model.Pins().Designs()) {
        TFieldTexts texts;
        for (std::size_t i = 0; i < kInputCount; ++i)
            texts[i] = ExactNumber(pin.*InputTable()[i].value, model.Separator());
        design.pins.push_back(texts);
    }
    return design;
}

std::optional<std::size_t> TakeDesignFilePins(ExplorerModel& model, const TDesignFile& file)
{
    std::vector<TAntennaInputs> pins;
    for (const TFieldTexts& texts : file.pins) {
        TFieldReading pin;
        try {
            // Millimetres, as ExplorerDesignFile writes them.
            pin = ReadFieldTexts(texts, model.Separator(), {});
        } catch (const Exception&) {
            pin.badField = 0;
        }
        if (pin.badField)
            return pin.badField;
        pins.push_back(pin.inputs);
    }
    model.Pins().Clear();
    for (const TAntennaInputs& pin : pins)
        model.Pins().Pin(pin);
    return std::nullopt;
}

} // namespace eh
