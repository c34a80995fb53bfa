// SPDX-License-Identifier: GPL-3.0-or-later
#include "InchText.h"

#include "LengthUnit.h"
#include "NumberConversion.h"

#include <algorithm>

namespace eh {

namespace {

// `digits` (decimal, most significant first) times `factor`.
std::string MultipliedDigits(const std::string& digits, int factor)
{
    std::string product(digits.size(), '0');
    int carry = 0;
    for (std::size_t i = digits.size(); i-- > 0;) {
        const int value = (digits[i] - '0') * factor + carry;
        product[i] = static_cast<char>('0' + value % 10);
        carry = value / 10;
    }
    return carry > 0 ? std::to_string(carry) + product : product;
}

} // namespace

std::string MillimetreTextOfInches(std::string_view inchText, char separator)
{
    // The text reads as a number, so it is: spaces, a sign, digits with at
    // most one decimal mark, and perhaps an exponent of at most four digits.
    bool negative = false;
    std::string digits;
    long fractionDigits = 0;
    bool inFraction = false;
    long exponent = 0;
    std::size_t i = 0;
    const std::size_t n = inchText.size();
    for (; i < n && inchText[i] != 'e' && inchText[i] != 'E'; ++i) {
        const char c = inchText[i];
        if (c == '-')
            negative = true;
        else if (IsDecimalMark(c, separator))
            inFraction = true;
        else if (IsDigit(c)) {
            digits += c;
            fractionDigits += inFraction ? 1 : 0;
        }
    }
    if (i < n) {
        bool negativeExponent = false;
        for (++i; i < n; ++i) {
            if (inchText[i] == '-')
                negativeExponent = true;
            else if (IsDigit(inchText[i]))
                exponent = exponent * 10 + (inchText[i] - '0');
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty())
        return std::string(inchText);

    // 25.4 = 254 / 10: the digits times 254, one more decimal place.
    std::string product = MultipliedDigits(digits, kTenthsOfMillimetrePerInch);
    const long scale = exponent - fractionDigits - 1;
    std::string text = negative ? "-" : "";
    if (scale >= 0)
        return text + product + "e" + std::to_string(scale);
    // A point rather than a negative exponent, which many fraction digits
    // could take past what an exponent may have.
    const std::size_t places = static_cast<std::size_t>(-scale);
    if (places >= product.size())
        return text + "0." + std::string(places - product.size(), '0') + product;
    product.insert(product.size() - places, ".");
    return text + product;
}

} // namespace eh
