// SPDX-License-Identifier: GPL-3.0-or-later
#include "AntennaDrawing.h"
#include "ApplicationShell.h"
#include "Cli.h"
#include "DesignExplorer.h"
#include "Exceptions.h"
#include "ExplorerChart.h"
#include "LabeledEdit.h"
#include "ModalWatcher.h"
#include "RegionalSettings.h"
#include "uInterface.h"

#include <QChart>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSet>
#include <QSettings>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <map>
#include <memory>
#include <sstream>

using eh::DesignExplorer;
using eh::TForm1;

namespace {

const char* const kExampleA[] = {"14.2", "50", "3", "1", "2", "50", "0"};

QList<eh::LabeledEdit*> Fields(TForm1& form)
{
    return {form.EC15, form.EC16, form.EC17, form.EC33, form.EC34, form.EC36, form.EC27};
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
    for (QAbstractSeries* series : explorer.Chart->chart()->series()) {
        if (series->name() != title)
            continue;
        for (const QPointF& point : static_cast<QLineSeries*>(series)->points())
            points[point.x()] = point.y();
    }
    return points;
}

void SetRange(DesignExplorer& explorer, int input, const QString& from, const QString& to, const QString& points)
{
    explorer.XInput->setCurrentIndex(input);
    explorer.RangePreset->setCurrentIndex(DesignExplorer::kCustom);
    explorer.FromEdit->setText(from);
    explorer.ToEdit->setText(to);
    explorer.PointsEdit->setText(points);
    explorer.Recompute();
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
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        const auto fields = Fields(*form_);
        for (int i = 0; i < fields.size(); ++i)
            QTest::keyClicks(fields[i], kExampleA[i]);
        explorer_ = std::make_unique<DesignExplorer>(*form_);
        form_->SetExplorerWindow([this] { return explorer_.get(); });
        form_->activateWindow();
        form_->EC15->setFocus();
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
        QCOMPARE(titles, QStringList({"Файл", "Вид", "Справка"}));
        QCOMPARE(form_->N8->text(), QString("Обзор конструкции…"));
        QCOMPARE(form_->N8->shortcut(), QKeySequence("Ctrl+G"));
        form_->N8->trigger();
        QVERIFY(explorer_->isVisible());
        QCOMPARE(explorer_->windowTitle(), QString("Обзор конструкции"));
    }

    void everyOutputHasANameOfItsOwn()
    {
        QSet<QString> names;
        for (int i = 0; i < explorer_->Outputs->count(); ++i)
            names.insert(explorer_->Outputs->item(i)->text());
        QCOMPARE(names.size(), int(eh::kResultCount));
        QVERIFY(names.contains("Длина провода (фазирующая катушка), мм"));
    }

    void theSeriesEqualTheDesignServiceAtSampledPoints()
    {
        explorer_->show();
        SetRange(*explorer_, 0, "1,8", "30", "283");
        const eh::TFieldReading reading = eh::ReadFieldTexts(Texts(*form_), ',');
        const eh::TSweepRange& range = explorer_->Sweep()->range;
        for (const char* title : {"Полоса пропуск. по ур.3 dB, Кгц", "Количество витков (катушка настройки)"}) {
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
        explorer_->Outputs->item(4)->setCheckState(Qt::Checked);
        explorer_->Recompute();
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
        // The middle of the plot area: the sixth point, 15 MHz.
        const QPoint middle = explorer_->Chart->mapFromScene(explorer_->Chart->chart()->plotArea().center());
        QMouseEvent move(QEvent::MouseMove, middle, explorer_->Chart->viewport()->mapToGlobal(middle),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(explorer_->Chart->viewport(), &move);
        // The numbers as the report writes them for 15 MHz.
        QCOMPARE(explorer_->Readout->text(),
                 QString("Частота (МГц) = 15,00   Полоса пропуск. по ур.3 dB = 1234,32 Кгц   "
                         "Количество витков (катушка настройки) = 13,06   Эффективность антенны = 0,00 %"));
    }

    void theBandPresetFollowsTheTypedFrequency_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("inside 20 m") << "14.2" << "14" << "14,35";
        QTest::newRow("nearer 30 m than 20 m") << "12" << "10,1" << "10,15";
        QTest::newRow("below 160 m") << "0.5" << "1,81" << "2";
        QTest::newRow("above 10 m") << "45" << "50" << "54";
    }

    void theBandPresetFollowsTheTypedFrequency()
    {
        QFETCH(QString, typed);
        QFETCH(QString, from);
        QFETCH(QString, to);
        explorer_->show();
        explorer_->RangePreset->setCurrentIndex(DesignExplorer::kTypedBand);
        form_->EC15->setText(typed);
        explorer_->Recompute();
        QCOMPARE(explorer_->FromEdit->text(), from);
        QCOMPARE(explorer_->ToEdit->text(), to);
        QVERIFY(explorer_->FromEdit->isReadOnly());
        QCOMPARE(explorer_->Sweep()->range.from, from.replace(',', '.').toDouble());
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
        QCOMPARE(explorer_->Note->text(),
                 QString("Точек с ошибкой: 2 из 3 (недопустимая операция: 1; деление на ноль: 1)"));
        SetRange(*explorer_, 3, "-1", "0", "2");
        QCOMPARE(explorer_->Note->text(), QString("Точек с ошибкой: 2 из 2 (недопустимая операция: 1; деление на "
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
        explorer_->Recompute();
        const std::size_t seriesBefore = std::size_t(explorer_->Chart->chart()->series().size());
        QVERIFY(seriesBefore > 0);
        SetRange(*explorer_, input, from, to, points);
        QCOMPARE(explorer_->Note->text(), message);
        QVERIFY(explorer_->Chart->IsStale());
        QCOMPARE(std::size_t(explorer_->Chart->chart()->series().size()), seriesBefore);
    }

    void absurdPointCountsAreCappedWithANote()
    {
        explorer_->show();
        SetRange(*explorer_, 0, "1,8", "30", "99999999999999999999");
        QCOMPARE(explorer_->Sweep()->range.points, eh::kMaxExplorerPoints);
        QCOMPARE(explorer_->Note->text(), QString("Число точек ограничено: 100000"));
    }

    void aFieldThatIsNotANumberIsNamedAndNeverReset()
    {
        explorer_->show();
        explorer_->Recompute();
        FocusMainField(form_->EC16);
        form_->EC16->selectAll();
        QTest::keyClicks(form_->EC16, "abc");
        QVERIFY(explorer_->Debounce->isActive());
        QTRY_VERIFY(!explorer_->Debounce->isActive());
        QCOMPARE(explorer_->Note->text(), QString("Диаметр цилиндров (мм): не число"));
        QVERIFY(explorer_->Chart->IsStale());
        QCOMPARE(form_->EC16->text(), QString("abc"));
        QCOMPARE(QApplication::focusWidget(), form_->EC16);
    }

    void theMainWindowIsUntouchedByAnythingTheExplorerDoes()
    {
        form_->BitBtn1Click();
        const QString report = form_->RichEdit1->toPlainText();
        explorer_->show();
        FocusMainField(form_->EC15);
        QTest::keyClicks(form_->EC15, "5");
        QTest::qWait(DesignExplorer::kDebounceMs * 2);
        SetRange(*explorer_, 4, "0", "3", "50");
        QTemporaryDir folder;
        explorer_->ExportCsv(folder.filePath("sweep.csv"));
        QCOMPARE(form_->EC15->text(), QString("14.25"));
        const auto fields = Fields(*form_);
        for (int i = 1; i < fields.size(); ++i)
            QCOMPARE(fields[i]->text(), QString(kExampleA[i]));
        QCOMPARE(form_->RichEdit1->toPlainText(), report);
        QCOMPARE(QApplication::focusWidget(), form_->EC15);
    }

    void theCsvEqualsTheCommandLineSweep()
    {
        explorer_->show();
        SetRange(*explorer_, 0, "1,8", "30", "283");
        QTemporaryDir folder;
        explorer_->ExportCsv(folder.filePath("sweep.csv"));
        std::ostringstream out, err;
        std::istringstream in;
        const eh::TSweepRange& range = explorer_->Sweep()->range;
        QCOMPARE(range.stepText, std::string("0.1"));
        const std::string sweep = "frequency=1,8:30:" + range.stepText;
        std::vector<std::string> args = {"--sweep", sweep, "--format", "csv", "-s", ","};
        for (const char* text : kExampleA)
            args.push_back(text);
        QCOMPARE(eh::cli::RunCli(args, {in, out, err}), eh::cli::kExitSuccess);
        QCOMPARE(ReadFile(folder.filePath("sweep.csv")), QByteArray::fromStdString(out.str()));
    }

    void theChartIsSavedAsValidPngAndSvg()
    {
        explorer_->show();
        QVERIFY(QTest::qWaitForWindowExposed(explorer_.get()));
        explorer_->Recompute();
        QTemporaryDir folder;
        explorer_->ExportPng(folder.filePath("chart.png"));
        explorer_->ExportSvg(folder.filePath("chart.svg"));
        const QImage image(folder.filePath("chart.png"), "PNG");
        QCOMPARE(image.size(), explorer_->Chart->size() * explorer_->Chart->devicePixelRatio());
        QSvgRenderer svg(folder.filePath("chart.svg"));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox(), explorer_->Chart->rect());
        QVERIFY_THROWS_EXCEPTION(eh::EFCreateError, explorer_->ExportPng(folder.filePath("no/such/chart.png")));
    }

    void theDrawingTakesItsDimensionsFromTheResults()
    {
        explorer_->show();
        explorer_->Recompute();
        const eh::TDesign design = eh::CalculateDesign(eh::ReadFieldTexts(Texts(*form_), ',').inputs);
        const eh::TDrawingDimensions& d = *explorer_->Drawing->Dimensions();
        QCOMPARE(d.cylinderLength, 150.0);
        QCOMPARE(d.gap, 50.0);
        QCOMPARE(d.coilDiameter, 50.0);
        QCOMPARE(d.coilLength, design.results->CoilLengthMm);
        QCOMPARE(d.totalLength, design.results->TotalLengthCm * 10);
        QCOMPARE(d.flatHorizontal, design.results->FlatArmHorizontalCm * 10);
        // The parts drawn add up to the overall length the model computes.
        QVERIFY(qAbs(2 * d.cylinderLength + 2 * d.gap + d.coilLength - d.totalLength) < 1e-9 * d.totalLength);
    }

    void theSettingsComeBackAfterARestart()
    {
        explorer_->show();
        SetRange(*explorer_, 4, "1", "3", "77");
        explorer_->Outputs->item(0)->setCheckState(Qt::Checked);
        explorer_->Outputs->item(2)->setCheckState(Qt::Unchecked);
        explorer_->resize(1111, 655);
        explorer_.reset();
        DesignExplorer again(*form_);
        QCOMPARE(again.XInput->currentIndex(), 4);
        QCOMPARE(again.RangePreset->currentIndex(), int(DesignExplorer::kCustom));
        QCOMPARE(again.FromEdit->text(), QString("1"));
        QCOMPARE(again.ToEdit->text(), QString("3"));
        QCOMPARE(again.PointsEdit->text(), QString("77"));
        QCOMPARE(again.Outputs->item(0)->checkState(), Qt::Checked);
        QCOMPARE(again.Outputs->item(2)->checkState(), Qt::Unchecked);
        QCOMPARE(again.Outputs->item(17)->checkState(), Qt::Checked);
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

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The user's own settings stay untouched.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    eh::TApplication application(argc, argv);
    DesignExplorerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DesignExplorerTest.moc"
