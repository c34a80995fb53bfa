// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

#include <array>

namespace eh::test {

struct ExpectedReportLine {
    TReportLineKind kind;
    const char* text;
    const char* number; // the bold number text of a value line, else nullptr
};

// The reference design's report with a comma as the decimal separator. The
// x10 rows show centimetres as millimetres.
inline constexpr std::array<ExpectedReportLine, 38> kExampleAReport = {{
    {TReportLineKind::rlTitle, "Расчет параметров ЕН Антенны", nullptr},
    {TReportLineKind::rlValue, "Частота = 14,20 МГц", "14,20"},
    {TReportLineKind::rlValue, "Диаметр цилиндров = 50,00 мм", "50,00"},
    {TReportLineKind::rlValue, "Отношение длина/диаметр (L/D) = 3,00", "3,00"},
    {TReportLineKind::rlValue, "C = 7,28 Пф", "7,28"},
    {TReportLineKind::rlValue, "Xc = 1540,45 Ом", "1540,45"},
    {TReportLineKind::rlValue, "Полоса пропуск. по ур.3 dB = 1106,17 Кгц", "1106,17"},
    {TReportLineKind::rlValue, "Q = 12,84 ", "12,84"},
    {TReportLineKind::rlValue, "Общая длина антенны  = 428,17 мм", "428,17"},
    {TReportLineKind::rlValue, "Длина антенны к длине волны 2,03 %", "2,03"},
    {TReportLineKind::rlEmpty, "", nullptr},
    {TReportLineKind::rlHeading, "Вычисление параметров катушки настройки", nullptr},
    {TReportLineKind::rlValue, "Диаметр провода = 1,00 мм", "1,00"},
    {TReportLineKind::rlValue, "Шаг намотки = 2,00 мм", "2,00"},
    {TReportLineKind::rlValue, "Витков на сантиметр = 6,67 ", "6,67"},
    {TReportLineKind::rlValue, "Диаметр витка = 50,00 мм", "50,00"},
    {TReportLineKind::rlValue, "Емкость между проводом и цилиндром C = 2,13 Пф", "2,13"},
    {TReportLineKind::rlValue, "Емкость катушки настройки C = 3,64 Пф Ориентировочно", "3,64"},
    {TReportLineKind::rlValue, "Индуктивность катушки L = 9,63 микрогенри", "9,63"},
    {TReportLineKind::rlValue, "Количество витков = 14,08 ", "14,08"},
    {TReportLineKind::rlValue, "Длина катушки = 28,17 мм", "28,17"},
    {TReportLineKind::rlValue, "Длина провода = 2211,23 мм", "2211,23"},
    {TReportLineKind::rlEmpty, "", nullptr},
    {TReportLineKind::rlHeading, "Вычисление эффективности антенны", nullptr},
    {TReportLineKind::rlValue, "Сопротивление потерь на ВЧ = 0,69 Ом", "0,69"},
    {TReportLineKind::rlValue, "Эффективность антенны = 0,00 %", "0,00"},
    {TReportLineKind::rlValue, "Потери в антенне = 0,00 dB", "0,00"},
    {TReportLineKind::rlValue, "RR= 0,00 Ом", "0,00"},
    {TReportLineKind::rlValue, "Ошибка вычисления = -100,00 %", "-100,00"},
    {TReportLineKind::rlEmpty, "", nullptr},
    {TReportLineKind::rlHeading, "Вычисление длины провода для фазирующей катушки", nullptr},
    {TReportLineKind::rlValue, "Длина провода = 352,02 мм", "352,02"},
    {TReportLineKind::rlValue, "Количество витков = 2,24", "2,24"},
    {TReportLineKind::rlEmpty, "", nullptr},
    {TReportLineKind::rlHeading, "Пересчет размеров для плоской ЕН антенны", nullptr},
    {TReportLineKind::rlValue, "Горизонтальный размер плеча 150,00 мм", "150,00"},
    {TReportLineKind::rlValue, "Вертикальный размер плеча 157,00 мм", "157,00"},
    {TReportLineKind::rlValue, "Расстояние между плечами 50,00 мм", "50,00"},
}};

// The same report in English, with the same numbers.
inline constexpr std::array<ExpectedReportLine, 38> kExampleAReportEnglish = {{
    {TReportLineKind::rlTitle, "EH Antenna Design", nullptr},
    {TReportLineKind::rlValue, "Frequency = 14,20 MHz", "14,20"},
    {TReportLineKind::rlValue, "Cylinder diameter = 50,00 mm", "50,00"},
    {TReportLineKind::rlValue, "Length/diameter ratio (L/D) = 3,00", "3,00"},
    {TReportLineKind::rlValue, "C = 7,28 pF", "7,28"},
    {TReportLineKind::rlValue, "Xc = 1540,45 Ohm", "1540,45"},
    {TReportLineKind::rlValue, "3 dB bandwidth = 1106,17 kHz", "1106,17"},
    {TReportLineKind::rlValue, "Q = 12,84", "12,84"},
    {TReportLineKind::rlValue, "Total antenna length = 428,17 mm", "428,17"},
    {TReportLineKind::rlValue, "Antenna length to wavelength 2,03 %", "2,03"},
    {TReportLineKind::rlEmpty, "", nullptr},
    {TReportLineKind::rlHeading, "Tuning coil", nullptr},
    {TReportLineKind::rlValue, "Wire diameter = 1,00 mm", "1,00"},
    {TReportLineKind::rlValue, "Winding pitch = 2,00 mm", "2,00"},
    {TReportLineKind::rlValue, "Turns per centimetre = 6,67", "6,67"},
    {TReportLineKind::rlValue, "Turn diameter = 50,00 mm", "50,00"},
    {TReportLineKind::rlValue, "Wire-to-cylinder capacitance C = 2,13 pF", "2,13"},
    {TReportLineKind::rlValue, "Tuning coil capacitance C = 3,64 pF approx.", "3,64"},
    {TReportLineKind::rlValue, "Coil inductance L = 9,63 µH", "9,63"},
    {TReportLineKind::rlValue, "Number of turns = 14,08", "14,08"},
    {TReportLineKind::rlValue, "Coil length = 28,17 mm", "28,17"},
    {TReportLineKind::rlValue, "Wire length = 2211,23 mm", "2211,23"},
    {TReportLineKind::rlEmpty, "", nullptr},
    {TReportLineKind::rlHeading, "Antenna efficiency", nullptr},
    {TReportLineKind::rlValue, "RF loss resistance = 0,69 Ohm", "0,69"},
    {TReportLineKind::rlValue, "Antenna efficiency = 0,00 %", "0,00"},
    {TReportLineKind::rlValue, "Antenna loss = 0,00 dB", "0,00"},
    {TReportLineKind::rlValue, "RR = 0,00 Ohm", "0,00"},
    {TReportLineKind::rlValue, "Calculation error = -100,00 %", "-100,00"},
    {TReportLineKind::rlEmpty, "", nullptr},
    {TReportLineKind::rlHeading, "Phasing coil wire length", nullptr},
    {TReportLineKind::rlValue, "Wire length = 352,02 mm", "352,02"},
    {TReportLineKind::rlValue, "Number of turns = 2,24", "2,24"},
    {TReportLineKind::rlEmpty, "", nullptr},
    {TReportLineKind::rlHeading, "Dimensions of a flat EH antenna", nullptr},
    {TReportLineKind::rlValue, "Horizontal arm size 150,00 mm", "150,00"},
    {TReportLineKind::rlValue, "Vertical arm size 157,00 mm", "157,00"},
    {TReportLineKind::rlValue, "Gap between the arms 50,00 mm", "50,00"},
}};

} // namespace eh::test
