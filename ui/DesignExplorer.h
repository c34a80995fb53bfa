// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BandPlans.h"
#include "DesignSweep.h"
#include "ExplorerRange.h"
#include "TargetSolver.h"

#include <QFutureWatcher>
#include <QWidget>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTabWidget;
class QTimer;

namespace eh {

class AntennaDrawing;
class ExplorerChart;
class TForm1;

// "Обзор конструкции": the design across a range of one input, live. It
// follows the main window's seven field texts as they are edited (it reads
// them, and writes one only when the user asks it to put a solution back;
// it never resets or focuses a field), charts the chosen outputs against
// the swept input, draws the antenna to scale, shows how the design covers
// each amateur band of the chosen IARU region and solves for a target. The sweep runs on
// a worker thread; a newer request cancels the one still running. It is
// shown and hidden like the Help window, and remembers its geometry, outputs
// and range across runs.
class DesignExplorer : public QWidget {
    Q_OBJECT
public:
    // The seven fields in reading order: EC15, EC16, EC17, EC33, EC34, EC36, EC27.
    using FieldEdits = std::array<const QLineEdit*, kInputCount>;

    // Puts a solution into the main window's field `input` and recalculates.
    using FieldWriter = std::function<void(std::size_t input, const QString& text)>;

    DesignExplorer(const FieldEdits& fields, FieldWriter writeField, QWidget* parent = nullptr);
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
    int CancelledSweeps() const { return cancelledSweeps_->load(); }

    // Throw EFCreateError or EOutOfResources, as saving the report does.
    void ExportPng(const QString& path);
    void ExportSvg(const QString& path);
    void ExportCsv(const QString& path);
    void ExportDrawingPng(const QString& path);
    void ExportDrawingSvg(const QString& path);
    void ExportBuildSheet(const QString& path);

    // Solves for the target typed in the "Подбор" tab over the chart's
    // range (switching the x axis to the input to vary); WaitForSolve shows
    // the outcome at once.
    void Solve();
    void WaitForSolve();
    const std::vector<double>& Solutions() const { return solutions_; }
    // Writes the chosen solution into the main window's field.
    void ApplyChosenSolution();

    // Pins the shown design for comparison; at most kMaxPinned.
    void Pin();
    void ClearPinned();
    std::size_t PinnedCount() const { return pinned_.size(); }

    const std::shared_ptr<const TDesignSweep>& Sweep() const { return sweep_; }
    TIaruRegion Region() const;

    QComboBox* XInput;
    QComboBox* RegionChoice;
    QComboBox* RangePreset;
    QLineEdit* FromEdit;
    QLineEdit* ToEdit;
    QLineEdit* PointsEdit;
    QListWidget* Outputs;
    ExplorerChart* Chart;
    QTabWidget* Sides;
    AntennaDrawing* Drawing;
    QTableWidget* Coverage;
    QComboBox* SolveResult;
    QLineEdit* SolveTarget;
    QComboBox* SolveInput;
    QPushButton* SolveButton;
    QListWidget* SolutionList;
    QPushButton* ApplySolution;
    QLabel* SolveNote;
    QLabel* Note;
    QLabel* Readout;
    QPushButton* PinButton;
    QPushButton* ClearPinsButton;
    QPushButton* SaveSheet;
    QPushButton* PrintSheet;
    QPushButton* SavePng;
    QPushButton* SaveSvg;
    QPushButton* SaveCsv;
    QPushButton* SaveDrawingPng;
    QPushButton* SaveDrawingSvg;
    QTimer* Debounce;

    enum Preset { kWholeHf, kTypedBand, kCustom };
    enum Side { kDrawingTab, kBandsTab, kSolveTab };
    static constexpr int kDebounceMs = 150;
    static constexpr std::size_t kMaxPinned = 3;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct TPinned {
        std::shared_ptr<const TDesignSweep> sweep;
    };

    void CreateControls();
    QWidget* CreateDrawingTab();
    QWidget* CreateBandsTab();
    QWidget* CreateSolveTab();
    void FillCoverage(const TAntennaInputs& typed);
    void ShowSolve(const TSolveOutcome& outcome);
    // False when no geometry was saved.
    bool LoadSettings();
    void SaveSettings() const;
    TFieldTexts FieldTexts() const;
    void SweepAnotherInput();
    void Schedule();
    void ShowNote(const QString& text, bool warning);
    void ShowStale(const QString& message);
    void FillPresetRange(const TAntennaInputs& typed);
    void ShowSweep(std::shared_ptr<const TDesignSweep> sweep);
    QStringList ModelNotes(const TAntennaInputs& typed) const;
    QString PinnedLabel(const TDesignSweep& pinned) const;
    void ChooseExportFile(const QString& filter, const QString& suffix, void (DesignExplorer::*save)(const QString&));
    void PrintBuildSheet();
    void ShowReadout(std::optional<std::size_t> index);
    std::vector<std::size_t> ChosenOutputs() const;

    FieldEdits fields_;
    FieldWriter writeField_;
    TAntennaInputs typed_;
    std::shared_ptr<const TDesignSweep> sweep_;
    std::vector<TPinned> pinned_;
    QFutureWatcher<std::shared_ptr<const TDesignSweep>>* watcher_;
    QFutureWatcher<TSolveOutcome>* solveWatcher_;
    std::shared_ptr<std::atomic<bool>> stopSolve_;
    std::vector<double> solutions_;
    std::size_t solvedInput_ = 0;
    std::shared_ptr<std::atomic<bool>> stopCurrent_;
    std::shared_ptr<std::atomic<int>> cancelledSweeps_ = std::make_shared<std::atomic<int>>(0);
    std::string rangeNote_;
    bool dirty_ = true;
    // Settings that could not be read (not a regular file) are not written either.
    bool settingsUsable_ = true;
};

} // namespace eh
