// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "Language.h"
#include "LengthUnit.h"

#include <cstddef>
#include <string>
#include <vector>

// Designs the user pinned to compare with the typed one. A pin is a design,
// not a curve: it is swept again over whatever input and range the chart
// shows, so pins survive a new range, a new input to vary and a search.
namespace eh {

class PinnedDesigns {
public:
    static constexpr std::size_t kMaxPinned = 3;

    // False when kMaxPinned are pinned already.
    bool Pin(const TAntennaInputs& design);
    void Clear() { designs_.clear(); }
    const std::vector<TAntennaInputs>& Designs() const { return designs_; }
    bool Full() const { return designs_.size() >= kMaxPinned; }

private:
    std::vector<TAntennaInputs> designs_;
};

// The inputs in which `pinned` differs from `typed`, apart from the swept
// one: "Диаметр цилиндра (мм) 40, Шаг намотки (мм) 2,5" (lengths in
// `lengths`), or "та же конструкция".
std::string PinnedLabel(const TAntennaInputs& pinned, const TAntennaInputs& typed, std::size_t sweptInput,
                        char separator, TLanguage language = kDefaultLanguage,
                        TLengthUnit lengths = TLengthUnit::Millimetre);

} // namespace eh
