// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberWord.h"

#include "NumberConversion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace eh {

namespace {

bool EqualsIgnoringCase(std::string_view text, std::string_view lower)
{
    if (text.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lower[i])
            return false;
    }
    return true;
}

// The significant digits and the power of ten: value = digits * 10^exponent.
struct TDecimal {
    std::uint64_t digits = 0;
    long exponent = 0;
};

constexpr int kMaxKeptDigits = 19; // what a 64-bit integer always holds
constexpr long kExponentCap = 100000; // far beyond any double; keeps the sums from overflowing

// Exactly representable powers of ten of a double.
constexpr std::array<double, 23> kExactPowers = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// 10^0 .. 10^27: 5^27 still fits the extended type's 64-bit significand.
constexpr std::array<long double, 28> kExactExtendedPowers = [] {
    std::array<long double, 28> powers{};
    long double power = 1;
    for (long double& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

double ValueOf(const TDecimal& d)
{
    if (d.digits == 0)
        return 0;
    constexpr std::uint64_t kExactInteger = std::uint64_t{1} << 53;
    if (d.digits <= kExactInteger && d.exponent >= -22 && d.exponent <= 22) {
        // One exact operand each, so one rounding: correctly rounded.
        const double digits = static_cast<double>(d.digits);
        return d.exponent >= 0 ? digits * kExactPowers[static_cast<std::size_t>(d.exponent)]
                               : digits / kExactPowers[static_cast<std::size_t>(-d.exponent)];
    }
    // 17 to 19 digits, as a shortest round-trip text has them: the powers
    // up to 10^27 are exact in the extended type, so again one rounding
    // there (and one more to the double).
    const long double digits = static_cast<long double>(d.digits);
    const long magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
    const long double power = magnitude < static_cast<long>(kExactExtendedPowers.size())
                                  ? kExactExtendedPowers[static_cast<std::size_t>(magnitude)]
                                  : PowerOfTen(magnitude);
    return static_cast<double>(d.exponent >= 0 ? digits * power : digits / power);
}

} // namespace

TNumberWord ReadNumberWord(std::string_view word)
{
    bool negative = false;
    if (!word.empty() && (word.front() == '+' || word.front() == '-')) {
        negative = word.front() == '-';
        word.remove_prefix(1);
    }
    if (EqualsIgnoringCase(word, "nan") || EqualsIgnoringCase(word, "inf") || EqualsIgnoringCase(word, "infinity"))
        return {TNumberWordKind::NotFinite, 0};

    TDecimal decimal;
    int kept = 0;
    bool anyDigit = false;
    bool point = false;
    std::size_t i = 0;
    for (; i < word.size(); ++i) {
        const char c = word[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!IsDigit(c))
            break;
        anyDigit = true;
        if (decimal.digits == 0 && c == '0') {
            if (point)
                --decimal.exponent; // a leading zero of the fraction
            continue;
        }
        if (kept < kMaxKeptDigits) {
            decimal.digits = decimal.digits * 10 + static_cast<std::uint64_t>(c - '0');
            ++kept;
            if (point)
                --decimal.exponent;
        } else if (!point) {
            ++decimal.exponent; // an integer digit beyond those kept
        }
    }
    if (!anyDigit)
        return {TNumberWordKind::NotANumber, 0};
    if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < word.size() && (word[i] == '+' || word[i] == '-')) {
            negativeExponent = word[i] == '-';
            ++i;
        }
        if (i == word.size())
            return {TNumberWordKind::NotANumber, 0};
        long exponent = 0;
        for (; i < word.size() && IsDigit(word[i]); ++i)
            exponent = std::min(exponent * 10 + (word[i] - '0'), kExponentCap);
        decimal.exponent += negativeExponent ? -exponent : exponent;
    }
    if (i != word.size())
        return {TNumberWordKind::NotANumber, 0};
    const double value = ValueOf(decimal);
    if (!std::isfinite(value))
        return {TNumberWordKind::NotFinite, 0};
    return {TNumberWordKind::Number, negative ? -value : value};
}

} // namespace eh
