// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "BuildSheetText.h"
#include "Language.h"
#include "LengthUnit.h"

#include <QString>
#include <functional>
#include <optional>

class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace eh {

// What a build sheet holds: its words (the seven inputs, the band, the
// link), the report of the typed design (its dimensioned drawing too), and a
// painter for the chart.
struct TBuildSheet {
    TBuildSheetText text;
    TAntennaInputs inputs;
    std::optional<TAntennaResults> results; // empty when the typed design faults
    char separator = '.';
    QString date; // when the sheet was made
    std::function<void(QPainter&, const QRectF&)> paintChart;
    TLanguage language = kDefaultLanguage; // of the sheet's own words, its inputs and its report
    TLengthUnit lengths = TLengthUnit::Millimetre; // of its inputs, report and drawing
};

// Lays the sheet out on one page of `device` (an A4 PDF or a printer):
// the date, the inputs and the report on the left, the drawing on the
// right, the chart across the bottom at the page's full width, the band and
// the design's link under it.
void PaintBuildSheet(QPagedPaintDevice& device, const TBuildSheet& sheet);

} // namespace eh
