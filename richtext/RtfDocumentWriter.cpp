// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfDocumentWriter.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <QTextTableFormat>
#include <QUrl>

#include <algorithm>
#include <iterator>

namespace eh::rtf {

namespace {

// QTextDocument gives these characters a meaning of its own (block, frame
// and object markers); coming from a file they must stay plain characters.
bool IsStructureCharacter(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter || c == QChar(0xFDD0) ||
           c == QChar(0xFDD1);
}

} // namespace

RtfDocumentWriter::RtfDocumentWriter(QTextDocument& document, const RtfDocumentTables& tables)
    : document_(document), tables_(tables), undoRedoWasEnabled_(document.isUndoRedoEnabled()), cursor_(&document)
{
    document_.setUndoRedoEnabled(false);
    cursor_.beginEditBlock();
}

RtfDocumentWriter::~RtfDocumentWriter()
{
    cursor_.endEditBlock();
    document_.setUndoRedoEnabled(undoRedoWasEnabled_);
}

void RtfDocumentWriter::AppendText(QStringView text, const RtfCharacterFormat& format)
{
    if (format.hidden)
        return;
    if (format != runFormat_) {
        FlushRun();
        runFormat_ = format;
    }
    for (const QChar c : text) {
        if (c == u'\t' || c.unicode() >= 0x20)
            runText_.append(IsStructureCharacter(c) ? QChar(QChar::ReplacementCharacter) : c);
    }
}

void RtfDocumentWriter::AppendImage(const QImage& image, QSizeF displaySize)
{
    FlushRun();
    const QString name = QStringLiteral("rtf-picture-%1").arg(++imageCount_);
    document_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(displaySize.width());
    format.setHeight(displaySize.height());
    paragraph_.runs.push_back({QString(), format});
}

void RtfDocumentWriter::FlushRun()
{
    if (runText_.isEmpty())
        return;
    paragraph_.runs.push_back({runText_, tables_.ToCharFormat(runFormat_)});
    runText_.clear();
}

RtfDocumentWriter::Paragraph RtfDocumentWriter::TakeParagraph(const RtfParagraphFormat& paragraph,
                                                              const RtfCharacterFormat& mark)
{
    FlushRun();
    Paragraph result = std::move(paragraph_);
    paragraph_ = Paragraph();
    result.blockFormat = ToBlockFormat(paragraph);
    result.markFormat = tables_.ToCharFormat(mark);
    return result;
}

void RtfDocumentWriter::EndParagraph(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark)
{
    Paragraph ended = TakeParagraph(paragraph, mark);
    if (paragraph.inTable) {
        cell_.push_back(std::move(ended));
        return;
    }
    if (TableIsOpen()) {
        CloseRow();
        WriteTable();
    }
    WriteParagraph(cursor_, ended, cursorBlockIsEmpty_);
    cursorBlockIsEmpty_ = false;
}

void RtfDocumentWriter::EndCell(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark)
{
    cell_.push_back(TakeParagraph(paragraph, mark));
    CloseCell();
}

void RtfDocumentWriter::CloseCell()
{
    if (row_.size() < kMaxColumns)
        row_.push_back(std::move(cell_));
    else
        std::move(cell_.begin(), cell_.end(), std::back_inserter(row_.back()));
    cell_.clear();
}

void RtfDocumentWriter::EndRow(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark)
{
    FlushRun();
    // Text after the last \cell of a row still belongs to the row.
    if (!paragraph_.runs.empty())
        cell_.push_back(TakeParagraph(paragraph, mark));
    CloseRow();
    if (rows_.size() * columns_ >= kMaxTableCells)
        WriteTable();
}

bool RtfDocumentWriter::TableIsOpen() const { return !rows_.empty() || !row_.empty() || !cell_.empty(); }

void RtfDocumentWriter::CloseRow()
{
    if (!cell_.empty())
        CloseCell();
    if (row_.empty())
        return;
    columns_ = std::max(columns_, row_.size());
    rows_.push_back(std::move(row_));
    row_.clear();
}

void RtfDocumentWriter::Finish(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark)
{
    FlushRun();
    if (!paragraph_.runs.empty())
        EndParagraph(paragraph, mark);
    if (TableIsOpen()) {
        CloseRow();
        WriteTable();
    }
}

void RtfDocumentWriter::WriteTable()
{
    if (rows_.empty())
        return;
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellSpacing(0);
    format.setCellPadding(2);
    QTextTable* table = cursor_.insertTable(static_cast<int>(rows_.size()), static_cast<int>(columns_), format);
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        for (std::size_t column = 0; column < rows_[row].size(); ++column) {
            QTextCursor cellCursor = table->cellAt(static_cast<int>(row), static_cast<int>(column)).firstCursorPosition();
            bool intoCurrentBlock = true;
            for (const Paragraph& paragraph : rows_[row][column]) {
                WriteParagraph(cellCursor, paragraph, intoCurrentBlock);
                intoCurrentBlock = false;
            }
        }
    }
    cursor_ = table->lastCursorPosition();
    cursor_.movePosition(QTextCursor::NextBlock);
    cursorBlockIsEmpty_ = true;
    rows_.clear();
    columns_ = 0;
}

void RtfDocumentWriter::WriteParagraph(QTextCursor& cursor, const Paragraph& paragraph, bool intoCurrentBlock)
{
    if (intoCurrentBlock) {
        cursor.setBlockFormat(paragraph.blockFormat);
        cursor.setBlockCharFormat(paragraph.markFormat);
    } else {
        cursor.insertBlock(paragraph.blockFormat, paragraph.markFormat);
    }
    for (const Run& run : paragraph.runs) {
        if (run.format.isImageFormat())
            cursor.insertImage(run.format.toImageFormat());
        else
            cursor.insertText(run.text, run.format);
    }
}

} // namespace eh::rtf
