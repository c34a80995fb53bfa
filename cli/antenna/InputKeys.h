// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace eh::cli {

// The keys of the seven inputs in reading order, for messages and the help:
// "frequency, cylinder-diameter, ..., turn-diameter" + `beforeLast` +
// "bandwidth".
std::string InputKeys(std::string_view beforeLast);

} // namespace eh::cli
