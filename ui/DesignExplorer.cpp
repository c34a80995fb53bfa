// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignExplorer.h"

#include "AntennaDrawing.h"
#include "DesignCsv.h"
#include "DesignFile.h"
#include "Exceptions.h"
#include "ExplorerBuildSheet.h"
#include "ExplorerChart.h"
#include "ExplorerDesignFile.h"
#include "InterfaceLanguage.h"
#include "ExplorerExports.h"
#include "ExplorerNotes.h"
#include "ExplorerOutputs.h"
#include "ExplorerReadout.h"
#include "LabeledEdit.h"
#include "MessageBoxes.h"
#include "NumberFormat.h"
#include "RegionalSettings.h"
#include "ReportFileWriter.h"
#include "TuningPlan.h"
#include "WorkbenchNumber.h"
#include "WindowFont.h"
#include "WindowPlacement.h"
#include "uInterface.h"

#include <QCheckBox>
#include <QDate>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <algorithm>
#include <cmath>

namespace eh {

namespace {

const QColor kWarningColour(176, 0, 0);
const QColor kTypedBandColour(255, 220, 120);

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// A label with a mnemonic that focuses `buddy`.
QLabel* BuddyLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

// Sets a control from the model without it reporting the change back.
template <class Widget, class Set>
void Quietly(Widget* widget, Set&& set)
{
    const QSignalBlocker blocker(widget);
    set(widget);
}

// Why the file at `path` was not opened, for EFOpenError.
std::string NotOpenedText(const QString& path, const QString& reason)
{
    return UiText("explorer.file.not-opened").arg(path, reason).toStdString();
}

// The bytes of a file of at most `limit` bytes; EFOpenError otherwise.
std::string ReadSmallFile(const QString& path, qint64 limit)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile())
        throw EFOpenError(NotOpenedText(path, UiText("measurement.not-regular-file")));
    if (info.size() > limit)
        throw EFOpenError(NotOpenedText(path, UiText("explorer.file.too-large")));
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(NotOpenedText(path, file.errorString()));
    const QByteArray bytes = file.read(limit + 1);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

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
              mainWindow.WriteMillimetreText(input, text);
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

    watcher_ = new QFutureWatcher<TSweeps>(this);
    connect(watcher_, &QFutureWatcherBase::finished, this, [this] {
        if (watcher_->future().resultCount() > 0)
            ShowSweeps(watcher_->result());
    });
    solveWatcher_ = new QFutureWatcher<TFoundSolutions>(this);
    connect(solveWatcher_, &QFutureWatcherBase::finished, this, &DesignExplorer::TakeSolutions);
    Debounce = new QTimer(this);
    Debounce->setSingleShot(true);
    Debounce->setInterval(kDebounceMs);
    connect(Debounce, &QTimer::timeout, this, &DesignExplorer::Recompute);
    ConnectControls();
}

DesignExplorer::~DesignExplorer()
{
    for (const auto& stop : {stopCurrent_, stopSolve_})
        if (stop)
            stop->store(true);
    watcher_->waitForFinished();
    solveWatcher_->waitForFinished();
    settings_.Save(model_, saveGeometry());
}

void DesignExplorer::ConnectControls()
{
    for (const QLineEdit* field : fields_)
        connect(field, &QLineEdit::textChanged, this, [this] {
            ReadFields();
            Schedule();
        });
    connect(XInput, &QComboBox::currentIndexChanged, this, &DesignExplorer::SweepAnotherInput);
    connect(RangePreset, &QComboBox::currentIndexChanged, this, [this](int preset) {
        model_.SetPreset(static_cast<TRangePreset>(preset));
        ShowRange();
        Schedule();
    });
    for (QLineEdit* edit : {FromEdit, ToEdit, PointsEdit})
        connect(edit, &QLineEdit::textChanged, this, [this] {
            model_.SetRangeTexts({FromEdit->text().toStdString(), ToEdit->text().toStdString(),
                                  PointsEdit->text().toStdString()});
            Schedule();
        });
    connect(RegionChoice, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.SetRegion(IaruRegion(index + 1).value_or(kDefaultRegion));
        Schedule();
    });
    connect(Outputs, &QListWidget::itemChanged, this, [this] {
        ReadOutputs();
        Redraw();
    });
    connect(Chart, &ExplorerChart::hovered, this, &DesignExplorer::ShowReadout);
    connect(PinButton, &QPushButton::clicked, this, &DesignExplorer::Pin);
    connect(ClearPinsButton, &QPushButton::clicked, this, &DesignExplorer::ClearPinned);
    connect(MeasurementCheck, &QCheckBox::toggled, this, [this](bool shown) {
        model_.SetMeasurementShown(shown);
        Redraw();
    });
    connect(MeasuredStretchButton, &QPushButton::clicked, this, [this] {
        if (!model_.ShowMeasuredStretch())
            return;
        ShowSettings();
        Recompute();
    });

    connect(Criterion, &QComboBox::currentIndexChanged, this, &DesignExplorer::Schedule);
    connect(Coverage, &QTableWidget::currentCellChanged, this, [this](int row) {
        ShowBandButton->setEnabled(row >= 0);
        ShowTuningSettings(row);
    });
    connect(Coverage, &QTableWidget::cellActivated, this, &DesignExplorer::ShowChosenBand);
    connect(ShowBandButton, &QPushButton::clicked, this, &DesignExplorer::ShowChosenBand);

    connect(SolveInput, &QComboBox::currentIndexChanged, this, [this](int input) {
        model_.SetSolveInput(static_cast<std::size_t>(input));
        Quietly(SolveFrom, [this](QLineEdit* edit) { edit->setText(Utf8(model_.SolveTexts().from)); });
        Quietly(SolveTo, [this](QLineEdit* edit) { edit->setText(Utf8(model_.SolveTexts().to)); });
        ReadSolveTexts();
    });
    connect(SolveResult, &QComboBox::currentIndexChanged, this, &DesignExplorer::ReadSolveTexts);
    for (QLineEdit* edit : {SolveTarget, SolveFrom, SolveTo})
        connect(edit, &QLineEdit::textChanged, this, &DesignExplorer::ReadSolveTexts);
    connect(SolveButton, &QPushButton::clicked, this, &DesignExplorer::Solve);
    connect(SolveTarget, &QLineEdit::returnPressed, this, &DesignExplorer::Solve);
    connect(SolutionList, &QListWidget::currentRowChanged, this,
            [this](int row) { ApplySolution->setEnabled(row >= 0); });
    connect(SolutionList, &QListWidget::itemActivated, this, &DesignExplorer::ApplyChosenSolution);
    connect(ApplySolution, &QPushButton::clicked, this, &DesignExplorer::ApplyChosenSolution);
    connect(ExactDigits, &QCheckBox::toggled, this, [this] {
        const std::optional<std::size_t> at = hovered_;
        if (model_.Solutions())
            ShowSolutions(SolveNote->text());
        ShowReadout(at);
    });
    // Esc closes, and Ctrl+G closes as it opened from the main window.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_G)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
}

void DesignExplorer::CreateControls()
{
    XInput = new QComboBox;
    XInput->setObjectName("XInput");
    for (const TInputInfo& input : InputTable())
        XInput->addItem(QString::fromUtf8(InputText(input, "label", InterfaceLanguage())));
    RangePreset = new QComboBox;
    RangePreset->setObjectName("RangePreset");
    RangePreset->addItems(
        {UiText("explorer.preset.hf"), UiText("explorer.preset.band"), UiText("explorer.preset.custom")});
    FromEdit = new QLineEdit;
    FromEdit->setObjectName("FromEdit");
    ToEdit = new QLineEdit;
    ToEdit->setObjectName("ToEdit");
    PointsEdit = new QLineEdit;
    PointsEdit->setObjectName("PointsEdit");
    for (QLineEdit* edit : {FromEdit, ToEdit, PointsEdit})
        edit->setMaximumWidth(90);

    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(BuddyLabel(UiText("explorer.axis"), XInput));
    rangeRow->addWidget(XInput);
    rangeRow->addSpacing(12);
    rangeRow->addWidget(BuddyLabel(UiText("explorer.preset"), RangePreset));
    rangeRow->addWidget(RangePreset);
    rangeRow->addWidget(BuddyLabel(UiText("explorer.from"), FromEdit));
    rangeRow->addWidget(FromEdit);
    rangeRow->addWidget(BuddyLabel(UiText("explorer.to"), ToEdit));
    rangeRow->addWidget(ToEdit);
    rangeRow->addWidget(BuddyLabel(UiText("explorer.points"), PointsEdit));
    rangeRow->addWidget(PointsEdit);
    rangeRow->addSpacing(12);
    RegionChoice = new QComboBox;
    RegionChoice->setObjectName("RegionChoice");
    for (int region = 1; region <= 3; ++region)
        RegionChoice->addItem(UiText("explorer.region-name").arg(region));
    rangeRow->addWidget(BuddyLabel(UiText("explorer.region"), RegionChoice));
    rangeRow->addWidget(RegionChoice);
    rangeRow->addStretch(1);

    Outputs = new QListWidget;
    Outputs->setObjectName("Outputs");
    Outputs->setAccessibleName(UiText("explorer.outputs"));
    for (const TResultInfo& result : ResultTable()) {
        auto* item = new QListWidgetItem(Utf8(ExplorerCaption(result, InterfaceLanguage())), Outputs);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        // Saved settings name the output by its member, whatever its caption.
        item->setData(Qt::UserRole, QString::fromUtf8(result.member));
    }
    // Every name whole: no horizontal scrolling, no cut captions.
    Outputs->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Outputs->setMinimumWidth(Outputs->sizeHintForColumn(0) + 2 * Outputs->frameWidth() +
                             Outputs->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    auto* outputsBox = new QWidget;
    auto* outputsLayout = new QVBoxLayout(outputsBox);
    outputsLayout->setContentsMargins(0, 0, 0, 0);
    outputsLayout->addWidget(BuddyLabel(UiText("explorer.outputs.label"), Outputs));
    outputsLayout->addWidget(Outputs, 1);

    Chart = new ExplorerChart;
    Chart->setObjectName("Chart");
    // Many outputs stack more plots than the window has room for: they keep
    // the height their ticks and legends need, and the column scrolls.
    auto* chartColumn = new QScrollArea;
    chartColumn->setObjectName("ChartColumn");
    chartColumn->setWidget(Chart);
    chartColumn->setWidgetResizable(true);
    chartColumn->setFrameShape(QFrame::NoFrame);
    chartColumn->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Like the plots, no Tab stop: the wheel and the scroll bar move it.
    chartColumn->setFocusPolicy(Qt::NoFocus);
    chartColumn->setMinimumSize(360, 260);
    Sides = new QTabWidget;
    Sides->setObjectName("Sides");
    Sides->setAccessibleName(UiText("explorer.sides"));
    Sides->addTab(CreateDrawingTab(), UiText("explorer.tab.drawing"));
    Sides->addTab(CreateBandsTab(), UiText("explorer.tab.bands"));
    Sides->addTab(CreateSolveTab(), UiText("explorer.tab.solve"));

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(outputsBox);
    splitter->addWidget(chartColumn);
    splitter->addWidget(Sides);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setSizes({outputsBox->minimumSizeHint().width(), 520, 300});

    Readout = new QLabel;
    Readout->setObjectName("Readout");
    Readout->setTextFormat(Qt::PlainText);
    Readout->setWordWrap(true);
    Readout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for three lines whether or not the pointer is over the chart, so
    // that the chart does not move when the readout appears.
    Readout->setFixedHeight(Readout->fontMetrics().lineSpacing() * 3 + 4);
    ExactDigits = new QCheckBox(UiText("explorer.exact-digits"));
    ExactDigits->setObjectName("ExactDigits");
    ExactDigits->setToolTip(UiText("explorer.exact-digits.tip"));
    auto* readoutRow = new QHBoxLayout;
    readoutRow->addWidget(Readout, 1);
    readoutRow->addWidget(ExactDigits, 0, Qt::AlignTop);
    Note = new QLabel;
    Note->setObjectName("Note");
    Note->setTextFormat(Qt::PlainText);
    Note->setWordWrap(true);

    PinButton = new QPushButton(UiText("explorer.pin"));
    PinButton->setObjectName("PinButton");
    ClearPinsButton = new QPushButton(UiText("explorer.clear-pins"));
    ClearPinsButton->setObjectName("ClearPinsButton");
    MeasurementCheck = new QCheckBox(UiText("explorer.measurement.overlay"));
    MeasurementCheck->setObjectName("MeasurementCheck");
    MeasurementCheck->setToolTip(UiText("explorer.measurement.overlay.tip"));
    MeasurementCheck->setVisible(false);
    MeasuredStretchButton = new QPushButton(UiText("explorer.measurement.zoom"));
    MeasuredStretchButton->setObjectName("MeasuredStretchButton");
    MeasuredStretchButton->setToolTip(UiText("explorer.measurement.zoom.tip"));
    MeasuredStretchButton->setVisible(false);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {PinButton, ClearPinsButton})
        buttons->addWidget(button);
    buttons->addWidget(MeasurementCheck);
    buttons->addWidget(MeasuredStretchButton);
    buttons->addStretch(1);
    buttons->addWidget(CreateFileButton());
    buttons->addWidget(CreateExportButton());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(rangeRow);
    layout->addWidget(splitter, 1);
    layout->addLayout(readoutRow);
    layout->addWidget(Note);
    layout->addLayout(buttons);
}

QPushButton* DesignExplorer::CreateFileButton()
{
    FileButton = new QPushButton(UiText("explorer.design"));
    FileButton->setObjectName("FileButton");
    auto* menu = new QMenu(FileButton);
    menu->addAction(UiText("explorer.design.open"), this, &DesignExplorer::ChooseDesignToOpen);
    menu->addAction(UiText("explorer.design.save"), this, [this] {
        ChooseExportFile(UiText("explorer.design.file-filter"), "json", &DesignExplorer::SaveDesign);
    });
    menu->addSeparator();
    menu->addAction(UiText("explorer.design.sheet-pdf"), this,
                    [this] { ChooseExportFile("PDF (*.pdf)", "pdf", &DesignExplorer::ExportBuildSheet); });
    menu->addAction(UiText("explorer.design.print-sheet"), this, &DesignExplorer::PrintBuildSheet);
    FileButton->setMenu(menu);
    return FileButton;
}

QPushButton* DesignExplorer::CreateExportButton()
{
    ExportButton = new QPushButton(UiText("explorer.export"));
    ExportButton->setObjectName("ExportButton");
    auto* menu = new QMenu(ExportButton);
    menu->addAction(UiText("explorer.export.chart-png"), this,
                    [this] { ChooseExportFile("PNG (*.png)", "png", &DesignExplorer::ExportPng); });
    menu->addAction(UiText("explorer.export.chart-svg"), this,
                    [this] { ChooseExportFile("SVG (*.svg)", "svg", &DesignExplorer::ExportSvg); });
    menu->addAction(UiText("explorer.export.csv"), this,
                    [this] { ChooseExportFile("CSV (*.csv)", "csv", &DesignExplorer::ExportCsv); });
    // The chart's text alternative, for a screen reader and the keyboard.
    menu->addAction(UiText("points.menu"), this, [this] {
        ShowChartPoints(*this, UiText("points.title").arg(windowTitle()), Chart->PointsColumns(), model_.Separator());
    });
    menu->addSeparator();
    menu->addAction(UiText("explorer.export.drawing-png"), this,
                    [this] { ChooseExportFile("PNG (*.png)", "png", &DesignExplorer::ExportDrawingPng); });
    menu->addAction(UiText("explorer.export.drawing-svg"), this,
                    [this] { ChooseExportFile("SVG (*.svg)", "svg", &DesignExplorer::ExportDrawingSvg); });
    ExportButton->setMenu(menu);
    return ExportButton;
}

QWidget* DesignExplorer::CreateDrawingTab()
{
    Drawing = new AntennaDrawing;
    Drawing->setObjectName("Drawing");
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(Drawing, 1);
    return tab;
}

QWidget* DesignExplorer::CreateBandsTab()
{
    Criterion = new QComboBox;
    Criterion->setObjectName("Criterion");
    for (const std::string& name : CriterionNames(InterfaceLanguage()))
        Criterion->addItem(Utf8(name));
    Coverage = new QTableWidget(0, 4);
    Coverage->setObjectName("Coverage");
    Coverage->setAccessibleName(UiText("explorer.coverage"));
    Coverage->setHorizontalHeaderLabels({UiText("explorer.coverage.band"), UiText("explorer.coverage.edges"),
                                         UiText("explorer.coverage.bandwidth"), UiText("explorer.coverage.settings")});
    Coverage->verticalHeader()->hide();
    Coverage->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Coverage->setSelectionBehavior(QAbstractItemView::SelectRows);
    Coverage->setSelectionMode(QAbstractItemView::SingleSelection);
    Coverage->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Coverage->horizontalHeader()->setStretchLastSection(true);
    ShowBandButton = new QPushButton(UiText("explorer.coverage.show"));
    ShowBandButton->setObjectName("ShowBandButton");
    ShowBandButton->setEnabled(false);
    TuningSettings = new QLabel;
    TuningSettings->setObjectName("TuningSettings");
    TuningSettings->setTextFormat(Qt::PlainText);
    TuningSettings->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* about = new QLabel(UiText("explorer.coverage.about"));
    about->setWordWrap(true);
    layout->addWidget(about);
    auto* criterionRow = new QHBoxLayout;
    criterionRow->addWidget(BuddyLabel(UiText("explorer.criterion"), Criterion));
    criterionRow->addWidget(Criterion, 1);
    layout->addLayout(criterionRow);
    layout->addWidget(Coverage, 1);
    layout->addWidget(TuningSettings);
    layout->addWidget(ShowBandButton);
    return tab;
}

QWidget* DesignExplorer::CreateSolveTab()
{
    SolveResult = new QComboBox;
    SolveResult->setObjectName("SolveResult");
    for (const TResultInfo& result : ResultTable())
        SolveResult->addItem(Utf8(ExplorerCaption(result, InterfaceLanguage())));
    SolveTarget = new QLineEdit;
    SolveTarget->setObjectName("SolveTarget");
    SolveInput = new QComboBox;
    SolveInput->setObjectName("SolveInput");
    for (const TInputInfo& input : InputTable())
        SolveInput->addItem(QString::fromUtf8(InputText(input, "label", InterfaceLanguage())));
    SolveFrom = new QLineEdit;
    SolveFrom->setObjectName("SolveFrom");
    SolveTo = new QLineEdit;
    SolveTo->setObjectName("SolveTo");
    SolveButton = new QPushButton(UiText("explorer.solve.find"));
    SolveButton->setObjectName("SolveButton");
    SolutionList = new QListWidget;
    SolutionList->setObjectName("SolutionList");
    SolutionList->setAccessibleName(UiText("explorer.solutions"));
    ApplySolution = new QPushButton(UiText("explorer.solve.apply"));
    ApplySolution->setObjectName("ApplySolution");
    ApplySolution->setEnabled(false);
    SolveNote = new QLabel;
    SolveNote->setObjectName("SolveNote");
    SolveNote->setWordWrap(true);
    SolveNote->setTextFormat(Qt::PlainText);

    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(BuddyLabel(UiText("explorer.solve.result"), SolveResult));
    layout->addWidget(SolveResult);
    layout->addWidget(BuddyLabel(UiText("explorer.solve.target"), SolveTarget));
    layout->addWidget(SolveTarget);
    layout->addWidget(BuddyLabel(UiText("explorer.solve.input"), SolveInput));
    layout->addWidget(SolveInput);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(BuddyLabel(UiText("explorer.solve.from"), SolveFrom));
    rangeRow->addWidget(SolveFrom, 1);
    rangeRow->addWidget(BuddyLabel(UiText("explorer.solve.to"), SolveTo));
    rangeRow->addWidget(SolveTo, 1);
    layout->addLayout(rangeRow);
    layout->addWidget(SolveButton);
    layout->addWidget(SolveNote);
    layout->addWidget(SolutionList, 1);
    layout->addWidget(ApplySolution);
    return tab;
}

void DesignExplorer::ShowSettings()
{
    Quietly(XInput, [this](QComboBox* box) { box->setCurrentIndex(static_cast<int>(model_.XInput())); });
    Quietly(RegionChoice,
            [this](QComboBox* box) { box->setCurrentIndex(static_cast<int>(model_.Region()) - 1); });
    for (int row = 0; row < Outputs->count(); ++row) {
        const bool chosen = std::ranges::find(model_.Outputs(), static_cast<std::size_t>(row)) != model_.Outputs().end();
        Quietly(Outputs, [&](QListWidget* list) { list->item(row)->setCheckState(chosen ? Qt::Checked : Qt::Unchecked); });
    }
    const TSolveTexts& solve = model_.SolveTexts();
    Quietly(SolveResult, [&](QComboBox* box) { box->setCurrentIndex(static_cast<int>(solve.result)); });
    Quietly(SolveInput, [&](QComboBox* box) { box->setCurrentIndex(static_cast<int>(solve.input)); });
    Quietly(SolveTarget, [&](QLineEdit* edit) { edit->setText(Utf8(solve.target)); });
    Quietly(SolveFrom, [&](QLineEdit* edit) { edit->setText(Utf8(solve.from)); });
    Quietly(SolveTo, [&](QLineEdit* edit) { edit->setText(Utf8(solve.to)); });
    ShowRange();
}

void DesignExplorer::ShowRange()
{
    Quietly(RangePreset, [this](QComboBox* box) {
        box->setCurrentIndex(static_cast<int>(model_.Preset()));
        box->setEnabled(model_.SweepsFrequency());
    });
    const TRangeTexts& range = model_.RangeTexts();
    const bool custom = model_.Preset() == TRangePreset::Custom;
    const std::pair<QLineEdit*, const std::string*> edits[] = {
        {FromEdit, &range.from}, {ToEdit, &range.to}, {PointsEdit, &range.points}};
    for (const auto& [edit, text] : edits) {
        // Only a text that changed: setting the same one would move the cursor.
        if (edit->text() != Utf8(*text))
            Quietly(edit, [text](QLineEdit* line) { line->setText(Utf8(*text)); });
    }
    FromEdit->setReadOnly(!custom);
    ToEdit->setReadOnly(!custom);
}

void DesignExplorer::ReadFields()
{
    TFieldTexts texts;
    for (std::size_t i = 0; i < kInputCount; ++i)
        texts[i] = fields_[i]->text().toStdString();
    const bool solved = model_.Solutions().has_value();
    model_.SetFieldTexts(texts);
    if (solved && !model_.Solutions() && SolutionList)
        ShowSolutions(UiText("explorer.solve.design-changed"));
}

void DesignExplorer::ReadOutputs()
{
    std::vector<std::size_t> chosen;
    for (int row = 0; row < Outputs->count(); ++row)
        if (Outputs->item(row)->checkState() == Qt::Checked)
            chosen.push_back(static_cast<std::size_t>(row));
    model_.SetOutputs(chosen);
}

void DesignExplorer::ReadSolveTexts()
{
    const bool solved = model_.Solutions().has_value();
    model_.SetSolveTexts({static_cast<std::size_t>(SolveResult->currentIndex()), SolveTarget->text().toStdString(),
                          static_cast<std::size_t>(SolveInput->currentIndex()), SolveFrom->text().toStdString(),
                          SolveTo->text().toStdString()});
    if (solved && !model_.Solutions())
        ShowSolutions(UiText("explorer.solve.target-changed"));
}

void DesignExplorer::FillCoverage(const TAntennaInputs& typed)
{
    const char separator = model_.Separator();
    const auto criterion = static_cast<TBandwidthCriterion>(Criterion->currentIndex());
    plan_ = TuningPlan(model_.Region(), typed, criterion);
    Coverage->setRowCount(static_cast<int>(plan_.size()));
    int typedRow = -1;
    for (std::size_t row = 0; row < plan_.size(); ++row) {
        const TBandPlanRow& band = plan_[row];
        const std::array<std::string, 4> cells = TuningPlanCells(band, separator, InterfaceLanguage());
        if (band.typedBand)
            typedRow = static_cast<int>(row);
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(Utf8(cells[static_cast<std::size_t>(column)]));
            if (band.typedBand) {
                item->setBackground(kTypedBandColour);
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            Coverage->setItem(static_cast<int>(row), column, item);
        }
    }
    const int shown = Coverage->currentRow() >= 0 ? Coverage->currentRow() : typedRow;
    ShowTuningSettings(shown);
}

void DesignExplorer::ShowTuningSettings(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= plan_.size()) {
        TuningSettings->clear();
        return;
    }
    TuningSettings->setText(Utf8(SettingsText(plan_[static_cast<std::size_t>(row)], model_.Separator(), InterfaceLanguage())));
}

void DesignExplorer::ShowChosenBand()
{
    const std::span<const TAmateurBand> bands = BandPlan(model_.Region());
    const int row = Coverage->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= bands.size())
        return;
    model_.ShowBand(bands[static_cast<std::size_t>(row)]);
    ShowSettings();
    Recompute();
}

void DesignExplorer::Solve()
{
    ReadFields();
    ReadSolveTexts();
    const TSolveReading reading = model_.SolveRequest();
    if (!reading.request) {
        SolveNote->setText(Utf8(reading.message));
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
    if (stopSolve_)
        stopSolve_->store(true);
    stopSolve_ = std::make_shared<std::atomic<bool>>(false);
    SolveNote->setText(UiText("explorer.solve.searching"));
    solveTaken_ = false;
    solveWatcher_->setFuture(QtConcurrent::run([request = *reading.request, stop = stopSolve_] {
        return TFoundSolutions{request, SolveForTarget(request, stop.get())};
    }));
}

void DesignExplorer::WaitForSolve()
{
    solveWatcher_->waitForFinished();
    TakeSolutions();
}

void DesignExplorer::TakeSolutions()
{
    const QFuture<TFoundSolutions> future = solveWatcher_->future();
    if (solveTaken_ || !future.isValid() || future.resultCount() == 0 || future.result().outcome.cancelled)
        return;
    solveTaken_ = true;
    const bool kept = model_.AcceptSolutions(future.result());
    ShowSolutions(kept ? QString() : UiText("explorer.solve.changed-meanwhile"));
}

std::vector<double> DesignExplorer::Solutions() const
{
    return model_.Solutions() ? model_.Solutions()->outcome.solutions : std::vector<double>();
}

void DesignExplorer::ShowSolutions(const QString& note)
{
    SolutionList->clear();
    const std::optional<TFoundSolutions>& found = model_.Solutions();
    if (!found) {
        SolveNote->setText(note);
        ApplySolution->setEnabled(false);
        Redraw();
        return;
    }
    const char separator = model_.Separator();
    const TInputInfo& input = InputTable()[found->request.plan.input];
    for (const TSolutionRow& row : SolutionRows(*found, separator, InterfaceLanguage())) {
        auto* item = new QListWidgetItem(ExactDigits->isChecked()
                                             ? QString::fromUtf8(InputText(input, "label", InterfaceLanguage())) + " = " + Utf8(row.exactText)
                                             : Utf8(row.text),
                                         SolutionList);
        item->setToolTip(UiText("explorer.solve.exact").arg(Utf8(row.exactText)));
    }
    SolveNote->setText(note.isEmpty() ? Utf8(SolveSummary(*found, separator, InterfaceLanguage())) : note);
    if (SolutionList->count() > 0)
        SolutionList->setCurrentRow(0);
    Redraw();
}

void DesignExplorer::ApplyChosenSolution()
{
    const std::optional<TFoundSolutions>& found = model_.Solutions();
    const int row = SolutionList->currentRow();
    if (!found || row < 0 || !writeField_)
        return;
    const char separator = model_.Separator();
    const std::vector<TSolutionRow> rows = SolutionRows(*found, separator, InterfaceLanguage());
    if (static_cast<std::size_t>(row) >= rows.size())
        return;
    const TSolutionRow& chosen = rows[static_cast<std::size_t>(row)];
    // What the list shows is what goes into the field.
    const std::string text = ExactDigits->isChecked() ? chosen.exactText : chosen.shownText;
    const std::size_t input = found->request.plan.input;
    const QString written = ExactDigits->isChecked() ? SolutionList->item(row)->text() : Utf8(chosen.text);
    writeField_(input, Utf8(text));
    SolveNote->setText(UiText("explorer.solve.applied").arg(written));
}

void DesignExplorer::SweepAnotherInput()
{
    model_.SetXInput(static_cast<std::size_t>(XInput->currentIndex()));
    ShowRange();
    Schedule();
}

void DesignExplorer::Schedule()
{
    dirty_ = true;
    // A hidden explorer costs the main window nothing; it catches up when shown.
    if (isVisible())
        Debounce->start();
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
    QPalette palette = Note->palette();
    palette.setColor(QPalette::WindowText, warning ? kWarningColour : this->palette().color(QPalette::WindowText));
    Note->setPalette(palette);
    Note->setText(text);
}

void DesignExplorer::ShowStale(const QString& message)
{
    ShowNote(message, true);
    Chart->SetStale(true);
}

void DesignExplorer::Recompute()
{
    Debounce->stop();
    dirty_ = false;
    const char separator = RegionalSettings::DecimalSeparator();
    model_.SetSeparator(separator);
    Chart->SetDecimalSeparator(separator);
    ReadFields();
    const TExplorerRequest request = model_.Request();
    ShowRange();
    if (!request.typed) {
        ShowStale(Utf8(request.message));
        return;
    }
    FillCoverage(*request.typed);
    if (!request.plan) {
        ShowStale(Utf8(request.message));
        return;
    }
    rangeNote_ = request.rangeNote;
    Drawing->SetDesign(*request.typed, CalculateDesign(*request.typed).results, separator);

    // The sweep still running is of no use any more.
    if (stopCurrent_)
        stopCurrent_->store(true);
    stopCurrent_ = std::make_shared<std::atomic<bool>>(false);
    watcher_->setFuture(QtConcurrent::run([base = *request.typed, plan = *request.plan,
                                           pins = model_.Pins().Designs(), stop = stopCurrent_,
                                           cancelled = cancelledSweeps_] {
        const auto run = [&](const TAntennaInputs& design) {
            auto sweep = std::make_shared<const TDesignSweep>(RunDesignSweep(plan, design, stop.get()));
            return sweep->Complete() ? sweep : nullptr;
        };
        TSweeps sweeps{run(base), {}};
        for (const TAntennaInputs& pin : pins)
            if (sweeps.typed)
                if (auto pinned = run(pin))
                    sweeps.pinned.push_back(std::move(pinned));
        if (!sweeps.typed || sweeps.pinned.size() != pins.size()) {
            ++*cancelled;
            return TSweeps{};
        }
        return sweeps;
    }));
}

void DesignExplorer::WaitForSweep()
{
    watcher_->waitForFinished();
    const QFuture<TSweeps> future = watcher_->future();
    if (future.isValid() && future.resultCount() > 0)
        ShowSweeps(future.result());
}

void DesignExplorer::ShowSweeps(const TSweeps& sweeps)
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
    const char separator = model_.Separator();
    const std::vector<std::size_t>& chosen = model_.Outputs();
    const auto columns = [&](const TDesignSweep& sweep) {
        std::vector<TChartSeries> series;
        for (const std::size_t result : chosen) {
            const TResultInfo& info = ResultTable()[result];
            TChartSeries one{Utf8(StandaloneName(info, InterfaceLanguage())), Utf8(ExplorerUnit(info, InterfaceLanguage())), {}};
            one.values.reserve(sweep.results.size());
            for (const std::optional<TAntennaResults>& results : sweep.results)
                one.values.push_back(results ? ShownValue(info, *results) : NAN);
            series.push_back(std::move(one));
        }
        return series;
    };
    const auto xValues = [](const TDesignSweep& sweep) {
        std::vector<double> x(sweep.plan.points);
        for (std::size_t i = 0; i < x.size(); ++i)
            x[i] = sweep.plan.Value(i);
        return x;
    };

    const TInputInfo& swept = InputTable()[sweep_->plan.input];
    TChartData data;
    data.xTitle = QString::fromUtf8(InputText(swept, "label", InterfaceLanguage()));
    data.xValues = xValues(*sweep_);
    data.series = columns(*sweep_);
    for (const std::shared_ptr<const TDesignSweep>& pinned : pinnedSweeps_)
        data.pinned.push_back({Utf8(PinnedLabel(pinned->base, sweep_->base, sweep_->plan.input, separator, InterfaceLanguage())),
                               xValues(*pinned), columns(*pinned)});
    if (swept.value == &TAntennaInputs::FrequencyMHz)
        for (const TAmateurBand& band : BandPlan(model_.Region()))
            data.bands.push_back({Utf8(ShownBandName(band, InterfaceLanguage())), band.LowMHz(), band.HighMHz()});
    data.markedX = sweep_->base.*swept.value;
    if (!data.xValues.empty())
        data.measurement =
            model_.MeasurementMarksOver(sweep_->plan.input, data.xValues.front(), data.xValues.back());
    // Only answers that hold for the design shown, against its own input.
    if (const auto& found = model_.Solutions(); found && found->request.plan.input == sweep_->plan.input)
        data.solutions = found->outcome.solutions;
    Chart->SetData(std::move(data));
    Chart->SetStale(false);

    TExplorerNotes notes = ExplorerNotes(*sweep_, chosen, rangeNote_, separator, InterfaceLanguage());
    if (!settings_.Problem().isEmpty()) {
        notes.lines.insert(notes.lines.begin(), settings_.Problem().toStdString());
        notes.warning = true;
    }
    ShowNote(Utf8(notes.Joined()), notes.warning);
    PinButton->setEnabled(!model_.Pins().Full());
    ClearPinsButton->setEnabled(!model_.Pins().Designs().empty());
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
    Quietly(MeasurementCheck, [](QCheckBox* check) { check->setChecked(true); });
    MeasurementCheck->setVisible(true);
    MeasuredStretchButton->setVisible(true);
    MeasuredStretchButton->setEnabled(MeasuredStretch(model_.Measurement()->analysis).has_value());
    Redraw();
}

void DesignExplorer::ShowReadout(std::optional<std::size_t> index)
{
    hovered_ = index;
    if (!index || !sweep_) {
        Readout->clear();
        return;
    }
    const std::vector<std::string> parts = ExplorerReadoutParts(*sweep_, *index, model_.Outputs(), model_.Region(),
                                                                model_.Separator(), ExactDigits->isChecked(), InterfaceLanguage());
    // As many parts as the readout's fixed lines hold, and how many more.
    const QRect room = Readout->contentsRect();
    const auto fits = [&](std::size_t shown) {
        return Readout->fontMetrics()
                   .boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, Utf8(JoinedReadout(parts, shown, InterfaceLanguage())))
                   .height() <= room.height();
    };
    std::size_t shown = parts.size();
    while (shown > 1 && !fits(shown))
        --shown;
    Readout->setText(Utf8(JoinedReadout(parts, shown, InterfaceLanguage())));
}

void DesignExplorer::ChooseExportFile(const QString& filter, const QString& suffix,
                                      void (DesignExplorer::*save)(const QString&))
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(suffix);
    dialog.setNameFilter(filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    try {
        (this->*save)(path);
    } catch (const EReportWriteError& error) {
        // The window's own report keeps its historic message; an export says
        // which file and why.
        ShowFailureBox(UiText("explorer.file.not-saved")
                           .arg(QString::fromStdString(error.fullPath()), QString::fromStdString(error.reason())));
    } catch (const Exception& error) {
        ShowFailureBox(QString::fromStdString(error.what()));
    }
}

void DesignExplorer::ChooseDesignToOpen()
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(UiText("explorer.design.file-filter"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    try {
        OpenDesign(dialog.selectedFiles().first());
    } catch (const Exception& error) {
        ShowFailureBox(QString::fromStdString(error.what()));
    }
}

void DesignExplorer::OpenDesign(const QString& path)
{
    const TDesignFileReading reading =
        ReadDesignFile(ReadSmallFile(path, static_cast<qint64>(kMaxDesignFileBytes)), model_.Separator());
    if (!reading.design)
        throw EFOpenError(NotOpenedText(path, Utf8(DesignFileFault(reading, InterfaceLanguage()))));
    // The pins first: a pin that is no design leaves everything as it was.
    if (const std::optional<std::size_t> badField = TakeDesignFilePins(model_, *reading.design))
        throw EFOpenError(NotOpenedText(
            path, UiText("explorer.file.in-pin").arg(Utf8(NotANumberNote(*badField, InterfaceLanguage())))));
    pinnedSweeps_.clear();
    for (std::size_t i = 0; i < kInputCount; ++i)
        if (writeField_ && fields_[i]->text() != Utf8(reading.design->texts[i]))
            writeField_(i, Utf8(reading.design->texts[i]));
    ReadFields();
    Recompute();
}

void DesignExplorer::SaveDesign(const QString& path)
{
    SaveExportFile(path, WriteDesignFile(ExplorerDesignFile(model_), model_.Separator()));
}

void DesignExplorer::ExportPng(const QString& path) { SaveExportFile(path, ChartPng(*Chart)); }

void DesignExplorer::ExportSvg(const QString& path) { SaveExportFile(path, ChartSvg(*Chart)); }

void DesignExplorer::ExportCsv(const QString& path)
{
    SaveExportFile(path, sweep_ ? DesignSweepCsv(*sweep_) : std::string());
}

void DesignExplorer::ExportDrawingPng(const QString& path) { SaveExportFile(path, DrawingPng(*Drawing)); }

void DesignExplorer::ExportDrawingSvg(const QString& path) { SaveExportFile(path, DrawingSvg(*Drawing)); }

namespace {

TBuildSheet MakeSheet(const ExplorerModel& model, ExplorerChart& chart)
{
    const TAntennaInputs typed = *model.Typed();
    const char separator = model.Separator();
    const TAmateurBand& band = NearestBand(model.Region(), typed.FrequencyMHz);
    return {typed,
            CalculateDesign(typed).results,
            separator,
            QDate::currentDate().toString(Qt::ISODate),
            Utf8(DesignLinkQuery(model.FieldTexts(), separator)),
            UiText("explorer.sheet.band").arg(band.metres).arg(Utf8(ExactNumber(band.lowKHz, separator)),
                                                                     Utf8(ExactNumber(band.highKHz, separator))),
            [&chart](QPainter& painter, const QRectF& area) {
                // Laid out for the page's width in pixels of a 96 dpi screen.
                const double pixel = painter.device()->logicalDpiX() / 96.0;
                chart.PaintOutlined(painter, area, (area.size() / pixel).toSize());
            },
            InterfaceLanguage()};
}

} // namespace

void DesignExplorer::ExportBuildSheet(const QString& path)
{
    // The sheet and the main window's report show the same design.
    if (recalculate_)
        recalculate_();
    // The chart too, when a field changed since it was drawn.
    if (dirty_ || !sweep_) {
        Recompute();
        WaitForSweep();
    }
    if (!sweep_ || !model_.Typed())
        throw EFCreateError(UiText("explorer.sheet.not-made").toStdString());
    SaveExportFile(path, BuildSheetPdf(MakeSheet(model_, *Chart)));
}

void DesignExplorer::PrintBuildSheet()
{
    if (recalculate_)
        recalculate_();
    if (dirty_ || !sweep_) {
        Recompute();
        WaitForSweep();
    }
    if (!model_.Typed())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(UiText("explorer.sheet.title"));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PaintBuildSheet(printer, MakeSheet(model_, *Chart));
}

} // namespace eh
