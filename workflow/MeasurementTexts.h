// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Language.h"
#include "ResonanceAnalysis.h"
#include "Touchstone.h"

#include <string>

// The measurement's refusals and notes in the words of the window and the
// page (Russian, UTF-8). The command-line tool words them in English.
namespace eh {

// "Строка 12: ..." (or without the line when the whole file is at fault).
std::string TouchstoneRefusalText(const TTouchstoneRefusal& refusal, TLanguage language = kDefaultLanguage);

// One sentence per note.
std::string MeasurementNoteText(TMeasurementNote note, TLanguage language = kDefaultLanguage);

// The method in one sentence, with its source.
std::string MeasurementMethodText(TLanguage language = kDefaultLanguage);

} // namespace eh
