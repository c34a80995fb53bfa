// SPDX-License-Identifier: GPL-3.0-or-later
#include "RichTextPane.h"

#include "Exceptions.h"
#include "Points.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

namespace eh {

RichTextPane::RichTextPane(QTextEdit& edit) : edit_(edit) {}

void RichTextPane::Clear()
{
    edit_.clear();
    // clear() keeps the last block format; a fresh pane has none.
    QTextCursor cursor(edit_.document());
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setBlockCharFormat(QTextCharFormat());
    lines_.clear();
    textLength_ = 0;
    selectionStart_ = 0;
    selectionLength_ = 0;
}

void RichTextPane::SetFirstIndent(int points)
{
    // The whole paragraph moves, so that a wrapped line's continuation starts
    // where its first line does.
    QTextCursor cursor(edit_.document());
    cursor.setPosition(ToDocumentPosition(selectionStart_));
    QTextBlockFormat format = cursor.blockFormat();
    format.setLeftMargin(PointsToPixels(points, edit_));
    format.setTextIndent(0);
    cursor.setBlockFormat(format);
}

void RichTextPane::AppendLine(const std::string& text)
{
    const QString line = QString::fromStdString(text);
    QTextCursor cursor(edit_.document());
    cursor.movePosition(QTextCursor::End);
    const int documentStart = cursor.position();
    // Lines start in the pane's default character format; the block format
    // (the indent) carries on from the paragraph before.
    cursor.insertText(line, QTextCharFormat());
    if (cursor.position() != documentStart + line.size())
        throw EOutOfResources("RichEdit line insertion error");
    cursor.insertBlock(cursor.blockFormat(), QTextCharFormat());
    lines_.push_back({textLength_, documentStart, static_cast<int>(line.size())});
    textLength_ += static_cast<int>(line.size()) + 2;
}

int RichTextPane::TextLength() const { return textLength_; }

int RichTextPane::ToDocumentPosition(int panePosition) const
{
    if (lines_.empty() || panePosition <= 0)
        return 0;
    if (panePosition >= textLength_)
        return lines_.back().documentStart + lines_.back().length + 1;
    auto next = std::upper_bound(lines_.begin(), lines_.end(), panePosition,
                                 [](int position, const Line& line) { return position < line.paneStart; });
    const Line& line = *(next - 1);
    // A position inside the CR LF pair falls on the paragraph separator.
    return line.documentStart + std::min(panePosition - line.paneStart, line.length);
}

void RichTextPane::Select(int start, int length)
{
    selectionStart_ = std::clamp(start, 0, textLength_);
    selectionLength_ = std::clamp(length, 0, textLength_ - selectionStart_);
    QTextCursor cursor(edit_.document());
    cursor.setPosition(ToDocumentPosition(selectionStart_));
    cursor.setPosition(ToDocumentPosition(selectionStart_ + selectionLength_), QTextCursor::KeepAnchor);
    edit_.setTextCursor(cursor);
    edit_.ensureCursorVisible();
}

void RichTextPane::MergeIntoSelection(const QTextCharFormat& format)
{
    QTextCursor cursor = edit_.textCursor();
    if (!cursor.hasSelection())
        return;
    cursor.mergeCharFormat(format);
}

void RichTextPane::SetSelectionStyle(bool bold, bool italic, bool underline, bool strikeOut)
{
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(underline);
    format.setFontStrikeOut(strikeOut);
    MergeIntoSelection(format);
}

void RichTextPane::SetSelectionSize(int points)
{
    QTextCharFormat format;
    format.setFontPointSize(points);
    MergeIntoSelection(format);
}

std::string RichTextPane::PlainText() const
{
    std::string text;
    const QTextDocument* document = edit_.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // The empty paragraph after the last line end is no line of its own.
        if (!block.next().isValid() && block.length() <= 1)
            break;
        text += block.text().toStdString();
        text += "\r\n";
    }
    return text;
}

} // namespace eh
