// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalculateCommand.h"
#include "ExplorerMeasurement.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTextEdit;

namespace eh {

class ExplorerWindows;
class GlyphButton;
class LabeledEdit;
class MeasurementView;
class RichTextPane;

// The main window: seven labelled input fields in three group boxes and the
// calculate button on the left, the report pane on the right, and the menus.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Wired to the windows that the Help menu shows.
    void SetHelpWindows(QWidget* about, QWidget* help);
    // Wired to what gives the design explorer that the View menu shows,
    // asked at each showing: the program makes the explorer at the first,
    // since start-up does not need it and it costs as much to build as the
    // main window.
    void SetExplorerWindow(std::function<QWidget*()> explorer);
    // Wired to what gives the windows of the explorer module (the
    // measurement view's among them), asked at each use: the program loads
    // the module at the first, which may throw EFOpenError.
    void SetExplorerWindows(std::function<const ExplorerWindows&()> windows);

    // The calculate command (button, Enter in a field).
    void BitBtn1Click();
    // Enter (a carriage return) in any of the seven fields calculates.
    void EC15KeyPress(QChar key);
    // File > Save: the pane's text into a Windows-1251 text file.
    void N2Click();
    void N3Click();
    void N5Click();
    void N6Click();
    void N8Click();
    // View > "Полоса из измерения…": asks for a sweep file and shows its
    // analysis in the measurement view.
    void N9Click();

    // The measurement view, made at its first use by the explorer module
    // (SetExplorerWindows).
    MeasurementView& MeasurementWindow();
    // Puts a measured bandwidth into EC27 and recalculates, as if the user
    // had typed it and pressed Enter.
    void ApplyMeasuredBandwidth(const QString& text);
    // The measurement the measurement view shows last, for the explorer.
    const std::optional<TShownMeasurement>& LastMeasurement() const { return lastMeasurement_; }
    // Puts `text`, in the field's own unit and with the regional separator,
    // into field `input` and recalculates, as if the user had typed it.
    void WriteFieldText(std::size_t input, const QString& text);

    // The seven input fields in the reading order of InputTable(), each
    // named after its component (EC15, EC16, EC17, EC33, EC34, EC36, EC27).
    std::array<LabeledEdit*, kInputCount> Edits{};
    QFrame* Panel1;
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3;
    QLabel* Label1;
    GlyphButton* BitBtn1;
    QTextEdit* RichEdit1;
    // The save dialog of the report; made at the first save.
    QFileDialog* SaveDialog1 = nullptr;
    QMenu *N1, *N4, *N7;
    // View > length units, and the language menu: each choice remembered
    // for the next start.
    QMenu* LengthsMenu;
    QMenu* LanguageMenu;
    QAction *N2, *N3, *N5, *N6, *N8, *N9;

signals:
    // Another measurement was shown: LastMeasurement() has it.
    void measurementShown();

protected:
    void changeEvent(QEvent* event) override;

private:
    void CreateControls();
    void CreateMenus();
    // Checkable, exclusive `choices` at the end of `menu`, `current` checked;
    // `remember` takes the index chosen.
    void AddChoices(QMenu& menu, const QStringList& choices, int current, std::function<void(int)> remember);
    // The wire diameter's tip, with a typed gauge's diameter before it.
    void ShowWireGauge(QLineEdit& edit, const QString& tip);
    TInputFields InputFields() const;
    QFileDialog& SaveDialog();

    std::unique_ptr<RichTextPane> pane_;
    QWidget* about_ = nullptr;
    QWidget* help_ = nullptr;
    std::function<QWidget*()> explorer_;
    std::function<const ExplorerWindows&()> windows_;
    MeasurementView* measurement_ = nullptr;
    std::optional<TShownMeasurement> lastMeasurement_;
};

} // namespace eh
