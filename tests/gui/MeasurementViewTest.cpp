// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement view as a user meets it from the main window: a sweep
// file's figures, the button that writes the measured bandwidth into EC27
// and recalculates, and a refused file that changes nothing.
#include "ChartPointsDialog.h"
#include "ExplorerWindows.h"
#include "InterfaceLanguage.h"
#include "LabeledEdit.h"
#include "MeasurementView.h"
#include "ModalWatcher.h"
#include "RegionalSettings.h"
#include "Report.h"
#include "SyntheticSweep.h"
#include "uInterface.h"
#include "WindowTestMain.h"

#include <QPushButton>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using eh::TForm1;

namespace {

const char* const kExampleA[] = {"14.2", "50", "3", "1", "2", "50", "0"};

QString WriteFile(const QTemporaryDir& folder, const QString& name, const std::string& bytes)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        return {};
    return path;
}

QStringList Column(const QTableWidget& table, int column)
{
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row)
        texts << table.item(row, column)->text();
    return texts;
}

QString Figure(const QTableWidget& table, const QString& label)
{
    const int row = int(Column(table, 0).indexOf(label));
    return row < 0 ? QString("<no row>") : table.item(row, 1)->text();
}

// "355,00 КГц" to 355.
double Number(const QString& text) { return text.section(' ', 0, 0).replace(',', '.').toDouble(); }

} // namespace

class MeasurementViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { eh::RegionalSettings::SetDecimalSeparator(','); }

    void sweepShownAndItsBandwidthWritten()
    {
        TForm1 form;
        form.SetExplorerWindows(EhExplorerWindows);
        for (std::size_t i = 0; i < form.Edits.size(); ++i)
            form.Edits[i]->setText(kExampleA[i]);
        form.BitBtn1Click();
        QTemporaryDir folder;
        // A matched series resonance at 14.2 MHz of Q 40: its 3 dB
        // bandwidth is 355 kHz.
        const QString good = WriteFile(folder, "antenna.s1p",
                                       eh::test::SyntheticTouchstone({.resonanceHz = 14.2e6, .q = 40}, {}));
        // A two-port line where a one-port's three numbers belong.
        const QString bad = WriteFile(folder, "two-port.s1p", "# MHZ S RI R 50\n14.1 0.1 0.2\n14.2 0.1 0.2 0.3 0.4\n");

        // A file chosen while another is still being read supersedes it:
        // the first one's refusal is never shown.
        ModalWatcher watcher;
        eh::MeasurementView& view = form.MeasurementWindow();
        view.Open(bad);
        view.Open(good);
        view.WaitForAnalysis();
        QVERIFY(watcher.seen().isEmpty());
        QVERIFY(view.isVisible());

        auto* figures = view.findChild<QTableWidget*>("Figures");
        QVERIFY(figures);
        QCOMPARE(Column(*figures, 0),
                 QStringList({"Точек в измерении", "Резонанс", "КСВ в резонансе", "R в резонансе", "X в резонансе", "Q",
                              "Полоса пропуск. по ур.3 dB", "Полоса по КСВ ≤ 2,618", "Полоса по КСВ ≤ 2",
                              "Полоса по расчету"}));
        QCOMPARE(Figure(*figures, "Точек в измерении"), "201");
        QCOMPARE(Figure(*figures, "Резонанс"), "14,2000 МГц");
        QCOMPARE(Figure(*figures, "КСВ в резонансе"), "1,00");
        QCOMPARE(Figure(*figures, "R в резонансе"), "50,00 Ом");
        QCOMPARE(Figure(*figures, "Полоса по расчету"), "1106,17 КГц, Q = 12,84");
        QVERIFY(std::abs(Number(Figure(*figures, "Q")) / 40 - 1) < 0.01);
        QVERIFY(std::abs(Number(Figure(*figures, "Полоса пропуск. по ур.3 dB")) / 355 - 1) < 0.01);
        // Matched, the SWR <= 2.618 span is the 3 dB bandwidth.
        QVERIFY(std::abs(Number(Figure(*figures, "Полоса по КСВ ≤ 2,618")) / 355 - 1) < 0.01);
        QCOMPARE(form.Edits[6]->text(), "0");

        // The chart's points as a table, for whoever cannot see the chart:
        // every digit of the frequency, workbench numbers beside it.
        QTest::mouseClick(view.findChild<QPushButton*>("PointsButton"), Qt::LeftButton);
        auto* points = view.findChild<eh::ChartPointsDialog*>("ChartPoints");
        QVERIFY(points && points->isVisible());
        QCOMPARE(points->windowTitle(), "Точки графика: antenna.s1p");
        const QAbstractItemModel& table = *points->Table()->model();
        QCOMPARE(table.rowCount(), 201);
        QCOMPARE(table.headerData(1, Qt::Horizontal).toString(), "КСВ измеренный");
        // One step above the resonance of Q 40: X = 2 R Q Δf/f = 2 Ohm.
        QCOMPARE(QStringList({table.index(101, 0).data().toString(), table.index(101, 1).data().toString(),
                              table.index(101, 2).data().toString(), table.index(101, 3).data().toString()}),
                 QStringList({"14,2071", "1,041", "50", "2"}));
        points->close();

        // The button writes the bandwidth with the window's separator and
        // the report is the one of the design with that bandwidth.
        QTest::mouseClick(view.findChild<QPushButton*>("ApplyBandwidth"), Qt::LeftButton);
        const QString written = form.Edits[6]->text();
        QVERIFY2(written.contains(',') && std::abs(Number(written) / 355 - 1) < 0.01, qPrintable(written));
        const eh::TAntennaInputs inputs{14.2, 50, 3, Number(written), 1, 2, 50};
        QStringList expected;
        for (const eh::TReportLine& line : eh::BuildReport(inputs, eh::CalculateAntenna(inputs), ',').Lines)
            expected << QString::fromStdString(line.Text);
        expected << QString(); // the empty paragraph after the last line end
        QCOMPARE(form.RichEdit1->toPlainText().split('\n'), expected);

        // A refused file is named in a notice, with its line, and the
        // figures, the field and the report stay as they were.
        const QString report = form.RichEdit1->toPlainText();
        view.Open(bad);
        view.WaitForAnalysis();
        QCOMPARE(watcher.seen().size(), 1);
        QVERIFY2(watcher.seen()[0].text.startsWith("«two-port.s1p»\nФайл не прочитан, строка 3: "),
                 qPrintable(watcher.seen()[0].text));
        QCOMPARE(Figure(*figures, "Точек в измерении"), "201");
        QCOMPARE(form.Edits[6]->text(), written);
        QCOMPARE(form.RichEdit1->toPlainText(), report);
    }

    // In English the view's own words, its figures and its refusals are
    // English too.
    void inEnglishTheViewSpeaksEnglish()
    {
        eh::SetInterfaceLanguage(eh::TLanguage::English);
        const auto restore = qScopeGuard([] { eh::SetInterfaceLanguage(eh::TLanguage::Russian); });
        TForm1 form;
        form.SetExplorerWindows(EhExplorerWindows);
        QTemporaryDir folder;
        const QString good = WriteFile(folder, "antenna.s1p",
                                       eh::test::SyntheticTouchstone({.resonanceHz = 14.2e6, .q = 40}, {}));
        ModalWatcher watcher;
        eh::MeasurementView& view = form.MeasurementWindow();
        view.Open(good);
        view.WaitForAnalysis();
        QCOMPARE(view.windowTitle(), "Bandwidth from a measurement — antenna.s1p");
        QCOMPARE(view.findChild<QPushButton*>("ApplyBandwidth")->text(), "&Use this bandwidth");
        QCOMPARE(Column(*view.findChild<QTableWidget*>("Figures"), 0).value(1), "Resonance");
        view.Open(folder.path());
        view.WaitForAnalysis();
        QCOMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen()[0].text.section('\n', 1), "The file was not read: it is not a regular file.");
    }
};

EH_WINDOW_TEST_MAIN(MeasurementViewTest)
#include "MeasurementViewTest.moc"
