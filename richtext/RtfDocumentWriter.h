// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RtfDocumentTables.h"
#include "RtfFormats.h"

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringView>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <memory>
#include <vector>

class QTextDocument;

namespace eh::rtf {

// Puts the content that the RTF reader finds into a QTextDocument: runs of
// text, pictures, paragraphs and tables, tables nested in table cells
// included. A paragraph is collected until it ends, then written with one
// insertText per run of equal format, so the work stays linear in the size
// of the text. Table rows are collected until the table ends and the table
// is then made at its full size at once: growing a QTextTable row by row
// costs time in the square of its cells.
//
// The document takes at most kMaxRtfParagraphs paragraphs and
// kMaxRtfTableCells table cells; once either is reached, further content is
// left out and IsFull() tells so. Beyond kMaxRtfRuns runs, text goes on in
// the format of the run it follows.
class RtfDocumentWriter {
public:
    // `document` must be empty; `tables` convert formats and must outlive
    // the writer. While the writer lives, the document keeps no undo history
    // and is in one edit block: otherwise every insertion would lay out its
    // whole paragraph again, which takes time in the square of its length.
    RtfDocumentWriter(QTextDocument& document, const RtfDocumentTables& tables);
    ~RtfDocumentWriter();
    RtfDocumentWriter(const RtfDocumentWriter&) = delete;
    RtfDocumentWriter& operator=(const RtfDocumentWriter&) = delete;

    // Text in the given format, appended to the current paragraph, which
    // is in the format `paragraph`. Hidden text is left out, and so are
    // control characters and the characters that QTextDocument keeps for
    // its own structure.
    void AppendText(QStringView text, const RtfCharacterFormat& format, const RtfParagraphFormat& paragraph);
    // Text put before what the current paragraph holds: a list label.
    void PrependText(const QString& text, const RtfCharacterFormat& format);
    void AppendImage(const QImage& image, QSizeF displaySize);

    // \par: ends the current paragraph, a table cell's when `paragraph` is
    // in a table. `mark` is the format of the paragraph mark.
    void EndParagraph(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark);
    // \cell, \nestcell: ends the current paragraph and the cell it is in, in
    // the table at `depth` (1 for the outermost table).
    void EndCell(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark, int depth);
    // \row, \nestrow: ends the current row of the table at `depth`; text
    // after its last cell, in the given formats, makes one more cell.
    void EndRow(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark, int depth);
    // \page, \column, \sect: ends the current paragraph unless it is empty;
    // the next paragraph starts a new page when the document is printed.
    void Break(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark);
    // End of input: writes what is still open. A last paragraph without
    // text is dropped, as the last \par of a document only ends the text.
    void Finish(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark);

    bool IsFull() const { return full_; }
    // Whether the current paragraph holds text or pictures.
    bool HasContent() const;

private:
    struct Run {
        QString text;
        QTextCharFormat format; // a QTextImageFormat for a picture
    };
    struct Paragraph {
        QTextBlockFormat blockFormat;
        QTextCharFormat markFormat;
        std::vector<Run> runs;
    };
    struct Table;
    // A paragraph of a cell, or a table nested in the cell.
    struct CellItem {
        Paragraph paragraph;
        std::shared_ptr<Table> table;
    };
    using Cell = std::vector<CellItem>;
    using Row = std::vector<Cell>;
    // A table being collected: its finished rows, the row being filled and
    // the content of the cell being filled.
    struct Table {
        std::vector<Row> rows;
        Row row;
        Cell cell;
        std::size_t columns = 0;
        std::size_t givenCells = 0; // in `rows`, before padding
    };

    void FlushRun();
    Paragraph TakeParagraph(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark);
    // Counts one more paragraph or cell; false, and the writer full, when
    // the document has no room for it.
    bool Admit(int& count, int limit);
    // The table at `depth`, opened when it is not; the tables nested deeper
    // are closed. Once the paragraph being read would take the document's
    // nested tables beyond kMaxRtfNestedTableWork of layout work, every
    // depth is the outermost.
    Table& TableAt(int depth);
    // Puts a paragraph into the cell being filled of the innermost open
    // table, counting its layout work.
    void AddToCell(Paragraph paragraph);
    // The layout work of a paragraph of `characters` in a table at `depth`
    // (see kMaxRtfNestedTableWork).
    static int NestedWork(std::size_t depth, qsizetype characters);
    void CloseTablesDeeperThan(std::size_t depth);
    void CloseCell(Table& table);
    static void CloseRow(Table& table);
    // Whether the row being filled belongs in a table of its own: a table is
    // a grid, every row padded to the longest, and one long row among many
    // short ones would multiply the cells.
    static bool RowNeedsNewTable(const Table& table);
    // Ends the table at the innermost open depth and starts a new one there
    // with the row being filled.
    void StartNewTable();
    // Writes a table at the cursor and leaves the cursor in the empty block
    // after it.
    static void WriteTable(QTextCursor& cursor, const Table& table);
    // Writes a paragraph at the cursor, into the cursor's block when
    // `intoCurrentBlock`, else into a new block.
    static void WriteParagraph(QTextCursor& cursor, const Paragraph& paragraph, bool intoCurrentBlock);

    QTextDocument& document_;
    const RtfDocumentTables& tables_;
    const bool undoRedoWasEnabled_;
    QTextCursor cursor_;
    // Whether the cursor's block is still empty and waiting for a paragraph:
    // at the start of the document and after a table.
    bool cursorBlockIsEmpty_ = true;
    int imageCount_ = 0;
    int paragraphs_ = 0;
    // Characters of the current paragraph.
    qsizetype paragraphLength_ = 0;
    int runs_ = 0;
    int cells_ = 0;
    int nestedWork_ = 0;
    bool full_ = false;
    bool breakBefore_ = false;

    Paragraph paragraph_;
    QString runText_;
    RtfCharacterFormat runFormat_;

    // The open tables, outermost first: a table nested in a cell of the one
    // before.
    std::vector<Table> openTables_;
};

} // namespace eh::rtf
