// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DecimalSeparatorRule.h"

// The region's decimal separator.
namespace eh {

// The decimal separator of the system locale (as the environment sets it:
// LC_ALL, LC_NUMERIC, LANG), or a point when that cannot be a separator.
char SystemDecimalSeparator();

} // namespace eh
