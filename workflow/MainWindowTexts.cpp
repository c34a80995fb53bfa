// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowTexts.h"

#include "ShownLengths.h"

#include <string_view>

namespace eh {

const std::array<TFieldPresentation, kInputCount>& FieldPresentation()
{
    static const std::array<TFieldPresentation, kInputCount> fields = {{
        {"  = ", RussianText("input.frequency.tip"), 0},
        {" =", RussianText("input.cylinder-diameter.tip"), 0},
        {" =", RussianText("input.ratio.tip"), 0},
        {" =", RussianText("input.wire-diameter.tip"), 1},
        {" =", RussianText("input.pitch.tip"), 1},
        {" =", RussianText("input.turn-diameter.tip"), 1},
        {" = ", "", 2},
    }};
    return fields;
}

std::string FieldCaption(std::size_t input, TLanguage language, TLengthUnit lengths)
{
    return ShownInputLabel(InputTable()[input], language, lengths) + FieldPresentation()[input].captionTail;
}

std::string FieldToolTip(std::size_t input, TLanguage language, TLengthUnit lengths)
{
    const TInputInfo& info = InputTable()[input];
    if (!*FieldPresentation()[input].toolTip)
        return {};
    // A tip that names the unit has its own text for inches.
    if (lengths == TLengthUnit::Inch && std::string_view(info.key) == "cylinder-diameter")
        return InputText(info, "tip.inch", language);
    return InputText(info, "tip", language);
}

} // namespace eh
