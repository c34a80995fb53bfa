// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasurementTexts.h"

namespace eh {

std::string TouchstoneRefusalText(const TTouchstoneRefusal&) { return {}; }

std::string MeasurementNoteText(TMeasurementNote) { return {}; }

std::string MeasurementMethodText() { return {}; }

} // namespace eh
