// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CodePage.h"
#include "RtfFormats.h"

#include <QColor>
#include <QString>
#include <QTextCharFormat>

#include <cstddef>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace eh::rtf {

// What the header of an RTF document declares for the text that follows: the
// document's code page, the font table and the colour table. Turns the
// reader's character properties into Qt formats and tells which code page
// decodes the 8-bit text of a font.
class RtfDocumentTables {
public:
    void SetDocumentCodePage(int codePage);
    void SetDefaultFont(int font);

    void SetFontCharset(int font, int charset);
    void SetFontCodePage(int font, int codePage);
    void SetFontName(int font, const QString& name);

    // Colours are numbered in the order they are added, from 0. An entry
    // without a colour is the automatic colour (the first one usually is).
    void AddColor(std::optional<QColor> color);

    // The code page of the 8-bit text written in `font`, which may be
    // RtfCharacterFormat::kDefaultFont: the font's \cpg, else its \fcharset,
    // else the document's \ansicpg.
    const CodePage& TextCodePage(int font) const;

    // Equal properties give formats that share their data: a document
    // switching between a few formats holds a few formats, not one per run.
    // Numbers of fonts and colours that the tables do not hold all stand
    // for "none"; once kMaxRtfCharacterFormats formats are made, text in a
    // format not made yet takes the plain format.
    QTextCharFormat ToCharFormat(const RtfCharacterFormat& format) const;

private:
    struct Font {
        QString name;
        int charsetCodePage = 0;
        int codePage = 0;
    };

    // The font's entry, made when there is room; nullptr otherwise.
    Font* EditFont(int font);
    const Font* FindFont(int font) const;
    std::optional<QColor> FindColor(int index) const;
    // The format with the numbers of fonts and colours that the tables do
    // not hold replaced by "none": such formats look alike.
    RtfCharacterFormat Resolved(const RtfCharacterFormat& format) const;
    QTextCharFormat MakeCharFormat(const RtfCharacterFormat& format) const;

    int documentCodePage_ = 1252;
    int defaultFont_ = 0;
    std::map<int, Font> fonts_;
    std::vector<std::optional<QColor>> colors_;
    // Formats made since a table last changed (a change empties it).
    mutable std::map<RtfCharacterFormat, QTextCharFormat> formats_;
    // Formats made in the whole document, the cache's emptyings included:
    // a document that changes a table between formats must not make a
    // new format for every run.
    mutable int formatsMade_ = 0;
    // The font of the last run of text and its code page: asked for each
    // run, while most documents keep to one font for long stretches.
    mutable std::optional<std::pair<int, const CodePage*>> lastTextCodePage_;
};

} // namespace eh::rtf
