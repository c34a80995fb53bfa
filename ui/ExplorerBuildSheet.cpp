// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerBuildSheet.h"

#include "DrawingPainter.h"
#include "Report.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace eh {

namespace {

QString SheetText(std::string_view key, const TBuildSheet& sheet) { return QString::fromUtf8(LocalText(key, sheet.language)); }
QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// One report line with its style runs applied in order, each over the
// characters it covers (a later run overrides an earlier one, as in the
// report pane), drawn at `scale` times the report's point sizes.
void PaintReportLine(QPainter& painter, QPointF at, const TReportLine& line, double scale)
{
    const QString text = QString::fromStdString(line.Text);
    std::vector<TStyleRun> styleOf(static_cast<std::size_t>(text.size()), TStyleRun{});
    for (const TStyleRun& run : line.Runs)
        for (int i = std::max(run.Start, 0); i < std::min<int>(run.Start + run.Length, int(text.size())); ++i)
            styleOf[static_cast<std::size_t>(i)] = run;
    int start = 0;
    while (start < text.size()) {
        const TStyleRun& style = styleOf[static_cast<std::size_t>(start)];
        int end = start + 1;
        while (end < text.size() && styleOf[static_cast<std::size_t>(end)].Bold == style.Bold &&
               styleOf[static_cast<std::size_t>(end)].Underline == style.Underline &&
               styleOf[static_cast<std::size_t>(end)].Size == style.Size)
            ++end;
        QFont font = painter.font();
        font.setPointSizeF(style.Size * scale);
        font.setBold(style.Bold);
        font.setUnderline(style.Underline);
        painter.setFont(font);
        const QString part = text.mid(start, end - start);
        painter.drawText(at, part);
        at.rx() += QFontMetricsF(font, painter.device()).horizontalAdvance(part);
        start = end;
    }
}

// The height a report line takes at `scale`: its largest run decides, so
// that a title set larger than the values below it never reaches into the
// lines around it.
struct TLineExtent {
    double ascent = 0;
    double height = 0;
};

TLineExtent MeasureReportLine(const QFont& base, QPaintDevice* device, const TReportLine& line, double scale)
{
    TLineExtent extent;
    auto measure = [&](const TStyleRun& style) {
        QFont font = base;
        font.setPointSizeF(style.Size * scale);
        font.setBold(style.Bold);
        const QFontMetricsF metrics(font, device);
        extent.ascent = std::max(extent.ascent, metrics.ascent());
        extent.height = std::max(extent.height, metrics.height());
    };
    measure(TStyleRun{}); // the characters no run covers, and an empty line
    for (const TStyleRun& run : line.Runs)
        measure(run);
    return extent;
}

} // namespace

void PaintBuildSheet(QPagedPaintDevice& device, const TBuildSheet& sheet)
{
    QPainter painter(&device);
    const QRectF page(0, 0, device.width(), device.height());
    // Laid out in points of the page, whatever the device's resolution.
    const double unit = device.logicalDpiX() / 72.0;
    painter.setRenderHint(QPainter::Antialiasing);
    QFont base = painter.font();
    base.setFamily(QStringLiteral("DejaVu Sans"));
    base.setPointSizeF(12);
    QFont title = base;
    title.setBold(true);
    title.setPointSizeF(15);
    painter.setFont(title);
    painter.drawText(QPointF(page.left(), page.top() + QFontMetricsF(title, &device).ascent()),
                     Utf8(sheet.text.title));
    {
        QFont small = base;
        small.setPointSizeF(9);
        painter.setFont(small);
        painter.drawText(QRectF(page.left(), page.top(), page.width(), QFontMetricsF(title, &device).height()),
                         Qt::AlignRight | Qt::AlignVCenter, sheet.date);
    }
    // Each block starts below the one above it, measured in its own font.
    const double top = page.top() + QFontMetricsF(title, &device).height() + 6 * unit;

    // The seven inputs.
    double y = top;
    base.setPointSizeF(9);
    painter.setFont(base);
    const QFontMetricsF inputMetrics(base, &device);
    const double row = inputMetrics.height();
    for (const std::string& input : sheet.text.inputs) {
        painter.drawText(QPointF(page.left(), y + inputMetrics.ascent()), Utf8(input));
        y += row;
    }
    y += row / 2;

    // The report beside the drawing.
    const double leftWidth = page.width() * 0.48;
    if (sheet.results) {
        const TReport report = BuildReport(sheet.inputs, *sheet.results, sheet.separator, {.language = sheet.language, .lengths = sheet.lengths});
        const double scale = 0.85;
        for (const TReportLine& line : report.Lines) {
            const TLineExtent extent = MeasureReportLine(base, &device, line, scale);
            PaintReportLine(painter, QPointF(page.left(), y + extent.ascent), line, scale);
            y += extent.height;
        }
    } else {
        painter.drawText(QPointF(page.left(), y + inputMetrics.ascent()), SheetText("explorer.drawing.not-calculated", sheet));
        y += row;
    }
    painter.setFont(base);
    const QRectF drawingArea(page.left() + leftWidth + 10 * unit, top, page.width() - leftWidth - 10 * unit, y - top);
    {
        // The drawing is laid out in screen pixels: a pixel here is one of
        // a 96 dpi screen, its labels a 12-pixel font.
        const double pixel = device.logicalDpiX() / 96.0;
        painter.save();
        painter.scale(pixel, pixel);
        QFont font = base;
        font.setPixelSize(12);
        painter.setFont(font);
        PaintDrawingShapes(painter,
                           sheet.results ? DrawingShapes(DrawingDimensions(sheet.inputs, *sheet.results), sheet.separator,
                                                         sheet.language, sheet.lengths)
                                         : UncalculatedDrawing(sheet.language, sheet.lengths),
                           QRectF(drawingArea.topLeft() / pixel, drawingArea.size() / pixel));
        painter.restore();
    }
    // Under the chart: the band and the link, each on a line of its own.
    const double footer = 3 * row + 4 * unit;
    const QRectF chartArea(page.left(), y + 10 * unit, page.width(), page.bottom() - y - 10 * unit - footer);
    if (sheet.paintChart && chartArea.height() > 40 * unit)
        sheet.paintChart(painter, chartArea);
    painter.setFont(base);
    const QRectF footerArea(page.left(), page.bottom() - footer + 4 * unit, page.width(), footer - 4 * unit);
    painter.drawText(footerArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere,
                     Utf8(sheet.text.band) + "\n" + Utf8(sheet.text.linkLabel + sheet.text.link));
}

} // namespace eh
