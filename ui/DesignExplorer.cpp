// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignExplorer.h"

#include "AntennaDrawing.h"
#include "BandCoverage.h"
#include "Exceptions.h"
#include "ExplorerBuildSheet.h"
#include "ExplorerChart.h"
#include "LabeledEdit.h"
#include "MessageBoxes.h"
#include "NumberConversion.h"
#include "NumberFormat.h"
#include "RegionalSettings.h"
#include "ReportFileWriter.h"
#include "WindowFont.h"
#include "WindowPlacement.h"
#include "uInterface.h"

#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QSvgGenerator>
#include <QHeaderView>
#include <QTableWidget>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace eh {

namespace {

constexpr double kHfLowMHz = 1.8;
constexpr double kHfHighMHz = 30.0;
constexpr const char* kDefaultPoints = "500";
const QColor kWarningColour(176, 0, 0);
// Bandwidth, efficiency and the tuning coil's turns: what a ham weighs first.
constexpr const char* kDefaultOutputs[] = {"BandwidthKHz", "EfficiencyPct", "TurnCount"};
// The results the model derives from the measured bandwidth: with none
// measured they are constants, whatever else changes.
constexpr const char* kBandwidthDerived[] = {"RrOhm", "RrDeviationPct", "EfficiencyPct", "LossDb"};

QSettings OpenSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("eh-antenna"),
                     QStringLiteral("explorer"));
}

// QSettings reads its file as soon as it is made, and a pipe or a device
// there would block the window until something writes into it: the file is
// looked at first, through the name of a neighbour that never exists.
bool SettingsFileIsUsable()
{
    const QSettings neighbour(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("eh-antenna"),
                              QStringLiteral("explorer-unused"));
    const QFileInfo file(QFileInfo(neighbour.fileName()).dir().filePath(QStringLiteral("explorer.ini")));
    return !file.exists() || file.isFile();
}

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// A range bound as the user would type it, with the regional decimal mark.
QString BoundText(double value, char separator)
{
    QString text = QString::number(value, 'g', 12);
    text.replace('.', QChar(separator));
    return text;
}

// The shortest text that reads back as exactly `value`: neighbouring points
// of any sweep read differently.
QString ExactText(double value, char separator)
{
    char digits[32];
    const char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    QString text = QString::fromLatin1(digits, static_cast<qsizetype>(end - digits));
    text.replace('.', QChar(separator));
    return text;
}

std::string ToBytes(const QByteArray& bytes) { return std::string(bytes.constData(), size_t(bytes.size())); }

// An export into a pipe or a device would wait for a reader the window
// cannot see: only regular files (new or existing) are written.
void SaveExport(const QString& path, const std::string& bytes)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        throw EFCreateError("Cannot create file \"" + target.absoluteFilePath().toStdString() +
                            "\". Это не обычный файл");
    SaveFileAtomically(path.toStdString(), bytes);
}

bool IsBandwidthDerived(const TResultInfo& info)
{
    for (const char* member : kBandwidthDerived)
        if (std::strcmp(member, info.member) == 0)
            return true;
    return false;
}

// A button and a label with a mnemonic that focuses `buddy`.
QLabel* BuddyLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
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
              mainWindow.Edits[input]->setText(text);
              // As if the user had typed it and pressed Enter.
              mainWindow.BitBtn1Click();
          },
          parent)
{
}

DesignExplorer::DesignExplorer(const FieldEdits& fields, FieldWriter writeField, QWidget* parent)
    : QWidget(parent), fields_(fields), writeField_(std::move(writeField))
{
    setObjectName("DesignExplorer");
    setWindowTitle("Обзор конструкции");
    setWindowFlags(Qt::Window);
    setWindowIcon(QIcon(":/icons/app.ico"));
    setFont(WindowFont());
    CreateControls();
    resize(1100, 640);
    // Where the user left it last time, or else centred.
    if (!LoadSettings())
        CentreOnFirstShow(*this);

    watcher_ = new QFutureWatcher<std::shared_ptr<const TDesignSweep>>(this);
    connect(watcher_, &QFutureWatcherBase::finished, this, [this] {
        if (watcher_->future().resultCount() > 0)
            ShowSweep(watcher_->result());
    });
    solveWatcher_ = new QFutureWatcher<TSolveOutcome>(this);
    connect(solveWatcher_, &QFutureWatcherBase::finished, this, [this] {
        if (solveWatcher_->future().resultCount() > 0)
            ShowSolve(solveWatcher_->result());
    });
    connect(RegionChoice, &QComboBox::currentIndexChanged, this, &DesignExplorer::Schedule);
    connect(SolveButton, &QPushButton::clicked, this, &DesignExplorer::Solve);
    connect(SolveTarget, &QLineEdit::returnPressed, this, &DesignExplorer::Solve);
    connect(SolutionList, &QListWidget::currentRowChanged, this,
            [this](int row) { ApplySolution->setEnabled(row >= 0); });
    connect(ApplySolution, &QPushButton::clicked, this, &DesignExplorer::ApplyChosenSolution);
    Debounce = new QTimer(this);
    Debounce->setSingleShot(true);
    Debounce->setInterval(kDebounceMs);
    connect(Debounce, &QTimer::timeout, this, &DesignExplorer::Recompute);
    for (const QLineEdit* field : fields_)
        connect(field, &QLineEdit::textChanged, this, &DesignExplorer::Schedule);
    connect(XInput, &QComboBox::currentIndexChanged, this, &DesignExplorer::SweepAnotherInput);
    connect(RangePreset, &QComboBox::currentIndexChanged, this, [this] {
        const bool custom = RangePreset->currentIndex() == kCustom;
        FromEdit->setReadOnly(!custom);
        ToEdit->setReadOnly(!custom);
        Schedule();
    });
    for (QLineEdit* edit : {FromEdit, ToEdit, PointsEdit})
        connect(edit, &QLineEdit::textEdited, this, &DesignExplorer::Schedule);
    connect(Outputs, &QListWidget::itemChanged, this, &DesignExplorer::Redraw);
    connect(Chart, &ExplorerChart::hovered, this, &DesignExplorer::ShowReadout);
    connect(PinButton, &QPushButton::clicked, this, &DesignExplorer::Pin);
    connect(ClearPinsButton, &QPushButton::clicked, this, &DesignExplorer::ClearPinned);
    connect(SaveSheet, &QPushButton::clicked, this,
            [this] { ChooseExportFile("PDF (*.pdf)", "pdf", &DesignExplorer::ExportBuildSheet); });
    connect(PrintSheet, &QPushButton::clicked, this, &DesignExplorer::PrintBuildSheet);
    connect(SavePng, &QPushButton::clicked, this,
            [this] { ChooseExportFile("PNG (*.png)", "png", &DesignExplorer::ExportPng); });
    connect(SaveSvg, &QPushButton::clicked, this,
            [this] { ChooseExportFile("SVG (*.svg)", "svg", &DesignExplorer::ExportSvg); });
    connect(SaveCsv, &QPushButton::clicked, this,
            [this] { ChooseExportFile("CSV (*.csv)", "csv", &DesignExplorer::ExportCsv); });
    connect(SaveDrawingPng, &QPushButton::clicked, this,
            [this] { ChooseExportFile("PNG (*.png)", "png", &DesignExplorer::ExportDrawingPng); });
    connect(SaveDrawingSvg, &QPushButton::clicked, this,
            [this] { ChooseExportFile("SVG (*.svg)", "svg", &DesignExplorer::ExportDrawingSvg); });
    // Esc closes, and Ctrl+G closes as it opened from the main window.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_G)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
    const bool custom = RangePreset->currentIndex() == kCustom;
    FromEdit->setReadOnly(!custom);
    ToEdit->setReadOnly(!custom);
}

DesignExplorer::~DesignExplorer()
{
    for (const auto& stop : {stopCurrent_, stopSolve_})
        if (stop)
            stop->store(true);
    watcher_->waitForFinished();
    solveWatcher_->waitForFinished();
    SaveSettings();
}

void DesignExplorer::CreateControls()
{
    XInput = new QComboBox;
    XInput->setObjectName("XInput");
    for (const TInputInfo& input : InputTable())
        XInput->addItem(QString::fromUtf8(input.label));
    RangePreset = new QComboBox;
    RangePreset->setObjectName("RangePreset");
    RangePreset->addItems({"КВ 1,8–30 МГц", "Любительский диапазон частоты", "Свой диапазон"});
    FromEdit = new QLineEdit;
    FromEdit->setObjectName("FromEdit");
    ToEdit = new QLineEdit;
    ToEdit->setObjectName("ToEdit");
    PointsEdit = new QLineEdit(kDefaultPoints);
    PointsEdit->setObjectName("PointsEdit");
    for (QLineEdit* edit : {FromEdit, ToEdit, PointsEdit})
        edit->setMaximumWidth(90);

    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(BuddyLabel("Ось &X:", XInput));
    rangeRow->addWidget(XInput);
    rangeRow->addSpacing(12);
    rangeRow->addWidget(BuddyLabel("&Диапазон:", RangePreset));
    rangeRow->addWidget(RangePreset);
    rangeRow->addWidget(BuddyLabel("о&т", FromEdit));
    rangeRow->addWidget(FromEdit);
    rangeRow->addWidget(BuddyLabel("д&о", ToEdit));
    rangeRow->addWidget(ToEdit);
    rangeRow->addWidget(BuddyLabel("то&чек", PointsEdit));
    rangeRow->addWidget(PointsEdit);
    rangeRow->addSpacing(12);
    RegionChoice = new QComboBox;
    RegionChoice->setObjectName("RegionChoice");
    RegionChoice->addItems({"IARU Район 1", "IARU Район 2", "IARU Район 3"});
    rangeRow->addWidget(BuddyLabel("Ра&йон:", RegionChoice));
    rangeRow->addWidget(RegionChoice);
    rangeRow->addStretch(1);

    Outputs = new QListWidget;
    Outputs->setObjectName("Outputs");
    for (const TResultInfo& result : ResultTable()) {
        auto* item =
            new QListWidgetItem(NameAndUnit(Utf8(StandaloneName(result)), QString::fromUtf8(result.unit)), Outputs);
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
    outputsLayout->addWidget(BuddyLabel("&Величины:", Outputs));
    outputsLayout->addWidget(Outputs, 1);

    Chart = new ExplorerChart;
    Chart->setObjectName("Chart");
    Chart->setMinimumSize(360, 260);
    Sides = new QTabWidget;
    Sides->setObjectName("Sides");
    Sides->addTab(CreateDrawingTab(), "Че&ртёж");
    Sides->addTab(CreateBandsTab(), "Ди&апазоны");
    Sides->addTab(CreateSolveTab(), "Под&бор");

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(outputsBox);
    splitter->addWidget(Chart);
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
    Note = new QLabel;
    Note->setObjectName("Note");
    Note->setTextFormat(Qt::PlainText);
    Note->setWordWrap(true);

    PinButton = new QPushButton("&Закрепить");
    PinButton->setObjectName("PinButton");
    ClearPinsButton = new QPushButton("Сн&ять закреплённые");
    ClearPinsButton->setObjectName("ClearPinsButton");
    SaveSheet = new QPushButton("&Лист сборки PDF…");
    PrintSheet = new QPushButton("&Печать…");
    SavePng = new QPushButton("Гра&фик PNG…");
    SaveSvg = new QPushButton("Графи&к SVG…");
    SaveCsv = new QPushButton("Таблица &CSV…");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {PinButton, ClearPinsButton})
        buttons->addWidget(button);
    buttons->addStretch(1);
    for (QPushButton* button : {SaveSheet, PrintSheet, SavePng, SaveSvg, SaveCsv})
        buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(rangeRow);
    layout->addWidget(splitter, 1);
    layout->addWidget(Readout);
    layout->addWidget(Note);
    layout->addLayout(buttons);
}

QWidget* DesignExplorer::CreateDrawingTab()
{
    Drawing = new AntennaDrawing;
    Drawing->setObjectName("Drawing");
    SaveDrawingPng = new QPushButton("Чертёж P&NG…");
    SaveDrawingSvg = new QPushButton("Чертёж S&VG…");
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(Drawing, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(SaveDrawingPng);
    row->addWidget(SaveDrawingSvg);
    layout->addLayout(row);
    return tab;
}

QWidget* DesignExplorer::CreateBandsTab()
{
    Coverage = new QTableWidget(0, 4);
    Coverage->setObjectName("Coverage");
    Coverage->setHorizontalHeaderLabels({"Диапазон", "Витков\nниз–верх", "Полоса,\nкГц", "Настроек"});
    Coverage->verticalHeader()->hide();
    Coverage->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Coverage->setSelectionMode(QAbstractItemView::NoSelection);
    Coverage->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Coverage->horizontalHeader()->setStretchLastSection(true);
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* about = new QLabel("Настройка на низ, центр и верх каждого диапазона; полоса по уровню 3 dB в "
                             "центре; «весь» — одна настройка перекрывает диапазон. Выделен диапазон "
                             "введённой частоты.");
    about->setWordWrap(true);
    layout->addWidget(about);
    layout->addWidget(Coverage, 1);
    return tab;
}

QWidget* DesignExplorer::CreateSolveTab()
{
    SolveResult = new QComboBox;
    SolveResult->setObjectName("SolveResult");
    for (const TResultInfo& result : ResultTable())
        SolveResult->addItem(NameAndUnit(Utf8(StandaloneName(result)), QString::fromUtf8(result.unit)));
    SolveResult->setCurrentIndex(2);
    SolveTarget = new QLineEdit;
    SolveTarget->setObjectName("SolveTarget");
    SolveInput = new QComboBox;
    SolveInput->setObjectName("SolveInput");
    for (const TInputInfo& input : InputTable())
        SolveInput->addItem(QString::fromUtf8(input.label));
    SolveButton = new QPushButton("&Найти");
    SolveButton->setObjectName("SolveButton");
    SolutionList = new QListWidget;
    SolutionList->setObjectName("SolutionList");
    ApplySolution = new QPushButton("Впи&сать в главное окно");
    ApplySolution->setObjectName("ApplySolution");
    ApplySolution->setEnabled(false);
    SolveNote = new QLabel;
    SolveNote->setObjectName("SolveNote");
    SolveNote->setWordWrap(true);
    SolveNote->setTextFormat(Qt::PlainText);

    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(BuddyLabel("Вел&ичина:", SolveResult));
    layout->addWidget(SolveResult);
    layout->addWidget(BuddyLabel("&Цель:", SolveTarget));
    layout->addWidget(SolveTarget);
    layout->addWidget(BuddyLabel("&Менять (в диапазоне графика):", SolveInput));
    layout->addWidget(SolveInput);
    layout->addWidget(SolveButton);
    layout->addWidget(SolveNote);
    layout->addWidget(SolutionList, 1);
    layout->addWidget(ApplySolution);
    return tab;
}

TIaruRegion DesignExplorer::Region() const
{
    return IaruRegion(RegionChoice->currentIndex() + 1).value_or(kDefaultRegion);
}

void DesignExplorer::FillCoverage(const TAntennaInputs& typed)
{
    const char separator = RegionalSettings::DecimalSeparator();
    const std::vector<TBandCoverage> bands = CoverBands(Region(), typed);
    Coverage->setRowCount(static_cast<int>(bands.size()));
    const auto number = [separator](const std::optional<TAntennaResults>& results, double TAntennaResults::*value) {
        return results ? Utf8(FormatReportNumber((*results).*value, separator)) : QStringLiteral("—");
    };
    for (std::size_t row = 0; row < bands.size(); ++row) {
        const TBandCoverage& band = bands[row];
        const bool typedBand = typed.FrequencyMHz >= band.band.LowMHz() && typed.FrequencyMHz <= band.band.HighMHz();
        const QString settings = !band.settings ? QStringLiteral("—")
                                 : band.covers  ? QStringLiteral("1 (весь)")
                                                : QString::number(*band.settings);
        const QString cells[] = {
            QString("%1 м").arg(band.band.metres),
            number(band.low.results, &TAntennaResults::TurnCount) + "–" +
                number(band.high.results, &TAntennaResults::TurnCount),
            band.bandwidthKHz ? Utf8(FormatReportNumber(*band.bandwidthKHz, separator)) : QStringLiteral("—"),
            settings,
        };
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(QString("%1–%2 кГц")
                                 .arg(BoundText(band.band.lowKHz, separator), BoundText(band.band.highKHz, separator)));
            if (typedBand) {
                item->setBackground(QColor(255, 220, 120));
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            Coverage->setItem(static_cast<int>(row), column, item);
        }
    }
}

void DesignExplorer::Solve()
{
    const char separator = RegionalSettings::DecimalSeparator();
    const std::size_t input = static_cast<std::size_t>(SolveInput->currentIndex());
    const TResultInfo& result = ResultTable()[static_cast<std::size_t>(SolveResult->currentIndex())];
    double target = 0;
    TFieldReading reading;
    try {
        target = ConvertFieldText(SolveTarget->text().toStdString(), separator);
        reading = ReadFieldTexts(FieldTexts(), separator);
    } catch (const Exception&) {
        SolveNote->setText("Цель: не число");
        return;
    }
    if (reading.badField) {
        SolveNote->setText(Utf8(NotANumberNote(*reading.badField)));
        return;
    }
    // The solve's input becomes the chart's x axis, so that its solutions
    // can be marked; its range is the chart's.
    if (static_cast<std::size_t>(XInput->currentIndex()) != input)
        XInput->setCurrentIndex(static_cast<int>(input));
    if (InputTable()[input].value == &TAntennaInputs::FrequencyMHz)
        FillPresetRange(reading.inputs);
    const TSweepPlanReading plan =
        PlanSweepByPoints(input, FromEdit->text().toStdString(), ToEdit->text().toStdString(), kSolveGridPoints,
                          separator, kSolveGridPoints);
    if (!plan.plan) {
        SolveNote->setText(Utf8(ReadExplorerRange(input, {FromEdit->text().toStdString(),
                                                           ToEdit->text().toStdString(), "2"},
                                                  separator)
                                    .message));
        return;
    }
    // The list shows millimetres where the model counts centimetres.
    if (result.timesTen)
        target /= 10;
    if (stopSolve_)
        stopSolve_->store(true);
    stopSolve_ = std::make_shared<std::atomic<bool>>(false);
    solvedInput_ = input;
    SolveNote->setText("Поиск…");
    const TSolveRequest request{*plan.plan, reading.inputs, static_cast<std::size_t>(SolveResult->currentIndex()),
                                target};
    solveWatcher_->setFuture(
        QtConcurrent::run([request, stop = stopSolve_] { return SolveForTarget(request, stop.get()); }));
}

void DesignExplorer::WaitForSolve()
{
    solveWatcher_->waitForFinished();
    if (solveWatcher_->future().resultCount() > 0)
        ShowSolve(solveWatcher_->result());
}

void DesignExplorer::ShowSolve(const TSolveOutcome& outcome)
{
    if (outcome.cancelled)
        return;
    const char separator = RegionalSettings::DecimalSeparator();
    const TResultInfo& result = ResultTable()[static_cast<std::size_t>(SolveResult->currentIndex())];
    const double scale = result.timesTen ? 10 : 1;
    solutions_ = outcome.solutions;
    SolutionList->clear();
    for (const double solution : solutions_)
        SolutionList->addItem(QString::fromUtf8(InputTable()[solvedInput_].label) + " = " +
                              ExactText(solution, separator));
    QStringList notes;
    if (solutions_.empty()) {
        notes << "Решений в диапазоне графика нет";
        if (outcome.lowestResult)
            notes << QString("величина меняется от %1 до %2")
                         .arg(Utf8(FormatReportNumber(*outcome.lowestResult * scale, separator)),
                              Utf8(FormatReportNumber(*outcome.highestResult * scale, separator)));
    } else {
        notes << QString("Решений: %1 (отмечены на графике зелёным)").arg(solutions_.size());
    }
    if (outcome.faultedPoints > 0)
        notes << QString("точек с ошибкой: %1").arg(outcome.faultedPoints);
    SolveNote->setText(notes.join("; "));
    if (!solutions_.empty())
        SolutionList->setCurrentRow(0);
    Redraw();
}

void DesignExplorer::ApplyChosenSolution()
{
    const int row = SolutionList->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= solutions_.size() || !writeField_)
        return;
    writeField_(solvedInput_, ExactText(solutions_[static_cast<std::size_t>(row)], RegionalSettings::DecimalSeparator()));
}

bool DesignExplorer::LoadSettings()
{
    // A settings file that is a pipe or a device is neither read nor written.
    settingsUsable_ = SettingsFileIsUsable();
    if (!settingsUsable_) {
        for (int row = 0; row < Outputs->count(); ++row)
            for (const char* member : kDefaultOutputs)
                if (Outputs->item(row)->data(Qt::UserRole).toString() == member)
                    Outputs->item(row)->setCheckState(Qt::Checked);
        return false;
    }
    QSettings settings = OpenSettings();
    const bool placed = restoreGeometry(settings.value("geometry").toByteArray());
    const std::optional<std::size_t> input = InputByKey(settings.value("input").toString().toStdString());
    XInput->setCurrentIndex(static_cast<int>(input.value_or(0)));
    RangePreset->setCurrentIndex(std::clamp(settings.value("preset", int(kWholeHf)).toInt(), 0, int(kCustom)));
    RangePreset->setEnabled(InputTable()[input.value_or(0)].value == &TAntennaInputs::FrequencyMHz);
    RegionChoice->setCurrentIndex(
        static_cast<int>(IaruRegion(settings.value("region", int(kDefaultRegion)).toInt()).value_or(kDefaultRegion)) - 1);
    FromEdit->setText(settings.value("from").toString());
    ToEdit->setText(settings.value("to").toString());
    PointsEdit->setText(settings.value("points", kDefaultPoints).toString());
    QStringList chosen = settings.value("outputs").toStringList();
    if (!settings.contains("outputs"))
        for (const char* member : kDefaultOutputs)
            chosen << member;
    for (int row = 0; row < Outputs->count(); ++row) {
        QListWidgetItem* item = Outputs->item(row);
        item->setCheckState(chosen.contains(item->data(Qt::UserRole).toString()) ? Qt::Checked : Qt::Unchecked);
    }
    return placed;
}

void DesignExplorer::SaveSettings() const
{
    if (!settingsUsable_ || !SettingsFileIsUsable())
        return;
    QSettings settings = OpenSettings();
    settings.setValue("geometry", saveGeometry());
    settings.setValue("input", InputTable()[static_cast<std::size_t>(XInput->currentIndex())].key);
    settings.setValue("preset", RangePreset->currentIndex());
    settings.setValue("region", static_cast<int>(Region()));
    settings.setValue("from", FromEdit->text());
    settings.setValue("to", ToEdit->text());
    settings.setValue("points", PointsEdit->text());
    QStringList chosen;
    for (const std::size_t result : ChosenOutputs())
        chosen << QString::fromUtf8(ResultTable()[result].member);
    settings.setValue("outputs", chosen);
}

std::vector<std::size_t> DesignExplorer::ChosenOutputs() const
{
    std::vector<std::size_t> chosen;
    for (int row = 0; row < Outputs->count(); ++row)
        if (Outputs->item(row)->checkState() == Qt::Checked)
            chosen.push_back(static_cast<std::size_t>(row));
    return chosen;
}

TFieldTexts DesignExplorer::FieldTexts() const
{
    TFieldTexts texts;
    for (std::size_t i = 0; i < kInputCount; ++i)
        texts[i] = fields_[i]->text().toStdString();
    return texts;
}

void DesignExplorer::SweepAnotherInput()
{
    const std::size_t input = static_cast<std::size_t>(XInput->currentIndex());
    const bool frequency = InputTable()[input].value == &TAntennaInputs::FrequencyMHz;
    RangePreset->setEnabled(frequency);
    // Curves against another input would not share this x axis.
    pinned_.clear();
    if (frequency) {
        // A frequency starts from the whole of HF, whatever range the
        // previous input had.
        RangePreset->setCurrentIndex(kWholeHf);
    } else {
        // The presets are frequencies; a range from half to twice the typed
        // value is the useful start.
        RangePreset->setCurrentIndex(kCustom);
        const char separator = RegionalSettings::DecimalSeparator();
        try {
            const double typed = ReadFieldTexts(FieldTexts(), separator).inputs.*InputTable()[input].value;
            FromEdit->setText(BoundText(typed > 0 ? typed / 2 : 0, separator));
            ToEdit->setText(BoundText(typed > 0 ? typed * 2 : 1, separator));
        } catch (const Exception&) {
            // A field beyond the double range: the range stays, the note will say why.
        }
    }
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
    SaveSettings();
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

void DesignExplorer::FillPresetRange(const TAntennaInputs& typed)
{
    const char separator = RegionalSettings::DecimalSeparator();
    if (RangePreset->currentIndex() == kWholeHf) {
        FromEdit->setText(BoundText(kHfLowMHz, separator));
        ToEdit->setText(BoundText(kHfHighMHz, separator));
    } else if (RangePreset->currentIndex() == kTypedBand) {
        const TAmateurBand& band = NearestBand(Region(), typed.FrequencyMHz);
        FromEdit->setText(BoundText(band.LowMHz(), separator));
        ToEdit->setText(BoundText(band.HighMHz(), separator));
    }
}

void DesignExplorer::Recompute()
{
    Debounce->stop();
    dirty_ = false;
    const char separator = RegionalSettings::DecimalSeparator();
    Chart->SetDecimalSeparator(separator);
    TFieldReading reading;
    try {
        reading = ReadFieldTexts(FieldTexts(), separator);
    } catch (const Exception&) {
        ShowStale("Число в одном из полей вне допустимого диапазона");
        return;
    }
    if (reading.badField) {
        ShowStale(Utf8(NotANumberNote(*reading.badField)));
        return;
    }
    const std::size_t input = static_cast<std::size_t>(XInput->currentIndex());
    if (InputTable()[input].value == &TAntennaInputs::FrequencyMHz)
        FillPresetRange(reading.inputs);
    FillCoverage(reading.inputs);
    const TRangeReading range = ReadExplorerRange(
        input, {FromEdit->text().toStdString(), ToEdit->text().toStdString(), PointsEdit->text().toStdString()},
        separator);
    if (!range.plan) {
        ShowStale(Utf8(range.message));
        return;
    }
    typed_ = reading.inputs;
    rangeNote_ = range.note;
    const TDesign typed = CalculateDesign(reading.inputs);
    Drawing->SetDesign(reading.inputs, typed.results, separator);

    // The sweep still running is of no use any more.
    if (stopCurrent_)
        stopCurrent_->store(true);
    stopCurrent_ = std::make_shared<std::atomic<bool>>(false);
    watcher_->setFuture(QtConcurrent::run(
        [base = reading.inputs, plan = *range.plan, stop = stopCurrent_, cancelled = cancelledSweeps_] {
            auto sweep = std::make_shared<const TDesignSweep>(RunDesignSweep(plan, base, stop.get()));
            if (!sweep->Complete()) {
                ++*cancelled;
                return std::shared_ptr<const TDesignSweep>();
            }
            return sweep;
        }));
}

void DesignExplorer::WaitForSweep()
{
    watcher_->waitForFinished();
    const QFuture<std::shared_ptr<const TDesignSweep>> future = watcher_->future();
    if (future.isValid() && future.resultCount() > 0 && future.result() && future.result() != sweep_)
        ShowSweep(future.result());
}

void DesignExplorer::ShowSweep(std::shared_ptr<const TDesignSweep> sweep)
{
    // A cancelled sweep brings nothing; the newer one follows.
    if (!sweep || sweep == sweep_)
        return;
    sweep_ = std::move(sweep);
    Redraw();
}

QStringList DesignExplorer::ModelNotes(const TAntennaInputs& typed) const
{
    QStringList notes;
    const TInputInfo& swept = InputTable()[sweep_->plan.input];
    if (typed.MeasuredBandwidthKHz == 0 && swept.value != &TAntennaInputs::MeasuredBandwidthKHz) {
        for (const std::size_t result : ChosenOutputs())
            if (IsBandwidthDerived(ResultTable()[result])) {
                const TInputInfo& field = InputTable()[kInputCount - 1];
                notes << QString("Измеренная полоса равна 0: RR, КПД и потери по определению постоянны "
                                 "(введите её в поле «%1» главного окна)")
                             .arg(QString::fromUtf8(field.label));
                break;
            }
    }
    if (PitchNeedsNotice(typed))
        notes << Utf8(kPitchNotice);
    return notes;
}

void DesignExplorer::Redraw()
{
    if (!sweep_)
        return;
    const std::vector<std::size_t> chosen = ChosenOutputs();
    const auto columns = [&](const TDesignSweep& sweep) {
        std::vector<TChartSeries> series;
        for (const std::size_t result : chosen) {
            const TResultInfo& info = ResultTable()[result];
            TChartSeries one{Utf8(StandaloneName(info)), QString::fromUtf8(info.unit), {}};
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
    data.xTitle = QString::fromUtf8(swept.label);
    data.xValues = xValues(*sweep_);
    data.series = columns(*sweep_);
    for (const TPinned& pinned : pinned_)
        data.pinned.push_back({PinnedLabel(*pinned.sweep), xValues(*pinned.sweep), columns(*pinned.sweep)});
    if (swept.value == &TAntennaInputs::FrequencyMHz)
        for (const TAmateurBand& band : BandPlan(Region()))
            data.bands.push_back({QString("%1 м").arg(band.metres), band.LowMHz(), band.HighMHz()});
    data.markedX = sweep_->base.*swept.value;
    if (solvedInput_ == sweep_->plan.input)
        data.solutions = solutions_;
    Chart->SetData(std::move(data));
    Chart->SetStale(false);

    QStringList notes;
    if (!rangeNote_.empty())
        notes << Utf8(rangeNote_);
    const TSweepFaultTally& faults = sweep_->counts.faults;
    if (faults.Total() > 0)
        notes << Utf8(FaultSummary(faults, sweep_->plan.points));
    if (faults.Total() == sweep_->plan.points)
        notes << "Ни одна точка не рассчитана";
    if (chosen.empty())
        notes << "Выберите величины в списке слева";
    const QStringList model = ModelNotes(typed_);
    notes << model;
    ShowNote(notes.join(". "), faults.Total() > 0 || !model.isEmpty());
    PinButton->setEnabled(pinned_.size() < kMaxPinned);
    ClearPinsButton->setEnabled(!pinned_.empty());
    Readout->clear();
}

QString DesignExplorer::PinnedLabel(const TDesignSweep& pinned) const
{
    const char separator = RegionalSettings::DecimalSeparator();
    QStringList differing;
    for (std::size_t i = 0; i < kInputCount; ++i) {
        if (i == pinned.plan.input)
            continue;
        const TInputInfo& input = InputTable()[i];
        if (pinned.base.*input.value != typed_.*input.value)
            differing << QString::fromUtf8(input.label) + " " +
                             Utf8(FormatReportNumber(pinned.base.*input.value, separator));
    }
    return differing.isEmpty() ? QStringLiteral("та же конструкция") : differing.join(", ");
}

void DesignExplorer::Pin()
{
    if (!sweep_ || pinned_.size() >= kMaxPinned)
        return;
    pinned_.push_back({sweep_});
    Redraw();
}

void DesignExplorer::ClearPinned()
{
    pinned_.clear();
    Redraw();
}

void DesignExplorer::ShowReadout(std::optional<std::size_t> index)
{
    if (!index || !sweep_ || *index >= sweep_->plan.points) {
        Readout->clear();
        return;
    }
    const char separator = RegionalSettings::DecimalSeparator();
    const TInputInfo& swept = InputTable()[sweep_->plan.input];
    QString text =
        QString::fromUtf8(swept.label) + " = " + ExactText(sweep_->plan.Value(*index), separator);
    // The band under the cursor, named here even where the chart had no
    // room for its name.
    if (swept.value == &TAntennaInputs::FrequencyMHz)
        for (const TAmateurBand& band : BandPlan(Region()))
            if (sweep_->plan.Value(*index) >= band.LowMHz() && sweep_->plan.Value(*index) <= band.HighMHz())
                text += QString(" (%1 м)").arg(band.metres);
    const std::optional<TAntennaResults>& results = sweep_->results[*index];
    for (const std::size_t result : ChosenOutputs()) {
        const TResultInfo& info = ResultTable()[result];
        text += "   " + Utf8(StandaloneName(info)) + " = ";
        if (!results) {
            text += QStringLiteral("—");
            continue;
        }
        text += Utf8(FormatReportNumber(ShownValue(info, *results), separator));
        if (*info.unit)
            text += " " + QString::fromUtf8(info.unit);
    }
    if (!results)
        text += "   (" + Utf8(FaultReason(sweep_->counts.faults.Counts()[sweep_->faultOf[*index]].fault)) + ")";
    Readout->setText(text.trimmed());
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
        ShowFailureBox(QString("Не удалось сохранить файл \"%1\". %2")
                           .arg(QString::fromStdString(error.fullPath()), QString::fromStdString(error.reason())));
    } catch (const Exception& error) {
        ShowFailureBox(QString::fromStdString(error.what()));
    }
}

void DesignExplorer::ExportPng(const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Chart->RenderImage().save(&buffer, "PNG");
    SaveExport(path, ToBytes(bytes));
}

void DesignExplorer::ExportSvg(const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Chart->RenderSvg(buffer);
    SaveExport(path, ToBytes(bytes));
}

void DesignExplorer::ExportCsv(const QString& path) { SaveExport(path, sweep_ ? DesignSweepCsv(*sweep_) : std::string()); }

void DesignExplorer::ExportDrawingPng(const QString& path)
{
    QImage image(Drawing->size() * 2, QImage::Format_ARGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        Drawing->Paint(painter, Drawing->rect());
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    SaveExport(path, ToBytes(bytes));
}

void DesignExplorer::ExportDrawingSvg(const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(Drawing->size());
        generator.setViewBox(Drawing->rect());
        generator.setTitle(QStringLiteral("Чертёж EH-антенны"));
        QPainter painter(&generator);
        Drawing->Paint(painter, Drawing->rect());
    }
    SaveExport(path, ToBytes(bytes));
}

namespace {

TBuildSheet MakeSheet(const TAntennaInputs& typed, AntennaDrawing& drawing, ExplorerChart& chart)
{
    const TDesign design = CalculateDesign(typed);
    return {typed, design.results, RegionalSettings::DecimalSeparator(),
            [&drawing](QPainter& painter, const QRectF& area) { drawing.Paint(painter, area); },
            [&chart](QPainter& painter, const QRectF& area) {
                // As the screen shows it: the window's bitmap fonts do not
                // scale to a page's resolution.
                const QPixmap image = chart.grab();
                const QSizeF fitted = QSizeF(chart.size()).scaled(area.size(), Qt::KeepAspectRatio);
                painter.drawPixmap(QRectF(area.topLeft(), fitted), image, QRectF(image.rect()));
            }};
}

} // namespace

void DesignExplorer::ExportBuildSheet(const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("EH-антенна: лист сборки"));
        writer.setCreator(QStringLiteral("eh-antenna"));
        PaintBuildSheet(writer, MakeSheet(typed_, *Drawing, *Chart));
    }
    SaveExport(path, ToBytes(bytes));
}

void DesignExplorer::PrintBuildSheet()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("EH-антенна: лист сборки"));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PaintBuildSheet(printer, MakeSheet(typed_, *Drawing, *Chart));
}

} // namespace eh
