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

#include <vector>

class QTextDocument;

namespace eh::rtf {

// Puts the content that the RTF reader finds into a QTextDocument: runs of
// text, pictures, paragraphs and tables. A paragraph is collected until it
// ends, then written with one insertText per run of equal format, so the
// work stays linear in the size of the text. Table rows are collected until
// the table ends and the table is then made at its full size at once:
// growing a QTextTable row by row costs time in the square of its cells.
class RtfDocumentWriter {
public:
    // Cells in one row; further cells of a row go into its last cell.
    static constexpr int kMaxColumns = 64;
    // Cells in one table; a longer table goes on in a new table.
    static constexpr int kMaxTableCells = 16384;

    // `document` must be empty; `tables` convert formats and must outlive
    // the writer. While the writer lives, the document keeps no undo history
    // and is in one edit block: otherwise every insertion would lay out its
    // whole paragraph again, which takes time in the square of its length.
    RtfDocumentWriter(QTextDocument& document, const RtfDocumentTables& tables);
    ~RtfDocumentWriter();
    RtfDocumentWriter(const RtfDocumentWriter&) = delete;
    RtfDocumentWriter& operator=(const RtfDocumentWriter&) = delete;

    // Text in the given format, appended to the current paragraph. Hidden
    // text is left out, and so are control characters and the characters
    // that QTextDocument keeps for its own structure.
    void AppendText(QStringView text, const RtfCharacterFormat& format);
    void AppendImage(const QImage& image, QSizeF displaySize);

    // \par: ends the current paragraph, a table cell's when `paragraph` is
    // in a table. `mark` is the format of the paragraph mark.
    void EndParagraph(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark);
    // \cell: ends the current paragraph and the cell it is in.
    void EndCell(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark);
    // \row: ends the current table row; text after its last \cell, in the
    // given formats, makes one more cell.
    void EndRow(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark);
    // End of input: writes what is still open. A last paragraph without
    // text is dropped, as the last \par of a document only ends the text.
    void Finish(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark);

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
    using Cell = std::vector<Paragraph>;
    using Row = std::vector<Cell>;

    void FlushRun();
    Paragraph TakeParagraph(const RtfParagraphFormat& paragraph, const RtfCharacterFormat& mark);
    bool TableIsOpen() const;
    void CloseCell();
    void CloseRow();
    void WriteTable();
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

    Paragraph paragraph_;
    QString runText_;
    RtfCharacterFormat runFormat_;

    // The table being collected: its finished rows, the row being filled and
    // the paragraphs of the cell being filled.
    std::vector<Row> rows_;
    Row row_;
    Cell cell_;
    std::size_t columns_ = 0;
};

} // namespace eh::rtf
