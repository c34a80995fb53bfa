// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodePage.h"

#include "IconvConverter.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace eh::rtf {

namespace {

// iconv's name of a Windows code page number, or an empty string.
std::string IconvName(int number)
{
    switch (number) {
    case 10000:
        return "MACINTOSH";
    case 10007:
        return "MAC-CYRILLIC";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 437:
    case 850:
    case 866:
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
        return "CP" + std::to_string(number);
    default:
        break;
    }
    if (number >= 1250 && number <= 1258)
        return "CP" + std::to_string(number);
    if (number >= 28591 && number <= 28599)
        return "ISO-8859-" + std::to_string(number - 28590);
    return {};
}

// The Symbol font puts Greek letters and mathematical signs where Latin code
// pages have letters; help texts about antennas use them (lambda, Omega...).
// Bytes missing here keep their Windows-1252 meaning.
constexpr std::pair<unsigned char, char16_t> kSymbolFontCharacters[] = {
    {0x22, u'\u2200'}, {0x24, u'\u2203'}, {0x27, u'\u220B'}, {0x2A, u'\u2217'}, {0x2D, u'\u2212'},
    {0x40, u'\u2245'}, {0x41, u'\u0391'}, {0x42, u'\u0392'}, {0x43, u'\u03A7'}, {0x44, u'\u0394'},
    {0x45, u'\u0395'}, {0x46, u'\u03A6'}, {0x47, u'\u0393'}, {0x48, u'\u0397'}, {0x49, u'\u0399'},
    {0x4A, u'\u03D1'}, {0x4B, u'\u039A'}, {0x4C, u'\u039B'}, {0x4D, u'\u039C'}, {0x4E, u'\u039D'},
    {0x4F, u'\u039F'}, {0x50, u'\u03A0'}, {0x51, u'\u0398'}, {0x52, u'\u03A1'}, {0x53, u'\u03A3'},
    {0x54, u'\u03A4'}, {0x55, u'\u03A5'}, {0x56, u'\u03C2'}, {0x57, u'\u03A9'}, {0x58, u'\u039E'},
    {0x59, u'\u03A8'}, {0x5A, u'\u0396'}, {0x5E, u'\u22A5'}, {0x61, u'\u03B1'}, {0x62, u'\u03B2'},
    {0x63, u'\u03C7'}, {0x64, u'\u03B4'}, {0x65, u'\u03B5'}, {0x66, u'\u03C6'}, {0x67, u'\u03B3'},
    {0x68, u'\u03B7'}, {0x69, u'\u03B9'}, {0x6A, u'\u03D5'}, {0x6B, u'\u03BA'}, {0x6C, u'\u03BB'},
    {0x6D, u'\u03BC'}, {0x6E, u'\u03BD'}, {0x6F, u'\u03BF'}, {0x70, u'\u03C0'}, {0x71, u'\u03B8'},
    {0x72, u'\u03C1'}, {0x73, u'\u03C3'}, {0x74, u'\u03C4'}, {0x75, u'\u03C5'}, {0x76, u'\u03D6'},
    {0x77, u'\u03C9'}, {0x78, u'\u03BE'}, {0x79, u'\u03C8'}, {0x7A, u'\u03B6'}, {0xA3, u'\u2264'},
    {0xA5, u'\u221E'}, {0xAC, u'\u2190'}, {0xAD, u'\u2191'}, {0xAE, u'\u2192'}, {0xAF, u'\u2193'},
    {0xB0, u'\u00B0'}, {0xB1, u'\u00B1'}, {0xB3, u'\u2265'}, {0xB4, u'\u00D7'}, {0xB6, u'\u2202'},
    {0xB7, u'\u2022'}, {0xB8, u'\u00F7'}, {0xB9, u'\u2260'}, {0xBA, u'\u2261'}, {0xBB, u'\u2248'},
    {0xD6, u'\u221A'}, {0xD7, u'\u22C5'}, {0xE5, u'\u2211'}, {0xF2, u'\u222B'},
};

// The first UTF-16 code unit that `input` converts to, U+FFFD when its first
// bytes are not a character.
char16_t FirstUnit(IconvConverter& converter, std::string_view input)
{
    const std::string utf16 =
        converter.Convert(input, "\xFD\xFF", [](std::string_view) { return std::size_t{1}; });
    return utf16.size() >= 2
        ? static_cast<char16_t>(static_cast<unsigned char>(utf16[0]) | static_cast<unsigned char>(utf16[1]) << 8)
        : u'\uFFFD';
}

} // namespace

const CodePage& CodePage::Get(int number)
{
    // Recursive: the Symbol table is built from the Windows-1252 one.
    static std::recursive_mutex mutex;
    static std::map<int, std::unique_ptr<CodePage>> tables;
    // Every number asked for, known or not, to its table: asked for each
    // run of text, so it must be quick.
    static std::map<int, const CodePage*> byNumber;
    const std::lock_guard lock(mutex);
    if (const auto found = byNumber.find(number); found != byNumber.end())
        return *found->second;
    const int known = number == kSymbolCodePage || !IconvName(number).empty() ? number : 1252;
    std::unique_ptr<CodePage>& table = tables[known];
    if (!table)
        table.reset(new CodePage(known));
    // Numbers are ints from the file: only so many unknown ones are kept.
    if (byNumber.size() < 1024)
        byNumber.emplace(number, table.get());
    return *table;
}

CodePage::CodePage(int number)
{
    if (number == kSymbolCodePage) {
        characters_ = Get(1252).characters_;
        for (const auto& [byte, character] : kSymbolFontCharacters)
            characters_[byte] = character;
        return;
    }
    const std::string name = IconvName(number);
    IconvConverter converter("UTF-16LE", name.c_str());
    for (int byte = 0; byte < 256; ++byte) {
        // A space after the byte makes converters that wait for a combining
        // mark (Windows-1255, 1258) give the character out.
        const char input[2] = {static_cast<char>(byte), ' '};
        characters_[byte] = FirstUnit(converter, std::string_view(input, 2));
    }
    if (number == 932 || number == 936 || number == 949 || number == 950)
        BuildPairs(name.c_str());
}

void CodePage::BuildPairs(const char* iconvName)
{
    IconvConverter converter("UTF-16LE", iconvName);
    pairs_.assign(256 * 256, u'\uFFFD');
    for (int lead = 0x81; lead < 0xFF; ++lead) {
        if (characters_[lead] != u'\uFFFD')
            continue; // a character of its own (the half-width katakana of 932)
        for (int trail = 0x40; trail < 0xFF; ++trail) {
            const char input[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const char16_t character = FirstUnit(converter, std::string_view(input, 2));
            pairs_[static_cast<std::size_t>(lead * 256 + trail)] = character;
            isLead_[lead] = isLead_[lead] || character != u'\uFFFD';
        }
    }
}

void CodePage::AppendDecoded(std::string_view bytes, std::u16string& text, int& pendingLead) const
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (pendingLead >= 0) {
            text.push_back(pairs_[static_cast<std::size_t>(pendingLead * 256 + byte)]);
            pendingLead = -1;
        } else if (isLead_[byte]) {
            pendingLead = byte;
        } else {
            text.push_back(characters_[byte]);
        }
    }
}

int CodePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;       // ANSI
    case 2: return kSymbolCodePage;
    case 77: return 10000;     // Mac
    case 128: return 932;      // Shift JIS
    case 129: return 949;      // Hangul
    case 134: return 936;      // GB 2312
    case 136: return 950;      // Big5
    case 161: return 1253;     // Greek
    case 162: return 1254;     // Turkish
    case 163: return 1258;     // Vietnamese
    case 177: return 1255;     // Hebrew
    case 178: return 1256;     // Arabic
    case 186: return 1257;     // Baltic
    case 204: return 1251;     // Russian
    case 222: return 874;      // Thai
    case 238: return 1250;     // Eastern European
    case 254: return 437;      // PC 437
    case 255: return 850;      // OEM
    default: return 0;
    }
}

} // namespace eh::rtf
