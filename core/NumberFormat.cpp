// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberFormat.h"

#include <algorithm>
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

char* WriteReportNumber(char* out, double value, char separator)
{
    const auto writeZero = [&out, separator] {
        *out++ = '0';
        *out++ = separator;
        *out++ = '0';
        *out++ = '0';
        return out;
    };
    if (value == 0.0 || !std::isfinite(value))
        return writeZero();

    const bool negative = std::signbit(value);
    const DecimalForm form = ToDecimalForm(std::fabs(value));
    int e = form.integerDigits;

    if (e > kSignificantDigits) {
        // Exponent form: every significant digit, trailing zeros dropped; the
        // exponent has at least the two digits of 18.
        int last = kSignificantDigits - 1;
        while (last > 0 && form.digits[last] == '0')
            --last;
        if (negative)
            *out++ = '-';
        *out++ = form.digits[0];
        if (last > 0) {
            *out++ = separator;
            out = std::copy(form.digits.data() + 1, form.digits.data() + last + 1, out);
        }
        *out++ = 'E';
        return std::to_chars(out, out + 8, e - 1).ptr;
    }

    const int keep = e + 2; // the digits up to the second decimal
    if (keep < 0)
        return writeZero();

    // The kept digits start at `first`; a carry out of the first one adds a
    // leading "1" in front and one more integer digit.
    std::array<char, kSignificantDigits + 4> kept{};
    char* first = kept.data() + 1;
    int count = std::min(keep, kSignificantDigits);
    std::copy(form.digits.data(), form.digits.data() + count, first);
    if (keep < kSignificantDigits && form.digits[keep] >= '5') {
        int i = count - 1;
        while (i >= 0 && first[i] == '9') {
            first[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++first[i];
        } else {
            *--first = '1';
            ++count;
            ++e;
        }
    }
    if (std::all_of(first, first + count, [](char digit) { return digit == '0'; }))
        return writeZero();

    // Padded on the right to the second decimal, then split at the point.
    while (count < e + 2)
        first[count++] = '0';
    if (negative)
        *out++ = '-';
    if (e <= 0) {
        // 0,0d or 0,dd: the decimals are -e zeros and then the kept digits.
        *out++ = '0';
        *out++ = separator;
        for (int i = 0; i < 2; ++i)
            *out++ = i < -e ? '0' : first[i + e];
        return out;
    }
    out = std::copy(first, first + e, out);
    *out++ = separator;
    *out++ = first[e];
    *out++ = first[e + 1];
    return out;
}

std::string FormatReportNumber(double value, char separator)
{
    char text[kReportNumberMaxBytes];
    return std::string(text, WriteReportNumber(text, value, separator));
}

} // namespace eh
