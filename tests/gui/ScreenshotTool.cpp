// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the windows and the save dialog as a user sees them after
// calculating the first example, and the measurement view of a sweep and
// the explorer with that sweep over its frequency chart, into
// PNG files for the documentation; a second argument is added to the file
// names (the screen scale they were drawn at).
#include "ApplicationShell.h"
#include "ChartPointsDialog.h"
#include "DesignExplorer.h"
#include "ExplorerChart.h"
#include "ExplorerWindows.h"
#include "ExplorerOutputs.h"
#include "InterfaceLanguage.h"
#include "LabeledEdit.h"
#include "MeasurementView.h"
#include "SyntheticSweep.h"
#include "TestEnvironment.h"
#include "uHelp.h"
#include "uHelp2.h"
#include "WindowPlacement.h"
#include "uInterface.h"
#include "WindowControls.h"

#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

using eh::test::Control;

namespace {

bool Save(QWidget& window, const QString& path)
{
    eh::ShowAndRaise(window);
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QTest::qWait(200);
    return window.grab().save(path);
}

void Refresh(eh::DesignExplorer& explorer)
{
    explorer.Recompute();
    explorer.WaitForSweep();
    QTest::qWait(100);
}

// The save dialog over a folder made for the picture: a subfolder and two
// saved reports of fixed sizes and dates.
bool SaveDialogShot(eh::TForm1& form1, const QString& path)
{
    QTemporaryDir folder(QDir::tempPath() + "/Отчеты-XXXXXX");
    QDir(folder.path()).mkdir("Антенны");
    const QDateTime date(QDate(2026, 3, 14), QTime(18, 5));
    for (const auto& [name, bytes] : {std::pair{"отчет 14 МГц.txt", 1086}, std::pair{"отчет 7 МГц.txt", 3}}) {
        QFile file(QDir(folder.path()).filePath(QString::fromUtf8(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(bytes, 'x')) != bytes || !file.flush() ||
            !file.setFileTime(date, QFileDevice::FileModificationTime))
            return false;
    }
    bool saved = false;
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->setDirectory(folder.path());
        QTest::qWait(500); // the folder is read on a thread of its own
        saved = dialog->grab().save(path);
        dialog->reject();
    });
    form1.N2Click();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    // The explorer starts from its defaults, whatever this user chose.
    eh::test::ThrowawaySettings settings;
    eh::TApplication application(argc, argv);
    // The language follows the system's (LANG); --inches types and shows
    // the lengths in inches.
    const bool inches = argc == 4 && QByteArray(argv[3]) == "--inches";
    if (argc != 2 && argc != 3 && !inches) {
        qCritical("usage: screenshot-tool OUTPUT_FOLDER [NAME_SUFFIX [--inches]]");
        return 2;
    }
    if (inches)
        eh::SetInterfaceLengthUnit(eh::TLengthUnit::Inch);
    const QDir output(QString::fromLocal8Bit(argv[1]));
    const QString suffix = argc >= 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    const auto file = [&](const char* window) {
        return output.filePath(QString("screenshot-%1%2.png").arg(window, suffix));
    };

    eh::TForm1 form1;
    form1.SetExplorerWindows(EhExplorerWindows);
    eh::TForm2 form2;
    eh::TForm3 form3(eh::DefaultHelpFolders());
    form3.FormCreate();
    form1.SetHelpWindows(&form2, &form3);

    form1.show();
    if (!QTest::qWaitForWindowExposed(&form1))
        return 1;
    // The first example, in inches the same lengths to the tenth of a micrometre.
    const char* const exampleA[] = {"14.2", "50", "3", "1", "2", "50", "0"};
    const char* const exampleAInches[] = {"14.2", "1.968503937", "3", "0.0393700787", "0.0787401575", "1.968503937", "0"};
    for (std::size_t i = 0; i < form1.Edits.size(); ++i)
        QTest::keyClicks(form1.Edits[i], inches ? exampleAInches[i] : exampleA[i]);
    // The report as it stands after the calculation, scrolled to its end.
    QTest::keyClick(form1.Edits[0], Qt::Key_Return);

    eh::DesignExplorer explorer(form1);
    explorer.show();
    if (!QTest::qWaitForWindowExposed(&explorer))
        return 1;
    const bool saved =
        Save(form1, file("main")) && Save(form3, file("help")) && Save(form2, file("about")) &&
        SaveDialogShot(form1, file("save"));
    // The pointer over the chart, a little above the typed frequency, for
    // the readout under it.
    eh::ShowAndRaise(explorer);
    QTest::qWait(200);
    QWidget* plot = Control<eh::ExplorerChart>(explorer, "Chart")->Plots().front()->viewport();
    QCursor::setPos(plot->mapToGlobal(QPoint(plot->width() * 55 / 100, plot->height() / 2)));
    if (!saved || !Save(explorer, file("explorer")))
        return 1;
    QCursor::setPos(explorer.mapToGlobal(QPoint(-10, -10)));

    // Six outputs of six units: three plots stacked on one x axis.
    for (int row = 0; row < Control<QListWidget>(explorer, "Outputs")->count(); ++row)
        Control<QListWidget>(explorer, "Outputs")->item(row)->setCheckState(Qt::Unchecked);
    for (const int row : {0, 1, 2, 4, 17, 18})
        Control<QListWidget>(explorer, "Outputs")->item(row)->setCheckState(Qt::Checked);
    Refresh(explorer);
    if (!Save(explorer, file("explorer-six")))
        return 1;
    // Twelve outputs, then every one: how far the charts stay readable.
    for (const auto& [count, name] : {std::pair{12, "explorer-twelve"}, std::pair{Control<QListWidget>(explorer, "Outputs")->count(), "explorer-all"}}) {
        for (int row = 0; row < Control<QListWidget>(explorer, "Outputs")->count(); ++row)
            Control<QListWidget>(explorer, "Outputs")->item(row)->setCheckState(row < count ? Qt::Checked : Qt::Unchecked);
        Refresh(explorer);
        if (!Save(explorer, file(name)))
            return 1;
    }

    // The bandwidth of three cylinder diameters pinned beside the typed one.
    for (int row = 0; row < Control<QListWidget>(explorer, "Outputs")->count(); ++row)
        Control<QListWidget>(explorer, "Outputs")->item(row)->setCheckState(row == 2 || row == 13 ? Qt::Checked : Qt::Unchecked);
    // 35, 70, 100 and again 50 mm, in the unit the fields are typed in.
    const std::array<const char*, 4> diameters = {"35", "70", "100", "50"};
    const std::array<const char*, 4> diametersInches = {"1.377952756", "2.755905512", "3.937007874", "1.968503937"};
    for (const char* diameter : inches ? diametersInches : diameters) {
        form1.Edits[1]->setText(diameter);
        Refresh(explorer);
        if (explorer.PinnedCount() < eh::DesignExplorer::kMaxPinned)
            explorer.Pin();
    }
    if (!Save(explorer, file("explorer-pinned")))
        return 1;
    explorer.ClearPinned();

    // How the typed design covers the bands of Region 1, 20 m marked.
    Control<QTabWidget>(explorer, "Sides")->setCurrentIndex(eh::DesignExplorer::kBandsTab);
    if (!Save(explorer, file("explorer-bands")))
        return 1;

    // The frequencies at which the bandwidth is 1000 kHz, marked and
    // listed; in inches the cylinder diameters, on an axis in inches.
    Control<QTabWidget>(explorer, "Sides")->setCurrentIndex(eh::DesignExplorer::kSolveTab);
    Control<QComboBox>(explorer, "SolveResult")->setCurrentIndex(2);
    Control<QComboBox>(explorer, "SolveInput")->setCurrentIndex(inches ? 1 : 0);
    Control<QLineEdit>(explorer, "SolveTarget")->setText("1000");
    explorer.Solve();
    explorer.WaitForSolve();
    Refresh(explorer);
    if (!Save(explorer, file("explorer-solve")))
        return 1;

    // The build sheet, as PDF: scripts/screenshot.sh renders its first page.
    explorer.ExportBuildSheet(output.filePath(QString("buildsheet%1.pdf").arg(suffix)));
    explorer.close();

    // A sweep of the built antenna, tuned a little low, a little
    // mismatched and lossier than the design promises, as an analyser saves
    // it with a trace of noise.
    QTemporaryDir sweeps;
    const QString sweep = QDir(sweeps.path()).filePath("antenna-20m.s1p");
    QFile sweepFile(sweep);
    const std::string bytes = eh::test::SyntheticTouchstone(
        {.parallel = false, .resonanceHz = 14.12e6, .q = 9, .resistanceOhm = 38},
        {.parameter = 'S', .format = "DB", .unit = "HZ", .points = 401, .spanBandwidths = 2.6, .noise = 0.002});
    if (!sweepFile.open(QIODevice::WriteOnly) ||
        sweepFile.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        return 1;
    sweepFile.close();
    eh::MeasurementView& measurement = form1.MeasurementWindow();
    measurement.Open(sweep);
    measurement.WaitForAnalysis();
    if (!Save(measurement, file("measurement")))
        return 1;
    // Its chart's points as a table, the chart's text alternative.
    measurement.ShowPoints();
    auto* points = measurement.findChild<eh::ChartPointsDialog*>("ChartPoints");
    if (!points || !Save(*points, file("points")))
        return 1;
    points->close();
    measurement.close();

    // The same sweep over the explorer's chart of the frequency around it:
    // the measured bandwidth beside the model's curve.
    const std::vector<std::size_t> outputs = eh::DefaultExplorerOutputs();
    for (int row = 0; row < Control<QListWidget>(explorer, "Outputs")->count(); ++row)
        Control<QListWidget>(explorer, "Outputs")->item(row)->setCheckState(
            std::count(outputs.begin(), outputs.end(), std::size_t(row)) ? Qt::Checked : Qt::Unchecked);
    Control<QTabWidget>(explorer, "Sides")->setCurrentIndex(eh::DesignExplorer::kDrawingTab);
    // No answers of the earlier search on this chart.
    Control<QLineEdit>(explorer, "SolveTarget")->clear();
    Control<QComboBox>(explorer, "XInput")->setCurrentIndex(0);
    Control<QComboBox>(explorer, "RangePreset")->setCurrentIndex(eh::DesignExplorer::kCustom);
    Control<QLineEdit>(explorer, "FromEdit")->setText("12");
    Control<QLineEdit>(explorer, "ToEdit")->setText("16");
    Refresh(explorer);
    return Save(explorer, file("explorer-measured")) ? 0 : 1;
}
