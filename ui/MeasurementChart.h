// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class QChartView;

namespace eh {

class MeasurementPlot;

// A stretch of the sweep where the SWR stays at or below `level`, shaded
// under that level and named in the legend.
struct TSwrSpan {
    double lowMHz = 0;
    double highMHz = 0;
    double level = 0;
    QString name;
};

// A sweep's curves: NaN where a point has no such figure.
struct TMeasuredCurves {
    std::vector<double> frequencyMHz; // rising; every curve holds one value per frequency
    std::vector<double> swr;
    std::vector<double> resistanceOhm;
    std::vector<double> reactanceOhm;
};

struct TMeasurementChartData {
    // Shared with the view, not copied: a sweep's curves can take tens of
    // megabytes, and the chart is drawn again whenever the design changes.
    std::shared_ptr<const TMeasuredCurves> measured = std::make_shared<const TMeasuredCurves>();
    // The ideal resonator's SWR at frequencies of its own (a smooth curve
    // needs few); empty when there is no design to compare with.
    std::vector<double> idealFrequencyMHz;
    std::vector<double> idealSwr;
    QString idealName;
    std::optional<double> resonanceMHz;
    std::vector<TSwrSpan> spans;
};

// A measured sweep: its SWR (with the SWR of the ideal resonator the design
// promises beside it) above, its resistance and reactance below, on one
// frequency axis; the resonance is marked and the SWR spans shaded. A
// sweep of any length is drawn as the few points per pixel column a line
// that wide shows anyway.
class MeasurementChart : public QWidget {
    Q_OBJECT
public:
    explicit MeasurementChart(QWidget* parent = nullptr);
    ~MeasurementChart() override;

    void SetData(TMeasurementChartData data);
    // The numbers on the axes use this decimal mark.
    void SetDecimalSeparator(char separator);

    QChartView* SwrPlot() const;
    QChartView* ImpedancePlot() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Rebuild();
    // Lines the two plots' areas up, so that one frequency is one column in both.
    void AlignPlots();
    void AlignPlotsAgain();

    TMeasurementChartData data_;
    MeasurementPlot* swrPlot_;
    MeasurementPlot* impedancePlot_;
    char separator_ = '.';
    int builtWidth_ = 0;
    bool aligned_ = false;
};

} // namespace eh
