// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegionalSettings.h"

#include "DecimalSeparator.h"

namespace eh {

char RegionalSettings::separator_ = '.';

char RegionalSettings::DecimalSeparator() { return separator_; }

void RegionalSettings::Refresh() { separator_ = SystemDecimalSeparator(); }

void RegionalSettings::SetDecimalSeparator(char separator) { separator_ = separator; }

} // namespace eh
