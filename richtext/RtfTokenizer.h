// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace eh::rtf {

// The value of a hexadecimal digit (either case), or -1 for any other
// character: used by \'hh escapes and by picture data.
int HexDigitValue(char c);

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
// defines it. Never reads past the input and takes linear time. Input cut
// short is read as far as it goes: a control word or \' hex byte cut off
// at the end is dropped, and binary data announced longer than what is left
// is the rest of the input.
class RtfTokenizer {
public:
    // Longer control word names are cut to this length, so they match nothing.
    static constexpr std::size_t kMaxWordLength = 32;

    explicit RtfTokenizer(std::string_view input) : input_(input) {}

    RtfToken Next();

    // A letter written as \uN with one stand-in for older readers after it
    // (a byte of text or a \'hh), as writers put down every letter outside
    // their code page: reads both and returns N when the input holds such a
    // pair here, and reads nothing otherwise. Spares the parser two tokens
    // per letter in documents that write all their text so.
    std::optional<int> ReadUnicodeLetter();

private:
    RtfToken ReadControl();
    RtfToken ReadControlWord();
    RtfToken ReadText();

    std::string_view input_;
    std::size_t position_ = 0;
};

} // namespace eh::rtf
