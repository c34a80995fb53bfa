#pragma once

#include "CodePage.h"
#include "RtfFormats.h"

#include <QColor>
#include <QString>
#include <QTextCharFormat>

#include <map>
#include <optional>
#include <vector>

namespace eh::rtf {

// What the header of an RTF document declares for the text that follows: the
// document's code page, the font table and the colour table. Turns the
// reader's character properties into Qt formats and tells which code page
// decodes the 8-bit text of a font.
class RtfDocumentTables {
public:
    void SetDocumentCodePage(int codePage) { documentCodePage_ = codePage; }
    void SetDefaultFont(int font) { defaultFont_ = font; }

    void SetFontCharset(int font, int charset) { fonts_[font].charsetCodePage = CodePageOfCharset(charset); }
    void SetFontCodePage(int font, int codePage) { fonts_[font].codePage = codePage; }
    void SetFontName(int font, const QString& name) { fonts_[font].name = name; }

    // Colours are numbered in the order they are added, from 0. An entry
    // without a colour is the automatic colour (the first one usually is).
    void AddColor(std::optional<QColor> color) { colors_.push_back(color); }

    // The code page of the 8-bit text written in `font`, which may be
    // RtfCharacterFormat::kDefaultFont: the font's \cpg, else its \fcharset,
    // else the document's \ansicpg.
    const CodePage& TextCodePage(int font) const;

    QTextCharFormat ToCharFormat(const RtfCharacterFormat& format) const;

private:
    struct Font {
        QString name;
        int charsetCodePage = 0;
        int codePage = 0;
    };

    const Font* FindFont(int font) const;
    std::optional<QColor> FindColor(int index) const;

    int documentCodePage_ = 1252;
    int defaultFont_ = 0;
    std::map<int, Font> fonts_;
    std::vector<std::optional<QColor>> colors_;
};

} // namespace eh::rtf
