// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfDocumentTables.h"

#include "RtfLimits.h"

#include <QBrush>
#include <QFont>

namespace eh::rtf {

void RtfDocumentTables::SetDocumentCodePage(int codePage)
{
    documentCodePage_ = codePage;
    lastTextCodePage_.reset();
}

void RtfDocumentTables::SetDefaultFont(int font)
{
    defaultFont_ = font;
    formats_.clear();
    lastTextCodePage_.reset();
}

void RtfDocumentTables::SetFontCharset(int font, int charset)
{
    if (Font* entry = EditFont(font))
        entry->charsetCodePage = CodePageOfCharset(charset);
}

void RtfDocumentTables::SetFontCodePage(int font, int codePage)
{
    if (Font* entry = EditFont(font))
        entry->codePage = codePage;
}

void RtfDocumentTables::SetFontName(int font, const QString& name)
{
    if (Font* entry = EditFont(font)) {
        entry->name = name;
        formats_.clear();
    }
}

void RtfDocumentTables::AddColor(std::optional<QColor> color)
{
    if (colors_.size() < kMaxRtfTableEntries) {
        colors_.push_back(color);
        formats_.clear();
    }
}

RtfDocumentTables::Font* RtfDocumentTables::EditFont(int font)
{
    lastTextCodePage_.reset();
    const auto found = fonts_.find(font);
    if (found != fonts_.end())
        return &found->second;
    return fonts_.size() < kMaxRtfTableEntries ? &fonts_[font] : nullptr;
}

const RtfDocumentTables::Font* RtfDocumentTables::FindFont(int font) const
{
    const auto found = fonts_.find(font == RtfCharacterFormat::kDefaultFont ? defaultFont_ : font);
    return found == fonts_.end() ? nullptr : &found->second;
}

std::optional<QColor> RtfDocumentTables::FindColor(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= colors_.size())
        return std::nullopt;
    return colors_[static_cast<std::size_t>(index)];
}

const CodePage& RtfDocumentTables::TextCodePage(int font) const
{
    if (lastTextCodePage_ && lastTextCodePage_->first == font)
        return *lastTextCodePage_->second;
    int codePage = documentCodePage_;
    if (const Font* found = FindFont(font)) {
        if (found->codePage != 0)
            codePage = found->codePage;
        else if (found->charsetCodePage != 0)
            codePage = found->charsetCodePage;
    }
    const CodePage& table = CodePage::Get(codePage);
    lastTextCodePage_.emplace(font, &table);
    return table;
}

QTextCharFormat RtfDocumentTables::ToCharFormat(const RtfCharacterFormat& format) const
{
    RtfCharacterFormat key = Resolved(format);
    if (formatsMade_ >= kMaxRtfCharacterFormats && !formats_.contains(key)) {
        // Plain, in no font of the tables: the same whatever \deff says.
        key = RtfCharacterFormat();
        key.font = RtfCharacterFormat::kNoFont;
    }
    const auto [found, made] = formats_.try_emplace(key);
    if (made) {
        found->second = MakeCharFormat(key);
        ++formatsMade_;
    }
    return found->second;
}

RtfCharacterFormat RtfDocumentTables::Resolved(const RtfCharacterFormat& format) const
{
    RtfCharacterFormat resolved = format;
    const Font* font = FindFont(format.font);
    if (font == nullptr || font->name.isEmpty())
        resolved.font = RtfCharacterFormat::kNoFont;
    else if (format.font == RtfCharacterFormat::kDefaultFont)
        resolved.font = defaultFont_;
    if (!FindColor(format.foregroundColor))
        resolved.foregroundColor = RtfCharacterFormat::kNoColor;
    if (!FindColor(format.backgroundColor))
        resolved.backgroundColor = RtfCharacterFormat::kNoColor;
    return resolved;
}

QTextCharFormat RtfDocumentTables::MakeCharFormat(const RtfCharacterFormat& format) const
{
    QTextCharFormat result;
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    result.setFontStrikeOut(format.strikeOut);
    result.setFontPointSize(format.halfPoints / 2.0);
    switch (format.position) {
    case RtfCharacterFormat::VerticalPosition::Normal:
        result.setVerticalAlignment(QTextCharFormat::AlignNormal);
        break;
    case RtfCharacterFormat::VerticalPosition::Superscript:
        result.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    case RtfCharacterFormat::VerticalPosition::Subscript:
        result.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    }
    if (const Font* font = FindFont(format.font); font != nullptr && !font->name.isEmpty())
        result.setFontFamilies({font->name});
    if (const auto color = FindColor(format.foregroundColor))
        result.setForeground(*color);
    if (const auto color = FindColor(format.backgroundColor))
        result.setBackground(*color);
    return result;
}

} // namespace eh::rtf
