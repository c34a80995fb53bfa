// SPDX-License-Identifier: GPL-3.0-or-later
#include "RichTextPane.h"

#include "Exceptions.h"
#include "Points.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

namespace eh {

RichTextPane::RichTextPane(QTextEdit& edit) : edit_(edit) {}

void RichTextPane::Clear()
{
    edit_.clear();
    // clear() keeps the last block format; a fresh pane has none.
    QTextCursor cursor(edit_.document());
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setBlockCharFormat(QTextCharFormat());
    SetBottomMargin(edit_.document()->documentMargin());
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
    ScrollToWholeLines();
}

void RichTextPane::SetBottomMargin(qreal margin)
{
    QTextFrame* root = edit_.document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    if (format.bottomMargin() == margin)
        return;
    format.setBottomMargin(margin);
    root->setFrameFormat(format);
}

// Scrolling by pixels would leave the line at the top cut, its lowest pixels
// (the tips of the title's letters) showing as stray dots above the next
// line. The pane scrolls by whole lines instead: a line cut at the top edge
// is shown whole when the caret is in it or above it, and scrolled out of
// view otherwise. Scrolling it out may need more room below the last line
// than the document has, which a bottom margin gives (and takes back when
// the lines below fill it); the caret's line stays whole in view either way.
void RichTextPane::ScrollToWholeLines()
{
    QScrollBar* bar = edit_.verticalScrollBar();
    const int top = bar->value();
    if (top == 0)
        return;
    const QTextDocument* document = edit_.document();
    const QAbstractTextDocumentLayout* layout = document->documentLayout();
    const int caret = edit_.textCursor().position();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QRectF bounds = layout->blockBoundingRect(block);
        if (bounds.bottom() <= top)
            continue;
        const QTextLayout* lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            // Line tops are whole pixels when a line starts at the top edge.
            const int lineTop = static_cast<int>(std::floor(bounds.top() + line.y()));
            const int lineBottom = static_cast<int>(std::ceil(bounds.top() + line.y() + line.height()));
            if (lineBottom <= top)
                continue;
            if (lineTop >= top)
                return; // a line starts at the top edge
            if (caret <= block.position() + line.textStart() + line.textLength()) {
                bar->setValue(lineTop);
                return;
            }
            // The margin that makes the largest scroll position this line's
            // bottom, never less than the document's own.
            const qreal margin = document->rootFrame()->frameFormat().bottomMargin();
            SetBottomMargin(std::max(document->documentMargin(), margin + lineBottom - bar->maximum()));
            bar->setValue(lineBottom);
            return;
        }
    }
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
