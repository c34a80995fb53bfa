// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignExplorer.h"

#include "AntennaDrawing.h"
#include "ChartPointsDialog.h"
#include "DesignCsv.h"
#include "DesignFile.h"
#include "DesignFileOpening.h"
#include "Exceptions.h"
#include "ExplorerChart.h"
#include "ExplorerChartData.h"
#include "ExplorerCompareBar.h"
#include "ExplorerDesignFile.h"
#include "ExplorerExports.h"
#include "ExplorerFileMenus.h"
#include "ExplorerNotes.h"
#include "ExplorerOutputList.h"
#include "ExplorerRangeBar.h"
#include "ExplorerReadout.h"
#include "ExplorerSheetPrinting.h"
#include "ExplorerSolveTab.h"
#include "ExplorerTuningTab.h"
#include "FormControls.h"
#include "InterfaceLanguage.h"
#include "LabeledEdit.h"
#include "ReadoutLabel.h"
#include "RegionalSettings.h"
#include "WindowFont.h"
#include "WindowPlacement.h"
#include "uInterface.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace eh {

namespace {

const QColor kWarningColour(176, 0, 0);

} // namespace

DesignExplorer::DesignExplorer(TForm1& mainWindow, QWidget* parent)
    : DesignExplorer(
          [&mainWindow] {
              FieldEdits fields{};
              std::copy(mainWindow.Edits.begin(), mainWindow.Edits.end(), fields.begin());
              return fields;
          }(),
          [&mainWindow](std::size_t input, const QString& text) {
              // As if the user had typed it and pressed Enter.
              mainWindow.WriteFieldText(input, text);
          },
          parent, [&mainWindow] { mainWindow.BitBtn1Click(); })
{
    // The measurement view's sweep, drawn here too.
    const auto follow = [this, &mainWindow] {
        if (mainWindow.LastMeasurement())
            ShowMeasurement(*mainWindow.LastMeasurement());
    };
    follow();
    connect(&mainWindow, &TForm1::measurementShown, this, follow);
    // A sweep is opened from here as from the main window's menu.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), this), &QShortcut::activated, &mainWindow,
            &TForm1::N9Click);
}

DesignExplorer::DesignExplorer(const FieldEdits& fields, FieldWriter writeField, QWidget* parent,
                               Recalculator recalculate)
    : QWidget(parent), fields_(fields), writeField_(std::move(writeField)), recalculate_(std::move(recalculate))
{
    setObjectName("DesignExplorer");
    setWindowTitle(UiText("explorer.title"));
    setWindowFlags(Qt::Window);
    setWindowIcon(QIcon(":/icons/app.ico"));
    setFont(WindowFont());
    model_.SetSeparator(RegionalSettings::DecimalSeparator());
    model_.SetLanguage(InterfaceLanguage());
    model_.SetFieldTextOptions({.lengths = InterfaceLengthUnit(), .wireGauges = true});
    ReadFields();
    const std::optional<QByteArray> geometry = settings_.Load(model_);
    CreateControls();
    ShowSettings();
    resize(1100, 640);
    // Where the user left it last time, or else centred.
    if (!geometry || !restoreGeometry(*geometry))
        CentreOnFirstShow(*this);

    connect(&sweepJob_, &ExplorerSweepJob::finished, this, &DesignExplorer::ShowSweeps);
    connect(&solveJob_, &ExplorerSolveJob::finished, this, [this] {
        if (std::optional<TFoundSolutions> found = solveJob_.Take())
            TakeSolutions(std::move(*found));
    });
    debounce_ = new QTimer(this);
    debounce_->setObjectName("Debounce");
    debounce_->setSingleShot(true);
    debounce_->setInterval(kDebounceMs);
    connect(debounce_, &QTimer::timeout, this, &DesignExplorer::Recompute);
    ConnectControls();
}

DesignExplorer::~DesignExplorer() { settings_.Save(model_, saveGeometry()); }

void DesignExplorer::ConnectControls()
{
    for (const QLineEdit* field : fields_)
        connect(field, &QLineEdit::textChanged, this, [this] {
            ReadFields();
            Schedule();
        });
    connect(rangeBar_, &ExplorerRangeBar::changed, this, &DesignExplorer::Schedule);
    connect(outputs_, &ExplorerOutputList::changed, this, &DesignExplorer::Redraw);
    connect(chart_, &ExplorerChart::hovered, this, &DesignExplorer::ShowReadout);
    connect(compareBar_, &ExplorerCompareBar::pinAsked, this, &DesignExplorer::Pin);
    connect(compareBar_, &ExplorerCompareBar::clearAsked, this, &DesignExplorer::ClearPinned);
    connect(compareBar_, &ExplorerCompareBar::measurementToggled, this, [this](bool shown) {
        model_.SetMeasurementShown(shown);
        Redraw();
    });
    connect(compareBar_, &ExplorerCompareBar::stretchAsked, this, [this] {
        if (!model_.ShowMeasuredStretch())
            return;
        ShowSettings();
        Recompute();
    });
    connect(tuningTab_, &ExplorerTuningTab::criterionChanged, this, &DesignExplorer::Schedule);
    connect(tuningTab_, &ExplorerTuningTab::bandAsked, this, &DesignExplorer::ShowChosenBand);
    connect(solveTab_, &ExplorerSolveTab::solveAsked, this, &DesignExplorer::Solve);
    connect(solveTab_, &ExplorerSolveTab::applyAsked, this, &DesignExplorer::ApplyChosenSolution);
    connect(solveTab_, &ExplorerSolveTab::answersDropped, this, &DesignExplorer::ShowSolutions);
    connect(exactDigits_, &QCheckBox::toggled, this, [this] {
        const std::optional<std::size_t> at = hovered_;
        if (model_.Solutions())
            ShowSolutions(solveTab_->Note());
        ShowReadout(at);
    });
    // Esc closes, and Ctrl+G closes as it opened from the main window.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_G)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
}

void DesignExplorer::CreateControls()
{
    rangeBar_ = new ExplorerRangeBar(model_);
    outputs_ = new ExplorerOutputList(model_);

    chart_ = new ExplorerChart;
    chart_->setObjectName("Chart");
    // Many outputs stack more plots than the window has room for: they keep
    // the height their ticks and legends need, and the column scrolls.
    auto* chartColumn = new QScrollArea;
    chartColumn->setObjectName("ChartColumn");
    chartColumn->setWidget(chart_);
    chartColumn->setWidgetResizable(true);
    chartColumn->setFrameShape(QFrame::NoFrame);
    chartColumn->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Like the plots, no Tab stop: the wheel and the scroll bar move it.
    chartColumn->setFocusPolicy(Qt::NoFocus);
    chartColumn->setMinimumSize(360, 260);
    sides_ = new QTabWidget;
    sides_->setObjectName("Sides");
    sides_->setAccessibleName(UiText("explorer.sides"));
    sides_->addTab(CreateDrawingTab(), UiText("explorer.tab.drawing"));
    tuningTab_ = new ExplorerTuningTab(model_);
    sides_->addTab(tuningTab_, UiText("explorer.tab.bands"));
    solveTab_ = new ExplorerSolveTab(model_);
    sides_->addTab(solveTab_, UiText("explorer.tab.solve"));

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(outputs_);
    splitter->addWidget(chartColumn);
    splitter->addWidget(sides_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setSizes({outputs_->minimumSizeHint().width(), 520, 300});

    readout_ = new ReadoutLabel;
    exactDigits_ = new QCheckBox(UiText("explorer.exact-digits"));
    exactDigits_->setObjectName("ExactDigits");
    exactDigits_->setToolTip(UiText("explorer.exact-digits.tip"));
    auto* readoutRow = new QHBoxLayout;
    readoutRow->addWidget(readout_, 1);
    readoutRow->addWidget(exactDigits_, 0, Qt::AlignTop);
    note_ = new QLabel;
    note_->setObjectName("Note");
    note_->setTextFormat(Qt::PlainText);
    note_->setWordWrap(true);

    compareBar_ = new ExplorerCompareBar({CreateDesignFileButton(*this), CreateExportButton(*this)});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(rangeBar_);
    layout->addWidget(splitter, 1);
    layout->addLayout(readoutRow);
    layout->addWidget(note_);
    layout->addWidget(compareBar_);
}

QWidget* DesignExplorer::CreateDrawingTab()
{
    drawing_ = new AntennaDrawing;
    drawing_->setObjectName("Drawing");
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(drawing_, 1);
    return tab;
}

void DesignExplorer::ShowSettings()
{
    rangeBar_->ShowChoices();
    outputs_->ShowChosen();
    solveTab_->ShowTexts();
    rangeBar_->ShowRange();
}

void DesignExplorer::ReadFields()
{
    TFieldTexts texts;
    for (std::size_t i = 0; i < kInputCount; ++i)
        texts[i] = fields_[i]->text().toStdString();
    const bool solved = model_.Solutions().has_value();
    model_.SetFieldTexts(texts);
    if (solved && !model_.Solutions() && solveTab_)
        ShowSolutions(UiText("explorer.solve.design-changed"));
}

void DesignExplorer::ShowChosenBand()
{
    const std::optional<TAmateurBand> band = tuningTab_->ChosenBand();
    if (!band)
        return;
    model_.ShowBand(*band);
    ShowSettings();
    Recompute();
}

void DesignExplorer::Solve()
{
    ReadFields();
    solveTab_->ReadTexts();
    const TSolveReading reading = model_.SolveRequest();
    if (!reading.request) {
        solveTab_->SetNote(Utf8(reading.message));
        return;
    }
    // The chart shows the input searched over the range searched, so that
    // the answers are marked on it; the pins stay.
    const TSolveTexts& solve = model_.SolveTexts();
    const TRangeTexts searched{solve.from, solve.to, model_.RangeTexts().points};
    if (model_.XInput() != solve.input || model_.Preset() != TRangePreset::Custom ||
        model_.RangeTexts().from != searched.from || model_.RangeTexts().to != searched.to) {
        model_.SetXInput(solve.input);
        model_.SetPreset(TRangePreset::Custom);
        model_.SetRangeTexts(searched);
        ShowSettings();
        Recompute();
    }
    solveJob_.Start(*reading.request);
    solveTab_->SetNote(UiText("explorer.solve.searching"));
}

void DesignExplorer::WaitForSolve()
{
    if (std::optional<TFoundSolutions> found = solveJob_.WaitAndTake())
        TakeSolutions(std::move(*found));
}

void DesignExplorer::TakeSolutions(TFoundSolutions found)
{
    const bool kept = model_.AcceptSolutions(std::move(found));
    ShowSolutions(kept ? QString() : UiText("explorer.solve.changed-meanwhile"));
}

std::vector<double> DesignExplorer::Solutions() const
{
    return model_.Solutions() ? model_.Solutions()->outcome.solutions : std::vector<double>();
}

void DesignExplorer::ShowSolutions(const QString& note)
{
    solveTab_->ShowSolutions(note, exactDigits_->isChecked());
    Redraw();
}

void DesignExplorer::ApplyChosenSolution() { solveTab_->ApplyChosen(writeField_, exactDigits_->isChecked()); }

void DesignExplorer::Schedule()
{
    dirty_ = true;
    // A hidden explorer costs the main window nothing; it catches up when shown.
    if (isVisible())
        debounce_->start();
}

void DesignExplorer::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (dirty_)
        Recompute();
}

void DesignExplorer::hideEvent(QHideEvent* event)
{
    settings_.Save(model_, saveGeometry());
    QWidget::hideEvent(event);
}

void DesignExplorer::ShowNote(const QString& text, bool warning)
{
    // A palette, not a style sheet: the note changes at every recompute, and
    // a new style sheet would polish the label again each time.
    QPalette palette = note_->palette();
    palette.setColor(QPalette::WindowText, warning ? kWarningColour : this->palette().color(QPalette::WindowText));
    note_->setPalette(palette);
    note_->setText(text);
}

void DesignExplorer::ShowStale(const QString& message)
{
    ShowNote(message, true);
    chart_->SetStale(true);
}

void DesignExplorer::Recompute()
{
    debounce_->stop();
    dirty_ = false;
    const char separator = RegionalSettings::DecimalSeparator();
    model_.SetSeparator(separator);
    chart_->SetDecimalSeparator(separator);
    ReadFields();
    const TExplorerRequest request = model_.Request();
    rangeBar_->ShowRange();
    if (!request.typed) {
        ShowStale(Utf8(request.message));
        return;
    }
    tuningTab_->Fill(*request.typed);
    if (!request.plan) {
        ShowStale(Utf8(request.message));
        return;
    }
    rangeNote_ = request.rangeNote;
    drawing_->SetDesign(*request.typed, CalculateDesign(*request.typed).results, separator);
    sweepJob_.Start(*request.typed, *request.plan, model_.Pins().Designs());
}

void DesignExplorer::WaitForSweep()
{
    if (const std::optional<TExplorerSweeps> sweeps = sweepJob_.Wait())
        ShowSweeps(*sweeps);
}

void DesignExplorer::ShowSweeps(const TExplorerSweeps& sweeps)
{
    // A cancelled sweep brings nothing; the newer one follows.
    if (!sweeps.typed || sweeps.typed == sweep_)
        return;
    sweep_ = sweeps.typed;
    pinnedSweeps_ = sweeps.pinned;
    Redraw();
}

void DesignExplorer::Redraw()
{
    if (!sweep_)
        return;
    chart_->SetData(ExplorerChartData(*sweep_, pinnedSweeps_, model_));
    chart_->SetStale(false);

    TExplorerNotes notes = ExplorerNotes(*sweep_, model_.Outputs(), rangeNote_, model_.Separator(), InterfaceLanguage(), model_.Lengths());
    if (!settings_.Problem().isEmpty()) {
        notes.lines.insert(notes.lines.begin(), settings_.Problem().toStdString());
        notes.warning = true;
    }
    ShowNote(Utf8(notes.Joined()), notes.warning);
    compareBar_->ShowPins(model_.Pins());
    ShowReadout(std::nullopt);
}

void DesignExplorer::Pin()
{
    if (!sweep_ || model_.Pins().Full())
        return;
    // The shown sweep is the pinned design's over the shown range.
    model_.Pins().Pin(sweep_->base);
    pinnedSweeps_.push_back(sweep_);
    Redraw();
}

void DesignExplorer::ClearPinned()
{
    model_.Pins().Clear();
    pinnedSweeps_.clear();
    Redraw();
}

void DesignExplorer::ShowMeasurement(TShownMeasurement measurement)
{
    model_.SetMeasurement(std::move(measurement));
    compareBar_->ShowMeasurement(MeasuredStretch(model_.Measurement()->analysis).has_value());
    Redraw();
}

void DesignExplorer::ShowReadout(std::optional<std::size_t> index)
{
    hovered_ = index;
    if (!index || !sweep_) {
        readout_->clear();
        return;
    }
    readout_->ShowParts(ExplorerReadoutParts(*sweep_, *index, model_.Outputs(), model_.Region(), model_.Separator(),
                                             exactDigits_->isChecked(), InterfaceLanguage(), model_.Lengths()));
}

void DesignExplorer::OpenDesign(const QString& path)
{
    const TFieldTexts texts = OpenDesignFile(path, model_);
    pinnedSweeps_.clear();
    for (std::size_t i = 0; i < kInputCount; ++i)
        if (writeField_ && fields_[i]->text() != Utf8(texts[i]))
            writeField_(i, Utf8(texts[i]));
    ReadFields();
    Recompute();
}

void DesignExplorer::SaveDesign(const QString& path)
{
    SaveExportFile(path, WriteDesignFile(ExplorerDesignFile(model_), model_.Separator()));
}

void DesignExplorer::ExportPng(const QString& path) { SaveExportFile(path, ChartPng(*chart_)); }

void DesignExplorer::ExportSvg(const QString& path) { SaveExportFile(path, ChartSvg(*chart_)); }

void DesignExplorer::ExportCsv(const QString& path)
{
    SaveExportFile(path, sweep_ ? DesignSweepCsv(*sweep_) : std::string());
}

void DesignExplorer::ExportDrawingPng(const QString& path) { SaveExportFile(path, DrawingPng(*drawing_)); }

void DesignExplorer::ExportDrawingSvg(const QString& path) { SaveExportFile(path, DrawingSvg(*drawing_)); }

void DesignExplorer::ShowPointsTable()
{
    ShowChartPoints(*this, UiText("points.title").arg(windowTitle()), chart_->PointsColumns(), model_.Separator());
}

void DesignExplorer::CatchUpForSheet()
{
    // The sheet and the main window's report show the same design.
    if (recalculate_)
        recalculate_();
    // The chart too, when a field changed since it was drawn.
    if (dirty_ || !sweep_) {
        Recompute();
        WaitForSweep();
    }
}

void DesignExplorer::ExportBuildSheet(const QString& path)
{
    CatchUpForSheet();
    if (!sweep_ || !model_.Typed())
        throw EFCreateError(UiText("explorer.sheet.not-made").toStdString());
    SaveExportFile(path, BuildSheetPdf(ExplorerSheet(model_, *chart_)));
}

void DesignExplorer::PrintBuildSheet()
{
    CatchUpForSheet();
    if (!model_.Typed())
        return;
    PrintExplorerSheet(*this, model_, *chart_);
}

} // namespace eh
