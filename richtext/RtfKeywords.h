// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace eh::rtf {

// The control words the reader acts on. Several words may share a meaning
// (all the underline styles are Underline); a word not listed is Unknown
// and ignored.
enum class RtfKeyword {
    Unknown,
    // document
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont,
    // destinations
    FontTable, ColorTable, Picture, ShapePicture, SkippedDestination, Footnote,
    ListTable, ListOverrideTable, LevelText, NestedTableProperties,
    // list table and list override table entries
    List, ListLevel, LevelNumberFormat, LevelStart, ListId, ListOverride,
    // font and colour table entries
    Font, FontCharset, FontCodePage, Red, Green, Blue,
    // character format
    Plain, Bold, Italic, Underline, UnderlineNone, StrikeOut, Hidden, FontSize,
    ForegroundColor, BackgroundColor, Superscript, Subscript, NoSuperSub, RaiseText, LowerText,
    // paragraph format and structure
    Par, Pard, AlignLeft, AlignCentre, AlignRight, AlignJustify,
    LeftIndent, RightIndent, FirstLineIndent, SpaceBefore, SpaceAfter,
    InTable, TableDepth, Cell, Row, NestedCell, NestedRow, Break,
    ListNumber, ListLevelNumber, ListText,
    // text
    Character, Unicode, UnicodeSkip, FootnoteNumber,
    // picture properties
    PngPicture, JpegPicture, GoalWidth, GoalHeight, ScaleX, ScaleY,
};

struct RtfKeywordMeaning {
    RtfKeyword keyword = RtfKeyword::Unknown;
    // The character a Character keyword stands for (\emdash, \tab...).
    char16_t character = 0;
};

RtfKeywordMeaning LookUpKeyword(std::string_view name);

} // namespace eh::rtf
