// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignExplorer.h"

#include "AmateurBands.h"
#include "AntennaDrawing.h"
#include "Exceptions.h"
#include "ExplorerChart.h"
#include "LabeledEdit.h"
#include "NumberFormat.h"
#include "RegionalSettings.h"
#include "ReportFileWriter.h"
#include "WindowFont.h"
#include "WindowPlacement.h"
#include "uInterface.h"

#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace eh {

namespace {

constexpr double kHfLowMHz = 1.8;
constexpr double kHfHighMHz = 30.0;
constexpr const char* kDefaultPoints = "500";
const QColor kWarningColour(176, 0, 0);
// Bandwidth, efficiency and the tuning coil's turns: what a ham weighs first.
constexpr const char* kDefaultOutputs[] = {"BandwidthKHz", "EfficiencyPct", "TurnCount"};

QSettings OpenSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("eh-antenna"),
                     QStringLiteral("explorer"));
}

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// A range bound as the user would type it, with the regional decimal mark.
QString BoundText(double value, char separator)
{
    QString text = QString::number(value, 'g', 12);
    text.replace('.', QChar(separator));
    return text;
}

std::string ToBytes(const QByteArray& bytes) { return std::string(bytes.constData(), size_t(bytes.size())); }

} // namespace

DesignExplorer::DesignExplorer(const TForm1& mainWindow, QWidget* parent)
    : DesignExplorer(
          [&mainWindow] {
              FieldEdits fields{};
              std::copy(mainWindow.Edits.begin(), mainWindow.Edits.end(), fields.begin());
              return fields;
          }(),
          parent)
{
}

DesignExplorer::DesignExplorer(const FieldEdits& fields, QWidget* parent) : QWidget(parent), fields_(fields)
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
    connect(Outputs, &QListWidget::itemChanged, this, &DesignExplorer::Schedule);
    connect(Chart, &ExplorerChart::hovered, this, &DesignExplorer::ShowReadout);
    connect(SavePng, &QPushButton::clicked, this,
            [this] { ChooseExportFile("PNG (*.png)", "png", &DesignExplorer::ExportPng); });
    connect(SaveSvg, &QPushButton::clicked, this,
            [this] { ChooseExportFile("SVG (*.svg)", "svg", &DesignExplorer::ExportSvg); });
    connect(SaveCsv, &QPushButton::clicked, this,
            [this] { ChooseExportFile("CSV (*.csv)", "csv", &DesignExplorer::ExportCsv); });
    const bool custom = RangePreset->currentIndex() == kCustom;
    FromEdit->setReadOnly(!custom);
    ToEdit->setReadOnly(!custom);
}

DesignExplorer::~DesignExplorer() { SaveSettings(); }

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
    rangeRow->addWidget(new QLabel("Ось X:"));
    rangeRow->addWidget(XInput);
    rangeRow->addSpacing(12);
    rangeRow->addWidget(new QLabel("Диапазон:"));
    rangeRow->addWidget(RangePreset);
    rangeRow->addWidget(new QLabel("от"));
    rangeRow->addWidget(FromEdit);
    rangeRow->addWidget(new QLabel("до"));
    rangeRow->addWidget(ToEdit);
    rangeRow->addWidget(new QLabel("точек"));
    rangeRow->addWidget(PointsEdit);
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
    Outputs->setMinimumWidth(200);

    Chart = new ExplorerChart;
    Chart->setObjectName("Chart");
    Chart->setMinimumSize(360, 260);
    Drawing = new AntennaDrawing;
    Drawing->setObjectName("Drawing");

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(Outputs);
    splitter->addWidget(Chart);
    splitter->addWidget(Drawing);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setSizes({250, 590, 260});

    Readout = new QLabel;
    Readout->setObjectName("Readout");
    Readout->setTextFormat(Qt::PlainText);
    Readout->setWordWrap(true);
    Note = new QLabel;
    Note->setObjectName("Note");
    Note->setTextFormat(Qt::PlainText);
    Note->setWordWrap(true);

    SavePng = new QPushButton("Сохранить PNG…");
    SaveSvg = new QPushButton("Сохранить SVG…");
    SaveCsv = new QPushButton("Сохранить CSV…");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Note, 1);
    buttons->addWidget(SavePng);
    buttons->addWidget(SaveSvg);
    buttons->addWidget(SaveCsv);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(rangeRow);
    layout->addWidget(splitter, 1);
    layout->addWidget(Readout);
    layout->addLayout(buttons);
}

bool DesignExplorer::LoadSettings()
{
    QSettings settings = OpenSettings();
    const bool placed = restoreGeometry(settings.value("geometry").toByteArray());
    const std::optional<std::size_t> input = InputByKey(settings.value("input").toString().toStdString());
    XInput->setCurrentIndex(static_cast<int>(input.value_or(0)));
    RangePreset->setCurrentIndex(std::clamp(settings.value("preset", int(kWholeHf)).toInt(), 0, int(kCustom)));
    RangePreset->setEnabled(InputTable()[input.value_or(0)].value == &TAntennaInputs::FrequencyMHz);
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
    QSettings settings = OpenSettings();
    settings.setValue("geometry", saveGeometry());
    settings.setValue("input", InputTable()[static_cast<std::size_t>(XInput->currentIndex())].key);
    settings.setValue("preset", RangePreset->currentIndex());
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
    if (!frequency) {
        // The presets are frequencies; a range from half to twice the typed
        // value is the useful start.
        RangePreset->setCurrentIndex(kCustom);
        const char separator = RegionalSettings::DecimalSeparator();
        try {
            const double typed = ReadFieldTexts(FieldTexts(), separator).inputs.*InputTable()[input].value;
            if (typed > 0) {
                FromEdit->setText(BoundText(typed / 2, separator));
                ToEdit->setText(BoundText(typed * 2, separator));
            }
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
        const TAmateurBand& band = NearestBand(typed.FrequencyMHz);
        FromEdit->setText(BoundText(band.lowMHz, separator));
        ToEdit->setText(BoundText(band.highMHz, separator));
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
    const TRangeReading range = ReadSweepRange(
        input, {FromEdit->text().toStdString(), ToEdit->text().toStdString(), PointsEdit->text().toStdString()},
        separator);
    if (!range.range) {
        ShowStale(Utf8(range.message));
        return;
    }

    sweep_ = RunExplorerSweep(reading.inputs, *range.range);
    std::vector<double> xValues(range.range->points);
    for (std::size_t i = 0; i < xValues.size(); ++i)
        xValues[i] = range.range->Value(i);
    std::vector<TChartSeries> series;
    for (const std::size_t result : ChosenOutputs()) {
        const TResultInfo& info = ResultTable()[result];
        TChartSeries one{Utf8(StandaloneName(info)), QString::fromUtf8(info.unit), {}};
        one.values.reserve(xValues.size());
        for (const std::optional<TAntennaResults>& results : sweep_->results)
            one.values.push_back(results ? ShownValue(info, *results) : NAN);
        series.push_back(std::move(one));
    }
    const TInputInfo& swept = InputTable()[input];
    Chart->SetData(QString::fromUtf8(swept.label), std::move(xValues), series,
                   swept.value == &TAntennaInputs::FrequencyMHz, reading.inputs.*swept.value);
    Chart->SetStale(false);

    const TDesign typed = CalculateDesign(reading.inputs);
    Drawing->SetDesign(reading.inputs, typed.results, separator);

    QStringList notes;
    if (!range.note.empty())
        notes << Utf8(range.note);
    if (!sweep_->faults.empty())
        notes << Utf8(FaultSummary(*sweep_));
    if (sweep_->FaultCount() == sweep_->range.points)
        notes << "Ни одна точка не рассчитана";
    if (series.empty())
        notes << "Выберите величины в списке слева";
    ShowNote(notes.join(". "), !sweep_->faults.empty());
    Readout->clear();
}

void DesignExplorer::ShowReadout(std::optional<std::size_t> index)
{
    if (!index || !sweep_ || *index >= sweep_->range.points) {
        Readout->clear();
        return;
    }
    const char separator = RegionalSettings::DecimalSeparator();
    const TInputInfo& swept = InputTable()[sweep_->range.input];
    QString text = QString::fromUtf8(swept.label) + " = " +
                   Utf8(FormatReportNumber(sweep_->range.Value(*index), separator));
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
        text += "   (" + Utf8(FailureText(sweep_->faults[sweep_->faultOf[*index]].fault.message)) + ")";
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
    (this->*save)(dialog.selectedFiles().first());
}

void DesignExplorer::ExportPng(const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Chart->RenderImage().save(&buffer, "PNG");
    WriteReportFile(path.toStdString(), ToBytes(bytes));
}

void DesignExplorer::ExportSvg(const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Chart->RenderSvg(buffer);
    WriteReportFile(path.toStdString(), ToBytes(bytes));
}

void DesignExplorer::ExportCsv(const QString& path)
{
    WriteReportFile(path.toStdString(), sweep_ ? SweepCsv(*sweep_) : std::string());
}

} // namespace eh
