// SPDX-License-Identifier: GPL-3.0-or-later
#include "InterfaceLanguage.h"
#include "LabeledEdit.h"
#include "ModalWatcher.h"
#include "RegionalSettings.h"
#include "uInterface.h"
#include "WindowTestMain.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

using eh::TForm1;
using eh::TLanguage;
using eh::TLengthUnit;

namespace {

// Types the seven texts and presses Enter in the first field.
void Calculate(TForm1& form, const QStringList& texts)
{
    for (std::size_t i = 0; i < form.Edits.size(); ++i) {
        form.Edits[i]->clear();
        QTest::keyClicks(form.Edits[i], texts[static_cast<int>(i)]);
    }
    QTest::keyClick(form.Edits[0], Qt::Key_Return);
}

QStringList PaneLines(TForm1& form)
{
    QStringList lines;
    for (QTextBlock block = form.RichEdit1->document()->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

QAction* Choice(QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

class WindowLanguageTest : public QObject {
    Q_OBJECT

private slots:
    void init() { eh::RegionalSettings::SetDecimalSeparator('.'); }
    void cleanup()
    {
        eh::SetInterfaceLanguage(TLanguage::Russian);
        eh::SetInterfaceLengthUnit(TLengthUnit::Millimetre);
    }

    void theSystemsFirstLanguageChoosesEnglishOrRussian_data()
    {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<bool>("english");
        QTest::newRow("American") << QStringList{"en-US", "en-Latn-US", "en"} << true;
        QTest::newRow("British, then Russian") << QStringList{"en-GB", "ru-RU"} << true;
        QTest::newRow("C locale") << QStringList{"C"} << false;
        QTest::newRow("Russian") << QStringList{"ru-RU", "ru"} << false;
        QTest::newRow("German, English second") << QStringList{"de-DE", "en-US"} << false;
        QTest::newRow("none") << QStringList{} << false;
    }
    void theSystemsFirstLanguageChoosesEnglishOrRussian()
    {
        QFETCH(QStringList, uiLanguages);
        QFETCH(bool, english);
        QCOMPARE(eh::LanguageOfSystem(uiLanguages) == TLanguage::English, english);
    }

    void englishInInchesLabelsTheFieldsAndWritesTheReport()
    {
        eh::SetInterfaceLanguage(TLanguage::English);
        eh::SetInterfaceLengthUnit(TLengthUnit::Inch);
        TForm1 form;
        const QStringList labels = {"Frequency (MHz)  = ", "Cylinder diameter (in) =",
                                    "Length/diameter ratio (L/D) =", "Wire diameter (in) =",
                                    "Winding pitch (in) =", "Turn diameter (in) =", "Bandwidth BW (kHz) = "};
        for (std::size_t i = 0; i < form.Edits.size(); ++i) {
            QCOMPARE(form.Edits[i]->EditLabel()->text(), labels[static_cast<int>(i)]);
            QCOMPARE(form.Edits[i]->accessibleName(), labels[static_cast<int>(i)].section(" =", 0, 0).trimmed());
        }
        QCOMPARE(form.windowTitle(), QString("EH Antenna Design"));
        QCOMPARE(form.N1->title(), QString("&File"));
        QCOMPARE(form.LanguageMenu->title(), QString("Язык / Language"));

        // 50 mm, 1 mm, 2 mm and 50 mm to the tenth of a micrometre.
        Calculate(form, {"14.2", "1.968503937", "3", "0.0393700787", "0.0787401575", "1.968503937", "0"});
        const QStringList lines = PaneLines(form);
        // 38 lines, each ended by a line break.
        QCOMPARE(lines.size(), 39);
        QCOMPARE(lines.back(), QString());
        QCOMPARE(lines[0], QString("EH Antenna Design"));
        QCOMPARE(lines[2], QString("Cylinder diameter = 1.969 in"));
        QCOMPARE(lines[5], QString("Xc = 1540.45 Ohm"));
        QCOMPARE(lines[14], QString("Turns per inch = 16.93"));
        QCOMPARE(lines[18], QString("Coil inductance L = 9.63 µH"));

        // Saved as the Russian report is: Windows-1251 ("µ" is B5), CR LF.
        QTemporaryDir folder;
        {
            ModalWatcher watcher([&](QWidget* box) {
                if (auto* dialog = qobject_cast<QFileDialog*>(box)) {
                    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(folder.filePath("report"));
                    static_cast<QDialog*>(dialog)->accept();
                }
            });
            form.N2Click();
        }
        QFile saved(folder.filePath("report.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QVERIFY(bytes.startsWith("EH Antenna Design\r\nFrequency = 14.20 MHz\r\n"));
        QVERIFY(bytes.contains("Coil inductance L = 9.63 \xB5H\r\n"));
        QCOMPARE(bytes.count("\r\n"), 38);
    }

    // A gauge is read in the Russian window too, and its diameter shown.
    void aWireGaugeReadsAsItsDiameter_data()
    {
        QTest::addColumn<QString>("gauge");
        QTest::addColumn<QString>("tipStart");
        QTest::newRow("14 AWG") << "14 AWG" << "14 AWG: 1.628 мм\n";
        QTest::newRow("AWG14") << "AWG14" << "14 AWG: 1.628 мм\n";
        QTest::newRow("#0000") << "#0000" << "0000 AWG: 11.684 мм\n";
    }
    void aWireGaugeReadsAsItsDiameter()
    {
        QFETCH(QString, gauge);
        QFETCH(QString, tipStart);
        TForm1 form;
        Calculate(form, {"14.2", "50", "3", gauge, "20", "50", "0"});
        QVERIFY2(form.Edits[3]->toolTip().startsWith(tipStart), qPrintable(form.Edits[3]->toolTip()));
        QVERIFY(form.Edits[3]->toolTip().endsWith("диаметр провода катушки настройки."));
        QCOMPARE(PaneLines(form)[12].left(18), QString("Диаметр провода = "));
        QCOMPARE(form.Edits[3]->text(), gauge);
    }

    void aChoiceInTheMenusIsRemembered()
    {
        TForm1 form;
        QCOMPARE(eh::ReadInterfaceChoice().language, std::nullopt);
        QAction* english = Choice(*form.LanguageMenu, "English");
        QAction* inches = Choice(*form.LengthsMenu, "Дюймы");
        QVERIFY(english && inches);
        QVERIFY(Choice(*form.LanguageMenu, "Русский")->isChecked());
        english->trigger();
        inches->trigger();
        QCOMPARE(eh::ReadInterfaceChoice().language, TLanguage::English);
        QCOMPARE(eh::ReadInterfaceChoice().lengths, TLengthUnit::Inch);
        // The window already made keeps its language until the next start.
        QCOMPARE(eh::InterfaceLanguage(), TLanguage::Russian);
        QVERIFY(english->isChecked() && !Choice(*form.LanguageMenu, "Русский")->isChecked());
    }
};

EH_WINDOW_TEST_MAIN(WindowLanguageTest)

#include "WindowLanguageTest.moc"
