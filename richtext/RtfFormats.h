// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextBlockFormat>

#include <climits>
#include <compare>

namespace eh::rtf {

// Character properties as RTF states them: indexes into the font and colour
// tables, sizes in half-points. Cheap to copy and compare, so the reader can
// keep one per group and tell runs of equal format apart.
struct RtfCharacterFormat {
    enum class VerticalPosition { Normal, Superscript, Subscript };

    static constexpr int kDefaultFont = -1; // the document's \deff
    // A font that is not in the font table: text in it has no family of
    // its own. No \fN can name it, as parameters never reach INT_MIN.
    static constexpr int kNoFont = INT_MIN;
    static constexpr int kDefaultHalfPoints = 24;

    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hidden = false;
    VerticalPosition position = VerticalPosition::Normal;
    int font = kDefaultFont;
    int halfPoints = kDefaultHalfPoints;
    static constexpr int kNoColor = -1;

    int foregroundColor = kNoColor; // the automatic colour
    int backgroundColor = kNoColor; // none

    auto operator<=>(const RtfCharacterFormat&) const = default;
};

// Paragraph properties as RTF states them; lengths in twips.
struct RtfParagraphFormat {
    enum class Alignment { Left, Centre, Right, Justify };

    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0; // relative to the left indent, may be negative
    int spaceBefore = 0;
    int spaceAfter = 0;
    // 0 outside tables, 1 in a table's cell, 2 in a table nested in a cell...
    int tableDepth = 0;
    // The list override (\lsN, 0 for none) and level (\ilvlN) of a list item.
    int list = 0;
    int listLevel = 0;

    bool operator==(const RtfParagraphFormat&) const = default;
};

// Lengths in a QTextDocument are pixels at 96 pixels per inch, the program's
// layout unit; RTF measures in twips, 1440 to the inch.
qreal TwipsToPixels(int twips);

QTextBlockFormat ToBlockFormat(const RtfParagraphFormat& format);

} // namespace eh::rtf
