// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberConversion.h"

#include "Exceptions.h"
#include "ExtendedElementary.h"
#include "ExtendedMath.h"

#include <cmath>
#include <string>

namespace eh {

namespace {

[[noreturn]] void Reject(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

} // namespace

long double PowerOfTen(long n)
{
    return elementary::Pow(10.0L, static_cast<long double>(n));
}

long double TextToExtended(std::string_view text, char separator)
{
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    long double mantissa = 0.0L;
    bool readSomething = false;
    while (i < n && IsDigit(text[i])) {
        mantissa = mantissa * 10.0L + (text[i] - '0');
        readSomething = true;
        ++i;
    }
    long fractionDigits = 0;
    if (i < n && text[i] == separator) {
        readSomething = true;
        ++i;
        while (i < n && IsDigit(text[i])) {
            mantissa = mantissa * 10.0L + (text[i] - '0');
            // Bounded by the text's length, so this cannot overflow.
            ++fractionDigits;
            ++i;
        }
    }
    if (!readSomething)
        Reject(text);

    long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        // Once the exponent has reached 500 no further digit is read: what
        // is left makes the text invalid below.
        while (i < n && IsDigit(text[i]) && exponent < 500) {
            exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        Reject(text);

    if (std::isinf(mantissa))
        Reject(text);
    const long scale = exponent - fractionDigits;
    long double value;
    if (scale >= 0) {
        const long double power = PowerOfTen(scale);
        if (std::isinf(power) && mantissa == 0.0L)
            Reject(text); // 0 times infinity: an invalid operation
        value = mantissa * power;
    } else {
        // Dividing by the exact power is the more accurate of the two ways
        // for the powers that matter; an infinite power gives zero.
        value = mantissa / PowerOfTen(-scale);
    }
    if (std::isinf(value) || std::isnan(value))
        Reject(text);
    return negative ? -value : value;
}

double ConvertFieldText(std::string_view fieldText, char separator)
{
    std::string copy(fieldText);
    for (char& c : copy) {
        if (IsDecimalMark(c, separator))
            c = separator;
    }
    return xmath::Store(TextToExtended(copy, separator));
}

} // namespace eh
