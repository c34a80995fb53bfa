// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerChart.h"

#include "AxisTicks.h"
#include "InterfaceLanguage.h"
#include "PlotAreaOverlay.h"
#include "WindowFont.h"

#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <functional>

namespace eh {

namespace {

const QColor kSeriesColours[] = {
    QColor(0, 90, 200), QColor(200, 60, 0), QColor(0, 140, 60), QColor(150, 0, 150),
    QColor(120, 90, 0), QColor(0, 130, 140), QColor(90, 90, 90), QColor(220, 0, 90),
};
const QColor kMarkColour(200, 0, 0);
const QColor kSolutionColour(0, 150, 0);
// A measurement: one colour apart from the curves' and the bands' yellow.
const QColor kMeasuredColour(120, 0, 170);
const QColor kMeasuredShade(120, 0, 170, 45);
// Pinned designs: one dash pattern each, in the output's own colour.
const Qt::PenStyle kPinnedPens[] = {Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
const char* const kPinnedSwatches[] = {"╌╌╌", "┈┈┈", "-·-"};
const QMargins kPlotMargins(4, 2, 4, 2);

QColor SeriesColour(std::size_t s) { return kSeriesColours[s % std::size(kSeriesColours)]; }

} // namespace

QString NameAndUnit(const QString& name, const QString& unit)
{
    return unit.isEmpty() ? name : name + ", " + unit;
}

void SetAxisRange(QValueAxis& axis, double low, double high, int maxTicks)
{
    const TAxisTicks ticks = AxisTicks(low, high, maxTicks);
    axis.setLabelFormat(QStringLiteral("%.%1f").arg(ticks.decimals));
    // Fixed ticks while the range and the interval change: dynamic ticks
    // with a new range and the old interval (or the reverse) can ask for
    // billions of them.
    axis.setTickType(QValueAxis::TicksFixed);
    axis.setRange(ticks.low, ticks.high);
    axis.setTickAnchor(ticks.anchor);
    axis.setTickInterval(ticks.step);
    axis.setTickType(QValueAxis::TicksDynamic);
}


// Draws what the series cannot: the band shading with the band names, the
// typed value's mark, the solutions and the hover line, in the plot area's
// coordinates.
class ChartOverlay : public PlotAreaOverlay {
public:
    explicit ChartOverlay(QChart& chart) : PlotAreaOverlay(chart) {}

    // The top plot names the bands, the bottom one the measured spans.
    void Set(const TChartData& data, bool bandNames, bool spanNames)
    {
        data_ = &data;
        bandNames_ = bandNames;
        spanNames_ = spanNames;
        Refresh();
    }
    void SetHover(std::optional<double> x)
    {
        hoverX_ = x;
        update();
    }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override
    {
        const QRectF plot = chart_.plotArea();
        if (!data_ || data_->xValues.size() < 2 || plot.width() <= 0)
            return;
        xMin_ = data_->xValues.front();
        xMax_ = data_->xValues.back();
        painter->save();
        painter->setClipRect(boundingRect());
        PaintBands(*painter, plot);
        for (const double x : data_->solutions) {
            const double at = Position(x, plot);
            painter->setPen(QPen(kSolutionColour, 1.5));
            painter->drawLine(QPointF(at, plot.top()), QPointF(at, plot.bottom()));
            painter->setBrush(kSolutionColour);
            painter->drawEllipse(QPointF(at, plot.bottom()), 4, 4);
        }
        if (data_->markedX && *data_->markedX >= xMin_ && *data_->markedX <= xMax_) {
            const double x = Position(*data_->markedX, plot);
            painter->setPen(QPen(kMarkColour, 1.5, Qt::DashLine));
            painter->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            const QPointF tip(x, plot.bottom());
            const QPointF marker[] = {tip, tip + QPointF(-6, 10), tip + QPointF(6, 10)};
            painter->setPen(Qt::NoPen);
            painter->setBrush(kMarkColour);
            painter->drawPolygon(marker, 3);
        }
        // Over the typed value's mark, which is often near: its labels stay
        // readable.
        if (data_->measurement)
            PaintMeasurement(*painter, plot, *data_->measurement);
        if (hoverX_) {
            const double x = Position(*hoverX_, plot);
            painter->setPen(QPen(QColor(0, 0, 0, 120), 1));
            painter->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
        painter->restore();
    }

private:
    double Position(double x, const QRectF& plot) const
    {
        return plot.left() + (x - xMin_) / (xMax_ - xMin_) * plot.width();
    }

    static int BandNameRows(const QRectF& plot, const QFontMetricsF& metrics)
    {
        return std::clamp(static_cast<int>(plot.height() / 3 / metrics.height()), 1, 3);
    }

    void PaintBands(QPainter& painter, const QRectF& plot) const
    {
        const QFontMetricsF metrics(painter.font());
        std::vector<const TShadedBand*> shown;
        std::vector<double> centres, widths;
        for (const TShadedBand& band : data_->bands) {
            if (band.high < xMin_ || band.low > xMax_)
                continue;
            const double left = Position(std::max(band.low, xMin_), plot);
            const double right = Position(std::min(band.high, xMax_), plot);
            // A band narrower than a pixel still shows.
            const QRectF shade(left, plot.top(), std::max(right - left, 2.0), plot.height());
            painter.fillRect(shade, QColor(255, 200, 0, 70));
            shown.push_back(&band);
            centres.push_back(shade.center().x());
            widths.push_back(metrics.horizontalAdvance(band.name) + 2);
        }
        if (!bandNames_)
            return;
        // Crowded names are staggered on up to three rows, which take at
        // most a third of the plot; a name with no room left is not drawn.
        const int rows = BandNameRows(plot, metrics);
        const auto places = PlaceBandLabels(centres, widths, plot.left(), plot.right(), rows, metrics.height() / 3);
        painter.setPen(QColor(120, 90, 0));
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (places[i])
                painter.drawText(QRectF(places[i]->left, plot.top() + 2 + metrics.height() * places[i]->row,
                                        widths[i], metrics.height()),
                                 Qt::AlignCenter, shown[i]->name);
    }

    // The measured 3 dB band shaded, the resonance a solid line, and the
    // 2:1 span a bar along the foot of the plot, so that the model's curves
    // can be read against them.
    void PaintMeasurement(QPainter& painter, const QRectF& plot, const TMeasurementMarks& marks) const
    {
        const QFontMetricsF metrics(painter.font());
        const auto clamped = [&](double x) { return Position(std::clamp(x, xMin_, xMax_), plot); };
        if (marks.band) {
            const double left = clamped(marks.band->lowMHz);
            const double right = clamped(marks.band->highMHz);
            painter.fillRect(QRectF(left, plot.top(), std::max(right - left, 2.0), plot.height()), kMeasuredShade);
        }
        if (marks.resonanceMHz) {
            const double x = Position(*marks.resonanceMHz, plot);
            painter.setPen(QPen(kMeasuredColour, 1.5));
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            if (spanNames_) {
                // At the top of the bottom plot, under the band names when
                // they share it; on a light ground, over the curves.
                const QString label = QString::fromStdString(marks.resonanceLabel);
                const double width = metrics.horizontalAdvance(label) + 4;
                const double left = x + width + 2 <= plot.right() ? x + 2 : x - width - 2;
                const double top = plot.top() + 2 + (bandNames_ ? BandNameRows(plot, metrics) * metrics.height() : 0);
                const QRectF box(left, top, width, metrics.height());
                painter.fillRect(box, QColor(255, 255, 255, 200));
                painter.drawText(box, Qt::AlignCenter, label);
            }
        }
        if (marks.swr2Span && spanNames_) {
            const double left = clamped(marks.swr2Span->lowMHz);
            const double right = std::max(clamped(marks.swr2Span->highMHz), left + 2);
            const double y = plot.bottom() - 5;
            painter.setPen(QPen(kMeasuredColour, 2, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(left, y), QPointF(right, y));
            painter.drawLine(QPointF(left, y - 4), QPointF(left, y + 4));
            painter.drawLine(QPointF(right, y - 4), QPointF(right, y + 4));
            const QString label = QString::fromStdString(marks.swr2Label);
            const double width = metrics.horizontalAdvance(label) + 4;
            const double centre = std::clamp((left + right) / 2, plot.left() + width / 2, plot.right() - width / 2);
            const QRectF box(centre - width / 2, y - 5 - metrics.height(), width, metrics.height());
            painter.fillRect(box, QColor(255, 255, 255, 200));
            painter.drawText(box, Qt::AlignCenter, label);
        }
    }

    const TChartData* data_ = nullptr;
    bool bandNames_ = false;
    bool spanNames_ = false;
    std::optional<double> hoverX_;
    mutable double xMin_ = 0;
    mutable double xMax_ = 1;
};

// One of the stacked plots.
class ChartPane : public QChartView {
public:
    ChartPane(ExplorerChart& owner, std::function<void(std::optional<double>)> hover, std::function<void()> resized)
        : QChartView(new QChart, &owner), hover_(std::move(hover)), resized_(std::move(resized))
    {
        setRenderHint(QPainter::Antialiasing);
        // The lines are made afresh at every recompute: an index of the
        // scene's items would only be rebuilt each time.
        scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
        setMouseTracking(true);
        // No key does anything in a plot, and a view draws no focus: the
        // Tab key passes it by.
        setFocusPolicy(Qt::NoFocus);
        viewport()->setAccessibleName(UiText("explorer.chart"));
        chart()->legend()->hide();
        chart()->setMargins(kPlotMargins);
        chart()->setBackgroundRoundness(0);
        xAxis = new QValueAxis;
        chart()->addAxis(xAxis, Qt::AlignBottom);
        overlay = new ChartOverlay(*chart());
        connect(chart(), &QChart::plotAreaChanged, this, [this] { overlay->Refresh(); });
        setMinimumHeight(90);
    }

    // No more height than its ticks need: the plots share what the window
    // has, and only what they need beyond it makes the column scroll.
    QSize sizeHint() const override { return {QChartView::sizeHint().width(), minimumHeight()}; }

    QValueAxis* xAxis;
    ChartOverlay* overlay;

protected:
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QRectF plot = chart()->plotArea();
        const QPointF at = mapToScene(event->position().toPoint());
        hover_(plot.contains(at) && plot.width() > 0 ? std::optional((at.x() - plot.left()) / plot.width())
                                                     : std::nullopt);
        QChartView::mouseMoveEvent(event);
    }
    void leaveEvent(QEvent* event) override
    {
        hover_(std::nullopt);
        QChartView::leaveEvent(event);
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QChartView::resizeEvent(event);
        resized_();
    }

private:
    std::function<void(std::optional<double>)> hover_;
    std::function<void()> resized_;
};

ExplorerChart::ExplorerChart(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Rebuild();
}

ExplorerChart::~ExplorerChart() = default;

std::vector<TPointsColumn> ExplorerChart::PointsColumns() const
{
    std::vector<TPointsColumn> columns{{data_.xTitle, "", data_.xValues, true}};
    // Workbench numbers round lengths by the model's own spelling of their unit.
    const auto roundedFor = [](const QString& unit) -> std::string {
        for (const char* key : {"unit.millimetre", "unit.inch"})
            if (unit == UiText(key))
                return LocalText(key, TLanguage::Russian);
        return {};
    };
    for (const TChartSeries& series : data_.series)
        columns.push_back({NameAndUnit(series.name, series.unit), roundedFor(series.unit), series.values});
    return columns;
}

std::vector<QChartView*> ExplorerChart::Plots() const { return {panes_.begin(), panes_.end()}; }

std::vector<QLabel*> ExplorerChart::Legends() const { return legends_; }

void ExplorerChart::SetDecimalSeparator(char separator)
{
    if (separator == separator_)
        return;
    separator_ = separator;
    Rebuild();
}

void ExplorerChart::SetData(TChartData data)
{
    data_ = std::move(data);
    Rebuild();
}

void ExplorerChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Thinned for another width, or ticks counted for another height.
    if (std::abs(width() - builtColumns_) > builtColumns_ / 10 ||
        std::abs(height() - builtHeight_) > builtHeight_ / 10) {
        Rebuild();
        return;
    }
}

void ExplorerChart::AlignPlotsAgain()
{
    // Each plot lays itself out afresh, then they are lined up again.
    aligned_ = false;
    for (ChartPane* pane : panes_)
        pane->chart()->setMargins(kPlotMargins);
    QTimer::singleShot(30, this, &ExplorerChart::AlignPlots);
}

void ExplorerChart::AlignPlots()
{
    if (aligned_ || panes_.size() < 2)
        return;
    // The widest axes set the plot's left and right edges for all.
    double left = 0;
    double right = INFINITY;
    for (ChartPane* pane : panes_) {
        const QRectF plot = pane->chart()->plotArea();
        // Not laid out yet: try again once it is.
        if (plot.width() <= 0) {
            QTimer::singleShot(20, this, &ExplorerChart::AlignPlots);
            return;
        }
        left = std::max(left, plot.left());
        right = std::min(right, plot.right());
    }
    aligned_ = true;
    // Wider margins where the axes are narrower: the layout then puts the
    // axes, the grid and the lines alike.
    for (ChartPane* pane : panes_) {
        const QRectF plot = pane->chart()->plotArea();
        QMargins margins = kPlotMargins;
        margins.setLeft(margins.left() + static_cast<int>(std::lround(left - plot.left())));
        margins.setRight(margins.right() + static_cast<int>(std::lround(plot.right() - right)));
        pane->chart()->setMargins(margins);
    }
}

void ExplorerChart::Hover(std::optional<double> share)
{
    std::optional<std::size_t> index;
    if (share && data_.xValues.size() >= 2) {
        const double last = static_cast<double>(data_.xValues.size() - 1);
        index = static_cast<std::size_t>(std::clamp(std::round(*share * last), 0.0, last));
    }
    for (ChartPane* pane : panes_)
        pane->overlay->SetHover(index ? std::optional(data_.xValues[*index]) : std::nullopt);
    emit hovered(index);
}

void ExplorerChart::Rebuild()
{
    // The units in the order they first appear, two to a plot.
    std::vector<QString> units;
    for (const TChartSeries& one : data_.series)
        if (std::find(units.begin(), units.end(), one.unit) == units.end())
            units.push_back(one.unit);
    const std::size_t paneCount = std::max<std::size_t>(1, (units.size() + kUnitsPerChart - 1) / kUnitsPerChart);

    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    // Made afresh each time: a plot that keeps its axes' old label widths
    // would cut new, wider labels to "…".
    aligned_ = false;
    while (!panes_.empty()) {
        delete panes_.back();
        delete legends_.back();
        panes_.pop_back();
        legends_.pop_back();
    }
    while (panes_.size() < paneCount) {
        auto* legend = new QLabel(this);
        legend->setTextFormat(Qt::RichText);
        legend->setWordWrap(true);
        legend->setContentsMargins(8, 2, 8, 0);
        auto* pane = new ChartPane(
            *this, [this](std::optional<double> share) { Hover(share); }, [this] { AlignPlotsAgain(); });
        connect(pane->chart(), &QChart::plotAreaChanged, this, [this] {
            if (!aligned_)
                QTimer::singleShot(0, this, &ExplorerChart::AlignPlots);
        });
        layout->addWidget(legend);
        layout->addWidget(pane, 1);
        // Shown now, not when the event loop comes round: a column that
        // scrolls lays the chart out before that.
        pane->setVisible(true);
        panes_.push_back(pane);
        legends_.push_back(legend);
    }

    legendEntries_.assign(paneCount, {});
    QLocale locale = separator_ == ',' ? QLocale(QLocale::Russian, QLocale::Russia) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    builtColumns_ = std::max(width(), 100);
    builtHeight_ = std::max(height(), 100);
    const int columns = static_cast<int>(builtColumns_ * devicePixelRatioF());
    // As many ticks as their labels have room for, in the height each plot
    // will get and the width of the whole.
    const double line = std::max<double>(fontMetrics().height(), QFontMetricsF(panes_.front()->xAxis->labelsFont()).height());
    const double plotHeight = (builtHeight_ - paneCount * (line + 4)) / static_cast<double>(paneCount) - 2.5 * line;
    const int yTicks = std::max(3, static_cast<int>(plotHeight / (2.2 * line)));
    const int xTicks = static_cast<int>(width() / (7 * line));
    const double xMin = data_.xValues.empty() ? 0 : data_.xValues.front();
    const double xMax = data_.xValues.size() < 2 ? 1 : data_.xValues.back();

    for (std::size_t p = 0; p < paneCount; ++p) {
        ChartPane& pane = *panes_[p];
        QChart& chart = *pane.chart();
        chart.setLocale(locale);
        chart.setLocalizeNumbers(true);
        const bool bottom = p + 1 == paneCount;
        // Room for three ticks, and under the last the x axis's labels and
        // title.
        pane.setMinimumHeight(static_cast<int>(std::ceil(line * (bottom ? 10 : 7.5))));
        pane.xAxis->setTitleText(bottom ? data_.xTitle : QString());
        pane.xAxis->setLabelsVisible(bottom);
        SetAxisRange(*pane.xAxis, xMin, xMax, xTicks);

        QStringList legend;
        std::vector<TLegendEntry>& entries = legendEntries_[p];
        entries.clear();
        for (std::size_t side = 0; side < kUnitsPerChart; ++side) {
            const std::size_t u = p * kUnitsPerChart + side;
            if (u >= units.size())
                break;
            auto* axis = new QValueAxis;
            axis->setTitleText(units[u]);
            chart.addAxis(axis, side == 0 ? Qt::AlignLeft : Qt::AlignRight);
            double low = INFINITY;
            double high = -INFINITY;
            const auto addCurve = [&](const QString& name, const std::vector<double>& x,
                                      const std::vector<double>& y, QPen pen) {
                for (const auto& run : ThinToColumns(x, y, columns)) {
                    QList<QPointF> points;
                    points.reserve(static_cast<qsizetype>(run.size()));
                    for (const auto& [px, py] : run) {
                        points.append(QPointF(px, py));
                        low = std::min(low, py);
                        high = std::max(high, py);
                    }
                    auto* line = new QLineSeries;
                    line->setName(name);
                    line->setPen(pen);
                    line->replace(points);
                    chart.addSeries(line);
                    line->attachAxis(pane.xAxis);
                    line->attachAxis(axis);
                }
            };
            for (std::size_t s = 0; s < data_.series.size(); ++s) {
                const TChartSeries& one = data_.series[s];
                if (one.unit != units[u])
                    continue;
                const QColor colour = SeriesColour(s);
                const QString entry = NameAndUnit(one.name, one.unit) +
                                      (kUnitsPerChart > 1 && units.size() > 1
                                           ? (side == 0 ? QStringLiteral(" (←)") : QStringLiteral(" (→)"))
                                           : QString());
                legend << QStringLiteral("<span style=\"color:%1\">━━━</span>&nbsp;%2")
                              .arg(colour.name(), entry.toHtmlEscaped().replace(' ', "&nbsp;"));
                entries.push_back({colour, QStringLiteral("━━━"), entry});
                const QString title = NameAndUnit(one.name, one.unit);
                addCurve(title, data_.xValues, one.values, QPen(colour, 2));
                if (data_.measurement && data_.measurement->point && data_.measurement->point->output == s) {
                    const TMeasuredBandwidthPoint& measured = *data_.measurement->point;
                    auto* point = new QScatterSeries;
                    point->setMarkerShape(QScatterSeries::MarkerShapeRotatedRectangle);
                    point->setMarkerSize(13);
                    point->setColor(kMeasuredColour);
                    point->setBorderColor(Qt::white);
                    point->append(measured.frequencyMHz, measured.bandwidthKHz);
                    chart.addSeries(point);
                    point->attachAxis(pane.xAxis);
                    point->attachAxis(axis);
                    low = std::min(low, measured.bandwidthKHz);
                    high = std::max(high, measured.bandwidthKHz);
                }
                for (std::size_t k = 0; k < data_.pinned.size(); ++k)
                    if (s < data_.pinned[k].series.size())
                        addCurve(title + QStringLiteral(" · ") + data_.pinned[k].label, data_.pinned[k].xValues,
                                 data_.pinned[k].series[s].values,
                                 QPen(colour, 1.5, kPinnedPens[k % std::size(kPinnedPens)]));
            }
            if (!(low <= high)) {
                low = 0;
                high = 1;
            } else if (low == high) {
                const double pad = low == 0 ? 1 : std::abs(low) * 0.05;
                low -= pad;
                high += pad;
            } else {
                const double pad = (high - low) * 0.04;
                low -= pad;
                high += pad;
            }
            SetAxisRange(*axis, low, high, yTicks);
        }
        // Lines break between entries, or between the inputs a pin differs
        // in, never inside one.
        if (p == 0)
            for (std::size_t k = 0; k < data_.pinned.size(); ++k) {
                legend << QStringLiteral("%1&nbsp;%2").arg(
                    kPinnedSwatches[k % std::size(kPinnedSwatches)],
                    data_.pinned[k].label.toHtmlEscaped().replace(' ', "&nbsp;").replace(",&nbsp;", ", "));
                entries.push_back({Qt::black, kPinnedSwatches[k % std::size(kPinnedSwatches)], data_.pinned[k].label});
            }
        if (p == 0 && data_.measurement) {
            const QString words = QString::fromStdString(data_.measurement->legend);
            // On a line of its own: it is the one entry of many words.
            legend << QStringLiteral("%1<span style=\"color:%2\">▮</span>&nbsp;%3")
                          .arg(legend.isEmpty() ? QString() : QStringLiteral("<br>"), kMeasuredColour.name(),
                               words.toHtmlEscaped());
            entries.push_back({kMeasuredColour, QStringLiteral("▮"), words});
        }
        legends_[p]->setText(legend.join(QStringLiteral(" &nbsp;&nbsp; ")));
        legends_[p]->setVisible(!legend.isEmpty());
        pane.overlay->Set(data_, p == 0, bottom);
    }
    SetStale(stale_);
}

void ExplorerChart::SetStale(bool stale)
{
    stale_ = stale;
    for (ChartPane* pane : panes_) {
        pane->setForegroundBrush(stale ? QBrush(QColor(240, 240, 240, 170)) : QBrush(Qt::NoBrush));
        pane->viewport()->update();
    }
}

QImage ExplorerChart::RenderImage()
{
    QImage image(size() * devicePixelRatio(), QImage::Format_ARGB32);
    image.setDevicePixelRatio(devicePixelRatio());
    image.fill(Qt::white);
    render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void ExplorerChart::RenderSvg(QIODevice& device)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(size());
    generator.setViewBox(QRect(QPoint(0, 0), size()));
    generator.setTitle(UiText("explorer.title"));
    QPainter painter(&generator);
    PaintOutlined(painter, QRectF(QPointF(0, 0), size()), size());
}

void ExplorerChart::PaintOutlined(QPainter& painter, const QRectF& area, const QSize& layoutSize) const
{
    ExplorerChart copy;
    copy.setAttribute(Qt::WA_DontShowOnScreen);
    QFont face = RichTextFont();
    face.setPixelSize(kWindowCharacterHeight);
    copy.setFont(face);
    copy.separator_ = separator_;
    copy.legendOutlines_ = true;
    copy.resize(layoutSize);
    copy.show();
    copy.SetData(data_);
    copy.SetStale(stale_);
    // Laid out now rather than when the event loop comes round: the plots
    // first, then lined up, then laid out along the new margins.
    QCoreApplication::sendPostedEvents();
    copy.AlignPlots();
    QCoreApplication::sendPostedEvents();
    // What the plots draw themselves (the band names) takes the painter's font.
    painter.save();
    painter.setFont(face);
    copy.Paint(painter, area);
    painter.restore();
}

void ExplorerChart::Paint(QPainter& painter, const QRectF& area)
{
    if (width() <= 0 || height() <= 0)
        return;
    const double scale = std::min(area.width() / width(), area.height() / height());
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    for (std::size_t p = 0; p < panes_.size(); ++p) {
        if (legends_[p]->isVisible()) {
            painter.save();
            painter.translate(legends_[p]->pos());
            if (legendOutlines_)
                PaintLegendOutlines(painter, p);
            else
                legends_[p]->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
            painter.restore();
        }
        // The scene itself, so that the lines stay vectors.
        panes_[p]->render(&painter, QRectF(panes_[p]->geometry()), panes_[p]->viewport()->rect());
    }
    painter.restore();
}

void ExplorerChart::PaintLegendOutlines(QPainter& painter, std::size_t pane) const
{
    // Each entry's swatch and words as outlines, wrapped between entries
    // within the legend's width: placed text runs would collide wherever
    // another program stands in a wider face.
    const QLabel& label = *legends_[pane];
    const QFont face = label.font();
    const QFontMetricsF metrics(face);
    const QRectF room = label.contentsRect();
    const double gap = metrics.horizontalAdvance(QStringLiteral("   "));
    const double space = metrics.horizontalAdvance(QLatin1Char(' '));
    QPointF at = room.topLeft();
    painter.setPen(Qt::NoPen);
    for (const TLegendEntry& entry : legendEntries_[pane]) {
        const double swatch = metrics.horizontalAdvance(entry.swatch);
        const double width = swatch + space + metrics.horizontalAdvance(entry.text);
        if (at.x() > room.left() && at.x() + width > room.right())
            at = QPointF(room.left(), at.y() + metrics.height());
        QPainterPath swatchPath;
        swatchPath.addText(at + QPointF(0, metrics.ascent()), face, entry.swatch);
        painter.setBrush(entry.colour);
        painter.drawPath(swatchPath);
        QPainterPath textPath;
        textPath.addText(at + QPointF(swatch + space, metrics.ascent()), face, entry.text);
        painter.setBrush(label.palette().color(QPalette::WindowText));
        painter.drawPath(textPath);
        at.rx() += width + gap;
    }
}

} // namespace eh
