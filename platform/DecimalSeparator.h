// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DecimalSeparatorRule.h"

// The region's decimal separator, as Qt reads the system locale.
namespace eh {

// The decimal separator of the system locale (as the environment sets it:
// LC_ALL, LC_NUMERIC, LANG), or a point when that cannot be a separator
// (RegionalDecimalSeparator) or there are no regional settings (WebAssembly).
char SystemDecimalSeparator();

} // namespace eh
