// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasurementView.h"

#include "ApplicationShell.h"
#include "ChartPointsDialog.h"
#include "FileDialogTexts.h"
#include "InterfaceLanguage.h"
#include "MeasurementFigures.h"
#include "MeasurementTexts.h"
#include "MessageBoxes.h"
#include "ModelComparison.h"
#include "RegionalSettings.h"
#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <limits>

namespace eh {

namespace {

// A smooth curve needs no more points than a chart has pixel columns.
constexpr std::size_t kIdealCurvePoints = 1000;

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

double OrNaN(const std::optional<double>& value)
{
    return value ? *value : std::numeric_limits<double>::quiet_NaN();
}

QString Refused(const QString& path, const std::string& refusal)
{
    return Utf8(RefusedFileText(QFileInfo(path).fileName().toStdString(), refusal));
}

// Runs on a worker thread: the file's bytes, the sweep, its analysis and
// the curves. Only a regular file is read (a pipe or a device could wait
// or stream for ever), and no more of it than the reader takes.
TMeasurementOutcome ReadMeasurement(const QString& path)
{
    TMeasurementOutcome outcome;
    outcome.path = path;
    const QFileInfo info(path);
    if (!info.isFile()) {
        outcome.refusal = Refused(path, UnreadableFileText(UiText("measurement.not-regular-file").toStdString(), InterfaceLanguage()));
        return outcome;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        outcome.refusal = Refused(path, UnreadableFileText(file.errorString().toStdString(), InterfaceLanguage()));
        return outcome;
    }
    if (static_cast<quint64>(file.size()) > kTouchstoneMaxBytes) {
        outcome.refusal = Refused(path, TouchstoneRefusalText({TTouchstoneFault::TooLarge, 0, 0}, InterfaceLanguage()));
        return outcome;
    }
    std::string bytes(static_cast<std::size_t>(file.size()), '\0');
    const qint64 read = file.read(bytes.data(), static_cast<qint64>(bytes.size()));
    if (read < 0) {
        outcome.refusal = Refused(path, UnreadableFileText(file.errorString().toStdString(), InterfaceLanguage()));
        return outcome;
    }
    bytes.resize(static_cast<std::size_t>(read));
    TTouchstoneReading reading = ReadTouchstone(bytes);
    std::string().swap(bytes);
    if (!reading.sweep) {
        outcome.refusal = Refused(path, TouchstoneRefusalText(reading.refusal, InterfaceLanguage()));
        return outcome;
    }
    outcome.analysis = AnalyseResonance(*reading.sweep);
    const std::size_t n = reading.sweep->points.size();
    TMeasuredCurves& curves = outcome.curves;
    curves.frequencyMHz.reserve(n);
    curves.swr.reserve(n);
    curves.resistanceOhm.reserve(n);
    curves.reactanceOhm.reserve(n);
    for (const TMeasuredPoint& point : reading.sweep->points) {
        const TPointFigures figures = FiguresAt(point);
        curves.frequencyMHz.push_back(figures.frequencyHz / 1e6);
        curves.swr.push_back(OrNaN(figures.swr));
        curves.resistanceOhm.push_back(OrNaN(figures.resistanceOhm));
        curves.reactanceOhm.push_back(OrNaN(figures.reactanceOhm));
    }
    return outcome;
}

} // namespace

MeasurementView::MeasurementView(FieldTextsReader readFields, BandwidthWriter writeBandwidth, QWidget* parent)
    : QWidget(parent), readFields_(std::move(readFields)), writeBandwidth_(std::move(writeBandwidth))
{
    setObjectName("MeasurementView");
    setWindowTitle(UiText("measurement.title"));
    setWindowFlags(Qt::Window);
    setWindowIcon(ApplicationIcon());
    setFont(WindowFont());
    CreateControls();
    watcher_ = new QFutureWatcher<std::shared_ptr<const TMeasurementOutcome>>(this);
    connect(watcher_, &QFutureWatcherBase::finished, this, &MeasurementView::Finished);
    // Escape closes it, as it closes the explorer.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    SetReading(false);
    resize(1040, 620);
    CentreOnFirstShow(*this);
}

MeasurementView::~MeasurementView()
{
    // The worker writes only into its own outcome; waiting keeps it from
    // outliving the program's libraries at exit.
    watcher_->waitForFinished();
}

void MeasurementView::CreateControls()
{
    fileLabel_ = new QLabel;
    fileLabel_->setObjectName("FileLabel");
    fileLabel_->setTextFormat(Qt::PlainText);
    busy_ = new QProgressBar;
    busy_->setObjectName("Busy");
    busy_->setRange(0, 0);
    busy_->setMaximumWidth(160);
    openButton_ = new QPushButton(UiText("measurement.open"));
    openButton_->setObjectName("OpenButton");
    connect(openButton_, &QPushButton::clicked, this, &MeasurementView::ChooseFile);
    auto* top = new QHBoxLayout;
    top->addWidget(fileLabel_, 1);
    top->addWidget(busy_);
    top->addWidget(openButton_);

    figures_ = new QTableWidget(0, 2);
    figures_->setObjectName("Figures");
    figures_->setAccessibleName(UiText("measurement.figures"));
    figures_->horizontalHeader()->hide();
    figures_->verticalHeader()->hide();
    figures_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    figures_->horizontalHeader()->setStretchLastSection(true);
    figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    figures_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    figures_->setShowGrid(false);
    figures_->setWordWrap(true);
    notes_ = new QLabel;
    notes_->setObjectName("Notes");
    notes_->setAccessibleName(UiText("measurement.notes"));
    notes_->setTextFormat(Qt::PlainText);
    notes_->setWordWrap(true);
    notes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    method_ = new QLabel;
    method_->setObjectName("Method");
    method_->setTextFormat(Qt::PlainText);
    method_->setWordWrap(true);
    applyButton_ = new QPushButton(UiText("measurement.apply"));
    applyButton_->setObjectName("ApplyBandwidth");
    applyButton_->setToolTip(UiText("measurement.apply-tip"));
    connect(applyButton_, &QPushButton::clicked, this, &MeasurementView::ApplyBandwidth);
    pointsButton_ = new QPushButton(UiText("points.button"));
    pointsButton_->setObjectName("PointsButton");
    pointsButton_->setEnabled(false);
    connect(pointsButton_, &QPushButton::clicked, this, &MeasurementView::ShowPoints);

    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(figures_);
    sideLayout->addWidget(notes_);
    sideLayout->addWidget(applyButton_);
    sideLayout->addWidget(pointsButton_);
    sideLayout->addStretch(1);
    sideLayout->addWidget(method_);

    chart_ = new MeasurementChart;
    chart_->setObjectName("Chart");
    chart_->setMinimumSize(360, 320);
    auto* splitter = new QSplitter;
    splitter->addWidget(side);
    splitter->addWidget(chart_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({380, 660});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
}

QFileDialog& MeasurementView::OpenDialog()
{
    // Made at the first open, as the save dialog is.
    if (!openDialog_) {
        openDialog_ = new QFileDialog(this, UiText("measurement.title"));
        openDialog_->setObjectName("OpenDialog");
        openDialog_->setAcceptMode(QFileDialog::AcceptOpen);
        openDialog_->setFileMode(QFileDialog::ExistingFile);
        openDialog_->setOptions(QFileDialog::DontUseNativeDialog);
        openDialog_->setNameFilters(
            {UiText("measurement.file-filter"), UiText("measurement.all-files")});
        openDialog_->setSizeGripEnabled(true);
        if (InterfaceLanguage() == TLanguage::Russian)
            ShowRussianFileDetails(*openDialog_);
    }
    return *openDialog_;
}

void MeasurementView::ChooseFile()
{
    QFileDialog& dialog = OpenDialog();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    Open(dialog.selectedFiles().first());
}

void MeasurementView::Open(const QString& path)
{
    reading_ = path;
    SetReading(true);
    ShowAndRaise(*this);
    // A watcher given a new future forgets the old one: a file still being
    // read when another is chosen finishes unseen.
    watcher_->setFuture(QtConcurrent::run(
        [path] { return std::make_shared<const TMeasurementOutcome>(ReadMeasurement(path)); }));
}

void MeasurementView::WaitForAnalysis()
{
    if (!IsReading())
        return;
    watcher_->waitForFinished();
    Finished();
}

bool MeasurementView::IsReading() const { return !reading_.isEmpty(); }

void MeasurementView::Finished()
{
    // Shown already by WaitForAnalysis, or superseded.
    const QFuture<std::shared_ptr<const TMeasurementOutcome>> future = watcher_->future();
    if (!IsReading() || future.resultCount() == 0 || future.result()->path != reading_)
        return;
    std::shared_ptr<const TMeasurementOutcome> outcome = future.result();
    reading_.clear();
    SetReading(false);
    if (outcome->refusal) {
        // What was shown stays; a view that showed nothing goes away again.
        if (!shown_)
            hide();
        ShowNotice(*outcome->refusal);
        return;
    }
    Show(std::move(outcome));
}

void MeasurementView::Show(std::shared_ptr<const TMeasurementOutcome> outcome)
{
    shown_ = std::move(outcome);
    setWindowTitle(QStringLiteral("%1 — %2").arg(UiText("measurement.title"), QFileInfo(shown_->path).fileName()));
    SetReading(false);
    DesignChanged();
    emit measured({QFileInfo(shown_->path).fileName().toStdString(), shown_->analysis});
}

void MeasurementView::DesignChanged()
{
    if (!shown_)
        return;
    const char separator = RegionalSettings::DecimalSeparator();
    const std::optional<TModelPromise> promise = ModelPromise(readFields_(), separator, {.lengths = InterfaceLengthUnit(), .wireGauges = true});
    ShowFigures(promise, separator);
    ShowChart(promise, separator);
}

void MeasurementView::ShowFigures(const std::optional<TModelPromise>& promise, char separator)
{
    const TMeasurementSummary summary = SummariseMeasurement(shown_->analysis, promise, separator, InterfaceLanguage());
    figures_->setRowCount(static_cast<int>(summary.figures.size()));
    for (std::size_t i = 0; i < summary.figures.size(); ++i) {
        const int row = static_cast<int>(i);
        figures_->setItem(row, 0, new QTableWidgetItem(Utf8(summary.figures[i].label)));
        auto* value = new QTableWidgetItem(Utf8(summary.figures[i].value));
        // Bold, as the report's numbers are.
        value->setFont(WindowFont(kWindowCharacterHeight, true));
        figures_->setItem(row, 1, value);
    }
    figures_->resizeRowsToContents();
    // As tall as its rows: the notes and the button follow right below.
    figures_->setFixedHeight(figures_->verticalHeader()->length() + 2 * figures_->frameWidth());
    QStringList notes;
    for (const std::string& note : summary.notes)
        notes << Utf8(note);
    notes_->setText(notes.join('\n'));
    notes_->setVisible(!notes.isEmpty());
    method_->setText(Utf8(summary.method));
    fieldText_ = summary.fieldText ? Utf8(*summary.fieldText) : QString();
    applyButton_->setEnabled(!fieldText_.isEmpty() && !IsReading());
}

void MeasurementView::ShowChart(const std::optional<TModelPromise>& promise, char separator)
{
    const TResonanceAnalysis& analysis = shown_->analysis;
    TMeasurementChartData data;
    data.measured = std::shared_ptr<const TMeasuredCurves>(shown_, &shown_->curves);
    const std::vector<double>& frequencyMHz = shown_->curves.frequencyMHz;
    if (analysis.resonanceHz)
        data.resonanceMHz = *analysis.resonanceHz / 1e6;
    if (promise && analysis.resonanceHz && frequencyMHz.size() >= 2) {
        for (const auto& [f, swr] : IdealSwrCurve(*promise, *analysis.resonanceHz, frequencyMHz.front() * 1e6,
                                                  frequencyMHz.back() * 1e6, kIdealCurvePoints)) {
            data.idealFrequencyMHz.push_back(f / 1e6);
            data.idealSwr.push_back(swr);
        }
        data.idealName = Utf8(IdealCurveName(*promise, separator, InterfaceLanguage()));
    }
    const auto addSpan = [&](const std::optional<TFrequencySpan>& span, double level, const QString& name) {
        if (span)
            data.spans.push_back({span->lowHz / 1e6, span->highHz / 1e6, level, name});
    };
    addSpan(analysis.swrSpan, kHalfPowerSwr, Utf8(SwrAtMostText(kHalfPowerSwr, separator, InterfaceLanguage())));
    addSpan(analysis.swr2Span, 2, Utf8(SwrAtMostText(2, separator, InterfaceLanguage())));
    chart_->SetDecimalSeparator(separator);
    chart_->SetData(std::move(data));
}

void MeasurementView::SetReading(bool reading)
{
    busy_->setVisible(reading);
    if (reading)
        fileLabel_->setText(UiText("measurement.reading").arg(QFileInfo(reading_).fileName()));
    else
        fileLabel_->setText(shown_ ? QFileInfo(shown_->path).fileName() : QString());
    fileLabel_->setToolTip(shown_ && !reading ? QDir::toNativeSeparators(shown_->path) : QString());
    applyButton_->setEnabled(!reading && !fieldText_.isEmpty());
    pointsButton_->setEnabled(!reading && shown_);
}

void MeasurementView::ShowPoints()
{
    if (!shown_)
        return;
    const TMeasuredCurves& curves = shown_->curves;
    ShowChartPoints(*this, UiText("points.title").arg(QFileInfo(shown_->path).fileName()),
                    {{UiText("measurement.frequency-axis"), "", curves.frequencyMHz, true},
                     {UiText("measurement.swr-measured"), "", curves.swr},
                     {UiText("measurement.resistance-axis"), "", curves.resistanceOhm},
                     {UiText("measurement.reactance-axis"), "", curves.reactanceOhm}},
                    RegionalSettings::DecimalSeparator());
}

void MeasurementView::ApplyBandwidth()
{
    if (!fieldText_.isEmpty() && !IsReading())
        writeBandwidth_(fieldText_);
}

} // namespace eh
