// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerDesignFile.h"

#include "Exceptions.h"
#include "InchText.h"
#include "NumberConversion.h"
#include "ShownLengths.h"
#include "WorkbenchNumber.h"

#include <algorithm>
#include <vector>

namespace eh {

TDesignFile ExplorerDesignFile(const ExplorerModel& model)
{
    TDesignFile design{model.FieldTexts(), {}};
    for (std::size_t i = 0; i < kInputCount; ++i) {
        std::string& text = design.texts[i];
        const std::string millimetres =
            MillimetreTextOf(IsLength(InputTable()[i]), text, model.Separator(), model.Lengths());
        if (millimetres != text) {
            text = millimetres;
            std::replace(text.begin(), text.end(), '.', model.Separator());
        }
    }
    for (const TAntennaInputs& pin : model.Pins().Designs()) {
        TFieldTexts texts;
        for (std::size_t i = 0; i < kInputCount; ++i)
            texts[i] = ExactNumber(pin.*InputTable()[i].value, model.Separator());
        design.pins.push_back(texts);
    }
    return design;
}

TFieldTexts DesignFileFieldTexts(const ExplorerModel& model, const TDesignFile& file)
{
    TFieldTexts texts = file.texts;
    if (model.Lengths() != TLengthUnit::Inch)
        return texts;
    for (std::size_t i = 0; i < kInputCount; ++i) {
        if (!IsLength(InputTable()[i]))
            continue;
        try {
            ConvertFieldText(texts[i], model.Separator());
        } catch (const Exception&) {
            continue; // not a number (a wire gauge, a typing error): as it was
        }
        texts[i] = InchTextOfMillimetres(texts[i], model.Separator());
    }
    return texts;
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
