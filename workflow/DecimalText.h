// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A number text as the decimal the user wrote: "1.25" is 125 hundredths,
// "15e-1" 15 tenths, "1.5e3" 1500 units. The sweep grid counts in these
// integers so that its values are the decimals typed, not the sums of
// rounded doubles.
namespace eh {

struct TDecimalText {
    std::int64_t digits = 0; // the signed digits, trailing zeros of the fraction kept
    int places = 0;          // value = digits / 10^places; negative for "1e3"-like texts
};

// Reads a text that the fields' reading (ConvertFieldText) has read as a
// number, with the same `separator`. Empty when its digits do not fit 18
// decimal digits or its exponent passes 1000.
std::optional<TDecimalText> ReadDecimalText(std::string_view text, char separator);

} // namespace eh
