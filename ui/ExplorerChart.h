// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BandLabels.h"
#include "ChartPointsDialog.h"
#include "ChartThinning.h"
#include "ExplorerMeasurement.h"
#include "ExplorerOutputs.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

class QChartView;
class QIODevice;
class QLabel;
class QPainter;
class QValueAxis;

namespace eh {

class ChartPane;

// "Полоса пропуск. по ур.3 dB, Кгц"; the name alone when there is no unit.
QString NameAndUnit(const QString& name, const QString& unit);

// One output across the sweep: a NaN value is a point whose design faulted,
// drawn as a gap.
struct TChartSeries {
    QString name;
    QString unit;
    std::vector<double> values;
};

// A design pinned for comparison, drawn dashed: its own x values (the range
// may have changed since) and the same outputs as the live curves.
struct TPinnedCurves {
    QString label; // the inputs in which it differs from the typed design
    std::vector<double> xValues;
    std::vector<TChartSeries> series;
};

// A shaded stretch of the x axis with its name (an amateur band).
struct TShadedBand {
    QString name;
    double low = 0;
    double high = 0;
};

struct TChartData {
    QString xTitle;
    std::vector<double> xValues; // ascending; every series holds one value per x value
    std::vector<TChartSeries> series;
    std::vector<TPinnedCurves> pinned;
    std::vector<TShadedBand> bands;
    std::optional<double> markedX; // the typed value
    std::vector<double> solutions; // x values marked as solutions of a target
    std::optional<TMeasurementMarks> measurement; // a measured sweep over a frequency axis
};

// Sets a value axis to [low, high] with the ticks AxisTicks gives.
void SetAxisRange(QValueAxis& axis, double low, double high, int maxTicks);

// The explorer's charts: the chosen outputs against the swept input, grouped
// by unit, two units to a plot (left and right axis), the plots stacked and
// sharing the x axis. The amateur bands are shaded, the typed value and the
// solutions are marked, pinned designs are drawn dashed, and a measured
// sweep's resonance and bands are drawn over it. Each plot has
// a legend of its own that wraps rather than cuts a name. Every point under
// the cursor is reported through `hovered`.
class ExplorerChart : public QWidget {
    Q_OBJECT
public:
    explicit ExplorerChart(QWidget* parent = nullptr);
    ~ExplorerChart() override;

    void SetData(TChartData data);
    // Greys the chart out while the inputs cannot be read; the last good
    // chart stays.
    void SetStale(bool stale);
    bool IsStale() const { return stale_; }
    // The numbers on the axes use this decimal mark.
    void SetDecimalSeparator(char separator);

    // The live curves' points as a table's columns, the swept value first:
    // the chart's text alternative.
    std::vector<TPointsColumn> PointsColumns() const;

    // The stacked plots, top first.
    std::vector<QChartView*> Plots() const;
    // The legend above each plot.
    std::vector<QLabel*> Legends() const;

    QImage RenderImage();
    // In the outline face, as PaintOutlined.
    void RenderSvg(QIODevice& device);
    // The plots and legends as vectors, scaled to fit `area` whole.
    void Paint(QPainter& painter, const QRectF& area);
    // The same data laid out afresh for `layoutSize` pixels of a 96 dpi
    // screen, in the scalable window face (the screen's bitmap face has no
    // outlines to embed in a PDF, and other programs lack it in an SVG),
    // and painted as vectors into `area`.
    void PaintOutlined(QPainter& painter, const QRectF& area, const QSize& layoutSize) const;

signals:
    // The index of the x value nearest the cursor, or none when it leaves the
    // plot area.
    void hovered(std::optional<std::size_t> index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Rebuild();
    void Hover(std::optional<double> share);
    // Lines the stacked plots' areas up, so that one x is one column in all.
    void AlignPlots();
    void AlignPlotsAgain();

    // A pane's legend drawn as outlines (PaintOutlined's copy).
    void PaintLegendOutlines(QPainter& painter, std::size_t pane) const;

    // One entry of a legend: the swatch in the curve's colour, then its name.
    struct TLegendEntry {
        QColor colour;
        QString swatch;
        QString text;
    };

    TChartData data_;
    std::vector<ChartPane*> panes_;
    std::vector<QLabel*> legends_;
    std::vector<std::vector<TLegendEntry>> legendEntries_; // each pane's, in the legend's order
    bool legendOutlines_ = false;
    char separator_ = '.';
    int builtColumns_ = 0;
    int builtHeight_ = 0;
    bool stale_ = false;
    bool aligned_ = false;
};

} // namespace eh
