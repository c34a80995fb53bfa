// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfParser.h"

#include "RtfKeywords.h"
#include "RtfLimits.h"

#include <QChar>

#include <algorithm>
#include <utility>

namespace eh::rtf {

namespace {

// Lengths beyond 22 inches, the largest page Word allows, are cut to it.
constexpr int kMaxTwips = 31680;
// Word's largest font size, 1638 points.
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxScalePercent = 1000;

// Tokens that only add text: the text gathered before them keeps its
// format and paragraph.
bool OnlyAddsText(const RtfToken& token)
{
    return token.kind == RtfToken::Kind::Text || token.kind == RtfToken::Kind::HexByte ||
           (token.kind == RtfToken::Kind::ControlWord && token.bytes == "u");
}

// The UTF-16 of a code point, U+FFFD for a number that is none. Inline: it
// runs for every letter of a document written as \uN.
inline void AppendCodePoint(long long code, std::u16string& text)
{
    if (code < 0 || code > 0x10FFFF) {
        text.push_back(u'\uFFFD');
    } else if (code <= 0xFFFF) {
        // Surrogate halves come one \u at a time and pair up in the text.
        text.push_back(static_cast<char16_t>(code));
    } else {
        text.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    }
}

// \b, \b1: on; \b0: off.
bool IsOn(const RtfToken& token) { return !token.hasParameter || token.parameter != 0; }

int Twips(const RtfToken& token, int lowest) { return std::clamp(token.parameter, lowest, kMaxTwips); }

// The destinations that may follow \*; any other word there starts a
// destination the reader skips.
bool IsKnownDestination(RtfKeyword keyword)
{
    switch (keyword) {
    case RtfKeyword::FontTable:
    case RtfKeyword::ColorTable:
    case RtfKeyword::Picture:
    case RtfKeyword::ShapePicture:
    case RtfKeyword::SkippedDestination:
    case RtfKeyword::Footnote:
    case RtfKeyword::ListTable:
    case RtfKeyword::ListOverrideTable:
    case RtfKeyword::LevelText:
    case RtfKeyword::NestedTableProperties:
        return true;
    default:
        return false;
    }
}

} // namespace

RtfParser::RtfParser(QTextDocument& document) : writer_(document, tables_) {}

void RtfParser::Parse(std::string_view input)
{
    RtfTokenizer tokenizer(input);
    for (;;) {
        if (TakesUnicodeLetters()) {
            while (const std::optional<int> code = tokenizer.ReadUnicodeLetter()) {
                pendingLead_ = -1; // a double-byte character cut in two
                HandleUnicode(*code);
            }
        }
        const RtfToken token = tokenizer.Next();
        if (token.kind == RtfToken::Kind::End)
            break;
        HandleToken(token);
        if (rootClosed_ || writer_.IsFull())
            break;
    }
    FlushText();
    // Groups still open here lost their ends: a missing last brace is a
    // common slip of hand-written files, more of them a file cut short.
    // What was read up to the end stands.
    if (picture_)
        FinishPicture();
    if (!stack_.empty()) {
        if (writer_.HasContent())
            LabelListItem();
        writer_.Finish(State().paragraph, State().character);
    }
    if (writer_.IsFull())
        throw RtfLimitExceeded("the document holds more than " + std::to_string(kMaxRtfParagraphs) +
                               " paragraphs or " + std::to_string(kMaxRtfTableCells) + " table cells");
}

bool RtfParser::TakesUnicodeLetters() const
{
    // Where a \uN and its one stand-in mean nothing but the letter: in the
    // text, with no stand-ins of an earlier \uN left to skip and no \* before.
    return !stack_.empty() && stack_.back().destination == Destination::Text && stack_.back().unicodeSkip == 1 &&
           unicodeSkipLeft_ == 0 && !destinationMarked_;
}

void RtfParser::HandleToken(const RtfToken& token)
{
    if (!OnlyAddsText(token))
        FlushText();
    if (stack_.empty() && token.kind != RtfToken::Kind::GroupStart)
        return;
    if (token.kind != RtfToken::Kind::Text && token.kind != RtfToken::Kind::HexByte)
        pendingLead_ = -1; // a double-byte character cut in two
    if (SkipAfterUnicode(token))
        return;
    const bool destinationMarked = std::exchange(destinationMarked_, false);
    if (destinationMarked && token.kind != RtfToken::Kind::ControlWord)
        State().destination = Destination::Skipped; // \* not followed by a word
    switch (token.kind) {
    case RtfToken::Kind::GroupStart:
        OpenGroup();
        break;
    case RtfToken::Kind::GroupEnd:
        CloseGroup();
        break;
    case RtfToken::Kind::ControlWord:
        HandleControlWord(token, destinationMarked);
        break;
    case RtfToken::Kind::ControlSymbol:
        HandleControlSymbol(token.symbol);
        break;
    case RtfToken::Kind::HexByte:
        HandleBytes(std::string_view(reinterpret_cast<const char*>(&token.symbol), 1));
        break;
    case RtfToken::Kind::Text:
        HandleText(token.bytes);
        break;
    case RtfToken::Kind::Binary:
        if (State().destination == Destination::Picture)
            picture_->AppendBinary(token.bytes);
        break;
    case RtfToken::Kind::End:
        break;
    }
}

bool RtfParser::SkipAfterUnicode(const RtfToken& token)
{
    if (unicodeSkipLeft_ == 0)
        return false;
    switch (token.kind) {
    case RtfToken::Kind::GroupStart:
    case RtfToken::Kind::GroupEnd:
    case RtfToken::Kind::End:
        // The stand-ins never reach beyond the group.
        unicodeSkipLeft_ = 0;
        return false;
    case RtfToken::Kind::Text: {
        // Each byte of text is one stand-in; the rest of the run is text.
        const std::size_t skipped = std::min(token.bytes.size(), static_cast<std::size_t>(unicodeSkipLeft_));
        unicodeSkipLeft_ -= static_cast<int>(skipped);
        if (skipped < token.bytes.size())
            HandleText(token.bytes.substr(skipped));
        return true;
    }
    default:
        // A control word, control symbol, \'hh or \bin is one stand-in.
        --unicodeSkipLeft_;
        return true;
    }
}

void RtfParser::OpenGroup()
{
    if (stack_.size() >= static_cast<std::size_t>(kMaxRtfGroupDepth)) {
        ++untrackedDepth_;
        return;
    }
    stack_.push_back(stack_.empty() ? GroupState() : stack_.back());
}

void RtfParser::CloseGroup()
{
    if (untrackedDepth_ > 0) {
        --untrackedDepth_;
        return;
    }
    if (stack_.size() == 1) {
        // The document's end; its state stays for the last paragraph.
        rootClosed_ = true;
        return;
    }
    const Destination closed = State().destination;
    stack_.pop_back();
    if (closed == Destination::FontTable && !fontName_.empty())
        FinishFontName(); // an entry without its closing semicolon
    if (picture_ && stack_.size() < pictureDepth_)
        FinishPicture();
}

void RtfParser::HandleControlWord(const RtfToken& token, bool destinationMarked)
{
    const RtfKeywordMeaning meaning = LookUpKeyword(token.bytes);
    const RtfKeyword keyword = meaning.keyword;
    if (destinationMarked && !IsKnownDestination(keyword)) {
        State().destination = Destination::Skipped;
        return;
    }
    if (keyword == RtfKeyword::Unicode) {
        HandleUnicode(token.parameter);
        unicodeSkipLeft_ = State().unicodeSkip;
        return;
    }
    switch (State().destination) {
    case Destination::Text:
    case Destination::ListText:
        HandleTextWord(meaning, token);
        break;
    case Destination::FontTable:
        HandleFontTableWord(keyword, token);
        break;
    case Destination::ColorTable:
        HandleColorTableWord(keyword, token);
        break;
    case Destination::Picture:
        HandlePictureWord(keyword, token);
        break;
    case Destination::ListTable:
        HandleListTableWord(keyword, token);
        break;
    case Destination::ListOverrideTable:
        HandleListOverrideWord(keyword, token);
        break;
    case Destination::LevelText:
    case Destination::Skipped:
        break;
    }
}

void RtfParser::HandleTextWord(const RtfKeywordMeaning& meaning, const RtfToken& token)
{
    GroupState& state = State();
    switch (meaning.keyword) {
    case RtfKeyword::Unknown:
        break;
    case RtfKeyword::Ansi:
        tables_.SetDocumentCodePage(1252);
        break;
    case RtfKeyword::Mac:
        tables_.SetDocumentCodePage(10000);
        break;
    case RtfKeyword::Pc:
        tables_.SetDocumentCodePage(437);
        break;
    case RtfKeyword::Pca:
        tables_.SetDocumentCodePage(850);
        break;
    case RtfKeyword::AnsiCodePage:
        tables_.SetDocumentCodePage(token.parameter);
        break;
    case RtfKeyword::DefaultFont:
        tables_.SetDefaultFont(token.parameter);
        break;

    case RtfKeyword::FontTable:
        state.destination = Destination::FontTable;
        tableFont_ = 0;
        fontName_.clear();
        break;
    case RtfKeyword::ColorTable:
        state.destination = Destination::ColorTable;
        colorGiven_ = false;
        red_ = green_ = blue_ = 0;
        break;
    case RtfKeyword::Picture:
        state.destination = Destination::Picture;
        picture_.emplace();
        pictureDepth_ = stack_.size();
        break;
    case RtfKeyword::ShapePicture:
        break;
    case RtfKeyword::SkippedDestination:
        state.destination = Destination::Skipped;
        break;
    case RtfKeyword::Footnote:
        // The note's body is not part of the running text; its anchor is.
        state.destination = Destination::Skipped;
        ++footnotes_;
        break;
    case RtfKeyword::ListTable:
        state.destination = Destination::ListTable;
        break;
    case RtfKeyword::ListOverrideTable:
        state.destination = Destination::ListOverrideTable;
        break;
    case RtfKeyword::ListText:
        state.destination = Destination::ListText;
        listText_.clear();
        break;
    case RtfKeyword::FootnoteNumber:
        AppendText(QString::number(footnotes_ + 1));
        break;

    case RtfKeyword::Plain:
        state.character = RtfCharacterFormat();
        break;
    case RtfKeyword::Bold:
        state.character.bold = IsOn(token);
        break;
    case RtfKeyword::Italic:
        state.character.italic = IsOn(token);
        break;
    case RtfKeyword::Underline:
        state.character.underline = IsOn(token);
        break;
    case RtfKeyword::UnderlineNone:
        state.character.underline = false;
        break;
    case RtfKeyword::StrikeOut:
        state.character.strikeOut = IsOn(token);
        break;
    case RtfKeyword::Hidden:
        state.character.hidden = IsOn(token);
        break;
    case RtfKeyword::FontSize:
        state.character.halfPoints = token.parameter > 0 ? std::min(token.parameter, kMaxHalfPoints)
                                                         : RtfCharacterFormat::kDefaultHalfPoints;
        break;
    case RtfKeyword::Font:
        state.character.font = token.parameter;
        break;
    case RtfKeyword::ForegroundColor:
        state.character.foregroundColor = token.parameter;
        break;
    case RtfKeyword::BackgroundColor:
        state.character.backgroundColor = token.parameter;
        break;
    case RtfKeyword::Superscript:
        state.character.position = RtfCharacterFormat::VerticalPosition::Superscript;
        break;
    case RtfKeyword::Subscript:
        state.character.position = RtfCharacterFormat::VerticalPosition::Subscript;
        break;
    case RtfKeyword::NoSuperSub:
        state.character.position = RtfCharacterFormat::VerticalPosition::Normal;
        break;
    case RtfKeyword::RaiseText:
        state.character.position = IsOn(token) ? RtfCharacterFormat::VerticalPosition::Superscript
                                               : RtfCharacterFormat::VerticalPosition::Normal;
        break;
    case RtfKeyword::LowerText:
        state.character.position = IsOn(token) ? RtfCharacterFormat::VerticalPosition::Subscript
                                               : RtfCharacterFormat::VerticalPosition::Normal;
        break;

    case RtfKeyword::Par:
        LabelListItem();
        writer_.EndParagraph(state.paragraph, state.character);
        break;
    case RtfKeyword::Break:
        if (writer_.HasContent())
            LabelListItem();
        writer_.Break(state.paragraph, state.character);
        break;
    case RtfKeyword::Pard:
        state.paragraph = RtfParagraphFormat();
        break;
    case RtfKeyword::AlignLeft:
        state.paragraph.alignment = RtfParagraphFormat::Alignment::Left;
        break;
    case RtfKeyword::AlignCentre:
        state.paragraph.alignment = RtfParagraphFormat::Alignment::Centre;
        break;
    case RtfKeyword::AlignRight:
        state.paragraph.alignment = RtfParagraphFormat::Alignment::Right;
        break;
    case RtfKeyword::AlignJustify:
        state.paragraph.alignment = RtfParagraphFormat::Alignment::Justify;
        break;
    case RtfKeyword::LeftIndent:
        state.paragraph.leftIndent = Twips(token, -kMaxTwips);
        break;
    case RtfKeyword::RightIndent:
        state.paragraph.rightIndent = Twips(token, -kMaxTwips);
        break;
    case RtfKeyword::FirstLineIndent:
        state.paragraph.firstLineIndent = Twips(token, -kMaxTwips);
        break;
    case RtfKeyword::SpaceBefore:
        state.paragraph.spaceBefore = Twips(token, 0);
        break;
    case RtfKeyword::SpaceAfter:
        state.paragraph.spaceAfter = Twips(token, 0);
        break;
    case RtfKeyword::InTable:
        state.paragraph.tableDepth = std::max(state.paragraph.tableDepth, 1);
        break;
    case RtfKeyword::TableDepth:
        state.paragraph.tableDepth = std::clamp(token.parameter, 0, kMaxRtfTableNesting);
        break;
    case RtfKeyword::Cell:
        LabelListItem();
        writer_.EndCell(state.paragraph, state.character, 1);
        break;
    case RtfKeyword::Row:
        writer_.EndRow(state.paragraph, state.character, 1);
        break;
    case RtfKeyword::NestedCell:
        LabelListItem();
        writer_.EndCell(state.paragraph, state.character, std::max(state.paragraph.tableDepth, 2));
        break;
    case RtfKeyword::NestedRow:
        writer_.EndRow(state.paragraph, state.character, std::max(state.paragraph.tableDepth, 2));
        break;
    case RtfKeyword::ListNumber:
        state.paragraph.list = token.parameter;
        break;
    case RtfKeyword::ListLevelNumber:
        state.paragraph.listLevel = token.parameter;
        break;

    case RtfKeyword::Character:
        AppendText(QStringView(&meaning.character, 1));
        break;
    case RtfKeyword::UnicodeSkip:
        state.unicodeSkip = std::max(token.parameter, 0);
        break;

    case RtfKeyword::Unicode:
        break; // handled in every destination, before this
    case RtfKeyword::FontCharset:
    case RtfKeyword::FontCodePage:
    case RtfKeyword::Red:
    case RtfKeyword::Green:
    case RtfKeyword::Blue:
    case RtfKeyword::PngPicture:
    case RtfKeyword::JpegPicture:
    case RtfKeyword::GoalWidth:
    case RtfKeyword::GoalHeight:
    case RtfKeyword::ScaleX:
    case RtfKeyword::ScaleY:
    case RtfKeyword::LevelText:
    case RtfKeyword::List:
    case RtfKeyword::ListLevel:
    case RtfKeyword::LevelNumberFormat:
    case RtfKeyword::LevelStart:
    case RtfKeyword::ListId:
    case RtfKeyword::ListOverride:
        break; // meaningful in the tables and in pictures only
    case RtfKeyword::NestedTableProperties:
        break; // holds the \nestrow that ends a nested table's row
    }
}

void RtfParser::LabelListItem()
{
    const RtfParagraphFormat& paragraph = State().paragraph;
    // Word processors number items by the list table; \listtext is for
    // readers without lists, and some writers leave it empty.
    std::optional<QString> label;
    if (paragraph.list != 0)
        label = lists_.NextLabel(paragraph.list, paragraph.listLevel);
    if (label && !label->isEmpty())
        *label += u'\t';
    const QString shown = label.value_or(listText_);
    if (!shown.isEmpty())
        writer_.PrependText(shown, listText_.isEmpty() ? State().character : listTextFormat_);
    listText_.clear();
}

void RtfParser::HandleListTableWord(RtfKeyword keyword, const RtfToken& token)
{
    switch (keyword) {
    case RtfKeyword::List:
        lists_.StartList();
        break;
    case RtfKeyword::ListId:
        lists_.SetListId(token.parameter);
        break;
    case RtfKeyword::ListLevel:
        lists_.StartLevel();
        break;
    case RtfKeyword::LevelNumberFormat:
        lists_.SetLevelFormat(token.parameter);
        break;
    case RtfKeyword::LevelStart:
        lists_.SetLevelStart(token.parameter);
        break;
    case RtfKeyword::LevelText:
        State().destination = Destination::LevelText;
        break;
    case RtfKeyword::SkippedDestination:
        State().destination = Destination::Skipped;
        break;
    default:
        break;
    }
}

void RtfParser::HandleListOverrideWord(RtfKeyword keyword, const RtfToken& token)
{
    switch (keyword) {
    case RtfKeyword::ListOverride:
        lists_.StartOverride();
        break;
    case RtfKeyword::ListId:
        lists_.SetOverrideListId(token.parameter);
        break;
    case RtfKeyword::ListNumber:
        lists_.SetOverrideNumber(token.parameter);
        break;
    default:
        break;
    }
}

void RtfParser::HandleFontTableWord(RtfKeyword keyword, const RtfToken& token)
{
    switch (keyword) {
    case RtfKeyword::Font:
        tableFont_ = token.parameter;
        fontName_.clear();
        break;
    case RtfKeyword::FontCharset:
        tables_.SetFontCharset(tableFont_, token.parameter);
        break;
    case RtfKeyword::FontCodePage:
        tables_.SetFontCodePage(tableFont_, token.parameter);
        break;
    default:
        break;
    }
}

void RtfParser::HandleColorTableWord(RtfKeyword keyword, const RtfToken& token)
{
    const int value = std::clamp(token.parameter, 0, 255);
    switch (keyword) {
    case RtfKeyword::Red:
        red_ = value;
        colorGiven_ = true;
        break;
    case RtfKeyword::Green:
        green_ = value;
        colorGiven_ = true;
        break;
    case RtfKeyword::Blue:
        blue_ = value;
        colorGiven_ = true;
        break;
    default:
        break;
    }
}

void RtfParser::HandlePictureWord(RtfKeyword keyword, const RtfToken& token)
{
    switch (keyword) {
    case RtfKeyword::PngPicture:
        picture_->SetFormat(RtfPicture::Format::Png);
        break;
    case RtfKeyword::JpegPicture:
        picture_->SetFormat(RtfPicture::Format::Jpeg);
        break;
    case RtfKeyword::GoalWidth:
        picture_->SetGoalWidth(Twips(token, 0));
        break;
    case RtfKeyword::GoalHeight:
        picture_->SetGoalHeight(Twips(token, 0));
        break;
    case RtfKeyword::ScaleX:
        picture_->SetScaleX(std::clamp(token.parameter, 1, kMaxScalePercent));
        break;
    case RtfKeyword::ScaleY:
        picture_->SetScaleY(std::clamp(token.parameter, 1, kMaxScalePercent));
        break;
    default:
        break;
    }
}

void RtfParser::HandleControlSymbol(unsigned char symbol)
{
    switch (symbol) {
    case '*':
        destinationMarked_ = true;
        break;
    case '~':
        AppendText(u"\u00A0");
        break;
    case '-':
        AppendText(u"\u00AD");
        break;
    case '_':
        AppendText(u"\u2011");
        break;
    case '\\':
    case '{':
    case '}':
        HandleBytes(std::string_view(reinterpret_cast<const char*>(&symbol), 1));
        break;
    default:
        break; // \: and \| belong to index entries and formulas
    }
}

void RtfParser::HandleText(std::string_view bytes)
{
    switch (State().destination) {
    case Destination::Text:
    case Destination::ListText:
    case Destination::FontTable:
        HandleBytes(bytes);
        break;
    case Destination::ColorTable:
        // Each semicolon ends an entry; one without colour words is the
        // automatic colour.
        for (const char c : bytes) {
            if (c != ';')
                continue;
            tables_.AddColor(colorGiven_ ? std::optional<QColor>(QColor(red_, green_, blue_)) : std::nullopt);
            colorGiven_ = false;
            red_ = green_ = blue_ = 0;
        }
        break;
    case Destination::Picture:
        picture_->AppendHexDigits(bytes);
        break;
    case Destination::LevelText:
        HandleBytes(bytes);
        break;
    case Destination::ListTable:
    case Destination::ListOverrideTable:
    case Destination::Skipped:
        break;
    }
}

void RtfParser::HandleBytes(std::string_view bytes)
{
    if (State().destination == Destination::FontTable) {
        for (const char c : bytes) {
            if (c == ';')
                FinishFontName();
            else
                fontName_ += c;
        }
        return;
    }
    if (State().destination != Destination::Text && State().destination != Destination::ListText &&
        State().destination != Destination::LevelText)
        return;
    const CodePage& codePage = tables_.TextCodePage(State().character.font);
    if (State().destination == Destination::Text) {
        codePage.AppendDecoded(bytes, pendingText_, pendingLead_);
        return;
    }
    decoded_.clear();
    codePage.AppendDecoded(bytes, decoded_, pendingLead_);
    if (State().destination == Destination::LevelText)
        lists_.AppendLevelText(QString::fromStdU16String(decoded_));
    else
        AppendText(decoded_);
}

void RtfParser::FinishFontName()
{
    std::u16string name;
    int pendingLead = -1;
    tables_.TextCodePage(tableFont_).AppendDecoded(fontName_, name, pendingLead);
    tables_.SetFontName(tableFont_, QString::fromStdU16String(name).trimmed());
    fontName_.clear();
}

void RtfParser::HandleUnicode(int parameter)
{
    // RTF writes code points above 32767 as negative numbers.
    const long long code = parameter < 0 ? parameter + 65536LL : parameter;
    switch (State().destination) {
    case Destination::Text:
        AppendCodePoint(code, pendingText_);
        break;
    case Destination::ListText: {
        std::u16string letter;
        AppendCodePoint(code, letter);
        AppendText(letter);
        break;
    }
    case Destination::LevelText:
        if (code >= 0 && code <= 0xFFFF)
            lists_.AppendLevelText(QString(QChar(static_cast<char16_t>(code))));
        break;
    default:
        break;
    }
}

void RtfParser::AppendText(QStringView text)
{
    if (State().destination == Destination::Text) {
        if (text.size() == 1)
            pendingText_.push_back(text.front().unicode());
        else
            pendingText_.append(text.utf16(), static_cast<std::size_t>(text.size()));
    } else if (State().destination == Destination::ListText && listText_.size() < 256) {
        listText_ += text;
        listTextFormat_ = State().character;
    }
}

void RtfParser::FlushText()
{
    if (pendingText_.empty())
        return;
    writer_.AppendText(pendingText_, State().character, State().paragraph);
    // Emptied but not freed, for the next run.
    pendingText_.clear();
}

void RtfParser::FinishPicture()
{
    const QImage image = picture_->Decode(pixelsLeft_);
    if (!image.isNull()) {
        pixelsLeft_ -= static_cast<qint64>(image.width()) * image.height();
        writer_.AppendImage(image, picture_->DisplaySize(image));
    }
    picture_.reset();
}

} // namespace eh::rtf
