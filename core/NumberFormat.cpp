// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace eh {

namespace {

constexpr int kSignificantDigits = 18;

// The 18 most significant decimal digits of a finite, non-zero magnitude,
// correctly rounded (ties to even), and the number of digits before its
// decimal point (0 or negative below 1).
struct DecimalForm {
    std::array<char, kSignificantDigits> digits{};
    int integerDigits = 0;
};

DecimalForm ToDecimalForm(double magnitude)
{
    // Scientific form with 17 digits after the point: "d.ddd...de+XX".
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    DecimalForm form;
    const char* p = buffer.data();
    form.digits[0] = *p++;
    ++p; // the point
    for (int i = 1; i < kSignificantDigits; ++i)
        form.digits[i] = *p++;
    ++p; // 'e'
    if (*p == '+')
        ++p; // from_chars takes no plus sign
    int exponent = 0;
    std::from_chars(p, result.ptr, exponent);
    form.integerDigits = exponent + 1;
    return form;
}

} // namespace

std::string FormatReportNumber(double value, char separator)
{
    const std::string zero = std::string("0") + separator + "00";
    if (value == 0.0 || !std::isfinite(value))
        return zero;

    const bool negative = std::signbit(value);
    DecimalForm form = ToDecimalForm(std::fabs(value));
    int e = form.integerDigits;
    std::string sign = negative ? "-" : "";

    if (e > kSignificantDigits) {
        // Exponent form: every significant digit, trailing zeros dropped.
        int last = kSignificantDigits - 1;
        while (last > 0 && form.digits[last] == '0')
            --last;
        std::string text = sign + form.digits[0];
        if (last > 0) {
            text += separator;
            text.append(form.digits.data() + 1, form.digits.data() + last + 1);
        }
        const std::string exponent = std::to_string(e - 1);
        text += 'E';
        if (exponent.size() < 2)
            text += '0';
        return text + exponent;
    }

    const int keep = e + 2; // the digits up to the second decimal
    if (keep < 0)
        return zero;

    // `kept` holds the kept digits; a carry out of the first one adds a
    // leading "1" and one more integer digit.
    std::string kept(form.digits.data(), form.digits.data() + std::min(keep, kSignificantDigits));
    if (keep < kSignificantDigits && form.digits[keep] >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[i] == '9') {
            kept[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++kept[i];
        } else {
            kept.insert(kept.begin(), '1');
            ++e;
        }
    }
    if (kept.find_first_not_of('0') == std::string::npos)
        return zero;

    // Pad on the right to the second decimal, then split at the point.
    const int decimalsStart = e; // index in `kept` of the first decimal
    if (static_cast<int>(kept.size()) < e + 2)
        kept.append(e + 2 - kept.size(), '0');
    std::string integerPart;
    std::string fraction;
    if (decimalsStart <= 0) {
        integerPart = "0";
        fraction = std::string(-decimalsStart, '0') + kept;
    } else {
        integerPart = kept.substr(0, decimalsStart);
        fraction = kept.substr(decimalsStart);
    }
    fraction.resize(2, '0');
    return sign + integerPart + separator + fraction;
}

} // namespace eh
