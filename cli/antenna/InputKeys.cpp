// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputKeys.h"

#include "DesignTables.h"

namespace eh::cli {

std::string InputKeys(std::string_view beforeLast)
{
    std::string keys;
    for (std::size_t i = 0; i < kInputCount; ++i) {
        if (i > 0)
            keys += i + 1 < kInputCount ? std::string_view(", ") : beforeLast;
        keys += InputTable()[i].key;
    }
    return keys;
}

} // namespace eh::cli
