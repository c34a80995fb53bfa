// SPDX-License-Identifier: GPL-3.0-or-later
#include "AntennaDrawing.h"
#include "BandCoverage.h"
#include "ApplicationShell.h"
#include "ChartPointsDialog.h"
#include "DesignExplorer.h"
#include "Exceptions.h"
#include "ExplorerWindows.h"
#include "ExplorerChart.h"
#include "InterfaceLanguage.h"
#include "LabeledEdit.h"
#include "MeasurementView.h"
#include "ModalWatcher.h"
#include "RegionalSettings.h"
#include "SyntheticSweep.h"
#include "WindowPlacement.h"
#include "WorkbenchNumber.h"
#include "uInterface.h"
#include "WindowControls.h"
#include "WindowTestMain.h"

#include <QChart>
#include <QCheckBox>
#include <QChartView>
#include <QPushButton>
#include <QTabWidget>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScatterSeries>
#include <QValueAxis>
#include <sys/stat.h>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QTableWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSet>
#include <QSettings>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <map>
#include <memory>

using eh::DesignExplorer;
using eh::TForm1;
using eh::test::Control;

namespace {

const char* const kExampleA[] = {"14.2", "50", "3", "1", "2", "50", "0"};

QList<eh::LabeledEdit*> Fields(TForm1& form)
{
    return {form.Edits.begin(), form.Edits.end()};
}

eh::TFieldTexts Texts(TForm1& form)
{
    eh::TFieldTexts texts;
    const auto fields = Fields(form);
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = fields[int(i)]->text().toStdString();
    return texts;
}

// Every point the chart draws for one output, by x; faulted points are absent.
std::map<double, double> Plotted(DesignExplorer& explorer, const QString& title)
{
    std::map<double, double> points;
    for (QChartView* plot : Control<eh::ExplorerChart>(explorer, "Chart")->Plots())
        for (QAbstractSeries* series : plot->chart()->series()) {
            if (series->name() != title)
                continue;
            for (const QPointF& point : static_cast<QLineSeries*>(series)->points())
                points[point.x()] = point.y();
        }
    return points;
}

std::size_t SeriesCount(DesignExplorer& explorer)
{
    std::size_t count = 0;
    for (QChartView* plot : Control<eh::ExplorerChart>(explorer, "Chart")->Plots())
        count += std::size_t(plot->chart()->series().size());
    return count;
}

// Recomputes and waits for the worker's sweep to be shown.
void Refresh(DesignExplorer& explorer)
{
    explorer.Recompute();
    explorer.WaitForSweep();
}

void SetRange(DesignExplorer& explorer, int input, const QString& from, const QString& to, const QString& points)
{
    Control<QComboBox>(explorer, "XInput")->setCurrentIndex(input);
    Control<QComboBox>(explorer, "RangePreset")->setCurrentIndex(DesignExplorer::kCustom);
    Control<QLineEdit>(explorer, "FromEdit")->setText(from);
    Control<QLineEdit>(explorer, "ToEdit")->setText(to);
    Control<QLineEdit>(explorer, "PointsEdit")->setText(points);
    Refresh(explorer);
}

// The keys that type these letters, a Russian letter by its place on the
// keyboard (ЙЦУКЕН over QWERTY).
QSet<QChar> KeysOf(const QStringList& letters)
{
    const QString russian = QString::fromUtf8("йцукенгшщзхъфывапролджэячсмитьбюё");
    const QString latin = "qwertyuiop[]asdfghjkl;'zxcvbnm,.`";
    QSet<QChar> keys;
    for (const QString& letter : letters) {
        const qsizetype at = russian.indexOf(letter);
        keys.insert(at >= 0 ? latin.at(at) : letter.at(0));
    }
    return keys;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class DesignExplorerTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        eh::RegionalSettings::SetDecimalSeparator(',');
        QSettings(QSettings::IniFormat, QSettings::UserScope, "eh-antenna", "explorer").clear();
        form_ = std::make_unique<TForm1>();
        form_->SetExplorerWindows(EhExplorerWindows);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        const auto fields = Fields(*form_);
        for (int i = 0; i < fields.size(); ++i)
            QTest::keyClicks(fields[i], kExampleA[i]);
        explorer_ = std::make_unique<DesignExplorer>(*form_);
        form_->SetExplorerWindow([this] { return explorer_.get(); });
        form_->activateWindow();
        form_->Edits[0]->setFocus();
    }

    void cleanup()
    {
        explorer_.reset();
        form_.reset();
    }

    void theViewMenuSitsBetweenFileAndHelpAndCtrlGOpensTheExplorer()
    {
        QStringList titles;
        for (QAction* action : form_->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, QStringList({"Файл", "Вид", "Справка", "Язык / Language"}));
        QCOMPARE(form_->N8->text(), QString("Обзор конструкции…"));
        QCOMPARE(form_->N8->shortcut(), QKeySequence("Ctrl+G"));
        form_->N8->trigger();
        QVERIFY(explorer_->isVisible());
        QCOMPARE(explorer_->windowTitle(), QString("Обзор конструкции"));
    }

    void everyOutputHasANameOfItsOwn()
    {
        QSet<QString> names;
        for (int i = 0; i < Control<QListWidget>(*explorer_, "Outputs")->count(); ++i)
            names.insert(Control<QListWidget>(*explorer_, "Outputs")->item(i)->text());
        QCOMPARE(names.size(), int(eh::kResultCount));
        QVERIFY(names.contains("Длина провода (фазирующая катушка), мм"));
    }

    void theSeriesEqualTheDesignServiceAtSampledPoints()
    {
        explorer_->show();
        SetRange(*explorer_, 0, "1,8", "30", "283");
        const eh::TFieldReading reading = eh::ReadFieldTexts(Texts(*form_), ',');
        const eh::TSweepPlan& range = explorer_->Sweep()->plan;
        for (const char* title : {"Полоса пропуск. по ур.3 dB, кГц", "Количество витков (катушка настройки)"}) {
            const std::map<double, double> plotted = Plotted(*explorer_, title);
            QCOMPARE(plotted.size(), std::size_t(283));
            for (const std::size_t i : {std::size_t(0), std::size_t(124), std::size_t(282)}) {
                eh::TAntennaInputs inputs = reading.inputs;
                inputs.FrequencyMHz = range.Value(i);
                const eh::TDesign design = eh::CalculateDesign(inputs);
                const double expected = QString(title).startsWith("Полоса") ? design.results->BandwidthKHz
                                                                             : design.results->TurnCount;
                QCOMPARE(plotted.at(inputs.FrequencyMHz), expected);
            }
        }
        // The report's millimetres, not the model's centimetres.
        Control<QListWidget>(*explorer_, "Outputs")->item(4)->setCheckState(Qt::Checked);
        const eh::TDesign first = eh::CalculateDesign([&] {
            eh::TAntennaInputs inputs = reading.inputs;
            inputs.FrequencyMHz = 1.8;
            return inputs;
        }());
        QCOMPARE(Plotted(*explorer_, "Общая длина антенны, мм").at(1.8), first.results->TotalLengthCm * 10);
    }

    void theReadoutGivesEverySeriesAtTheCursor()
    {
        explorer_->show();
        QVERIFY(QTest::qWaitForWindowExposed(explorer_.get()));
        SetRange(*explorer_, 0, "10", "20", "11");
        // The new plots laid out.
        QTest::qWait(100);
        // The middle of the plot area: the sixth point, 15 MHz.
        QChartView* plot = Control<eh::ExplorerChart>(*explorer_, "Chart")->Plots().front();
        const QPoint middle = plot->mapFromScene(plot->chart()->plotArea().center());
        QMouseEvent move(QEvent::MouseMove, middle, plot->viewport()->mapToGlobal(middle), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(plot->viewport(), &move);
        // Rounded for the workbench at 15 MHz, every digit a click away.
        QCOMPARE(Control<QLabel>(*explorer_, "Readout")->text(),
                 QString("Частота (МГц) = 15   Полоса пропуск. по ур.3 dB = 1234 кГц   "
                         "Количество витков (катушка настройки) = 13,06   Эффективность антенны = 0 %"));
        Control<QCheckBox>(*explorer_, "ExactDigits")->click();
        eh::TAntennaInputs inputs = eh::ReadFieldTexts(Texts(*form_), ',').inputs;
        inputs.FrequencyMHz = 15;
        const eh::TAntennaResults results = *eh::CalculateDesign(inputs).results;
        QCOMPARE(Control<QLabel>(*explorer_, "Readout")->text(),
                 QString("Частота (МГц) = 15   Полоса пропуск. по ур.3 dB = %1 кГц   "
                         "Количество витков (катушка настройки) = %2   Эффективность антенны = 0 %")
                     .arg(QString::fromStdString(eh::ExactNumber(results.BandwidthKHz, ',')),
                          QString::fromStdString(eh::ExactNumber(results.TurnCount, ','))));
        // The same points as a table, the chart's text alternative.
        for (QAction* action : Control<QPushButton>(*explorer_, "ExportButton")->menu()->actions())
            if (action->text() == "Та&блица точек…")
                action->trigger();
        auto* points = explorer_->findChild<eh::ChartPointsDialog*>("ChartPoints");
        QVERIFY(points && points->isVisible());
        const QAbstractItemModel& table = *points->Table()->model();
        QCOMPARE(table.rowCount(), 11);
        QCOMPARE(table.headerData(1, Qt::Horizontal).toString(), "Полоса пропуск. по ур.3 dB, кГц");
        QCOMPARE(QStringList({table.index(5, 0).data().toString(), table.index(5, 1).data().toString(),
                              table.index(5, 2).data().toString()}),
                 QStringList({"15", "1234", "13,06"}));
        points->close();
        // Every output: the readout keeps its height, shows what fits and
        // counts the rest.
        const int height = Control<QLabel>(*explorer_, "Readout")->height();
        for (int row = 0; row < Control<QListWidget>(*explorer_, "Outputs")->count(); ++row)
            Control<QListWidget>(*explorer_, "Outputs")->item(row)->setCheckState(Qt::Checked);
        Refresh(*explorer_);
        QTest::qWait(100);
        plot = Control<eh::ExplorerChart>(*explorer_, "Chart")->Plots().front();
        const QPoint centre = plot->mapFromScene(plot->chart()->plotArea().center());
        QMouseEvent again(QEvent::MouseMove, centre, plot->viewport()->mapToGlobal(centre), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(plot->viewport(), &again);
        const QString text = Control<QLabel>(*explorer_, "Readout")->text();
        QVERIFY2(QRegularExpression("^Частота \\(МГц\\) = 15   .*   … ещё [1-9][0-9]*$").match(text).hasMatch(),
                 qPrintable(text));
        QCOMPARE(Control<QLabel>(*explorer_, "Readout")->height(), height);
        QVERIFY(Control<QLabel>(*explorer_, "Readout")->heightForWidth(Control<QLabel>(*explorer_, "Readout")->width()) <= height);
    }

    void theBandPresetFollowsTheTypedFrequency_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("inside 20 m") << "14.2" << "14" << "14,35";
        QTest::newRow("nearer 30 m than 20 m") << "12" << "10,1" << "10,15";
        QTest::newRow("below 160 m") << "0.5" << "1,81" << "2";
        QTest::newRow("60 m, not 80 m") << "5.36" << "5,3515" << "5,3665";
        QTest::newRow("above 10 m: 6 m of Region 1") << "45" << "50" << "52";
    }

    void theBandPresetFollowsTheTypedFrequency()
    {
        QFETCH(QString, typed);
        QFETCH(QString, from);
        QFETCH(QString, to);
        explorer_->show();
        Control<QComboBox>(*explorer_, "RangePreset")->setCurrentIndex(DesignExplorer::kTypedBand);
        form_->Edits[0]->setText(typed);
        Refresh(*explorer_);
        QCOMPARE(Control<QLineEdit>(*explorer_, "FromEdit")->text(), from);
        QCOMPARE(Control<QLineEdit>(*explorer_, "ToEdit")->text(), to);
        QVERIFY(Control<QLineEdit>(*explorer_, "FromEdit")->isReadOnly());
        QCOMPARE(explorer_->Sweep()->plan.Value(0), from.replace(',', '.').toDouble());
    }

    void faultingPointsAreGapsCountedWithTheirReason()
    {
        const ModalWatcher watcher;
        explorer_->show();
        // Wire diameters -1, 0 and 1 mm: a logarithm of a negative ratio, a
        // division by zero, and a design.
        SetRange(*explorer_, 3, "-1", "1", "3");
        const std::map<double, double> plotted = Plotted(*explorer_, "Количество витков (катушка настройки)");
        QCOMPARE(plotted.size(), std::size_t(1));
        QVERIFY(plotted.count(1.0));
        QVERIFY(Control<QLabel>(*explorer_, "Note")->text().startsWith(
            "Точек с ошибкой: 2 из 3 (недопустимая операция: 1; деление на ноль: 1). Измеренная полоса равна 0"));
        SetRange(*explorer_, 3, "-1", "0", "2");
        QVERIFY(Control<QLabel>(*explorer_, "Note")->text().startsWith("Точек с ошибкой: 2 из 2 (недопустимая операция: 1; деление на "
                                                   "ноль: 1). Ни одна точка не рассчитана"));
        QVERIFY(watcher.seen().isEmpty());
    }

    void badInputGetsAnInlineMessageAndTheLastChartStaysGreyed_data()
    {
        QTest::addColumn<int>("input");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("points");
        QTest::addColumn<QString>("message");
        QTest::newRow("from >= to") << 0 << "30" << "1,8" << "100" << "Начало диапазона должно быть меньше конца";
        QTest::newRow("zero points") << 0 << "1,8" << "30" << "0" << "Число точек должно быть не меньше 2";
        QTest::newRow("negative points") << 0 << "1,8" << "30" << "-5" << "Число точек должно быть не меньше 2";
        QTest::newRow("points not a number") << 0 << "1,8" << "30" << "сто" << "Число точек: не целое число";
        QTest::newRow("zero frequency") << 0 << "0" << "30" << "100" << "Частота должна быть больше нуля";
        QTest::newRow("from not a number") << 1 << "x" << "30" << "100" << "Начало диапазона: не число";
        QTest::newRow("range too wide") << 1 << "-1e308" << "1e308" << "10" << "Диапазон слишком широк";
    }

    void badInputGetsAnInlineMessageAndTheLastChartStaysGreyed()
    {
        QFETCH(int, input);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, points);
        QFETCH(QString, message);
        explorer_->show();
        Refresh(*explorer_);
        const std::size_t seriesBefore = SeriesCount(*explorer_);
        QVERIFY(seriesBefore > 0);
        SetRange(*explorer_, input, from, to, points);
        QCOMPARE(Control<QLabel>(*explorer_, "Note")->text(), message);
        QVERIFY(Control<eh::ExplorerChart>(*explorer_, "Chart")->IsStale());
        QCOMPARE(SeriesCount(*explorer_), seriesBefore);
    }

    void absurdPointCountsAreCappedWithANote()
    {
        explorer_->show();
        SetRange(*explorer_, 0, "1,8", "30", "99999999999999999999");
        QCOMPARE(explorer_->Sweep()->plan.points, eh::kMaxExplorerPoints);
        QVERIFY(Control<QLabel>(*explorer_, "Note")->text().startsWith("Число точек ограничено: 100000. "));
    }

    void aFieldThatIsNotANumberIsNamedAndNeverReset()
    {
        explorer_->show();
        Refresh(*explorer_);
        FocusMainField(form_->Edits[1]);
        form_->Edits[1]->selectAll();
        QTest::keyClicks(form_->Edits[1], "abc");
        QVERIFY(Control<QTimer>(*explorer_, "Debounce")->isActive());
        QTRY_VERIFY(!Control<QTimer>(*explorer_, "Debounce")->isActive());
        QCOMPARE(Control<QLabel>(*explorer_, "Note")->text(), QString("Диаметр цилиндров (мм): не число"));
        QVERIFY(Control<eh::ExplorerChart>(*explorer_, "Chart")->IsStale());
        QCOMPARE(form_->Edits[1]->text(), QString("abc"));
        QCOMPARE(QApplication::focusWidget(), form_->Edits[1]);
    }

    void theMainWindowIsUntouchedByAnythingTheExplorerDoes()
    {
        form_->BitBtn1Click();
        const QString report = form_->RichEdit1->toPlainText();
        explorer_->show();
        FocusMainField(form_->Edits[0]);
        QTest::keyClicks(form_->Edits[0], "5");
        QTest::qWait(DesignExplorer::kDebounceMs * 2);
        SetRange(*explorer_, 4, "0", "3", "50");
        QTemporaryDir folder;
        explorer_->ExportCsv(folder.filePath("sweep.csv"));
        QCOMPARE(form_->Edits[0]->text(), QString("14.25"));
        const auto fields = Fields(*form_);
        for (int i = 1; i < fields.size(); ++i)
            QCOMPARE(fields[i]->text(), QString(kExampleA[i]));
        QCOMPARE(form_->RichEdit1->toPlainText(), report);
        QCOMPARE(QApplication::focusWidget(), form_->Edits[0]);
    }

    void theChartIsSavedAsValidPngAndSvg()
    {
        explorer_->show();
        QVERIFY(QTest::qWaitForWindowExposed(explorer_.get()));
        Refresh(*explorer_);
        QTemporaryDir folder;
        explorer_->ExportPng(folder.filePath("chart.png"));
        explorer_->ExportSvg(folder.filePath("chart.svg"));
        const QImage image(folder.filePath("chart.png"), "PNG");
        QCOMPARE(image.size(), Control<eh::ExplorerChart>(*explorer_, "Chart")->size() * Control<eh::ExplorerChart>(*explorer_, "Chart")->devicePixelRatio());
        QSvgRenderer svg(folder.filePath("chart.svg"));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox(), Control<eh::ExplorerChart>(*explorer_, "Chart")->rect());
        // Text in a face with outlines, never the screen's bitmap face.
        QFile svgFile(folder.filePath("chart.svg"));
        QVERIFY(svgFile.open(QIODevice::ReadOnly));
        const QByteArray svgBytes = svgFile.readAll();
        QVERIFY(!svgBytes.contains("MS Sans Serif"));
        // The legend's names are outlines, not runs placed for one face.
        QVERIFY(svgBytes.contains("<path"));
        QVERIFY(!svgBytes.contains("Полоса пропуск"));
        QVERIFY_THROWS_EXCEPTION(eh::EFCreateError, explorer_->ExportPng(folder.filePath("no/such/chart.png")));
    }

    // The sheet's chart is drawn in vectors: no picture of the screen.
    void theBuildSheetDrawsItsChartAsVectors()
    {
        explorer_->show();
        QVERIFY(QTest::qWaitForWindowExposed(explorer_.get()));
        Refresh(*explorer_);
        QTemporaryDir folder;
        explorer_->ExportBuildSheet(folder.filePath("sheet.pdf"));
        QFile pdf(folder.filePath("sheet.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(!bytes.contains("/Subtype /Image"));
        QVERIFY(!bytes.contains("MS Sans Serif"));
    }

    void theDrawingTakesItsDimensionsFromTheResults()
    {
        explorer_->show();
        Refresh(*explorer_);
        const eh::TDesign design = eh::CalculateDesign(eh::ReadFieldTexts(Texts(*form_), ',').inputs);
        const eh::TDrawingDimensions& d = *Control<eh::AntennaDrawing>(*explorer_, "Drawing")->Dimensions();
        QCOMPARE(d.cylinderLength, 150.0);
        QCOMPARE(d.gap, 50.0);
        QCOMPARE(d.coilDiameter, 50.0);
        QCOMPARE(d.coilLength, design.results->CoilLengthMm);
        QCOMPARE(d.totalLength, design.results->TotalLengthCm * 10);
        QCOMPARE(d.flatHorizontal, design.results->FlatArmHorizontalCm * 10);
        // The parts drawn add up to the overall length the model computes.
        QVERIFY(qAbs(2 * d.cylinderLength + 2 * d.gap + d.coilLength - d.totalLength) < 1e-9 * d.totalLength);
    }

    void theWindowSpeaksEnglishWhenMadeInEnglish()
    {
        eh::SetInterfaceLanguage(eh::TLanguage::English);
        const auto restore = qScopeGuard([] { eh::SetInterfaceLanguage(eh::TLanguage::Russian); });
        explorer_ = std::make_unique<DesignExplorer>(*form_);
        explorer_->show();
        Refresh(*explorer_);
        QCOMPARE(explorer_->windowTitle(), QString("Design explorer"));
        QCOMPARE(Control<QTabWidget>(*explorer_, "Sides")->tabText(2), QString("&Solve"));
        QCOMPARE(Control<QComboBox>(*explorer_, "RegionChoice")->itemText(1), QString("IARU Region 2"));
        QCOMPARE(Control<QPushButton>(*explorer_, "FileButton")->menu()->actions().first()->text(), QString("&Open design…"));
        const eh::TDrawingShapes& shapes = Control<eh::AntennaDrawing>(*explorer_, "Drawing")->Shapes();
        QCOMPARE(QString::fromStdString(shapes.caption), QString("Side view, mm"));
        QCOMPARE(QString::fromStdString(shapes.flat.title), QString("Flat variant"));
        QVERIFY(shapes.cylinder.notes.at(0).starts_with("Turns: "));
    }

    // In inches the explorer shows its lengths in inches, and its design
    // file holds millimetres that reopen as the inches typed.
    void inInchesTheLengthsAreInchesAndTheDesignFileMillimetres()
    {
        eh::SetInterfaceLengthUnit(eh::TLengthUnit::Inch);
        const auto restore = qScopeGuard([] { eh::SetInterfaceLengthUnit(eh::TLengthUnit::Millimetre); });
        explorer_.reset();
        form_ = std::make_unique<TForm1>();
        const QStringList typed = {"14,2", "1,968503937", "3", "0,0393700787", "0,0787401575", "1,968503937", "0"};
        for (int i = 0; i < typed.size(); ++i)
            form_->Edits[i]->setText(typed[i]);
        explorer_ = std::make_unique<DesignExplorer>(*form_);
        explorer_->show();
        Control<QComboBox>(*explorer_, "XInput")->setCurrentIndex(1);
        Refresh(*explorer_);
        QCOMPARE(Control<QComboBox>(*explorer_, "XInput")->currentText(), QString("Диаметр цилиндров (дюйм)"));
        QCOMPARE(Control<QLineEdit>(*explorer_, "FromEdit")->text() + " " + Control<QLineEdit>(*explorer_, "ToEdit")->text(), QString("0,039 20"));
        const eh::TDrawingShapes& shapes = Control<eh::AntennaDrawing>(*explorer_, "Drawing")->Shapes();
        QCOMPARE(QString::fromStdString(shapes.caption), QString("Вид сбоку, дюймы"));
        QCOMPARE(QString::fromStdString(shapes.cylinder.dimensions.at(6).label), QString("1,969"));

        QTemporaryDir folder;
        explorer_->SaveDesign(folder.filePath("inches.json"));
        QVERIFY(ReadFile(folder.filePath("inches.json")).contains(R"("cylinder-diameter":"49,9999999998")"));
        form_->Edits[1]->setText("2");
        explorer_->OpenDesign(folder.filePath("inches.json"));
        QCOMPARE(form_->Edits[1]->text(), QString("1,968503937"));
    }

    // Every output at once: the plots keep the height their ticks need and
    // each legend the lines its entries wrap to; the column scrolls instead.
    void everyOutputStaysReadableInAColumnThatScrolls()
    {
        explorer_->resize(1100, 640);
        explorer_->show();
        QVERIFY(QTest::qWaitForWindowExposed(explorer_.get()));
        for (int row = 0; row < Control<QListWidget>(*explorer_, "Outputs")->count(); ++row)
            Control<QListWidget>(*explorer_, "Outputs")->item(row)->setCheckState(Qt::Checked);
        Refresh(*explorer_);
        auto* column = explorer_->findChild<QScrollArea*>("ChartColumn");
        QVERIFY(column);
        QTRY_VERIFY(Control<eh::ExplorerChart>(*explorer_, "Chart")->height() > column->viewport()->height());
        const std::vector<QChartView*> plots = Control<eh::ExplorerChart>(*explorer_, "Chart")->Plots();
        const std::vector<QLabel*> legends = Control<eh::ExplorerChart>(*explorer_, "Chart")->Legends();
        QVERIFY(plots.size() >= 4);
        for (std::size_t p = 0; p < plots.size(); ++p) {
            QVERIFY(plots[p]->isVisible());
            QVERIFY(legends[p]->height() >= legends[p]->heightForWidth(legends[p]->width()));
            QVERIFY(legends[p]->geometry().bottom() < plots[p]->geometry().top());
            QVERIFY(plots[p]->height() >= plots[p]->minimumHeight());
            QVERIFY(plots[p]->minimumHeight() >= 3 * plots[p]->fontMetrics().height());
        }
    }

    void sixOutputsStackInPlotsOfTwoAxesWithWholeLabels()
    {
        explorer_->resize(1100, 640);
        explorer_->show();
        QVERIFY(QTest::qWaitForWindowExposed(explorer_.get()));
        // Six units: picofarads, ohms, kilohertz, millimetres, per cent, decibels.
        for (int row = 0; row < Control<QListWidget>(*explorer_, "Outputs")->count(); ++row)
            Control<QListWidget>(*explorer_, "Outputs")->item(row)->setCheckState(Qt::Unchecked);
        for (const int row : {0, 1, 2, 4, 17, 18})
            Control<QListWidget>(*explorer_, "Outputs")->item(row)->setCheckState(Qt::Checked);
        Refresh(*explorer_);
        QSet<QString> drawn;
        for (QChartView* plot : Control<eh::ExplorerChart>(*explorer_, "Chart")->Plots()) {
            QVERIFY(plot->chart()->axes(Qt::Vertical).size() <= 2);
            for (QAbstractSeries* series : plot->chart()->series())
                drawn.insert(series->name());
            // Fixed decimals: never an exponent that a narrow axis would cut.
            for (QAbstractAxis* axis : plot->chart()->axes())
                QVERIFY(QRegularExpression("^%\\.\\d+f$").match(static_cast<QValueAxis*>(axis)->labelFormat()).hasMatch());
        }
        QCOMPARE(drawn.size(), 6);
        QCOMPARE(Control<eh::ExplorerChart>(*explorer_, "Chart")->Plots().size(), std::size_t(3));
        for (QLabel* legend : Control<eh::ExplorerChart>(*explorer_, "Chart")->Legends())
            QVERIFY(!legend->text().contains(QChar(0x2026)));
        QVERIFY(Control<QListWidget>(*explorer_, "Outputs")->viewport()->width() >= Control<QListWidget>(*explorer_, "Outputs")->sizeHintForColumn(0));
    }

    void bandNamesNeverOverlap_data()
    {
        QTest::addColumn<double>("plotWidth");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("allShown");
        QTest::newRow("a sheet's narrow plot, two rows") << 230.0 << 2 << false;
        QTest::newRow("a sheet's narrow plot, three rows") << 230.0 << 3 << false;
        QTest::newRow("one row, no room to spare") << 100.0 << 1 << false;
        QTest::newRow("a wide window") << 1500.0 << 1 << true;
    }

    void bandNamesNeverOverlap()
    {
        QFETCH(double, plotWidth);
        QFETCH(int, rows);
        QFETCH(bool, allShown);
        // The HF range 1.8 to 30 MHz with names 30 pixels wide.
        std::vector<double> centres, widths;
        for (const eh::TAmateurBand& band : eh::BandPlan(eh::kDefaultRegion))
            if (band.HighMHz() <= 30) {
                centres.push_back((band.CentreMHz() - 1.8) / (30 - 1.8) * plotWidth);
                widths.push_back(30);
            }
        const auto places = eh::PlaceBandLabels(centres, widths, 0, plotWidth, rows, 4);
        int shown = 0;
        for (std::size_t i = 0; i < places.size(); ++i) {
            if (!places[i])
                continue;
            ++shown;
            QVERIFY(places[i]->row >= 0 && places[i]->row < rows);
            QVERIFY(places[i]->left >= 0 && places[i]->left + widths[i] <= plotWidth);
            for (std::size_t j = 0; j < i; ++j)
                if (places[j] && places[j]->row == places[i]->row)
                    QVERIFY2(places[j]->left + widths[j] + 4 <= places[i]->left ||
                                 places[i]->left + widths[i] + 4 <= places[j]->left,
                             qPrintable(QString("names %1 and %2 overlap").arg(j).arg(i)));
        }
        QCOMPARE(shown == int(places.size()), allShown);
        QVERIFY(shown > 0);
    }

    void hostileRangesKeepTheTicksCountable_data()
    {
        QTest::addColumn<int>("input");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("turnDiameter");
        QTest::newRow("to 1e9 after 1.8") << 0 << "1,8" << "1e9" << "50";
        QTest::newRow("to one double above from") << 0 << "14,2" << "14.200000000000001" << "50";
        QTest::newRow("turn diameter 1e8, then its own axis") << 5 << "" << "" << "1e8";
    }

    void hostileRangesKeepTheTicksCountable()
    {
        QFETCH(int, input);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, turnDiameter);
        explorer_->show();
        form_->Edits[5]->setText(turnDiameter);
        if (from.isEmpty()) {
            Control<QComboBox>(*explorer_, "XInput")->setCurrentIndex(input);
            Refresh(*explorer_);
        } else {
            SetRange(*explorer_, input, from, to, "50");
        }
        for (QChartView* plot : Control<eh::ExplorerChart>(*explorer_, "Chart")->Plots())
            for (QAbstractAxis* axis : plot->chart()->axes()) {
                const auto* values = static_cast<QValueAxis*>(axis);
                QVERIFY2((values->max() - values->min()) / values->tickInterval() <= 13,
                         qPrintable(values->titleText()));
            }
        QVERIFY(!Control<eh::ExplorerChart>(*explorer_, "Chart")->RenderImage().isNull());
    }

    void aNewerSweepCancelsTheOlderAndOnlyTheChartIsThinned()
    {
        explorer_->show();
        QVERIFY(QTest::qWaitForWindowExposed(explorer_.get()));
        Control<QComboBox>(*explorer_, "RangePreset")->setCurrentIndex(DesignExplorer::kCustom);
        Control<QLineEdit>(*explorer_, "FromEdit")->setText("1,8");
        Control<QLineEdit>(*explorer_, "ToEdit")->setText("30");
        Control<QLineEdit>(*explorer_, "PointsEdit")->setText("100000");
        explorer_->Recompute();
        Control<QLineEdit>(*explorer_, "ToEdit")->setText("29");
        Refresh(*explorer_);
        QCOMPARE(explorer_->CancelledSweeps(), 1);
        QCOMPARE(explorer_->Sweep()->plan.Value(99999), 29.0);
        // About two points per pixel column on screen, every point in the file.
        const int columns = Control<eh::ExplorerChart>(*explorer_, "Chart")->width() * int(Control<eh::ExplorerChart>(*explorer_, "Chart")->devicePixelRatio());
        const std::size_t drawn = Plotted(*explorer_, "Полоса пропуск. по ур.3 dB, кГц").size();
        QVERIFY2(drawn <= std::size_t(2 * columns) && drawn >= std::size_t(columns), qPrintable(QString::number(drawn)));
        QTemporaryDir folder;
        explorer_->ExportCsv(folder.filePath("all.csv"));
        QCOMPARE(ReadFile(folder.filePath("all.csv")).count('\n'), 100001);
    }

    void threeDesignsPinWithTheirDifferencesAndOneClickClears()
    {
        explorer_->show();
        for (const char* diameter : {"40", "60", "70", "80"}) {
            form_->Edits[1]->setText(diameter);
            Refresh(*explorer_);
            Control<QPushButton>(*explorer_, "PinButton")->click();
        }
        QCOMPARE(explorer_->PinnedCount(), DesignExplorer::kMaxPinned);
        QVERIFY(!Control<QPushButton>(*explorer_, "PinButton")->isEnabled());
        form_->Edits[1]->setText("50");
        Refresh(*explorer_);
        const QString legend = Control<eh::ExplorerChart>(*explorer_, "Chart")->Legends().front()->text();
        // Each whole on its line: the legend wraps between entries only.
        for (const char* pinned : {"Диаметр цилиндров (мм) 40,00", "Диаметр цилиндров (мм) 60,00",
                                   "Диаметр цилиндров (мм) 70,00"})
            QVERIFY2(legend.contains(QString(pinned).replace(' ', "&nbsp;")), qPrintable(legend));
        QVERIFY(!Plotted(*explorer_, "Полоса пропуск. по ур.3 dB, кГц · Диаметр цилиндров (мм) 60,00").empty());
        Control<QPushButton>(*explorer_, "ClearPinsButton")->click();
        QCOMPARE(explorer_->PinnedCount(), std::size_t(0));
        QCOMPARE(SeriesCount(*explorer_), std::size_t(3));
    }

    void aMeasuredSweepIsDrawnOnTheFrequencyChartUntilHidden()
    {
        explorer_->show();
        SetRange(*explorer_, 0, "13,5", "15", "301");
        QVERIFY(!Control<QCheckBox>(*explorer_, "MeasurementCheck")->isVisible());
        // Ctrl+B asks for a sweep here as in the main window.
        eh::ShowAndRaise(*explorer_);
        QVERIFY(QTest::qWaitForWindowActive(explorer_.get()));
        QString asked;
        QTimer::singleShot(0, [&asked] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                asked = dialog->objectName();
                dialog->close();
            }
        });
        QTest::keyClick(explorer_.get(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(asked, QString("OpenDialog"));
        QTemporaryDir folder;
        const QString path = folder.filePath("antenna.s1p");
        QFile file(path);
        // A matched resonance at 14.2 MHz of Q 40: 355 kHz wide at 3 dB.
        const std::string sweep = eh::test::SyntheticTouchstone({.resonanceHz = 14.2e6, .q = 40}, {});
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(sweep.data(), qint64(sweep.size())) > 0);
        file.close();
        eh::MeasurementView& view = form_->MeasurementWindow();
        view.Open(path);
        view.WaitForAnalysis();

        const auto measuredPoints = [this] {
            QList<QPointF> points;
            for (QChartView* plot : Control<eh::ExplorerChart>(*explorer_, "Chart")->Plots())
                for (QAbstractSeries* series : plot->chart()->series())
                    if (auto* scatter = qobject_cast<QScatterSeries*>(series))
                        points << scatter->points();
            return points;
        };
        QVERIFY(Control<QCheckBox>(*explorer_, "MeasurementCheck")->isVisible() && Control<QCheckBox>(*explorer_, "MeasurementCheck")->isChecked());
        const QString legend = Control<eh::ExplorerChart>(*explorer_, "Chart")->Legends().front()->text();
        QVERIFY2(legend.contains("Измерение «antenna.s1p»: f₀ 14,2000 МГц, полоса 3 dB "), qPrintable(legend));
        // The measured bandwidth sits at the resonance over the model's curve.
        const QList<QPointF> points = measuredPoints();
        QCOMPARE(points.size(), 1);
        QVERIFY2(std::abs(points[0].x() - 14.2) < 1e-4, qPrintable(QString::number(points[0].x())));
        QVERIFY2(std::abs(points[0].y() / 355 - 1) < 0.01, qPrintable(QString::number(points[0].y())));

        Control<QCheckBox>(*explorer_, "MeasurementCheck")->click();
        QVERIFY(!Control<eh::ExplorerChart>(*explorer_, "Chart")->Legends().front()->text().contains("antenna.s1p"));
        QVERIFY(measuredPoints().isEmpty());

        // From another input, one click charts the frequency around it.
        Control<QCheckBox>(*explorer_, "MeasurementCheck")->click();
        SetRange(*explorer_, 1, "20", "80", "61");
        QVERIFY(measuredPoints().isEmpty());
        Control<QPushButton>(*explorer_, "MeasuredStretchButton")->click();
        explorer_->WaitForSweep();
        QCOMPARE(Control<QComboBox>(*explorer_, "XInput")->currentIndex(), 0);
        QCOMPARE(Control<QLineEdit>(*explorer_, "FromEdit")->text() + "–" + Control<QLineEdit>(*explorer_, "ToEdit")->text(), "13–15");
        QCOMPARE(measuredPoints().size(), 1);
    }

    void exportsRefuseAPipeAndNameTheFile()
    {
        QTemporaryDir folder;
        const QString pipe = folder.filePath("pipe.csv");
        QCOMPARE(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
        try {
            explorer_->ExportCsv(pipe);
            QFAIL("a pipe was written");
        } catch (const eh::EFCreateError& error) {
            QVERIFY2(QString::fromStdString(error.what()).contains(pipe), error.what());
        }
        // A device is written into, as the report is.
        explorer_->ExportCsv("/dev/null");
    }

    void theRegionsBandsAreCoveredWithTheTypedBandMarked()
    {
        QCOMPARE(explorer_->Region(), eh::TIaruRegion::Region1);
        explorer_->show();
        Refresh(*explorer_);
        // Region 1: 160 m to 10 m with 60 m, and 6 m; 14.2 MHz lies in 20 m.
        QCOMPARE(Control<QTableWidget>(*explorer_, "Coverage")->rowCount(), 11);
        QStringList marked;
        for (int row = 0; row < Control<QTableWidget>(*explorer_, "Coverage")->rowCount(); ++row)
            if (Control<QTableWidget>(*explorer_, "Coverage")->item(row, 0)->font().bold())
                marked << Control<QTableWidget>(*explorer_, "Coverage")->item(row, 0)->text();
        QCOMPARE(marked, QStringList({"20 м"}));
        // The typed band's settings under the table; a band picked shows on the chart.
        QVERIFY2(Control<QLabel>(*explorer_, "TuningSettings")->text().startsWith("20 м, настроек: 1\n14175 кГц — "),
                 qPrintable(Control<QLabel>(*explorer_, "TuningSettings")->text()));
        Control<QTableWidget>(*explorer_, "Coverage")->setCurrentCell(0, 0);
        QVERIFY(Control<QLabel>(*explorer_, "TuningSettings")->text().startsWith("160 м, настроек: "));
        Control<QPushButton>(*explorer_, "ShowBandButton")->click();
        explorer_->WaitForSweep();
        QCOMPARE(explorer_->Sweep()->plan.Value(0), 1.81);
        QCOMPARE(Control<QLineEdit>(*explorer_, "ToEdit")->text(), QString("2"));
        const auto coverage = eh::CoverBands(eh::TIaruRegion::Region1, eh::ReadFieldTexts(Texts(*form_), ',').inputs);
        QCOMPARE(Control<QTableWidget>(*explorer_, "Coverage")->item(4, 3)->text(),
                 coverage[4].covers ? QString("1 (весь)") : QString::number(*coverage[4].settings));
        Control<QComboBox>(*explorer_, "RegionChoice")->setCurrentIndex(1);
        explorer_.reset();
        DesignExplorer again(*form_);
        QCOMPARE(again.Region(), eh::TIaruRegion::Region2);
    }

    void aSolutionIsMarkedListedAndWrittenOnlyOnTheClick()
    {
        form_->BitBtn1Click();
        const QString report = form_->RichEdit1->toPlainText();
        explorer_->show();
        Refresh(*explorer_);
        // Which cylinder diameter gives the bandwidth that 40 mm gives?
        eh::TAntennaInputs forty = eh::ReadFieldTexts(Texts(*form_), ',').inputs;
        forty.CylinderDiameterMm = 40;
        const double target = eh::CalculateDesign(forty).results->BandwidthKHz;
        Control<QComboBox>(*explorer_, "SolveResult")->setCurrentIndex(2);
        Control<QComboBox>(*explorer_, "SolveInput")->setCurrentIndex(1);
        // Where the search looks, shown before it starts.
        QCOMPARE(Control<QLineEdit>(*explorer_, "SolveFrom")->text(), QString("1"));
        QCOMPARE(Control<QLineEdit>(*explorer_, "SolveTo")->text(), QString("500"));
        Control<QLineEdit>(*explorer_, "SolveTarget")->setText(QString::number(target, 'g', 17));
        explorer_->Pin();
        Control<QPushButton>(*explorer_, "SolveButton")->click();
        explorer_->WaitForSolve();
        Refresh(*explorer_);
        QCOMPARE(Control<QComboBox>(*explorer_, "XInput")->currentIndex(), 1);
        QCOMPARE(explorer_->PinnedCount(), std::size_t(1));
        QCOMPARE(explorer_->Solutions().size(), std::size_t(1));
        QVERIFY(qAbs(explorer_->Solutions().front() - 40) < 1e-9);
        QCOMPARE(Control<QListWidget>(*explorer_, "SolutionList")->count(), 1);
        QCOMPARE(form_->Edits[1]->text(), QString("50"));
        QCOMPARE(form_->RichEdit1->toPlainText(), report);

        // What the list shows is written, and what it gives is said.
        const QString shown = Control<QListWidget>(*explorer_, "SolutionList")->item(0)->text();
        QVERIFY2(shown.startsWith("Диаметр цилиндров (мм) = 40 → "), qPrintable(shown));
        Control<QPushButton>(*explorer_, "ApplySolution")->click();
        QCOMPARE(form_->Edits[1]->text(), QString("40"));
        QCOMPARE(Control<QLabel>(*explorer_, "SolveNote")->text(), "Вписано: " + shown);
        // Recalculated as if Enter had been pressed: the report of 40 mm.
        QVERIFY(form_->RichEdit1->toPlainText() != report);
        QVERIFY(form_->RichEdit1->toPlainText().contains("40,00"));
    }

    void answersForAnotherDesignOrTargetAreNeverShownNorWritten_data()
    {
        QTest::addColumn<int>("field"); // -1: the target
        QTest::addColumn<QString>("text");
        QTest::newRow("the measured bandwidth") << 6 << "120";
        QTest::newRow("the frequency") << 0 << "7,1";
        QTest::newRow("the target") << -1 << "600";
    }

    void answersForAnotherDesignOrTargetAreNeverShownNorWritten()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        explorer_->show();
        Control<QComboBox>(*explorer_, "SolveInput")->setCurrentIndex(1);
        Control<QLineEdit>(*explorer_, "SolveTarget")->setText("500");
        Control<QPushButton>(*explorer_, "SolveButton")->click();
        explorer_->WaitForSolve();
        QCOMPARE(Control<QListWidget>(*explorer_, "SolutionList")->count(), 1);
        (field >= 0 ? static_cast<QLineEdit*>(form_->Edits[field]) : Control<QLineEdit>(*explorer_, "SolveTarget"))->setText(text);
        Refresh(*explorer_);
        QCOMPARE(Control<QListWidget>(*explorer_, "SolutionList")->count(), 0);
        QVERIFY(explorer_->Solutions().empty());
        QVERIFY(!Control<QPushButton>(*explorer_, "ApplySolution")->isEnabled());
        explorer_->ApplyChosenSolution();
        QCOMPARE(form_->Edits[1]->text(), QString("50"));
    }

    void theKeyboardReachesEveryControlAndClosesTheWindow_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Russian") << "ru";
        QTest::newRow("English") << "en";
    }

    void theKeyboardReachesEveryControlAndClosesTheWindow()
    {
        QFETCH(QString, language);
        // The window takes its words when it is made.
        eh::SetInterfaceLanguage(*eh::LanguageFromCode(language.toStdString()));
        const auto restore = qScopeGuard([] { eh::SetInterfaceLanguage(eh::TLanguage::Russian); });
        if (eh::InterfaceLanguage() != eh::TLanguage::Russian)
            explorer_ = std::make_unique<DesignExplorer>(*form_);
        const auto mnemonic = [](const QString& text) {
            const qsizetype at = text.indexOf('&');
            return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
        };
        QStringList keys;
        for (QLabel* label : explorer_->findChildren<QLabel*>())
            if (label->buddy())
                keys << mnemonic(label->text());
        for (QPushButton* button : explorer_->findChildren<QPushButton*>())
            keys << mnemonic(button->text());
        for (int tab = 0; tab < Control<QTabWidget>(*explorer_, "Sides")->count(); ++tab)
            keys << mnemonic(Control<QTabWidget>(*explorer_, "Sides")->tabText(tab));
        for (QCheckBox* box : {Control<QCheckBox>(*explorer_, "ExactDigits"), Control<QCheckBox>(*explorer_, "MeasurementCheck")})
            keys << mnemonic(box->text());
        QVERIFY(!keys.contains(QString(QChar())));
        // A Cyrillic letter is typed with the key of a Latin one (Ч with X):
        // under either layout each key reaches one control.
        QCOMPARE(KeysOf(keys).size(), keys.size());
        for (QPushButton* button : {Control<QPushButton>(*explorer_, "FileButton"), Control<QPushButton>(*explorer_, "ExportButton")}) {
            QStringList items;
            for (QAction* action : button->menu()->actions())
                if (!action->isSeparator())
                    items << mnemonic(action->text());
            QVERIFY(!items.contains(QString(QChar())));
            QCOMPARE(KeysOf(items).size(), items.size());
        }

        // Every Tab stop is a control that draws its focus.
        explorer_->show();
        for (QWidget* widget : explorer_->findChildren<QWidget*>())
            if ((widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() && widget->isVisibleTo(explorer_.get()))
                QVERIFY2(widget->inherits("QLineEdit") || widget->inherits("QComboBox") ||
                             widget->inherits("QAbstractButton") || widget->inherits("QAbstractItemView") ||
                             widget->inherits("QTabBar"),
                         widget->metaObject()->className());
        explorer_->hide();

        // Ctrl+G opens and closes from the main window, Esc closes.
        form_->N8->trigger();
        QVERIFY(explorer_->isVisible());
        form_->N8->trigger();
        QVERIFY(!explorer_->isVisible());
        form_->N8->trigger();
        QVERIFY(QTest::qWaitForWindowActive(explorer_.get()));
        QTest::keyClick(explorer_.get(), Qt::Key_Escape);
        QVERIFY(!explorer_->isVisible());
    }

    void theNotesSayWhatTheModelCannotTell_data()
    {
        QTest::addColumn<QString>("bandwidth");
        QTest::addColumn<QString>("pitch");
        QTest::addColumn<bool>("flat");
        QTest::addColumn<bool>("pitchNotice");
        QTest::newRow("no bandwidth measured") << "0" << "2" << true << false;
        QTest::newRow("bandwidth measured") << "120" << "2" << false << false;
        QTest::newRow("pitch below the wire") << "120" << "0.5" << false << true;
    }

    void theNotesSayWhatTheModelCannotTell()
    {
        QFETCH(QString, bandwidth);
        QFETCH(QString, pitch);
        QFETCH(bool, flat);
        QFETCH(bool, pitchNotice);
        form_->Edits[6]->setText(bandwidth);
        form_->Edits[4]->setText(pitch);
        explorer_->show();
        Refresh(*explorer_);
        const QString note = Control<QLabel>(*explorer_, "Note")->text();
        QCOMPARE(note.contains("Измеренная полоса равна 0") && note.contains("«Полоса пропускания BW (КГц)»"), flat);
        QCOMPARE(note.contains(eh::kPitchNotice), pitchNotice);
    }

    void anUntrustedSettingsFileGivesDefaultsWithAWordAndIsLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a pipe") << "pipe" << "это не обычный файл";
        QTest::newRow("a folder") << "folder" << "это папка";
        QTest::newRow("far too large") << "large" << "он слишком велик (209715200 байт)";
        QTest::newRow("not an INI file") << "corrupt" << "он повреждён";
    }

    void anUntrustedSettingsFileGivesDefaultsWithAWordAndIsLeftAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        explorer_.reset();
        const QString path = QSettings(QSettings::IniFormat, QSettings::UserScope, "eh-antenna", "explorer").fileName();
        QFile::remove(path);
        if (kind == "pipe") {
            QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (kind == "large")
                QVERIFY(file.resize(200 * 1024 * 1024)); // sparse: no disk taken
            else
                file.write(QByteArray("\x01\x02 not settings \x03", 18));
            file.close();
        }
        const QFileInfo before(path);
        {
            DesignExplorer explorer(*form_);
            explorer.show();
            Refresh(explorer);
            QCOMPARE(Control<QComboBox>(explorer, "XInput")->currentIndex(), 0);
            QCOMPARE(SeriesCount(explorer), std::size_t(3));
            QVERIFY2(Control<QLabel>(explorer, "Note")->text().startsWith("Настройки обзора не прочитаны (файл «") &&
                         Control<QLabel>(explorer, "Note")->text().contains(reason + "): взяты настройки по умолчанию"),
                     qPrintable(Control<QLabel>(explorer, "Note")->text()));
        }
        QCOMPARE(QFileInfo(path).size(), before.size());
        QCOMPARE(QFileInfo(path).isFile(), before.isFile());
        QDir(path).removeRecursively();
        QFile::remove(path);
    }

    void aDesignFileTravelsAndABadOneChangesNothing()
    {
        explorer_->show();
        // A pin comes back as exactly the design pinned, not as the report
        // rounds it.
        form_->Edits[1]->setText("22.6123");
        Refresh(*explorer_);
        explorer_->Pin();
        QTemporaryDir folder;
        explorer_->SaveDesign(folder.filePath("a.json"));
        form_->Edits[0]->setText("7,1");
        explorer_->ClearPinned();
        const auto fields = [this] { return Texts(*form_); };
        const eh::TFieldTexts changed = fields();

        QFile bad(folder.filePath("bad.json"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(R"({"frequency":"1"})");
        bad.close();
        for (const QString& name : {QString("bad.json"), QString("missing.json"), QString()}) {
            try {
                explorer_->OpenDesign(folder.filePath(name));
                QFAIL("a bad design file was read");
            } catch (const eh::EFOpenError& error) {
                QVERIFY2(QString::fromStdString(error.what()).contains("не открыт: "), error.what());
            }
            QVERIFY(fields() == changed);
            QCOMPARE(explorer_->PinnedCount(), std::size_t(0));
        }
        explorer_->OpenDesign(folder.filePath("a.json"));
        QCOMPARE(form_->Edits[0]->text(), QString("14.2"));
        QCOMPARE(explorer_->PinnedCount(), std::size_t(1));
        QCOMPARE(explorer_->Model().Pins().Designs()[0].CylinderDiameterMm, 22.6123);
    }

    void theSettingsComeBackAfterARestart()
    {
        explorer_->show();
        SetRange(*explorer_, 4, "1", "3", "77");
        Control<QListWidget>(*explorer_, "Outputs")->item(0)->setCheckState(Qt::Checked);
        Control<QListWidget>(*explorer_, "Outputs")->item(2)->setCheckState(Qt::Unchecked);
        explorer_->resize(1111, 655);
        explorer_.reset();
        DesignExplorer again(*form_);
        QCOMPARE(Control<QComboBox>(again, "XInput")->currentIndex(), 4);
        QCOMPARE(Control<QComboBox>(again, "RangePreset")->currentIndex(), int(DesignExplorer::kCustom));
        QCOMPARE(Control<QLineEdit>(again, "FromEdit")->text(), QString("1"));
        QCOMPARE(Control<QLineEdit>(again, "ToEdit")->text(), QString("3"));
        QCOMPARE(Control<QLineEdit>(again, "PointsEdit")->text(), QString("77"));
        QCOMPARE(Control<QListWidget>(again, "Outputs")->item(0)->checkState(), Qt::Checked);
        QCOMPARE(Control<QListWidget>(again, "Outputs")->item(2)->checkState(), Qt::Unchecked);
        QCOMPARE(Control<QListWidget>(again, "Outputs")->item(17)->checkState(), Qt::Checked);
        QCOMPARE(again.size(), QSize(1111, 655));
    }

private:
    // The user goes back to the main window, the explorer staying open.
    void FocusMainField(QLineEdit* field)
    {
        form_->activateWindow();
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);
    }

    std::unique_ptr<TForm1> form_;
    std::unique_ptr<DesignExplorer> explorer_;
};

EH_WINDOW_TEST_MAIN(DesignExplorerTest)

#include "DesignExplorerTest.moc"
