// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowTexts.h"

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

} // namespace eh
