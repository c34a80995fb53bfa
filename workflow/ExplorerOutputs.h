// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignTables.h"
#include "Language.h"
#include "LengthUnit.h"

#include <cstddef>
#include <string>
#include <vector>

// The results the explorer charts, as its own texts name them.
namespace eh {

// The unit in SI spelling ("кГц", "пФ", "мкГн"): the report keeps its own.
// A length's is `lengths`.
std::string ExplorerUnit(const TResultInfo& info, TLanguage language = kDefaultLanguage,
                         TLengthUnit lengths = TLengthUnit::Millimetre);

// "Полоса пропуск. по ур.3 dB, кГц"; the name alone when there is no unit.
std::string ExplorerCaption(const TResultInfo& info, TLanguage language = kDefaultLanguage,
                            TLengthUnit lengths = TLengthUnit::Millimetre);

// At most this many value axes share one chart: the left and the right.
inline constexpr std::size_t kUnitsPerChart = 2;

// The charts stacked for `outputs` (indices in ResultTable()): their units
// in the order they first appear, kUnitsPerChart to a chart, and on each
// chart the outputs of those units.
std::vector<std::vector<std::size_t>> ExplorerCharts(const std::vector<std::size_t>& outputs);

// Bandwidth, efficiency and the tuning coil's turns: what a ham weighs
// first. Indices in ResultTable().
std::vector<std::size_t> DefaultExplorerOutputs();

// The results the model derives from the measured bandwidth: with none
// measured they are constants, and with one measured they hold only for the
// design and frequency it was measured at.
bool IsBandwidthDerived(const TResultInfo& info);

} // namespace eh
