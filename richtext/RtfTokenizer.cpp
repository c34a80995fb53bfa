// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfTokenizer.h"

#include <algorithm>
#include <climits>

namespace eh::rtf {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Reads the number that may follow a control word's name at `position`: an
// optional minus and digits. Saturates rather than overflowing on absurdly
// long numbers. Inline, as are the stand-ins: both run for every letter of a
// document written as \uN.
inline int ReadNumber(std::string_view input, std::size_t& position, bool& present)
{
    const std::string_view rest = input.substr(position);
    const bool negative = rest.size() >= 2 && rest[0] == '-' && IsDigit(rest[1]);
    const std::size_t firstDigit = negative ? 1 : 0;
    std::size_t end = firstDigit;
    long long value = 0;
    for (; end < rest.size() && IsDigit(rest[end]); ++end) {
        if (value < INT_MAX)
            value = value * 10 + (rest[end] - '0');
    }
    present = end > firstDigit;
    position += end;
    value = std::min<long long>(value, INT_MAX);
    return static_cast<int>(negative ? -value : value);
}

// Reads one stand-in that RTF puts after a \uN for older readers, a byte of
// text or a \'hh, when the input holds one at `position`.
inline bool ReadStandIn(std::string_view input, std::size_t& position)
{
    if (position == input.size())
        return false;
    const char c = input[position];
    if (c == '\\') {
        if (input.size() - position < 4 || input[position + 1] != '\'' || HexDigitValue(input[position + 2]) < 0 ||
            HexDigitValue(input[position + 3]) < 0)
            return false;
        position += 4;
        return true;
    }
    if (c == '{' || c == '}' || IsLineEnd(c))
        return false;
    ++position;
    return true;
}

} // namespace

int HexDigitValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfToken RtfTokenizer::Next()
{
    while (position_ < input_.size() && IsLineEnd(input_[position_]))
        ++position_;
    RtfToken token;
    if (position_ == input_.size())
        return token;
    switch (input_[position_]) {
    case '{':
        ++position_;
        token.kind = RtfToken::Kind::GroupStart;
        return token;
    case '}':
        ++position_;
        token.kind = RtfToken::Kind::GroupEnd;
        return token;
    case '\\':
        return ReadControl();
    default:
        return ReadText();
    }
}

RtfToken RtfTokenizer::ReadControl()
{
    ++position_; // the backslash
    if (position_ == input_.size())
        return RtfToken();
    const char c = input_[position_];
    if (IsLetter(c))
        return ReadControlWord();

    RtfToken token;
    if (IsLineEnd(c)) {
        ++position_;
        token.kind = RtfToken::Kind::ControlWord;
        token.bytes = "par";
        return token;
    }
    if (c == '\'') {
        if (input_.size() - position_ < 3) {
            position_ = input_.size();
            return RtfToken();
        }
        const int high = HexDigitValue(input_[position_ + 1]);
        const int low = HexDigitValue(input_[position_ + 2]);
        if (high >= 0 && low >= 0) {
            position_ += 3;
            token.kind = RtfToken::Kind::HexByte;
            token.symbol = static_cast<unsigned char>(high * 16 + low);
            return token;
        }
        // Not hex digits: the symbol alone is dropped, what follows is text.
    }
    ++position_;
    token.kind = RtfToken::Kind::ControlSymbol;
    token.symbol = static_cast<unsigned char>(c);
    return token;
}

RtfToken RtfTokenizer::ReadControlWord()
{
    const std::size_t start = position_;
    while (position_ < input_.size() && IsLetter(input_[position_]))
        ++position_;
    RtfToken token;
    token.kind = RtfToken::Kind::ControlWord;
    token.bytes = input_.substr(start, std::min(position_ - start, kMaxWordLength));
    token.parameter = ReadNumber(input_, position_, token.hasParameter);
    // A space after a control word only delimits it.
    if (position_ < input_.size() && input_[position_] == ' ')
        ++position_;

    if (token.bytes == "bin") {
        // Binary data of the given length follows; it may hold any byte,
        // braces and backslashes included, so it must not be tokenised.
        const std::size_t length = std::min(token.parameter > 0 ? static_cast<std::size_t>(token.parameter) : 0,
                                            input_.size() - position_);
        token.kind = RtfToken::Kind::Binary;
        token.bytes = input_.substr(position_, length);
        position_ += length;
    }
    return token;
}

std::optional<int> RtfTokenizer::ReadUnicodeLetter()
{
    if (input_.size() - position_ < 4 || input_[position_] != '\\' || input_[position_ + 1] != 'u')
        return std::nullopt;
    const std::size_t start = position_;
    position_ += 2;
    bool present = false;
    const int code = ReadNumber(input_, position_, present);
    if (present && position_ < input_.size() && input_[position_] == ' ')
        ++position_;
    if (present && ReadStandIn(input_, position_))
        return code;
    // \uc, \ul..., or a stand-in the general path deals with.
    position_ = start;
    return std::nullopt;
}

RtfToken RtfTokenizer::ReadText()
{
    const std::size_t start = position_;
    while (position_ < input_.size()) {
        const char c = input_[position_];
        if (c == '\\' || c == '{' || c == '}' || IsLineEnd(c))
            break;
        ++position_;
    }
    RtfToken token;
    token.kind = RtfToken::Kind::Text;
    token.bytes = input_.substr(start, position_ - start);
    return token;
}

} // namespace eh::rtf
