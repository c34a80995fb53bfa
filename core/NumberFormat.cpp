// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberFormat.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

// Decimal digits come from the C++ library's to_chars where it has one for
// floating types (libstdc++), else from {fmt} (the WebAssembly's libc++ has
// none). Both are exact and give the same digits; {fmt} is the slower: for
// 18 digits it falls back to big-integer arithmetic, and its format strings
// are read at run time, which together took half of a batch design's time.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define EH_FLOATING_TO_CHARS 1
#else
#define EH_FLOATING_TO_CHARS 0
#endif

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

// Reads the exponent of "...e+XX" or "...e-XXX".
int ReadExponent(const char* p, const char* end)
{
    const bool negative = *p == '-';
    ++p; // the sign, always written
    int exponent = 0;
    for (; p != end; ++p)
        exponent = exponent * 10 + (*p - '0');
    return negative ? -exponent : exponent;
}

DecimalForm ToDecimalForm(double magnitude)
{
    // Scientific form with 17 digits after the point: "d.ddd...de+XX".
    std::array<char, 64> buffer{};
#if EH_FLOATING_TO_CHARS
    const char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::scientific, kSignificantDigits - 1)
                          .ptr;
#else
    const char* end = fmt::format_to(buffer.data(), "{:.{}e}", magnitude, kSignificantDigits - 1);
#endif
    DecimalForm form;
    const char* p = buffer.data();
    form.digits[0] = *p++;
    ++p; // the point
    for (int i = 1; i < kSignificantDigits; ++i)
        form.digits[i] = *p++;
    ++p; // 'e'
    form.integerDigits = ReadExponent(p, end) + 1;
    return form;
}

#if !EH_FLOATING_TO_CHARS
// The shortest digits that read back as a finite, non-zero magnitude, without
// trailing zeros, and the exponent of the first one (d.ddd × 10^exponent).
struct ShortestDigits {
    std::array<char, 24> digits{};
    int count = 0;
    int exponent = 0;
};

ShortestDigits ToShortestDigits(double magnitude)
{
    // {fmt}'s shortest text is plain ("0.001", "12300") or in exponent form
    // ("1.5e+300"); only its digits and where the point falls are kept.
    std::array<char, 64> buffer{};
    const char* end = fmt::format_to(buffer.data(), "{}", magnitude);
    ShortestDigits form;
    int integerDigits = 0;
    bool beforePoint = true;
    const char* p = buffer.data();
    for (; p != end && *p != 'e'; ++p) {
        if (*p == '.') {
            beforePoint = false;
            continue;
        }
        if (form.count == 0 && *p == '0') {
            // A leading zero ("0.001"): the first digit is one place lower.
            if (!beforePoint)
                --integerDigits;
            continue;
        }
        if (beforePoint)
            ++integerDigits;
        form.digits[form.count++] = *p;
    }
    form.exponent = integerDigits - 1 + (p != end ? ReadExponent(p + 1, end) : 0);
    while (form.count > 1 && form.digits[form.count - 1] == '0')
        --form.count;
    return form;
}

int DecimalLength(int n)
{
    int length = 1;
    for (; n >= 10; n /= 10)
        ++length;
    return length;
}
#endif

} // namespace

char* WriteReportNumber(char* out, double value, char separator, int decimals)
{
    const auto writeZero = [&out, separator, decimals] {
        *out++ = '0';
        *out++ = separator;
        out = std::fill_n(out, decimals, '0');
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

    const int keep = e + decimals; // the digits up to the last decimal
    if (keep < 0)
        return writeZero();

    // The kept digits start at `first`; a carry out of the first one adds a
    // leading "1" in front and one more integer digit.
    std::array<char, kSignificantDigits + 2 + kMaxReportDecimals> kept{};
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

    // Padded on the right to the last decimal, then split at the point.
    while (count < e + decimals)
        first[count++] = '0';
    if (negative)
        *out++ = '-';
    if (e <= 0) {
        // 0,0d or 0,dd: the decimals are -e zeros and then the kept digits.
        *out++ = '0';
        *out++ = separator;
        for (int i = 0; i < decimals; ++i)
            *out++ = i < -e ? '0' : first[i + e];
        return out;
    }
    out = std::copy(first, first + e, out);
    *out++ = separator;
    return std::copy(first + e, first + e + decimals, out);
}

std::string FormatReportNumber(double value, char separator, int decimals)
{
    char text[kReportNumberMaxBytes];
    return std::string(text, WriteReportNumber(text, value, separator, decimals));
}

char* WriteShortestNumber(char* out, double value)
{
#if EH_FLOATING_TO_CHARS
    // This is the C++ library's own shortest text, which what follows
    // rebuilds from {fmt}'s digits.
    return std::to_chars(out, out + kShortestNumberMaxBytes, value).ptr;
#else
    if (std::signbit(value))
        *out++ = '-';
    if (!std::isfinite(value))
        return std::copy_n(std::isnan(value) ? "nan" : "inf", 3, out);
    if (value == 0.0) {
        *out++ = '0';
        return out;
    }
    const ShortestDigits form = ToShortestDigits(std::fabs(value));
    const int n = form.count;
    const int e = form.exponent;
    const std::string_view digits(form.digits.data(), static_cast<std::size_t>(n));

    // "d.ddde+XX": the exponent has two digits at least.
    const int exponentLength = 2 + std::max(2, DecimalLength(std::abs(e)));
    const int scientificLength = n + (n > 1 ? 1 : 0) + exponentLength;
    const int plainLength = e >= n - 1 ? e + 1 : (e >= 0 ? n + 1 : n + 1 - e);
    if (plainLength <= scientificLength) {
        if (e >= n - 1) {
            // A whole number is written in full, with the digits of its exact
            // value, not zeros after the shortest ones (2^60 is
            // 1152921504606846976, not 1152921504606847000).
            return fmt::format_to(out, "{:.0f}", std::fabs(value));
        }
        if (e >= 0) {
            out = std::copy_n(digits.begin(), e + 1, out);
            *out++ = '.';
            return std::copy(digits.begin() + e + 1, digits.end(), out);
        }
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -e - 1, '0');
        return std::copy(digits.begin(), digits.end(), out);
    }
    *out++ = digits[0];
    if (n > 1) {
        *out++ = '.';
        out = std::copy(digits.begin() + 1, digits.end(), out);
    }
    *out++ = 'e';
    *out++ = e < 0 ? '-' : '+';
    if (std::abs(e) < 10)
        *out++ = '0';
    return std::to_chars(out, out + 8, std::abs(e)).ptr;
#endif
}

} // namespace eh
