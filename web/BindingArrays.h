// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <emscripten/val.h>

#include <vector>

namespace eh {

// The numbers as a JavaScript Float64Array of their own.
inline emscripten::val Float64Array(const std::vector<double>& values)
{
    return emscripten::val::global("Float64Array").new_(emscripten::typed_memory_view(values.size(), values.data()));
}

} // namespace eh
