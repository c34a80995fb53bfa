// SPDX-License-Identifier: GPL-3.0-or-later
#include "WireGauge.h"

#include "ExtendedElementary.h"
#include "ExtendedMath.h"
#include "NumberConversion.h"

#include <cctype>
#include <string>

namespace eh {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool StartsWithAwg(std::string_view text)
{
    return text.size() >= 3 && std::toupper(static_cast<unsigned char>(text[0])) == 'A' &&
           std::toupper(static_cast<unsigned char>(text[1])) == 'W' &&
           std::toupper(static_cast<unsigned char>(text[2])) == 'G';
}

// The gauge's own text without "#" or "AWG": "14", "0000", "4/0".
std::optional<std::string_view> GaugeNumberText(std::string_view text)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '#')
        return Trimmed(text.substr(1));
    if (StartsWithAwg(text))
        return Trimmed(text.substr(3));
    if (text.size() >= 3 && StartsWithAwg(text.substr(text.size() - 3)))
        return Trimmed(text.substr(0, text.size() - 3));
    return std::nullopt;
}

bool AllDigits(std::string_view text)
{
    for (const char c : text) {
        if (!IsDigit(c))
            return false;
    }
    return !text.empty();
}

} // namespace

std::optional<int> ReadWireGauge(std::string_view text)
{
    const std::optional<std::string_view> number = GaugeNumberText(text);
    if (!number || number->empty() || number->size() > 4)
        return std::nullopt;
    const std::string_view digits = *number;
    // "0", "00", "000", "0000": one gauge thicker for each further zero.
    if (digits.find_first_not_of('0') == std::string_view::npos)
        return 1 - static_cast<int>(digits.size());
    // "1/0" to "4/0": the same gauges as "0" to "0000".
    if (digits.size() == 3 && digits.substr(1) == "/0" && digits[0] >= '1' && digits[0] <= '4')
        return 1 - (digits[0] - '0');
    if (!AllDigits(digits) || digits.front() == '0')
        return std::nullopt;
    const int gauge = std::stoi(std::string(digits));
    if (gauge > kThinnestWireGauge)
        return std::nullopt;
    return gauge;
}

bool LooksLikeWireGauge(std::string_view text) { return GaugeNumberText(text).has_value(); }

double WireGaugeDiameterMm(int gauge)
{
    using xmath::Extended;
    const Extended exponent = (36.0L - gauge) / 39.0L;
    return xmath::Store(0.127L * elementary::Pow(92.0L, exponent));
}

std::string WireGaugeName(int gauge)
{
    return gauge > 0 ? std::to_string(gauge) : std::string(static_cast<std::size_t>(1 - gauge), '0');
}

} // namespace eh
