// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignSweep.h"
#include "ExplorerModel.h"
#include "ExplorerSettings.h"
#include "ExplorerSolveJob.h"
#include "ExplorerSweepJob.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTimer;

namespace eh {

class AntennaDrawing;
class ExplorerChart;
class ExplorerCompareBar;
class ExplorerOutputList;
class ExplorerRangeBar;
class ExplorerSolveTab;
class ExplorerTuningTab;
class ReadoutLabel;
class TForm1;

// "Обзор конструкции": the window of the explorer model, live. It
// follows the main window's seven field texts as they are edited (it reads
// them, and writes one only when the user asks it to put a solution back;
// it never resets or focuses a field), charts the chosen outputs against
// the swept input, draws the antenna to scale, shows how the design covers
// each amateur band of the chosen IARU region and solves for a target; the
// rules are the model's. The sweep runs on a worker thread; a newer request
// cancels the one still running. It is shown and hidden like the Help
// window, and remembers its geometry, outputs and range across runs.
//
// It composes the panels that draw each concern (the range row, the
// outputs, the chart, the tabs of the drawing, the tuning plan and the
// search, the readout) and the background jobs, and keeps them in step with
// the model. Its controls are its own: a test reaches one as a user would,
// by its object name, or through the named actions below.
class DesignExplorer : public QWidget {
    Q_OBJECT
public:
    // The seven fields in reading order: EC15, EC16, EC17, EC33, EC34, EC36, EC27.
    using FieldEdits = std::array<const QLineEdit*, kInputCount>;

    // Puts a solution into the main window's field `input` and recalculates.
    using FieldWriter = std::function<void(std::size_t input, const QString& text)>;

    // Recalculates the main window's report from its fields, as Enter does.
    using Recalculator = std::function<void()>;

    DesignExplorer(const FieldEdits& fields, FieldWriter writeField, QWidget* parent = nullptr,
                   Recalculator recalculate = {});
    explicit DesignExplorer(TForm1& mainWindow, QWidget* parent = nullptr);
    ~DesignExplorer() override;

    // Reads the fields and the range and starts the sweep at once (edits
    // wait for the debounce first); the chart follows when it is done.
    void Recompute();
    // Waits for the sweep in progress and shows it.
    void WaitForSweep();
    // Draws the shown sweep again (the chosen outputs, the pinned designs).
    void Redraw();
    // Sweeps stopped early because a newer one replaced them.
    int CancelledSweeps() const { return sweepJob_.Cancelled(); }

    // Throw EFCreateError or EOutOfResources, as saving the report does.
    void ExportPng(const QString& path);
    void ExportSvg(const QString& path);
    void ExportCsv(const QString& path);
    void ExportDrawingPng(const QString& path);
    void ExportDrawingSvg(const QString& path);
    void ExportBuildSheet(const QString& path);
    // Asks for a printer and prints the build sheet.
    void PrintBuildSheet();
    // The chart's points as a table, its text alternative.
    void ShowPointsTable();

    // Solves for the target typed in the "Подбор" tab over its search range
    // (the chart then shows that input over that range); WaitForSolve shows
    // the outcome at once.
    void Solve();
    void WaitForSolve();
    // The answers for the design and target shown now: none once either
    // changed.
    std::vector<double> Solutions() const;
    // Writes the chosen solution, as the list shows it, into the main
    // window's field.
    void ApplyChosenSolution();

    // Pins the shown design for comparison; at most kMaxPinned.
    void Pin();
    void ClearPinned();
    std::size_t PinnedCount() const { return model_.Pins().Designs().size(); }

    // A measured sweep to draw over the frequency chart, shown at once; the
    // "MeasurementCheck" box hides it again.
    void ShowMeasurement(TShownMeasurement measurement);

    const std::shared_ptr<const TDesignSweep>& Sweep() const { return sweep_; }
    TIaruRegion Region() const { return model_.Region(); }
    const ExplorerModel& Model() const { return model_; }

    // RangePreset's rows: the model's presets in their order.
    static constexpr int kWholeHf = static_cast<int>(TRangePreset::WholeHf);
    static constexpr int kTypedBand = static_cast<int>(TRangePreset::TypedBand);
    static constexpr int kCustom = static_cast<int>(TRangePreset::Custom);
    enum Side { kDrawingTab, kBandsTab, kSolveTab };
    static constexpr int kDebounceMs = 150;
    static constexpr std::size_t kMaxPinned = PinnedDesigns::kMaxPinned;

    // Reads a design file (the seven field texts and the pins) into the
    // main window's fields; a bad file changes nothing. Throws
    // EFOpenError with the reason.
    void OpenDesign(const QString& path);
    // Throws EFCreateError or EOutOfResources.
    void SaveDesign(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void CreateControls();
    QWidget* CreateDrawingTab();
    void ConnectControls();
    void ShowChosenBand();
    void ShowSolutions(const QString& note);
    void TakeSolutions(TFoundSolutions found);
    void ShowSettings();
    void ReadFields();
    void Schedule();
    void ShowNote(const QString& text, bool warning);
    void ShowStale(const QString& message);
    void ShowSweeps(const TExplorerSweeps& sweeps);
    void ShowReadout(std::optional<std::size_t> index);
    // Recalculates the main window's report, and the chart when it is behind.
    void CatchUpForSheet();

    FieldEdits fields_;
    FieldWriter writeField_;
    Recalculator recalculate_;
    ExplorerModel model_;
    ExplorerSettings settings_;
    std::shared_ptr<const TDesignSweep> sweep_;
    std::vector<std::shared_ptr<const TDesignSweep>> pinnedSweeps_;
    ExplorerSweepJob sweepJob_;
    ExplorerSolveJob solveJob_;
    std::string rangeNote_;
    std::optional<std::size_t> hovered_;
    bool dirty_ = true;

    ExplorerRangeBar* rangeBar_ = nullptr;
    ExplorerOutputList* outputs_ = nullptr;
    ExplorerChart* chart_ = nullptr;
    QTabWidget* sides_ = nullptr;
    AntennaDrawing* drawing_ = nullptr;
    ExplorerTuningTab* tuningTab_ = nullptr;
    ExplorerSolveTab* solveTab_ = nullptr;
    ReadoutLabel* readout_ = nullptr;
    QCheckBox* exactDigits_ = nullptr; // the readout and the answers with every digit
    QLabel* note_ = nullptr;
    ExplorerCompareBar* compareBar_ = nullptr;
    QTimer* debounce_ = nullptr;
};

} // namespace eh
