// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignTables.h"

#include <array>
#include <cstddef>

// The main window's own texts, shared by the desktop window and the browser
// page so that both show the same words: what follows each field's label,
// the field tips, the group titles, the bandwidth note and the captions.
namespace eh {

struct TFieldPresentation {
    const char* captionTail; // after the label: " =", with the spacing the window always had
    const char* toolTip;     // empty: none
    std::size_t group;       // index into kGroupTitles
};

// In the reading order of InputTable().
const std::array<TFieldPresentation, kInputCount>& FieldPresentation();

inline constexpr const char* kMainWindowCaption = "Программа для расчета параметров ЕН Антенны";
inline constexpr std::array<const char*, 3> kGroupTitles = {"Антенна", "Катушка", "Для готовой антенны"};
inline constexpr const char* kBandwidthNote =
    "это окно для ввода величины полосы пропускания по уровню 3 dB, измеренной у настроенной антенны. "
    "При начальном расчете, вводится максимальное расчетное значение автоматически (но в окне "
    "высвечивается \"0\").";
// "&" marks the access key; the third letter is a Latin "c", as the window
// always wrote it.
inline constexpr const char* kCalculateCaption = "&Раcсчитать";
inline constexpr const char* kSaveCaption = "Сохранить";

} // namespace eh
