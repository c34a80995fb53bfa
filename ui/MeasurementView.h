// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignService.h"
#include "ExplorerMeasurement.h"
#include "MeasurementChart.h"
#include "ModelComparison.h"
#include "ResonanceAnalysis.h"

#include <QFutureWatcher>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QFileDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace eh {

// A sweep read and analysed off the window thread: the analysis, or the
// words of the refusal, and the curves the chart draws.
struct TMeasurementOutcome {
    QString path;
    std::optional<QString> refusal;
    TResonanceAnalysis analysis;
    TMeasuredCurves curves;
};

// "Полоса из измерения": a vector network analyser's sweep of the built
// antenna (a Touchstone file) and what it says: the resonance, the match,
// Q and the 3 dB bandwidth, the SWR spans, and a chart of the measured SWR
// beside the SWR of the ideal antenna the design promises, with R and X
// below. Its one write is the user's: the button puts the measured
// bandwidth into the main window's bandwidth field, which then
// recalculates.
//
// A file is read and analysed on a worker thread, so that a sweep of any
// size leaves the windows responsive. Opening another file while one is
// still being read supersedes it: only the newest is shown. A refused file
// is named in a notice and changes nothing.
class MeasurementView : public QWidget {
    Q_OBJECT
public:
    // The main window's seven field texts (UTF-8, reading order), for the
    // model's bandwidth of the typed design.
    using FieldTextsReader = std::function<TFieldTexts()>;
    // Puts a text into the bandwidth field and recalculates.
    using BandwidthWriter = std::function<void(const QString& text)>;

    MeasurementView(FieldTextsReader readFields, BandwidthWriter writeBandwidth, QWidget* parent = nullptr);
    ~MeasurementView() override;

    // Asks for a file and opens it.
    void ChooseFile();
    // Shows the view and starts reading `path`; the analysis shows when done.
    void Open(const QString& path);
    // Waits for the file being read and shows it (or its refusal) at once.
    void WaitForAnalysis();
    bool IsReading() const;
    // The typed design may have changed: the model's bandwidth and the
    // ideal curve follow.
    void DesignChanged();
    // Writes the measured bandwidth into the bandwidth field.
    void ApplyBandwidth();
    // The shown sweep's points as a table: the chart's text alternative.
    void ShowPoints();

signals:
    // A file's analysis is shown, for the explorer to draw it too.
    void measured(const eh::TShownMeasurement& measurement);

private:
    void CreateControls();
    QFileDialog& OpenDialog();
    void Finished();
    void Show(std::shared_ptr<const TMeasurementOutcome> outcome);
    void ShowFigures(const std::optional<TModelPromise>& promise, char separator);
    void ShowChart(const std::optional<TModelPromise>& promise, char separator);
    void SetReading(bool reading);

    FieldTextsReader readFields_;
    BandwidthWriter writeBandwidth_;
    // Shared, not copied: a sweep's curves can take tens of megabytes.
    QFutureWatcher<std::shared_ptr<const TMeasurementOutcome>>* watcher_;
    std::shared_ptr<const TMeasurementOutcome> shown_;
    QString reading_;   // the file being read, empty when none
    QString fieldText_; // the shown bandwidth as the field takes it, empty when none

    QFileDialog* openDialog_ = nullptr;
    QLabel* fileLabel_;
    QProgressBar* busy_;
    QPushButton* openButton_;
    QTableWidget* figures_;
    QLabel* notes_;
    QLabel* method_;
    QPushButton* applyButton_;
    QPushButton* pointsButton_;
    MeasurementChart* chart_;
};

} // namespace eh
