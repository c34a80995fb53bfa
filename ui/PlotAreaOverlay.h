// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChart>
#include <QGraphicsItem>

namespace eh {

// A drawing over a chart's plot area, above its series: what the series
// cannot show (shaded spans, marks, labels). Its bounds leave room for a
// mark's label just outside the plot.
class PlotAreaOverlay : public QGraphicsItem {
public:
    // Between the plot area's background and the grid, so that shading lies
    // under the lines.
    explicit PlotAreaOverlay(QChart& chart) : QGraphicsItem(&chart), chart_(chart) { setZValue(0.5); }

    // After what it draws or the plot area changed.
    void Refresh()
    {
        prepareGeometryChange();
        update();
    }

    QRectF boundingRect() const override { return chart_.plotArea().adjusted(-6, 0, 6, 12); }

protected:
    QChart& chart_;
};

} // namespace eh
