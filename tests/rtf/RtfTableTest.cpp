// SPDX-License-Identifier: GPL-3.0-or-later
// Tables: \trowd, \cellx, \intbl, \cell and \row make a QTextTable whose
// cells hold the cells' paragraphs.

#include "DocumentLines.h"
#include "RtfLimits.h"
#include "RtfTestSupport.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

namespace eh::test {
namespace {

std::vector<QTextTable*> Tables(const QTextDocument& document)
{
    std::vector<QTextTable*> tables;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame))
            tables.push_back(table);
    }
    return tables;
}

// The text of each cell of a table, row by row, paragraphs joined by "|".
std::vector<QStringList> CellTexts(const QTextTable& table)
{
    std::vector<QStringList> rows;
    for (int row = 0; row < table.rows(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            QStringList paragraphs;
            for (QTextBlock block = cell.firstCursorPosition().block();
                 block.isValid() && block.position() <= cell.lastCursorPosition().position(); block = block.next())
                paragraphs << block.text();
            cells << paragraphs.join(u'|');
        }
        rows.push_back(cells);
    }
    return rows;
}

const QByteArray kTwoRows = "before\\par"
                            "\\trowd\\trgaph108\\cellx2000\\cellx4000"
                            "\\pard\\intbl\\b Name\\b0\\cell Value\\cell\\row"
                            "\\trowd\\trgaph108\\cellx2000\\cellx4000"
                            "\\pard\\intbl Frequency\\cell 7.1\\cell\\row"
                            "\\pard after\\par";

TEST(RtfTableTest, RowsAndCellsBecomeATable)
{
    const auto document = ReadAccepted(Rtf(kTwoRows));
    const auto tables = Tables(*document);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(CellTexts(*tables[0]), (std::vector<QStringList>{{"Name", "Value"}, {"Frequency", "7.1"}}));
    EXPECT_EQ(FragmentFormat(*document, "Name").fontWeight(), QFont::Bold);
}

TEST(RtfTableTest, TableLiesBetweenTheParagraphsAroundIt)
{
    const auto document = ReadAccepted(Rtf(kTwoRows));
    EXPECT_EQ(DocumentLines(*document), (QStringList{"before", "Name", "Value", "Frequency", "7.1", "after"}));
}

TEST(RtfTableTest, CellMayHoldSeveralParagraphs)
{
    // pandoc ends each cell's paragraph with \par before \cell, which leaves
    // an empty paragraph in the cell, as in Word and LibreOffice.
    const auto document = ReadAccepted(Rtf("\\trowd\\cellx1000\\cellx2000"
                                           "\\intbl one\\par two\\cell {\\pard\\intbl three\\par}\\cell\\row"));
    const auto tables = Tables(*document);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(CellTexts(*tables[0]), (std::vector<QStringList>{{"one|two", "three|"}}));
}

TEST(RtfTableTest, RowsOfDifferentLengthsShareTheWidestColumnCount)
{
    const auto document = ReadAccepted(Rtf("\\trowd\\intbl a\\cell\\row"
                                           "\\trowd\\intbl b\\cell c\\cell d\\cell\\row\\pard end"));
    const auto tables = Tables(*document);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(CellTexts(*tables[0]), (std::vector<QStringList>{{"a", "", ""}, {"b", "c", "d"}}));
}

TEST(RtfTableTest, TextAfterTheLastCellOfARowIsOneMoreCell)
{
    const auto document = ReadAccepted(Rtf("\\intbl a\\cell b\\row"));
    const auto tables = Tables(*document);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(CellTexts(*tables[0]), (std::vector<QStringList>{{"a", "b"}}));
}

TEST(RtfTableTest, TableAtTheEndWithoutRowIsKept)
{
    const auto document = ReadAccepted(Rtf("\\intbl a\\cell b\\cell"));
    const auto tables = Tables(*document);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(CellTexts(*tables[0]), (std::vector<QStringList>{{"a", "b"}}));
}

TEST(RtfTableTest, CellsBeyondTheColumnLimitJoinTheLastCell)
{
    QByteArray body = "\\trowd";
    for (int i = 0; i < kMaxRtfTableColumns + 2; ++i)
        body += "\\intbl c" + QByteArray::number(i) + "\\cell";
    body += "\\row";
    const auto document = ReadAccepted(Rtf(body));
    const auto tables = Tables(*document);
    ASSERT_EQ(tables.size(), 1u);
    ASSERT_EQ(tables[0]->columns(), kMaxRtfTableColumns);
    const QStringList row = CellTexts(*tables[0])[0];
    EXPECT_EQ(row.front(), "c0");
    EXPECT_EQ(row.back(), "c63|c64|c65");
}

TEST(RtfTableTest, LongTableGoesOnInANewTable)
{
    constexpr std::size_t kColumns = 4;
    constexpr std::size_t kRowsPerTable = kMaxRtfCellsPerTable / kColumns;
    QByteArray body;
    for (std::size_t row = 0; row < kRowsPerTable + 3; ++row)
        body += "\\intbl a\\cell b\\cell c\\cell d\\cell\\row";
    const auto document = ReadAccepted(Rtf(body));
    const auto tables = Tables(*document);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(static_cast<std::size_t>(tables[0]->rows()), kRowsPerTable);
    EXPECT_EQ(tables[1]->rows(), 3);
    EXPECT_EQ(tables[1]->columns(), static_cast<int>(kColumns));
}

// Cells of the tables in `frame` nested `depth` deep or deeper (0: all),
// padding counted.
int PaddedCells(const QTextFrame& frame, int depth = 0)
{
    int cells = 0;
    const auto* table = qobject_cast<const QTextTable*>(&frame);
    if (table != nullptr && depth <= 1)
        cells = table->rows() * table->columns();
    for (const QTextFrame* child : frame.childFrames())
        cells += PaddedCells(*child, table != nullptr ? depth - 1 : depth);
    return cells;
}

// `shortRows` one-cell rows, then a row of the most columns, three times.
QByteArray ShortRowsThenALongOne(int shortRows, bool nested)
{
    const QByteArray start = nested ? "\\itap2 " : "\\intbl ";
    const QByteArray cell = nested ? "\\nestcell" : "\\cell";
    const QByteArray row = nested ? "{\\*\\nesttableprops\\trowd\\nestrow}" : "\\row";
    QByteArray rows;
    for (int i = 0; i < shortRows; ++i)
        rows += start + "a" + cell + " " + row;
    rows += start;
    for (int i = 0; i < kMaxRtfTableColumns; ++i)
        rows += "b" + cell + " ";
    rows = (rows + row).repeated(3);
    return nested ? "\\intbl outer\\par" + rows + "\\pard\\intbl\\cell\\row" : rows;
}

TEST(RtfTableTest, ALongRowAmongShortOnesDoesNotPadThemAll)
{
    // A grid would pad every row to 64 cells; the tables hold at most
    // twice the cells given, and every cell's text. Past the budget of
    // nested cells, nested rows become rows of the outer table.
    const struct {
        int shortRows;
        bool nested;
    } cases[] = {{300, false}, {300, true}, {2000, true}};
    for (const auto& c : cases) {
        const int givenCells = 3 * (c.shortRows + kMaxRtfTableColumns);
        const auto document = ReadAccepted(Rtf(ShortRowsThenALongOne(c.shortRows, c.nested)));
        EXPECT_LE(PaddedCells(*document->rootFrame()), 2 * givenCells + (c.nested ? 1 : 0)) << c.shortRows;
        // A nested one-letter cell is two units of work: the budget holds
        // half as many cells, padded to at most twice that.
        EXPECT_LE(PaddedCells(*document->rootFrame(), 2), std::min(2 * givenCells, kMaxRtfNestedTableWork));
        const QString text = document->toPlainText();
        EXPECT_EQ(text.count(u'a'), 3 * c.shortRows) << c.shortRows;
        EXPECT_EQ(text.count(u'b'), 3 * kMaxRtfTableColumns) << c.shortRows;
    }
}

TEST(RtfTableTest, DeepNestingCostsItsLayoutWorkAndKeepsEveryCellsText)
{
    // Each level of nesting doubles what laying a cell out costs: 1,000
    // one-cell rows eight deep, with short and long text, fit the budget
    // only in part, the rest going into the outermost table.
    const struct {
        int rows;
        int words;
        int deepestCells; // at most, in tables eight deep
    } cases[] = {
        {1000, 0, kMaxRtfNestedTableWork / 128},
        {200, 100, kMaxRtfNestedTableWork / (128 * (1 + 1100 / kRtfNestedWorkCharacters))},
        {3, 1000, 0}, // 11,000 letters: even one such cell is too much work eight deep
    };
    for (const auto& c : cases) {
        QByteArray body;
        const QByteArray text = QByteArray(" abcdefghij").repeated(c.words);
        for (int row = 0; row < c.rows; ++row)
            body += "\\pard\\intbl\\itap8 x" + text + "\\nestcell{\\*\\nesttableprops\\nestrow}";
        for (int level = 7; level > 1; --level)
            body += "\\pard\\intbl\\itap" + QByteArray::number(level) + "\\nestcell{\\*\\nesttableprops\\nestrow}";
        const auto document = ReadAccepted(Rtf(body + "\\pard\\intbl\\cell\\row"));
        const int deepest = PaddedCells(*document->rootFrame(), 8);
        EXPECT_LE(deepest, c.deepestCells) << c.rows;
        EXPECT_GE(deepest, c.deepestCells / 2) << c.rows;
        EXPECT_EQ(document->toPlainText().count(u'x'), c.rows);
    }
}

TEST(RtfTableTest, NestedTableIsATableInItsCell)
{
    // As Word writes it: the nested row ends in \nesttableprops, and
    // \nonesttables holds the same text for readers without nested tables.
    const auto document = ReadAccepted(Rtf(
        "\\intbl outer\\par\\itap2 x\\nestcell y\\nestcell{\\*\\nesttableprops\\trowd\\nestrow}"
        "{\\nonesttables x y\\par}\\itap2 z\\nestcell{\\*\\nesttableprops\\trowd\\nestrow}"
        "\\pard\\intbl after\\cell right\\cell\\row"));
    const auto tables = Tables(*document);
    ASSERT_EQ(tables.size(), 1u);
    ASSERT_EQ(tables[0]->childFrames().size(), 1);
    const auto* inner = qobject_cast<QTextTable*>(tables[0]->childFrames().front());
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(CellTexts(*inner), (std::vector<QStringList>{{"x", "y"}, {"z", ""}}));
    // The empty lines are the blocks around a table that QTextDocument keeps.
    EXPECT_EQ(DocumentLines(*document), (QStringList{"", "outer", "x", "y", "z", "", "after", "right", ""}));
}

} // namespace
} // namespace eh::test
