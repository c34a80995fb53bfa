// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RtfDocumentTables.h"
#include "RtfDocumentWriter.h"
#include "RtfFormats.h"
#include "RtfKeywords.h"
#include "RtfLimits.h"
#include "RtfLists.h"
#include "RtfPicture.h"
#include "RtfTokenizer.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QTextDocument;

namespace eh::rtf {

// Reads the tokens of an RTF document and hands its content to a
// RtfDocumentWriter. Keeps one state per open group, so that what a group
// sets ends with the group. Broken structure is read as far as it makes
// sense: groups nested deeper than kMaxRtfGroupDepth are counted but share
// the deepest tracked group's state, and groups left open at the end of the
// input are closed there.
class RtfParser {
public:
    // `document` must be empty.
    explicit RtfParser(QTextDocument& document);

    // `input` must start with "{\rtf". Throws RtfLimitExceeded, after
    // writing what was read, when the document holds more paragraphs or
    // table cells than the limits allow.
    void Parse(std::string_view input);

private:
    enum class Destination { Text, FontTable, ColorTable, Picture, ListTable, LevelText, ListOverrideTable, ListText, Skipped };

    struct GroupState {
        Destination destination = Destination::Text;
        RtfCharacterFormat character;
        RtfParagraphFormat paragraph;
        int unicodeSkip = 1; // \ucN: bytes of 8-bit text that follow a \uN
    };

    // Whether the tokenizer may hand over \uN letters without their tokens.
    bool TakesUnicodeLetters() const;
    void HandleToken(const RtfToken& token);
    // Whether the token is one of those that the last \uN asks to skip.
    bool SkipAfterUnicode(const RtfToken& token);
    void OpenGroup();
    void CloseGroup();
    void HandleControlWord(const RtfToken& token, bool destinationMarked);
    void HandleTextWord(const RtfKeywordMeaning& meaning, const RtfToken& token);
    void HandleFontTableWord(RtfKeyword keyword, const RtfToken& token);
    void HandleColorTableWord(RtfKeyword keyword, const RtfToken& token);
    void HandlePictureWord(RtfKeyword keyword, const RtfToken& token);
    void HandleListTableWord(RtfKeyword keyword, const RtfToken& token);
    void HandleListOverrideWord(RtfKeyword keyword, const RtfToken& token);
    // Puts the label of a list item before its text; called when the
    // paragraph ends.
    void LabelListItem();
    void HandleControlSymbol(unsigned char symbol);
    void HandleText(std::string_view bytes);
    // 8-bit text of the text or font table destination.
    void HandleBytes(std::string_view bytes);
    // The letter of a \uN; the caller sees to its stand-ins.
    void HandleUnicode(int parameter);
    void AppendText(QStringView text);
    // Hands the text gathered since the last token that could change the
    // format or the paragraph to the writer.
    void FlushText();
    void FinishFontName();
    void FinishPicture();

    GroupState& State() { return stack_.back(); }

    RtfDocumentTables tables_;
    RtfDocumentWriter writer_;
    RtfLists lists_;
    std::vector<GroupState> stack_;
    // Groups open beyond kMaxRtfGroupDepth.
    std::size_t untrackedDepth_ = 0;
    bool rootClosed_ = false;
    // \* was seen: the next control word names a destination to skip unless
    // the reader knows it.
    bool destinationMarked_ = false;
    // Tokens still to skip after a \uN: its stand-ins for older readers.
    int unicodeSkipLeft_ = 0;
    // Decoded 8-bit text of a list label or a list level, kept to spare an
    // allocation per run (that of the text goes straight to pendingText_).
    std::u16string decoded_;
    // Text of the text destination not yet handed to the writer: a document
    // that writes every letter as \uN would otherwise reach the writer once
    // per letter.
    std::u16string pendingText_;
    // The lead byte of a double-byte character whose trail byte is to come.
    int pendingLead_ = -1;
    // The current paragraph's label as its writer made it (\listtext), and
    // the label's format.
    QString listText_;
    RtfCharacterFormat listTextFormat_;
    // Footnotes so far: \chftn in the text shows the next one's number.
    int footnotes_ = 0;

    // Font table entry being read: its number and the bytes of its name.
    int tableFont_ = 0;
    std::string fontName_;
    // Colour table entry being read.
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool colorGiven_ = false;

    // The picture being read, and the group depth at which it ends.
    std::optional<RtfPicture> picture_;
    std::size_t pictureDepth_ = 0;
    // Pixels that the document's further pictures may still take.
    qint64 pixelsLeft_ = kMaxRtfDocumentPixels;
};

} // namespace eh::rtf
