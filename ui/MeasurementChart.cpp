// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasurementChart.h"

#include "ExplorerChart.h"
#include "InterfaceLanguage.h"
#include "MeasurementFigures.h"
#include "PlotAreaOverlay.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace eh {

namespace {

const QColor kMeasuredColour(0, 90, 200);
const QColor kIdealColour(0, 140, 60);
const QColor kResistanceColour(200, 60, 0);
const QColor kReactanceColour(150, 0, 150);
const QColor kResonanceColour(200, 0, 0);
// Light enough that the curves and the grid drawn over them stay clear.
const QColor kSpanColours[] = {QColor(214, 228, 246), QColor(186, 226, 200)};
const QMargins kPlotMargins(4, 2, 4, 2);

} // namespace

// Draws what the curves cannot: the spans shaded under their SWR level and
// the resonance, in the plot area's coordinates.
class MeasurementOverlay : public PlotAreaOverlay {
public:
    MeasurementOverlay(QChart& chart, QValueAxis& x, QValueAxis& y) : PlotAreaOverlay(chart), x_(x), y_(y) {}

    void Set(const TMeasurementChartData& data, bool spans)
    {
        data_ = &data;
        spans_ = spans;
        Refresh();
    }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override
    {
        const QRectF plot = chart_.plotArea();
        if (!data_ || plot.width() <= 0 || !(x_.max() > x_.min()) || !(y_.max() > y_.min()))
            return;
        painter->save();
        painter->setClipRect(plot);
        if (spans_) {
            for (std::size_t i = 0; i < data_->spans.size(); ++i) {
                const TSwrSpan& span = data_->spans[i];
                const QRectF shade(QPointF(X(span.lowMHz, plot), Y(span.level, plot)),
                                   QPointF(X(span.highMHz, plot), plot.bottom()));
                painter->fillRect(shade.normalized(), kSpanColours[i % std::size(kSpanColours)]);
                painter->setPen(QPen(kSpanColours[i % std::size(kSpanColours)].darker(160), 1, Qt::DotLine));
                painter->drawLine(QPointF(plot.left(), shade.top()), QPointF(plot.right(), shade.top()));
            }
        }
        if (data_->resonanceMHz) {
            const double at = X(*data_->resonanceMHz, plot);
            painter->setPen(QPen(kResonanceColour, 1.5, Qt::DashLine));
            painter->drawLine(QPointF(at, plot.top()), QPointF(at, plot.bottom()));
        }
        painter->restore();
    }

private:
    double X(double mhz, const QRectF& plot) const
    {
        return plot.left() + (mhz - x_.min()) / (x_.max() - x_.min()) * plot.width();
    }
    double Y(double value, const QRectF& plot) const
    {
        return plot.bottom() - (std::clamp(value, y_.min(), y_.max()) - y_.min()) / (y_.max() - y_.min()) * plot.height();
    }

    QValueAxis& x_;
    QValueAxis& y_;
    const TMeasurementChartData* data_ = nullptr;
    bool spans_ = false;
};

// One of the two plots: a frequency axis below, a value axis on the left
// and, for the reactance, one on the right.
class MeasurementPlot : public QChartView {
public:
    MeasurementPlot(bool rightAxis, QWidget* parent) : QChartView(new QChart, parent)
    {
        setRenderHint(QPainter::Antialiasing);
        scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
        chart()->setMargins(kPlotMargins);
        chart()->setBackgroundRoundness(0);
        chart()->legend()->setAlignment(Qt::AlignTop);
        xAxis = new QValueAxis;
        xAxis->setTitleText(UiText("measurement.frequency-axis"));
        chart()->addAxis(xAxis, Qt::AlignBottom);
        leftAxis = new QValueAxis;
        chart()->addAxis(leftAxis, Qt::AlignLeft);
        if (rightAxis) {
            rightAxis_ = new QValueAxis;
            chart()->addAxis(rightAxis_, Qt::AlignRight);
        }
        overlay = new MeasurementOverlay(*chart(), *xAxis, *leftAxis);
        connect(chart(), &QChart::plotAreaChanged, this, [this] { overlay->Refresh(); });
        setMinimumHeight(140);
    }

    // Adds one curve, thinned to `columns`, as runs between its gaps; only
    // the first run is named in the legend.
    void AddCurve(const QString& name, const std::vector<double>& x, const std::vector<double>& y, const QPen& pen,
                  bool onRight, int columns)
    {
        QValueAxis* axis = onRight && rightAxis_ ? rightAxis_ : leftAxis;
        bool named = false;
        for (const auto& run : ThinToColumns(x, y, columns)) {
            QList<QPointF> points;
            points.reserve(static_cast<qsizetype>(run.size()));
            for (const auto& [px, py] : run)
                points.append(QPointF(px, py));
            auto* line = new QLineSeries;
            line->setName(name);
            line->setPen(pen);
            line->replace(points);
            chart()->addSeries(line);
            line->attachAxis(xAxis);
            line->attachAxis(axis);
            if (named)
                for (QLegendMarker* marker : chart()->legend()->markers(line))
                    marker->setVisible(false);
            named = true;
        }
    }

    // A legend entry in `colour` with nothing drawn.
    void AddSwatch(const QString& name, const QColor& colour)
    {
        auto* swatch = new QLineSeries;
        swatch->setName(name);
        swatch->setPen(QPen(colour, 8));
        chart()->addSeries(swatch);
        swatch->attachAxis(xAxis);
        swatch->attachAxis(leftAxis);
    }

    void Clear() { chart()->removeAllSeries(); }

    QValueAxis* RightAxis() const { return rightAxis_; }

    QValueAxis* xAxis;
    QValueAxis* leftAxis;
    MeasurementOverlay* overlay;

private:
    QValueAxis* rightAxis_ = nullptr;
};

namespace {

// The finite values' range, padded a little; [0, 1] when there are none.
std::pair<double, double> PaddedRange(const std::vector<double>& values)
{
    double low = INFINITY;
    double high = -INFINITY;
    for (const double value : values)
        if (std::isfinite(value)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    if (!(low <= high))
        return {0, 1};
    const double pad = high > low ? (high - low) * 0.04 : std::max(std::abs(low) * 0.05, 1.0);
    return {low - pad, high + pad};
}

// Values past the axis are drawn to just beyond it, where the plot clips
// them: a line to an SWR of 1e12 would only cost the drawing its precision.
std::vector<double> ClampedTo(const std::vector<double>& values, double top)
{
    std::vector<double> out(values);
    for (double& value : out)
        if (value > top)
            value = top;
    return out;
}

} // namespace

MeasurementChart::MeasurementChart(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    swrPlot_ = new MeasurementPlot(false, this);
    swrPlot_->setObjectName("SwrPlot");
    swrPlot_->setAccessibleName(UiText("measurement.swr-chart"));
    swrPlot_->viewport()->setAccessibleName(UiText("measurement.swr-chart"));
    impedancePlot_ = new MeasurementPlot(true, this);
    impedancePlot_->setObjectName("ImpedancePlot");
    impedancePlot_->setAccessibleName(UiText("measurement.impedance-chart"));
    impedancePlot_->viewport()->setAccessibleName(UiText("measurement.impedance-chart"));
    layout->addWidget(swrPlot_, 3);
    layout->addWidget(impedancePlot_, 2);
    for (MeasurementPlot* plot : {swrPlot_, impedancePlot_})
        connect(plot->chart(), &QChart::plotAreaChanged, this, [this] {
            if (!aligned_)
                QTimer::singleShot(0, this, &MeasurementChart::AlignPlots);
        });
    Rebuild();
}

MeasurementChart::~MeasurementChart() = default;

QChartView* MeasurementChart::SwrPlot() const { return swrPlot_; }

QChartView* MeasurementChart::ImpedancePlot() const { return impedancePlot_; }

void MeasurementChart::SetData(TMeasurementChartData data)
{
    data_ = std::move(data);
    Rebuild();
}

void MeasurementChart::SetDecimalSeparator(char separator)
{
    if (separator == separator_)
        return;
    separator_ = separator;
    Rebuild();
}

void MeasurementChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Thinned for another width.
    if (std::abs(width() - builtWidth_) > builtWidth_ / 10)
        Rebuild();
    else
        AlignPlotsAgain();
}

void MeasurementChart::AlignPlotsAgain()
{
    // Each plot lays itself out afresh, then the two are lined up again.
    aligned_ = false;
    for (MeasurementPlot* plot : {swrPlot_, impedancePlot_})
        plot->chart()->setMargins(kPlotMargins);
    QTimer::singleShot(0, this, &MeasurementChart::AlignPlots);
}

void MeasurementChart::AlignPlots()
{
    const QRectF swr = swrPlot_->chart()->plotArea();
    const QRectF impedance = impedancePlot_->chart()->plotArea();
    if (aligned_ || swr.width() <= 0 || impedance.width() <= 0)
        return;
    aligned_ = true;
    // The SWR plot has no right axis: wider margins where the axes are
    // narrower put one frequency in one column in both.
    const double left = std::max(swr.left(), impedance.left());
    const double right = std::min(swr.right(), impedance.right());
    for (MeasurementPlot* plot : {swrPlot_, impedancePlot_}) {
        const QRectF area = plot->chart()->plotArea();
        QMargins margins = kPlotMargins;
        margins.setLeft(margins.left() + static_cast<int>(std::lround(left - area.left())));
        margins.setRight(margins.right() + static_cast<int>(std::lround(area.right() - right)));
        plot->chart()->setMargins(margins);
    }
}

void MeasurementChart::Rebuild()
{
    builtWidth_ = std::max(width(), 100);
    const int columns = static_cast<int>(builtWidth_ * devicePixelRatioF());
    QLocale locale = separator_ == ',' ? QLocale(QLocale::Russian, QLocale::Russia) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const double line = QFontMetricsF(swrPlot_->xAxis->labelsFont()).height();
    const int xTicks = static_cast<int>(builtWidth_ / (7 * line));
    const TMeasuredCurves& measured = *data_.measured;
    const double xMin = measured.frequencyMHz.empty() ? 0 : measured.frequencyMHz.front();
    const double xMax = measured.frequencyMHz.size() < 2 ? 1 : measured.frequencyMHz.back();

    for (MeasurementPlot* plot : {swrPlot_, impedancePlot_}) {
        plot->Clear();
        plot->chart()->setLocale(locale);
        plot->chart()->setLocalizeNumbers(true);
        SetAxisRange(*plot->xAxis, xMin, xMax, xTicks);
    }

    const double swrTop = SwrChartTop(measured.swr);
    swrPlot_->leftAxis->setTitleText(UiText("measurement.swr"));
    SetAxisRange(*swrPlot_->leftAxis, 1, swrTop, static_cast<int>(swrPlot_->height() / (2.2 * line)));
    swrPlot_->AddCurve(UiText("measurement.swr-measured"), measured.frequencyMHz, ClampedTo(measured.swr, 2 * swrTop),
                       QPen(kMeasuredColour, 2), false, columns);
    if (!data_.idealSwr.empty())
        swrPlot_->AddCurve(data_.idealName, data_.idealFrequencyMHz, ClampedTo(data_.idealSwr, 2 * swrTop),
                           QPen(kIdealColour, 2, Qt::DashLine), false, columns);
    // The spans' swatches: curves without points, named in the legend.
    for (std::size_t i = 0; i < data_.spans.size(); ++i)
        swrPlot_->AddSwatch(data_.spans[i].name, kSpanColours[i % std::size(kSpanColours)]);

    // R on the left, X on the right: each its own range, since X swings
    // far wider than R around a resonance.
    const int impedanceTicks = static_cast<int>(impedancePlot_->height() / (2.2 * line));
    // R from 0, so that the instrument's noise on a flat R looks its size.
    auto [rLow, rHigh] = PaddedRange(measured.resistanceOhm);
    if (rLow > 0) {
        rHigh += rHigh * 0.05;
        rLow = 0;
    }
    const auto [xLow, xHigh] = PaddedRange(measured.reactanceOhm);
    impedancePlot_->leftAxis->setTitleText(UiText("measurement.resistance-axis"));
    impedancePlot_->RightAxis()->setTitleText(UiText("measurement.reactance-axis"));
    SetAxisRange(*impedancePlot_->leftAxis, rLow, rHigh, impedanceTicks);
    SetAxisRange(*impedancePlot_->RightAxis(), xLow, xHigh, impedanceTicks);
    impedancePlot_->AddCurve(QStringLiteral("R (←)"), measured.frequencyMHz, measured.resistanceOhm,
                             QPen(kResistanceColour, 2), false, columns);
    impedancePlot_->AddCurve(QStringLiteral("X (→)"), measured.frequencyMHz, measured.reactanceOhm,
                             QPen(kReactanceColour, 2), true, columns);

    swrPlot_->overlay->Set(data_, true);
    impedancePlot_->overlay->Set(data_, false);
    AlignPlotsAgain();
}

} // namespace eh
