// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "DrawingDimensions.h"
#include "DrawingShapes.h"

#include <QWidget>
#include <optional>

namespace eh {

// A to-scale side view of the antenna: the two cylinders, the gaps, the
// tuning coil with its turns, dimension lines in millimetres and the overall
// length; below it the flat variant's two arms.
class AntennaDrawing : public QWidget {
    Q_OBJECT
public:
    explicit AntennaDrawing(QWidget* parent = nullptr);

    // No results: the design faulted, and the drawing says so.
    void SetDesign(const TAntennaInputs& inputs, const std::optional<TAntennaResults>& results, char separator);
    const std::optional<TDrawingDimensions>& Dimensions() const { return dimensions_; }
    const TDrawingShapes& Shapes() const { return shapes_; }

    QSize sizeHint() const override;
    // Draws into `area` of any painter: the window, a page, an SVG or PNG file.
    void Paint(QPainter& painter, const QRectF& area) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<TDrawingDimensions> dimensions_;
    TDrawingShapes shapes_;
};

} // namespace eh
