// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>
#include <QString>
#include <optional>
#include <vector>

class QGraphicsItem;
class QIODevice;
class QLineSeries;
class QValueAxis;

namespace eh {

class ChartOverlay;

// "Полоса пропуск. по ур.3 dB, Кгц"; the name alone when there is no unit.
QString NameAndUnit(const QString& name, const QString& unit);

// One output across the sweep: a NaN value is a point whose design faulted,
// drawn as a gap.
struct TChartSeries {
    QString name;
    QString unit;
    std::vector<double> values;
};

// The explorer's chart: the chosen outputs against the swept input, one y
// axis per unit (the first on the left, the others on the right), the
// amateur bands shaded when the x axis is the frequency, and the typed value
// marked. Every point under the cursor is reported through `hovered`.
class ExplorerChart : public QChartView {
    Q_OBJECT
public:
    explicit ExplorerChart(QWidget* parent = nullptr);
    ~ExplorerChart() override;

    // `xValues` ascending; every series holds one value per x value.
    void SetData(const QString& xTitle, std::vector<double> xValues, const std::vector<TChartSeries>& series,
                 bool showBands, std::optional<double> markedX);
    // Greys the chart out while the inputs cannot be read; the last good
    // chart stays.
    void SetStale(bool stale);
    bool IsStale() const { return stale_; }
    // The numbers on the axes use this decimal mark.
    void SetDecimalSeparator(char separator);

    QImage RenderImage();
    void RenderSvg(QIODevice& device);

signals:
    // The index of the x value nearest the cursor, or none when it leaves the
    // plot area.
    void hovered(std::optional<std::size_t> index);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void RemoveSeriesAndAxes();
    std::optional<std::size_t> IndexAt(QPointF scenePosition) const;

    std::vector<double> xValues_;
    QValueAxis* xAxis_;
    ChartOverlay* overlay_;
    bool stale_ = false;
};

} // namespace eh
