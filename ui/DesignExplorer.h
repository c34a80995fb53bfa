// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExplorerSweep.h"

#include <QWidget>
#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSettings;
class QTimer;

namespace eh {

class AntennaDrawing;
class ExplorerChart;
class TForm1;

// "Обзор конструкции": the design across a range of one input, live. It
// follows the main window's seven field texts as they are edited (it only
// reads them: it never writes, resets or focuses a field), charts the chosen
// outputs against the swept input and draws the antenna to scale. It is
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

    // Reads the fields and the range and redraws at once (edits wait for the
    // debounce first).
    void Recompute();

    // Throw EFCreateError or EOutOfResources, as saving the report does.
    void ExportPng(const QString& path);
    void ExportSvg(const QString& path);
    void ExportCsv(const QString& path);

    const std::optional<TSweep>& Sweep() const { return sweep_; }

    QComboBox* XInput;
    QComboBox* RangePreset;
    QLineEdit* FromEdit;
    QLineEdit* ToEdit;
    QLineEdit* PointsEdit;
    QListWidget* Outputs;
    ExplorerChart* Chart;
    AntennaDrawing* Drawing;
    QLabel* Note;
    QLabel* Readout;
    QPushButton* SavePng;
    QPushButton* SaveSvg;
    QPushButton* SaveCsv;
    QTimer* Debounce;

    enum Preset { kWholeHf, kTypedBand, kCustom };
    static constexpr int kDebounceMs = 150;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void CreateControls();
    // False when no geometry was saved.
    bool LoadSettings();
    void SaveSettings() const;
    TFieldTexts FieldTexts() const;
    void SweepAnotherInput();
    void Schedule();
    void ShowNote(const QString& text, bool warning);
    void ShowStale(const QString& message);
    void FillPresetRange(const TAntennaInputs& typed);
    void ChooseExportFile(const QString& filter, const QString& suffix, void (DesignExplorer::*save)(const QString&));
    void ShowReadout(std::optional<std::size_t> index);
    std::vector<std::size_t> ChosenOutputs() const;

    FieldEdits fields_;
    std::optional<TSweep> sweep_;
    bool dirty_ = true;
};

} // namespace eh
