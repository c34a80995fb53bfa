// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerChart.h"

#include "AmateurBands.h"

#include <QChart>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace eh {

namespace {

const QColor kSeriesColours[] = {
    QColor(0, 90, 200), QColor(200, 60, 0), QColor(0, 140, 60), QColor(150, 0, 150),
    QColor(120, 90, 0), QColor(0, 130, 140), QColor(90, 90, 90), QColor(220, 0, 90),
};

// 1, 2 or 5 times a power of ten, the nearest at or above `rough`.
double NiceStep(double rough)
{
    if (!(rough > 0) || !std::isfinite(rough))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
}

// Between the plot area's background and the grid, so that the bands lie
// under the lines.
constexpr qreal kOverlayZ = 0.5;

} // namespace

// Draws what the series cannot: the band shading with the band names, the
// typed value's mark and the hover line, in the plot area's coordinates.
class ChartOverlay : public QGraphicsItem {
public:
    explicit ChartOverlay(QChart& chart) : QGraphicsItem(&chart), chart_(chart) { setZValue(kOverlayZ); }

    void Set(bool showBands, std::optional<double> markedX, double xMin, double xMax)
    {
        showBands_ = showBands;
        markedX_ = markedX;
        xMin_ = xMin;
        xMax_ = xMax;
        Refresh();
    }
    void SetHover(std::optional<double> x)
    {
        hoverX_ = x;
        update();
    }
    void Refresh()
    {
        prepareGeometryChange();
        update();
    }

    QRectF boundingRect() const override { return chart_.plotArea().adjusted(0, 0, 0, 12); }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override
    {
        const QRectF plot = chart_.plotArea();
        if (!(xMax_ > xMin_) || plot.width() <= 0)
            return;
        painter->save();
        painter->setClipRect(boundingRect());
        if (showBands_)
            PaintBands(*painter, plot);
        if (markedX_ && *markedX_ >= xMin_ && *markedX_ <= xMax_) {
            const double x = Position(*markedX_, plot);
            painter->setPen(QPen(QColor(200, 0, 0), 1.5, Qt::DashLine));
            painter->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            const QPointF tip(x, plot.bottom());
            const QPointF marker[] = {tip, tip + QPointF(-6, 10), tip + QPointF(6, 10)};
            painter->setPen(Qt::NoPen);
            painter->setBrush(QColor(200, 0, 0));
            painter->drawPolygon(marker, 3);
        }
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

    void PaintBands(QPainter& painter, const QRectF& plot) const
    {
        const QFontMetricsF metrics(painter.font());
        int row = 0;
        for (const TAmateurBand& band : AmateurBands()) {
            if (band.highMHz < xMin_ || band.lowMHz > xMax_)
                continue;
            const double left = Position(std::max(band.lowMHz, xMin_), plot);
            const double right = Position(std::min(band.highMHz, xMax_), plot);
            // A band narrower than a pixel still shows.
            const QRectF shade(left, plot.top(), std::max(right - left, 2.0), plot.height());
            painter.fillRect(shade, QColor(255, 200, 0, 70));
            // Neighbouring names take turns on two rows, so that they do not
            // overlap across the whole HF range.
            const QString name = QString::fromUtf8(band.name);
            QRectF label(0, 0, metrics.horizontalAdvance(name) + 2, metrics.height());
            label.moveCenter(QPointF(shade.center().x(), plot.top() + 2 + metrics.height() * (row % 2 + 0.5)));
            label.moveLeft(std::clamp(label.left(), plot.left(), plot.right() - label.width()));
            painter.setPen(QColor(120, 90, 0));
            painter.drawText(label, Qt::AlignCenter, name);
            ++row;
        }
    }

    QChart& chart_;
    bool showBands_ = false;
    std::optional<double> markedX_;
    std::optional<double> hoverX_;
    double xMin_ = 0;
    double xMax_ = 0;
};

QString NameAndUnit(const QString& name, const QString& unit)
{
    return unit.isEmpty() ? name : name + ", " + unit;
}

ExplorerChart::ExplorerChart(QWidget* parent) : QChartView(new QChart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    // The lines are made afresh at every recompute: an index of the scene's
    // items would only be rebuilt each time.
    scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
    setMouseTracking(true);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(4, 4, 4, 4));
    xAxis_ = new QValueAxis;
    xAxis_->setLabelFormat("%.4g");
    xAxis_->setTickType(QValueAxis::TicksDynamic);
    xAxis_->setTickAnchor(0);
    chart()->addAxis(xAxis_, Qt::AlignBottom);
    overlay_ = new ChartOverlay(*chart());
    connect(chart(), &QChart::plotAreaChanged, this, [this] { overlay_->Refresh(); });
    SetDecimalSeparator('.');
}

ExplorerChart::~ExplorerChart() = default;

void ExplorerChart::SetDecimalSeparator(char separator)
{
    QLocale locale = separator == ',' ? QLocale(QLocale::Russian, QLocale::Russia) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart()->setLocale(locale);
    chart()->setLocalizeNumbers(true);
}

void ExplorerChart::RemoveSeriesAndAxes()
{
    chart()->removeAllSeries();
    for (QAbstractAxis* axis : chart()->axes(Qt::Vertical)) {
        chart()->removeAxis(axis);
        delete axis;
    }
}

void ExplorerChart::SetData(const QString& xTitle, std::vector<double> xValues,
                            const std::vector<TChartSeries>& series, bool showBands, std::optional<double> markedX)
{
    xValues_ = std::move(xValues);
    RemoveSeriesAndAxes();
    const double xMin = xValues_.empty() ? 0 : xValues_.front();
    const double xMax = xValues_.empty() ? 1 : xValues_.back();
    xAxis_->setTitleText(xTitle);
    xAxis_->setRange(xMin, xMax);
    xAxis_->setTickInterval(NiceStep((xMax - xMin) / 6));

    // One y axis per unit, in the order the units first appear.
    std::vector<QString> units;
    std::vector<QValueAxis*> yAxes;
    std::vector<std::pair<double, double>> yRanges;
    for (std::size_t s = 0; s < series.size(); ++s) {
        const TChartSeries& one = series[s];
        auto unit = std::find(units.begin(), units.end(), one.unit);
        if (unit == units.end()) {
            units.push_back(one.unit);
            auto* axis = new QValueAxis;
            axis->setLabelFormat("%.4g");
            axis->setTitleText(one.unit.isEmpty() ? one.name : one.unit);
            chart()->addAxis(axis, yAxes.empty() ? Qt::AlignLeft : Qt::AlignRight);
            yAxes.push_back(axis);
            yRanges.emplace_back(INFINITY, -INFINITY);
            unit = units.end() - 1;
        }
        const std::size_t axisIndex = static_cast<std::size_t>(unit - units.begin());
        auto& [low, high] = yRanges[axisIndex];
        const QColor colour = kSeriesColours[s % std::size(kSeriesColours)];
        const QString title = NameAndUnit(one.name, one.unit);

        // Every run of points without a fault is a line of its own; the
        // legend names the output once.
        bool named = false;
        QList<QPointF> run;
        auto flush = [&] {
            if (run.isEmpty())
                return;
            auto* line = new QLineSeries;
            line->setName(title);
            line->setPen(QPen(colour, 2));
            line->replace(run);
            chart()->addSeries(line);
            line->attachAxis(xAxis_);
            line->attachAxis(yAxes[axisIndex]);
            if (named) {
                for (QLegendMarker* marker : chart()->legend()->markers(line))
                    marker->setVisible(false);
            }
            named = true;
            run.clear();
        };
        run.reserve(static_cast<qsizetype>(xValues_.size()));
        for (std::size_t i = 0; i < xValues_.size(); ++i) {
            const double y = one.values[i];
            if (std::isnan(y)) {
                flush();
                continue;
            }
            run.append(QPointF(xValues_[i], y));
            low = std::min(low, y);
            high = std::max(high, y);
        }
        flush();
    }
    for (std::size_t a = 0; a < yAxes.size(); ++a) {
        auto [low, high] = yRanges[a];
        if (!(low <= high)) {
            low = 0;
            high = 1;
        } else if (low == high) {
            const double pad = low == 0 ? 1 : std::abs(low) * 0.05;
            low -= pad;
            high += pad;
        }
        yAxes[a]->setRange(low, high);
        yAxes[a]->applyNiceNumbers();
    }
    overlay_->Set(showBands, markedX, xMin, xMax);
}

void ExplorerChart::SetStale(bool stale)
{
    stale_ = stale;
    setForegroundBrush(stale ? QBrush(QColor(240, 240, 240, 170)) : QBrush(Qt::NoBrush));
    viewport()->update();
}

std::optional<std::size_t> ExplorerChart::IndexAt(QPointF scenePosition) const
{
    const QRectF plot = chart()->plotArea();
    if (xValues_.size() < 2 || !plot.contains(scenePosition))
        return std::nullopt;
    const double share = (scenePosition.x() - plot.left()) / plot.width();
    const double last = static_cast<double>(xValues_.size() - 1);
    return static_cast<std::size_t>(std::clamp(std::round(share * last), 0.0, last));
}

void ExplorerChart::mouseMoveEvent(QMouseEvent* event)
{
    const std::optional<std::size_t> index = IndexAt(mapToScene(event->position().toPoint()));
    overlay_->SetHover(index ? std::optional<double>(xValues_[*index]) : std::nullopt);
    emit hovered(index);
    QChartView::mouseMoveEvent(event);
}

void ExplorerChart::leaveEvent(QEvent* event)
{
    overlay_->SetHover(std::nullopt);
    emit hovered(std::nullopt);
    QChartView::leaveEvent(event);
}

QImage ExplorerChart::RenderImage()
{
    QImage image(size() * devicePixelRatio(), QImage::Format_ARGB32);
    image.setDevicePixelRatio(devicePixelRatio());
    image.fill(Qt::white);
    QPainter painter(&image);
    render(&painter);
    return image;
}

void ExplorerChart::RenderSvg(QIODevice& device)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(size());
    generator.setViewBox(QRect(QPoint(0, 0), size()));
    generator.setTitle(QStringLiteral("Обзор конструкции"));
    QPainter painter(&generator);
    render(&painter);
}

} // namespace eh
