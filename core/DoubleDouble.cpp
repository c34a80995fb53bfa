// SPDX-License-Identifier: GPL-3.0-or-later
#include "DoubleDouble.h"

namespace eh::xmath {

void DeclineDoubleDouble() { throw DoubleDoubleDeclined(); }

} // namespace eh::xmath
