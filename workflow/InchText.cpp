// SPDX-License-Identifier: GPL-3.0-or-later
#include "InchText.h"

#include "LengthUnit.h"
#include "NumberConversion.h"

#include <fmt/format.h>

#include <algorithm>
#include <optional>

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

// A decimal number as its significant digits (no leading zeros) times ten to
// `scale`.
struct TDecimal {
    bool negative = false;
    std::string digits;
    long scale = 0;
};

// The number a text that ConvertFieldText reads with `separator` holds:
// spaces, a sign, digits with at most one decimal mark, and perhaps an
// exponent of at most four digits.
TDecimal ReadDecimal(std::string_view text, char separator)
{
    TDecimal number;
    long fractionDigits = 0;
    bool inFraction = false;
    long exponent = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    for (; i < n && text[i] != 'e' && text[i] != 'E'; ++i) {
        const char c = text[i];
        if (c == '-')
            number.negative = true;
        else if (IsDecimalMark(c, separator))
            inFraction = true;
        else if (IsDigit(c)) {
            number.digits += c;
            fractionDigits += inFraction ? 1 : 0;
        }
    }
    if (i < n) {
        bool negativeExponent = false;
        for (++i; i < n; ++i) {
            if (text[i] == '-')
                negativeExponent = true;
            else if (IsDigit(text[i]))
                exponent = exponent * 10 + (text[i] - '0');
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    number.digits.erase(0, std::min(number.digits.find_first_not_of('0'), number.digits.size()));
    number.scale = exponent - fractionDigits;
    return number;
}

// Digits an inch text that is not exact is given: as many as the window
// always showed.
constexpr int kInchTextDigits = 10;
// Whole numbers up to this many zeros are written out.
constexpr long kMostZerosWritten = 15;

// The number with `mark` as its decimal mark, or with an exponent when it
// is whole and `wholeWithExponent` (or would take too many zeros).
std::string DecimalText(const TDecimal& number, char mark, bool wholeWithExponent)
{
    std::string text = number.negative ? "-" : "";
    std::string digits = number.digits;
    if (number.scale >= 0 && (wholeWithExponent || number.scale > kMostZerosWritten))
        return text + digits + "e" + std::to_string(number.scale);
    if (number.scale >= 0)
        return text + digits + std::string(static_cast<std::size_t>(number.scale), '0');
    // A point rather than a negative exponent, which many fraction digits
    // could take past what an exponent may have.
    const std::size_t places = static_cast<std::size_t>(-number.scale);
    if (places >= digits.size())
        return text + "0" + mark + std::string(places - digits.size(), '0') + digits;
    digits.insert(digits.size() - places, 1, mark);
    return text + digits;
}

// `digits` divided by `divisor`, when it divides them.
std::optional<std::string> DividedDigits(const std::string& digits, int divisor)
{
    std::string quotient;
    int remainder = 0;
    for (const char digit : digits) {
        const int value = remainder * 10 + (digit - '0');
        quotient += static_cast<char>('0' + value / divisor);
        remainder = value % divisor;
    }
    if (remainder != 0)
        return std::nullopt;
    quotient.erase(0, std::min(quotient.find_first_not_of('0'), quotient.size()));
    return quotient;
}

} // namespace

std::string MillimetreTextOfInches(std::string_view inchText, char separator)
{
    TDecimal number = ReadDecimal(inchText, separator);
    if (number.digits.empty())
        return std::string(inchText);
    // 25.4 = 254 / 10: the digits times 254, one more decimal place.
    number.digits = MultipliedDigits(number.digits, kTenthsOfMillimetrePerInch);
    number.scale -= 1;
    return DecimalText(number, '.', true);
}

std::string InchTextOfMillimetres(std::string_view millimetreText, char separator)
{
    TDecimal number = ReadDecimal(millimetreText, separator);
    if (number.digits.empty())
        return std::string(millimetreText);
    // 1 / 25.4 = 10 / 254 = 5 / 127: exact when 127 divides the digits.
    if (std::optional<std::string> quotient =
            DividedDigits(MultipliedDigits(number.digits, 5), kTenthsOfMillimetrePerInch / 2)) {
        number.digits = *quotient;
        // The decimal place MillimetreTextOfInches added, taken off again.
        if (number.scale < 0 && number.digits.size() > 1 && number.digits.back() == '0') {
            number.digits.pop_back();
            number.scale += 1;
        }
        return DecimalText(number, separator, false);
    }
    std::string text =
        fmt::format("{:.{}g}", InchesFromMillimetres(ConvertFieldText(millimetreText, separator)), kInchTextDigits);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

} // namespace eh
