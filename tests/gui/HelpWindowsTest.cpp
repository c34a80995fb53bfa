// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationShell.h"
#include "MessageBoxes.h"
#include "GlyphButton.h"
#include "InterfaceLanguage.h"
#include "ModalWatcher.h"
#include "uHelp.h"
#include "uHelp2.h"
#include "WindowPlacement.h"
#include "uInterface.h"
#include "WindowTestMain.h"

#include <QDir>
#include <QFile>
#include <QScreen>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <sys/stat.h>

using eh::TForm2;
using eh::TForm3;

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList Paragraphs(const QTextEdit& edit)
{
    QStringList paragraphs;
    for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next())
        paragraphs << block.text();
    return paragraphs;
}

double Points(const QWidget& widget, double pixels) { return pixels * 72.0 / widget.logicalDpiX(); }

} // namespace

class HelpWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void aMissingHelpFileIsReportedBeforeTheMainWindowShows()
    {
        QTemporaryDir empty;
        eh::TForm1 form1;
        ModalWatcher watcher([&](QWidget*) { QVERIFY(!form1.isVisible()); });
        TForm3 form3({empty.path()});
        form3.FormCreate();
        QCOMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen()[0].objectName, QString("NoticeBox"));
        QCOMPARE(watcher.seen()[0].text, QString("Не найден файл справки"));
        QCOMPARE(watcher.seen()[0].title, eh::ApplicationTitle());
        QVERIFY(form3.RichEdit1->document()->isEmpty());
        // The window still opens, with its picture beside the empty pane.
        eh::ShowAndRaise(form3);
        QVERIFY(QTest::qWaitForWindowExposed(&form3));
        QCOMPARE(form3.Image1->pixmap().size(), QSize(303, 141));
    }

    void theFirstFolderThatHoldsTheDocumentWins()
    {
        QTemporaryDir first, second;
        WriteFile(second.filePath(eh::kHelpFileName), "{\\rtf1\\ansi second\\par}");
        ModalWatcher watcher;
        TForm3 form3({first.path(), second.path()});
        form3.FormCreate();
        form3.BuildHelpDocument();
        QVERIFY(watcher.seen().isEmpty());
        QCOMPARE(Paragraphs(*form3.RichEdit1).value(0), QString("second"));
    }

    // In English the window shows the English document and its own texts,
    // and a missing English document is missing though the Russian is there.
    void inEnglishTheEnglishDocumentIsShown()
    {
        QTemporaryDir folder;
        WriteFile(QDir(folder.path()).filePath("help_eh.en.rtf"), "{\\rtf1\\ansi English\\par}");
        eh::SetInterfaceLanguage(eh::TLanguage::English);
        // Russian again for the tests after this one, whatever fails here.
        const auto restore = qScopeGuard([] { eh::SetInterfaceLanguage(eh::TLanguage::Russian); });
        {
            ModalWatcher watcher;
            TForm3 form3({folder.path()});
            form3.FormCreate();
            form3.BuildHelpDocument();
            QVERIFY(watcher.seen().isEmpty());
            QCOMPARE(Paragraphs(*form3.RichEdit1).value(0), QString("English"));
            QCOMPARE(form3.windowTitle(), QString("Help"));
            QCOMPARE(form3.BitBtn1->text(), QString("&Close"));
        }
        QDir(folder.path()).rename("help_eh.en.rtf", eh::kHelpFileName);
        {
            ModalWatcher watcher;
            TForm3 form3({folder.path()});
            form3.FormCreate();
            QCOMPARE(watcher.seen().size(), 1);
            QCOMPARE(watcher.seen()[0].text, QString("The help file was not found"));
        }
    }

    void everyParagraphStartsFivePointsFromTheLeft()
    {
        QTemporaryDir folder;
        // The second paragraph hangs: its first line is 0.25" left of the rest.
        WriteFile(folder.filePath(eh::kHelpFileName),
                  "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard One\\par"
                  "\\pard\\li720\\fi-360 Two\\par\\pard\\qc\\li1440 Three\\par}");
        ModalWatcher watcher;
        TForm3 form3({folder.path()});
        form3.FormCreate();
        form3.BuildHelpDocument();
        QVERIFY(watcher.seen().isEmpty());
        const QTextDocument* document = form3.RichEdit1->document();
        QCOMPARE(document->begin().text(), QString("One"));
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            const QTextBlockFormat format = block.blockFormat();
            // The first line's start is the left margin plus the first-line indent.
            QCOMPARE(qRound(Points(form3, format.leftMargin() + format.textIndent()) * 100), 500);
        }
        const QTextBlockFormat two = document->findBlockByNumber(1).blockFormat();
        QCOMPARE(qRound(Points(form3, two.leftMargin()) * 100), 500 + 1800); // keeps its 18-point hang
        QCOMPARE(document->findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(form3.RichEdit1->textCursor().position(), 0);
        QVERIFY(!form3.RichEdit1->textCursor().hasSelection());
    }

    void aFileThatIsNotRtfIsShownAsPlainText()
    {
        QTemporaryDir folder;
        WriteFile(folder.filePath(eh::kHelpFileName), "\xCF\xF0\xE8\xE2\xE5\xF2\r\nsecond line\r\n");
        ModalWatcher watcher;
        TForm3 form3({folder.path()});
        form3.FormCreate();
        form3.BuildHelpDocument();
        QVERIFY(watcher.seen().isEmpty());
        const QStringList paragraphs = Paragraphs(*form3.RichEdit1);
        QCOMPARE(paragraphs.value(0), QString("Привет"));
        QCOMPARE(paragraphs.value(1), QString("second line"));
        const QTextBlockFormat format = form3.RichEdit1->document()->begin().blockFormat();
        QCOMPARE(qRound(Points(form3, format.leftMargin()) * 100), 500);
    }

    void aHelpDocumentOverTheReadersLimitsGetsTheNotice()
    {
        // Six million paragraphs: the reader stops at its limit at once
        // instead of keeping the main window waiting.
        QTemporaryDir folder;
        WriteFile(folder.filePath(eh::kHelpFileName), "{\\rtf1 " + QByteArray("\\par").repeated(6000000) + "}");
        ModalWatcher watcher;
        TForm3 form3({folder.path()});
        form3.FormCreate();
        // Read whole at start-up; the limit is met when the window first
        // shows and builds the document.
        QVERIFY(watcher.seen().isEmpty());
        eh::ShowAndRaise(form3);
        QTRY_COMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen()[0].text, "Не найден файл справки\nФайл \"" + folder.filePath(eh::kHelpFileName) +
                                             "\" слишком велик: показано только его начало");
        QVERIFY(form3.isVisible());
    }

    void whatStandsUnderTheHelpDocumentsNameIsNamedAndNeverWaitedFor()
    {
        // A pipe would keep start-up waiting for a writer for ever.
        const struct {
            const char* name;
            bool (*make)(const QString& path);
            const char* notice;
        } cases[] = {
            {"folder", [](const QString& path) { return QDir().mkdir(path); }, "\"%1\" — папка, а не файл"},
            {"pipe", [](const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
             "\"%1\" — не файл, а устройство или канал"},
            {"link to a device", [](const QString& path) { return QFile::link("/dev/zero", path); },
             "\"%1\" — не файл, а устройство или канал"},
            {"33 MiB",
             [](const QString& path) {
                 QFile file(path);
                 return file.open(QIODevice::WriteOnly) && file.resize(33 << 20);
             },
             "Файл \"%1\" больше 32 МБ"},
        };
        for (const auto& c : cases) {
            QTemporaryDir folder;
            const QString path = folder.filePath(eh::kHelpFileName);
            QVERIFY2(c.make(path), c.name);
            ModalWatcher watcher;
            TForm3 form3({folder.path()});
            form3.FormCreate();
            QCOMPARE(watcher.seen().size(), 1);
            QCOMPARE(watcher.seen()[0].text, "Не найден файл справки\n" + QString(c.notice).arg(path));
            QVERIFY(form3.RichEdit1->document()->isEmpty());
        }
    }

    void theHelpWindowHidesAndEscapeDoesNotCloseIt()
    {
        QTemporaryDir folder;
        ModalWatcher watcher;
        TForm3 form3({folder.path()});
        QCOMPARE(form3.windowTitle(), QString("Form3"));
        eh::ShowAndRaise(form3);
        QVERIFY(QTest::qWaitForWindowExposed(&form3));
        QTRY_COMPARE(QApplication::focusWidget(), form3.RichEdit1);
        QTest::keyClick(&form3, Qt::Key_Escape);
        QVERIFY(form3.isVisible());
        QTest::mouseClick(form3.BitBtn1, Qt::LeftButton);
        QVERIFY(!form3.isVisible());
        QCOMPARE(form3.BitBtn1->geometry(), QRect(102, 10, 91, 25));
        QCOMPARE(form3.Panel2->size(), QSize(301, 41));
        QVERIFY(form3.RichEdit1->minimumWidth() >= 550);
    }

    void theHelpPaneHidesItsSelectionWithoutTheFocus()
    {
        QTemporaryDir folder;
        WriteFile(folder.filePath(eh::kHelpFileName), "{\\rtf1 selected text}");
        TForm3 form3({folder.path()});
        form3.FormCreate();
        eh::ShowAndRaise(form3);
        QVERIFY(QTest::qWaitForWindowActive(&form3));
        form3.RichEdit1->selectAll();
        const QColor highlight = form3.RichEdit1->palette().color(QPalette::Active, QPalette::Highlight);
        const auto highlighted = [&] {
            const QImage image = form3.RichEdit1->viewport()->grab().toImage();
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixelColor(x, y) == highlight)
                        return true;
            return false;
        };
        form3.RichEdit1->setFocus();
        QVERIFY(highlighted());
        form3.BitBtn1->setFocus();
        QVERIFY(!highlighted());
    }

    void theAboutWindowShowsItsLabelsInAFixedFrame()
    {
        TForm2 form2;
        QCOMPARE(form2.windowTitle(), QString("О Программе"));
        QCOMPARE(form2.size(), QSize(542, 299));
        QCOMPARE(form2.minimumSize(), form2.maximumSize());
        QVERIFY(!(form2.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(form2.windowFlags() & Qt::WindowCloseButtonHint);
        // The labels take their faces when the window first shows.
        eh::ShowAndRaise(form2);
        QVERIFY(QTest::qWaitForWindowExposed(&form2));
        const struct {
            QLabel* label;
            const char* text;
            QPoint position;
            bool bold;
        } labels[] = {
            {form2.Label1, "ПРОГРАММА ДЛЯ РАССЧЕТА  ЕН  АНТЕНН", {92, 33}, true},
            {form2.Label2, "Korvelle V 1.1", {195, 59}, true},
            {form2.Label5, "Техническая поддержка: ", {51, 129}, false},
            {form2.Label6, "Формулы для расчета:", {51, 165}, false},
            {form2.Label4, "Программирование:", {51, 203}, false},
            {form2.Label7, nullptr, {248, 129}, true},
            {form2.Label9, nullptr, {248, 165}, true},
            {form2.Label8, nullptr, {248, 203}, true},
        };
        for (const auto& expected : labels) {
            if (expected.text)
                QCOMPARE(expected.label->text(), QString(expected.text));
            else
                QVERIFY(!expected.label->text().isEmpty());
            QCOMPARE(expected.label->pos(), expected.position);
            QCOMPARE(expected.label->font().bold(), expected.bold);
        }
        QCOMPARE(form2.Label2->font().pixelSize(), 19);
        // Each role caption and the name beside it: one character height,
        // one baseline, and the caption never runs into the name.
        const QLabel* const rows[][2] = {
            {form2.Label5, form2.Label7}, {form2.Label6, form2.Label9}, {form2.Label4, form2.Label8}};
        for (const auto& row : rows) {
            for (const QLabel* label : row)
                QCOMPARE(label->font().pixelSize(), 16);
            QCOMPARE(row[0]->y() + row[0]->fontMetrics().ascent(), row[1]->y() + row[1]->fontMetrics().ascent());
            QVERIFY(row[0]->geometry().right() < row[1]->x());
        }
        QCOMPARE(form2.Label1->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QCOMPARE(form2.Panel1->geometry(), QRect(0, 254, 542, 45));
        QCOMPARE(form2.BitBtn1->geometry(), QRect(225, 12, 93, 25));

        QTest::keyClick(&form2, Qt::Key_Escape);
        QVERIFY(form2.isVisible());
        form2.BitBtn1->setFocus();
        QTest::keyClick(form2.BitBtn1, Qt::Key_Return);
        QVERIFY(!form2.isVisible());
    }

    void theHelpMenuShowsEachWindowOnceAndBringsItToTheFront()
    {
        QTemporaryDir folder;
        ModalWatcher watcher;
        eh::TForm1 form1;
        TForm2 form2;
        TForm3 form3({folder.path()});
        form1.SetHelpWindows(&form2, &form3);
        form1.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form1));
        form1.N6->trigger();
        QVERIFY(form2.isVisible());
        // Centred the first time it shows ...
        const QPoint centre = form2.screen()->availableGeometry().center();
        QVERIFY((form2.frameGeometry().center() - centre).manhattanLength() <= 2);
        // ... and afterwards where the user left it.
        form2.move(form2.pos() + QPoint(40, 30));
        const QPoint placed = form2.pos();
        form2.hide();
        form1.N6->trigger();
        form1.N6->trigger();
        QVERIFY(form2.isVisible());
        QCOMPARE(form2.pos(), placed);
        form1.N5->trigger();
        QVERIFY(form3.isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), &form3);
        form1.N6->trigger();
        QTRY_COMPARE(QApplication::activeWindow(), &form2);
    }
};

EH_WINDOW_TEST_MAIN(HelpWindowsTest)

#include "HelpWindowsTest.moc"
