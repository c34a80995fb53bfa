// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace eh::rtf {

// The value of a hexadecimal digit (either case), or -1 for any other
// character: used by \'hh escapes and by picture data.
int HexDigitValue(char c);

// The structure of an RTF file is broken in a way the reader does not try to
// repair (truncated control word, binary data running past the end...).
class RtfSyntaxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct RtfToken {
    enum class Kind {
        GroupStart,    // {
        GroupEnd,      // }
        ControlWord,   // \name or \nameN
        ControlSymbol, // \ followed by one character that is not a letter
        HexByte,       // \'hh
        Text,          // a run of plain bytes
        Binary,        // the N bytes after \binN
        End,           // end of input
    };

    Kind kind = Kind::End;
    // Control word name (at most kMaxWordLength letters), text or binary bytes.
    std::string_view bytes;
    bool hasParameter = false;
    int parameter = 0;
    // The control symbol's character, or the value of a hex byte.
    unsigned char symbol = 0;
};

// Splits RTF input into tokens. Line ends in the input carry no meaning and
// are dropped; "\" followed by a line end is the control word \par, as RTF
// defines it. Never reads past the input and takes linear time.
class RtfTokenizer {
public:
    // Longer control word names are cut to this length, so they match nothing.
    static constexpr std::size_t kMaxWordLength = 32;

    explicit RtfTokenizer(std::string_view input) : input_(input) {}

    // Throws RtfSyntaxError on a control word, hex byte or binary run that
    // the input ends in the middle of.
    RtfToken Next();

private:
    RtfToken ReadControl();
    RtfToken ReadControlWord();
    RtfToken ReadText();
    int ReadParameter(bool& present);

    std::string_view input_;
    std::size_t position_ = 0;
};

} // namespace eh::rtf
