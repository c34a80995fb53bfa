// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignTables.h"
#include "Language.h"
#include "LengthUnit.h"

#include <array>
#include <cstddef>
#include <string>

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

// The label beside input `input` (InputTable()'s index) and its tip (empty:
// none) in `language`, a length's in `lengths`: in Russian and millimetres
// the label and tip above.
std::string FieldCaption(std::size_t input, TLanguage language, TLengthUnit lengths);
std::string FieldToolTip(std::size_t input, TLanguage language, TLengthUnit lengths);

inline constexpr const char* kMainWindowCaption = RussianText("window.caption");
inline constexpr std::array<const char*, 3> kGroupTitles = {
    RussianText("window.group.antenna"), RussianText("window.group.coil"), RussianText("window.group.measured")};
inline constexpr const char* kBandwidthNote = RussianText("window.bandwidth-note");
// "&" marks the access key; the third letter of the Russian is a Latin "c",
// as the window always wrote it.
inline constexpr const char* kCalculateCaption = RussianText("window.calculate");
inline constexpr const char* kSaveCaption = RussianText("window.save");

} // namespace eh
