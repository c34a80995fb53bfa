// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfKeywords.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace eh::rtf {

namespace {

using enum RtfKeyword;

// FNV-1a: control words are short, and a document looks one up for almost
// every character it holds (\uN), so a light hash pays.
struct KeywordHash {
    std::size_t operator()(std::string_view name) const noexcept
    {
        std::uint64_t hash = 14695981039346656037ULL;
        for (const char c : name)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        return static_cast<std::size_t>(hash);
    }
};

using KeywordMap = std::unordered_map<std::string_view, RtfKeywordMeaning, KeywordHash>;

const KeywordMap& KeywordTable()
{
    static const KeywordMap table = {
        {"ansi", {Ansi}},
        {"mac", {Mac}},
        {"pc", {Pc}},
        {"pca", {Pca}},
        {"ansicpg", {AnsiCodePage}},
        {"deff", {DefaultFont}},

        {"fonttbl", {FontTable}},
        {"colortbl", {ColorTable}},
        {"pict", {Picture}},
        // Word and LibreOffice put a picture in {\*\shppict{\pict...}} and
        // the same picture, as a metafile for older readers, in
        // {\nonshppict{\pict...}}.
        {"shppict", {ShapePicture}},
        {"nonshppict", {SkippedDestination}},
        // Destinations whose text is not part of the document's body, and
        // that writers do not always mark with \*.
        {"author", {SkippedDestination}},
        {"buptim", {SkippedDestination}},
        {"comment", {SkippedDestination}},
        {"company", {SkippedDestination}},
        {"creatim", {SkippedDestination}},
        {"doccomm", {SkippedDestination}},
        {"filetbl", {SkippedDestination}},
        {"fldinst", {SkippedDestination}},
        {"footer", {SkippedDestination}},
        {"footerf", {SkippedDestination}},
        {"footerl", {SkippedDestination}},
        {"footerr", {SkippedDestination}},
        {"footnote", {Footnote}},
        {"ftncn", {SkippedDestination}},
        {"ftnsep", {SkippedDestination}},
        {"ftnsepc", {SkippedDestination}},
        {"header", {SkippedDestination}},
        {"headerf", {SkippedDestination}},
        {"headerl", {SkippedDestination}},
        {"headerr", {SkippedDestination}},
        {"info", {SkippedDestination}},
        {"levelnumbers", {SkippedDestination}},
        {"keywords", {SkippedDestination}},
        {"listoverridetable", {ListOverrideTable}},
        {"listtable", {ListTable}},
        {"listname", {SkippedDestination}},
        {"manager", {SkippedDestination}},
        // The same content as a nested table, for readers without them.
        {"nonesttables", {SkippedDestination}},
        {"operator", {SkippedDestination}},
        {"pn", {SkippedDestination}},
        {"pntxta", {SkippedDestination}},
        {"pntxtb", {SkippedDestination}},
        {"printim", {SkippedDestination}},
        {"private", {SkippedDestination}},
        {"revtbl", {SkippedDestination}},
        {"revtim", {SkippedDestination}},
        {"rxe", {SkippedDestination}},
        {"stylesheet", {SkippedDestination}},
        {"subject", {SkippedDestination}},
        {"tc", {SkippedDestination}},
        {"template", {SkippedDestination}},
        {"title", {SkippedDestination}},
        {"txe", {SkippedDestination}},
        {"xe", {SkippedDestination}},

        {"leveltext", {LevelText}},
        {"nesttableprops", {NestedTableProperties}},

        {"list", {List}},
        {"listlevel", {ListLevel}},
        {"levelnfc", {LevelNumberFormat}},
        {"levelnfcn", {LevelNumberFormat}},
        {"levelstartat", {LevelStart}},
        {"listid", {ListId}},
        {"listoverride", {ListOverride}},

        {"f", {Font}},
        {"fcharset", {FontCharset}},
        {"cpg", {FontCodePage}},
        {"red", {Red}},
        {"green", {Green}},
        {"blue", {Blue}},

        {"plain", {Plain}},
        {"b", {Bold}},
        {"i", {Italic}},
        {"ul", {Underline}},
        {"uld", {Underline}},
        {"uldash", {Underline}},
        {"uldashd", {Underline}},
        {"uldashdd", {Underline}},
        {"uldb", {Underline}},
        {"ulhwave", {Underline}},
        {"ulldash", {Underline}},
        {"ulth", {Underline}},
        {"ulthd", {Underline}},
        {"ulthdash", {Underline}},
        {"ulthdashd", {Underline}},
        {"ulthdashdd", {Underline}},
        {"ulthldash", {Underline}},
        {"ululdbwave", {Underline}},
        {"ulw", {Underline}},
        {"ulwave", {Underline}},
        {"ulnone", {UnderlineNone}},
        {"strike", {StrikeOut}},
        {"striked", {StrikeOut}},
        {"v", {Hidden}},
        {"fs", {FontSize}},
        {"cf", {ForegroundColor}},
        {"highlight", {BackgroundColor}},
        {"cb", {BackgroundColor}},
        {"chcbpat", {BackgroundColor}},
        {"super", {Superscript}},
        {"sub", {Subscript}},
        {"nosupersub", {NoSuperSub}},
        // LibreOffice writes superscript and subscript as raised and lowered
        // text; the amount is not kept.
        {"up", {RaiseText}},
        {"dn", {LowerText}},

        {"par", {Par}},
        {"pard", {Pard}},
        {"ql", {AlignLeft}},
        {"qc", {AlignCentre}},
        {"qr", {AlignRight}},
        {"qj", {AlignJustify}},
        {"qd", {AlignJustify}},
        {"li", {LeftIndent}},
        {"ri", {RightIndent}},
        {"fi", {FirstLineIndent}},
        {"sb", {SpaceBefore}},
        {"sa", {SpaceAfter}},
        {"intbl", {InTable}},
        {"itap", {TableDepth}},
        {"cell", {Cell}},
        {"row", {Row}},
        {"nestcell", {NestedCell}},
        {"nestrow", {NestedRow}},
        {"page", {Break}},
        {"column", {Break}},
        {"sect", {Break}},
        {"ls", {ListNumber}},
        {"ilvl", {ListLevelNumber}},
        // A list item's label as its writer made it; \pntext is the older
        // form of Word 95.
        {"listtext", {ListText}},
        {"pntext", {ListText}},

        {"tab", {Character, u'\t'}},
        {"line", {Character, u'\u2028'}},
        {"emdash", {Character, u'\u2014'}},
        {"endash", {Character, u'\u2013'}},
        {"lquote", {Character, u'\u2018'}},
        {"rquote", {Character, u'\u2019'}},
        {"ldblquote", {Character, u'\u201C'}},
        {"rdblquote", {Character, u'\u201D'}},
        {"bullet", {Character, u'\u2022'}},
        {"emspace", {Character, u'\u2003'}},
        {"enspace", {Character, u'\u2002'}},
        {"qmspace", {Character, u'\u2005'}},
        {"zwj", {Character, u'\u200D'}},
        {"zwnj", {Character, u'\u200C'}},
        {"ltrmark", {Character, u'\u200E'}},
        {"rtlmark", {Character, u'\u200F'}},
        {"u", {Unicode}},
        {"uc", {UnicodeSkip}},
        {"chftn", {FootnoteNumber}},

        {"pngblip", {PngPicture}},
        {"jpegblip", {JpegPicture}},
        {"picwgoal", {GoalWidth}},
        {"pichgoal", {GoalHeight}},
        {"picscalex", {ScaleX}},
        {"picscaley", {ScaleY}},
    };
    return table;
}

} // namespace

RtfKeywordMeaning LookUpKeyword(std::string_view name)
{
    const auto& table = KeywordTable();
    const auto found = table.find(name);
    return found == table.end() ? RtfKeywordMeaning() : found->second;
}

} // namespace eh::rtf
