// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecimalSeparatorRule.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace {

struct SeparatorCase {
    std::string_view text;
    std::optional<char> separator; // as a typed separator
    char regional;                 // as the region's mark
};

TEST(DecimalSeparatorRule, TakesOnePrintableAsciiCharacterThatIsNoPartOfANumber)
{
    const SeparatorCase cases[] = {
        {",", ',', ','}, {".", '.', '.'}, {";", ';', ';'}, {"'", '\'', '\''}, {"~", '~', '~'},
        {"", std::nullopt, '.'}, {",,", std::nullopt, '.'}, {"5", std::nullopt, '.'}, {"+", std::nullopt, '.'},
        {"-", std::nullopt, '.'}, {"e", std::nullopt, '.'}, {"E", std::nullopt, '.'}, {" ", std::nullopt, '.'},
        {"\t", std::nullopt, '.'}, {"\x7f", std::nullopt, '.'}, {"\xd9\xab", std::nullopt, '.'}, // Arabic mark
    };
    for (const SeparatorCase& c : cases) {
        EXPECT_EQ(eh::DecimalSeparatorFromText(c.text), c.separator) << c.text;
        EXPECT_EQ(eh::RegionalDecimalSeparator(c.text), c.regional) << c.text;
    }
}

} // namespace
