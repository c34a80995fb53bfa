// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfDocumentWriter.h"

#include "RtfLimits.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <QTextTableFormat>
#include <QUrl>

#include <algorithm>
#include <iterator>
#include <utility>

namespace eh::rtf {

namespace {

// QTextDocument gives these characters a meaning of its own (block, frame
// and object markers); coming from a file they must stay plain characters.
bool IsStructureCharacter(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter || c == QChar(0xFDD0) ||
           c == QChar(0xFDD1);
}

// Control characters other than the tab are left out.
bool IsControlCharacter(QChar c) { return c != u'\t' && c.unicode() < 0x20; }

bool IsPlainCharacter(QChar c) { return !IsControlCharacter(c) && !IsStructureCharacter(c); }

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

void RtfDocumentWriter::AppendText(QStringView text, const RtfCharacterFormat& format,
                                   const RtfParagraphFormat& paragraph)
{
    if (format.hidden || full_)
        return;
    if (format != runFormat_) {
        // Formats that differ only in what the document does not define
        // (an unknown font, say) look alike and make one run.
        if (runText_.isEmpty()) {
            runFormat_ = format;
        } else if (runs_ < kMaxRtfRuns && tables_.ToCharFormat(format) != tables_.ToCharFormat(runFormat_)) {
            FlushRun();
            runFormat_ = format;
        }
    }
    while (!text.isEmpty()) {
        // The characters that go in as they are, as many as the paragraph
        // has room for, in one piece.
        const qsizetype room = kMaxRtfParagraphLength - paragraphLength_;
        qsizetype plain = 0;
        while (plain < text.size() && plain < room && IsPlainCharacter(text[plain]))
            ++plain;
        runText_.append(text.first(plain));
        paragraphLength_ += plain;
        text = text.sliced(plain);
        if (text.isEmpty())
            break;
        const QChar c = text.front();
        if (IsControlCharacter(c)) {
            text = text.sliced(1);
        } else if (paragraphLength_ == kMaxRtfParagraphLength) {
            const RtfCharacterFormat carriedOn = runFormat_;
            EndParagraph(paragraph, carriedOn);
            if (full_)
                return;
            runFormat_ = carriedOn;
        } else {
            // A structure character: shown as the replacement character.
            runText_.append(QChar(QChar::ReplacementCharacter));
            ++paragraphLength_;
            text = text.sliced(1);
        }
    }
}

void RtfDocumentWriter::PrependText(const QString& text, const RtfCharacterFormat& format)
{
    if (full_)
        return;
    FlushRun();
    paragraph_.runs.insert(paragraph_.runs.begin(), {text, tables_.ToCharFormat(format)});
}

void RtfDocumentWriter::AppendImage(const QImage& image, QSizeF displaySize)
{
    if (full_)
        return;
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
    ++runs_;
}

bool RtfDocumentWriter::HasContent() const { return !runText_.isEmpty() || !paragraph_.runs.empty(); }

bool RtfDocumentWriter::Admit(int& count, int limit)
{
    if (count >= limit)
        full_ = true;
    else
        ++count;
    return !full_;
}

RtfDocumentWriter::Paragraph RtfDocumentWriter::TakeParagraph(const RtfParagraphFormat& paragraph,
                                                              const RtfCharacterFormat& mark)
{
    FlushRun();
    Paragraph result = std::move(paragraph_);
    paragraph_ = Paragraph();
    paragraphLength_ = 0;
    result.blockFormat = ToBlockFormat(paragraph);
    if (std::exchange(breakBefore_, false))
        result.blockFormat.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    result.markFormat = tables_.ToCharFormat(mark);
    return result;
}

void RtfDocumentWriter::EndParagraph(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark)
{
    if (!Admit(paragraphs_, kMaxRtfParagraphs))
        return;
    if (paragraph.tableDepth > 0) {
        TableAt(paragraph.tableDepth);
        AddToCell(TakeParagraph(paragraph, mark));
        return;
    }
    const Paragraph ended = TakeParagraph(paragraph, mark);
    CloseTablesDeeperThan(0);
    WriteParagraph(cursor_, ended, cursorBlockIsEmpty_);
    cursorBlockIsEmpty_ = false;
}

void RtfDocumentWriter::EndCell(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark, int depth)
{
    if (!Admit(paragraphs_, kMaxRtfParagraphs))
        return;
    TableAt(depth);
    AddToCell(TakeParagraph(paragraph, mark));
    CloseCell(openTables_.back());
}

int RtfDocumentWriter::NestedWork(std::size_t depth, qsizetype characters)
{
    if (depth < 2)
        return 0;
    return (1 << (depth - 1)) * (1 + static_cast<int>(characters / kRtfNestedWorkCharacters));
}

void RtfDocumentWriter::AddToCell(Paragraph paragraph)
{
    qsizetype characters = 0;
    for (const Run& run : paragraph.runs)
        characters += run.text.size();
    nestedWork_ += NestedWork(openTables_.size(), characters);
    openTables_.back().cell.push_back({std::move(paragraph), nullptr});
}

void RtfDocumentWriter::CloseCell(Table& table)
{
    if (!Admit(cells_, kMaxRtfTableCells))
        return;
    if (table.row.size() < static_cast<std::size_t>(kMaxRtfTableColumns))
        table.row.push_back(std::move(table.cell));
    else
        std::move(table.cell.begin(), table.cell.end(), std::back_inserter(table.row.back()));
    table.cell.clear();
}

void RtfDocumentWriter::EndRow(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark, int depth)
{
    if (full_)
        return;
    Table& table = TableAt(depth);
    // Text after the last cell of a row still belongs to the row.
    if (HasContent() && Admit(paragraphs_, kMaxRtfParagraphs))
        AddToCell(TakeParagraph(paragraph, mark));
    if (!table.cell.empty())
        CloseCell(table);
    if (RowNeedsNewTable(table))
        StartNewTable();
    Table& filled = openTables_.back();
    CloseRow(filled);
    if (openTables_.size() == 1 && filled.rows.size() * filled.columns >= kMaxRtfCellsPerTable) {
        WriteTable(cursor_, filled);
        cursorBlockIsEmpty_ = true;
        openTables_.clear();
    }
}

bool RtfDocumentWriter::RowNeedsNewTable(const Table& table)
{
    if (table.rows.empty())
        return false;
    // Padding may at most double the cells given, and no table grows
    // beyond kMaxRtfCellsPerTable: a document's tables then hold at most
    // twice kMaxRtfTableCells cells, whatever the shape of their rows.
    const std::size_t padded = (table.rows.size() + 1) * std::max(table.columns, table.row.size());
    return padded > 2 * (table.givenCells + table.row.size()) || padded > kMaxRtfCellsPerTable;
}

void RtfDocumentWriter::StartNewTable()
{
    const std::size_t depth = openTables_.size();
    Row row = std::move(openTables_.back().row);
    openTables_.back().row.clear();
    CloseTablesDeeperThan(depth - 1);
    openTables_.resize(depth);
    openTables_.back().row = std::move(row);
}

void RtfDocumentWriter::CloseRow(Table& table)
{
    if (table.row.empty())
        return;
    table.columns = std::max(table.columns, table.row.size());
    table.givenCells += table.row.size();
    table.rows.push_back(std::move(table.row));
    table.row.clear();
}

void RtfDocumentWriter::Break(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark)
{
    if (HasContent())
        EndParagraph(paragraph, mark);
    breakBefore_ = true;
}

RtfDocumentWriter::Table& RtfDocumentWriter::TableAt(int depth)
{
    auto wanted = static_cast<std::size_t>(std::clamp(depth, 1, kMaxRtfTableNesting));
    // The paragraph being read is counted before it goes in: one long
    // paragraph nested deep could cost more than all the rest.
    if (nestedWork_ + NestedWork(wanted, paragraphLength_) > kMaxRtfNestedTableWork) {
        nestedWork_ = kMaxRtfNestedTableWork;
        wanted = 1;
    }
    CloseTablesDeeperThan(wanted);
    if (openTables_.size() < wanted)
        openTables_.resize(wanted);
    return openTables_.back();
}

void RtfDocumentWriter::CloseTablesDeeperThan(std::size_t depth)
{
    while (openTables_.size() > depth) {
        Table& table = openTables_.back();
        if (!table.cell.empty())
            CloseCell(table);
        CloseRow(table);
        if (openTables_.size() == 1) {
            if (!table.rows.empty()) {
                WriteTable(cursor_, table);
                cursorBlockIsEmpty_ = true;
            }
        } else if (!table.rows.empty()) {
            auto nested = std::make_shared<Table>(std::move(table));
            openTables_[openTables_.size() - 2].cell.push_back({Paragraph(), std::move(nested)});
        }
        openTables_.pop_back();
    }
}

void RtfDocumentWriter::Finish(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark)
{
    if (HasContent())
        EndParagraph(paragraph, mark);
    CloseTablesDeeperThan(0);
}

void RtfDocumentWriter::WriteTable(QTextCursor& cursor, const Table& table)
{
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellSpacing(0);
    format.setCellPadding(2);
    QTextTable* written =
        cursor.insertTable(static_cast<int>(table.rows.size()), static_cast<int>(table.columns), format);
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        for (std::size_t column = 0; column < table.rows[row].size(); ++column) {
            QTextCursor cellCursor =
                written->cellAt(static_cast<int>(row), static_cast<int>(column)).firstCursorPosition();
            bool intoCurrentBlock = true;
            for (const CellItem& item : table.rows[row][column]) {
                if (item.table) {
                    WriteTable(cellCursor, *item.table);
                    intoCurrentBlock = true;
                } else {
                    WriteParagraph(cellCursor, item.paragraph, intoCurrentBlock);
                    intoCurrentBlock = false;
                }
            }
        }
    }
    cursor = written->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
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
