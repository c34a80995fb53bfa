// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to field reading and number formatting: the text is
// read with a comma and with a point as the separator; whatever reads must
// format again without a fault, and only the documented faults may leave.
#include "Exceptions.h"
#include "NumberConversion.h"
#include "NumberFormat.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const char separator : {',', '.'}) {
        try {
            const double value = eh::ConvertFieldText(text, separator);
            if (!std::isfinite(value))
                std::abort(); // a stored field value is always finite
            const std::string formatted = eh::FormatReportNumber(value, separator);
            if (formatted.empty())
                std::abort();
        } catch (const eh::EConvertError&) {
        } catch (const eh::EOverflow&) {
        }
    }
    return 0;
}
