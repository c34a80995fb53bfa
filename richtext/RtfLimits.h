// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstddef>
#include <stdexcept>

// Bounds that keep a hostile or broken RTF file from exhausting the program:
// any document within them loads in well under two seconds and a few hundred
// megabytes. A help document uses a small fraction of each.
namespace eh {

// The largest file the reader takes.
inline constexpr qsizetype kMaxRtfInputSize = 32 * 1024 * 1024;
// Groups nested deeper than this are still counted, so that the document's
// structure stays right, but share the state of the deepest tracked group.
inline constexpr int kMaxRtfGroupDepth = 256;
// Paragraphs in the whole document, table cells' paragraphs included.
inline constexpr int kMaxRtfParagraphs = 100000;
// Characters of one paragraph; a longer one goes on in a new paragraph.
// Qt lays a paragraph out in one piece, in time growing with the square of
// its longest word: a megabyte without a space would hold up the Help window
// for minutes, ten thousand characters take a few hundredths of a second.
inline constexpr qsizetype kMaxRtfParagraphLength = 10000;
// Table cells in the whole document, at any nesting level.
inline constexpr int kMaxRtfTableCells = 50000;
// Cells in one table; a longer table goes on in a new table.
inline constexpr std::size_t kMaxRtfCellsPerTable = 16384;
// Cells in one table row; further cells of a row go into its last cell.
inline constexpr int kMaxRtfTableColumns = 64;
// Tables nested inside table cells; deeper ones are read as the deepest.
inline constexpr int kMaxRtfTableNesting = 8;
// Layout work of nested tables in the whole document, about 30 microseconds
// of the Help window's time to a unit. Qt lays every cell of a table out
// twice, once to find the columns' widths and once for good, so a paragraph
// in a table nested n deep is laid out 2^(n-1) times as often as one in a
// table at the top level: it counts that many units, and that many again
// for each kRtfNestedWorkCharacters characters it holds. A paragraph that
// would take the document beyond this much, and every nested row after it,
// is read into the outermost table: 1,000 one-cell rows nested eight deep
// would otherwise hold up the window for seconds.
inline constexpr int kMaxRtfNestedTableWork = 10000;
inline constexpr int kRtfNestedWorkCharacters = 50;
// Runs of text in one format, in the whole document; beyond them text goes
// on in the format of the last run.
inline constexpr int kMaxRtfRuns = 200000;
// Distinct character formats; text in a further format takes the
// document's plain format. Laying out text in a new font costs milliseconds:
// thousands of sizes would hold up the Help window for many seconds.
inline constexpr int kMaxRtfCharacterFormats = 256;
// Entries of the font, colour and list tables beyond this many are ignored.
inline constexpr std::size_t kMaxRtfTableEntries = 65536;
// Pixels of one picture and of all pictures of a document: a few bytes
// announcing a huge image cannot exhaust memory.
inline constexpr qint64 kMaxRtfPicturePixels = 4096 * 4096;
inline constexpr qint64 kMaxRtfDocumentPixels = 2 * kMaxRtfPicturePixels;

namespace rtf {

// The document has more paragraphs or table cells than the limits allow;
// what was read before stays in the document.
class RtfLimitExceeded : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace rtf
} // namespace eh
