// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExplorerSweep.h"

#include <QFutureWatcher>
#include <QWidget>
#include <array>
#include <atomic>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTimer;

namespace eh {

class AntennaDrawing;
class ExplorerChart;
struct TChartData;
class TForm1;

// "Обзор конструкции": the design across a range of one input, live. It
// follows the main window's seven field texts as they are edited (it only
// reads them: it never resets or focuses a field), charts the chosen outputs
// against the swept input and draws the antenna to scale. The sweep runs on
// a worker thread; a newer request cancels the one still running. It is
// shown and hidden like the Help window, and remembers its geometry, outputs
// and range across runs.
class DesignExplorer : public QWidget {
    Q_OBJECT
public:
    // The seven fields in reading order: EC15, EC16, EC17, EC33, EC34, EC36, EC27.
    using FieldEdits = std::array<const QLineEdit*, kInputCount>;

    explicit DesignExplorer(const FieldEdits& fields, QWidget* parent = nullptr);
    explicit DesignExplorer(const TForm1& mainWindow, QWidget* parent = nullptr);
    ~DesignExplorer() override;

    // Reads the fields and the range and starts the sweep at once (edits
    // wait for the debounce first); the chart follows when it is done.
    void Recompute();
    // Waits for the sweep in progress and shows it.
    void WaitForSweep();
    // Sweeps stopped early because a newer one replaced them.
    int CancelledSweeps() const { return cancelledSweeps_->load(); }

    // Throw EFCreateError or EOutOfResources, as saving the report does.
    void ExportPng(const QString& path);
    void ExportSvg(const QString& path);
    void ExportCsv(const QString& path);
    void ExportDrawingPng(const QString& path);
    void ExportDrawingSvg(const QString& path);
    void ExportBuildSheet(const QString& path);

    // Pins the shown design for comparison; at most kMaxPinned.
    void Pin();
    void ClearPinned();
    std::size_t PinnedCount() const { return pinned_.size(); }

    const std::shared_ptr<const TSweep>& Sweep() const { return sweep_; }

    QComboBox* XInput;
    QComboBox* RangePreset;
    QLineEdit* FromEdit;
    QLineEdit* ToEdit;
    QLineEdit* PointsEdit;
    QListWidget* Outputs;
    ExplorerChart* Chart;
    QTabWidget* Sides;
    AntennaDrawing* Drawing;
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
    static constexpr int kDebounceMs = 150;
    static constexpr std::size_t kMaxPinned = 3;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct TPinned {
        std::shared_ptr<const TSweep> sweep;
    };

    void CreateControls();
    QWidget* CreateDrawingTab();
    // False when no geometry was saved.
    bool LoadSettings();
    void SaveSettings() const;
    TFieldTexts FieldTexts() const;
    void SweepAnotherInput();
    void Schedule();
    void ShowNote(const QString& text, bool warning);
    void ShowStale(const QString& message);
    void FillPresetRange(const TAntennaInputs& typed);
    void ShowSweep(std::shared_ptr<const TSweep> sweep);
    void Redraw();
    QStringList ModelNotes(const TAntennaInputs& typed) const;
    QString PinnedLabel(const TSweep& pinned) const;
    void ChooseExportFile(const QString& filter, const QString& suffix, void (DesignExplorer::*save)(const QString&));
    void PrintBuildSheet();
    void ShowReadout(std::optional<std::size_t> index);
    std::vector<std::size_t> ChosenOutputs() const;

    FieldEdits fields_;
    TAntennaInputs typed_;
    std::shared_ptr<const TSweep> sweep_;
    std::vector<TPinned> pinned_;
    QFutureWatcher<std::shared_ptr<const TSweep>>* watcher_;
    std::shared_ptr<std::atomic<bool>> stopCurrent_;
    std::shared_ptr<std::atomic<int>> cancelledSweeps_ = std::make_shared<std::atomic<int>>(0);
    std::string rangeNote_;
    bool dirty_ = true;
    // Settings that could not be read (not a regular file) are not written either.
    bool settingsUsable_ = true;
};

} // namespace eh
