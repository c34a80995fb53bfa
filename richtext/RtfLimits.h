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
// Cells of nested tables in the whole document. Qt lays a nested cell out
// about five times slower than one at the top level; beyond this many,
// nested rows are read as rows of the outermost table.
inline constexpr int kMaxRtfNestedTableCells = 5000;
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
