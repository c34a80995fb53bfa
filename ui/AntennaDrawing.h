// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"

#include <QWidget>
#include <optional>

namespace eh {

// The sizes the side drawing shows, in millimetres, all from one design.
struct TDrawingDimensions {
    double cylinderDiameter = 0;
    double cylinderLength = 0; // L/D times the diameter
    double gap = 0;            // the overall length counts one diameter between the cylinders and one before the coil
    double coilDiameter = 0;
    double coilLength = 0;
    double totalLength = 0;
    double turns = 0;
    double flatHorizontal = 0;
    double flatVertical = 0;
    double flatGap = 0;
};

TDrawingDimensions DrawingDimensions(const TAntennaInputs& inputs, const TAntennaResults& results);

// More turns than this are drawn as this many, and the count is written.
inline constexpr int kMaxTurnsDrawn = 40;

// A to-scale side view of the antenna: the two cylinders, the gaps, the
// tuning coil with its turns, dimension lines in millimetres and the overall
// length; below it the flat variant's two arms.
class AntennaDrawing : public QWidget {
public:
    explicit AntennaDrawing(QWidget* parent = nullptr);

    // No results: the design faulted, and the drawing says so.
    void SetDesign(const TAntennaInputs& inputs, const std::optional<TAntennaResults>& results, char separator);
    const std::optional<TDrawingDimensions>& Dimensions() const { return dimensions_; }

    QSize sizeHint() const override;
    // Draws into `area` of any painter: the window, a page, an SVG or PNG file.
    void Paint(QPainter& painter, const QRectF& area) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintCylinderAntenna(QPainter& painter, const QRectF& area) const;
    void PaintFlatAntenna(QPainter& painter, const QRectF& area) const;
    QString Millimetres(double value) const;

    std::optional<TDrawingDimensions> dimensions_;
    char separator_ = '.';
};

} // namespace eh
