// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowTexts.h"

namespace eh {

const std::array<TFieldPresentation, kInputCount>& FieldPresentation()
{
    static const std::array<TFieldPresentation, kInputCount> fields = {{
        {"  = ", "средняя частота резонанса антенны", 0},
        {" =", "диаметр цилиндров в миллиметрах.", 0},
        {" =", "отношение длины цилиндра (одного) к его диаметру.", 0},
        {" =", "диаметр провода катушки настройки.", 1},
        {" =", "шаг намотки катушки настройки (не может быть меньше диаметра провода).", 1},
        {" =", "диаметр катушки настройки (как правило равен диаметру цилиндра).", 1},
        {" = ", "", 2},
    }};
    return fields;
}

} // namespace eh
