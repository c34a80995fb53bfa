// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationShell.h"
#include "FileDialogTexts.h"
#include "GlyphButton.h"
#include "LabeledEdit.h"
#include "MessageBoxes.h"
#include "ModalWatcher.h"
#include "RegionalSettings.h"
#include "Report.h"
#include "ReportText.h"
#include "uInterface.h"
#include "WindowTestMain.h"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTreeView>
#include <QtMath>
#include <QTemporaryDir>
#include <QToolTip>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

using eh::TForm1;

namespace {

const char* const kExampleA[] = {"14.2", "50", "3", "1", "2", "50", "0"};

QList<eh::LabeledEdit*> Fields(TForm1& form)
{
    return {form.Edits.begin(), form.Edits.end()};
}

void Type(TForm1& form, const char* const (&texts)[7])
{
    const auto fields = Fields(form);
    for (int i = 0; i < fields.size(); ++i) {
        fields[i]->clear();
        QTest::keyClicks(fields[i], QString::fromUtf8(texts[i]));
    }
}

QStringList PaneLines(TForm1& form)
{
    QStringList lines;
    for (QTextBlock block = form.RichEdit1->document()->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

// The saved file of example A.
QByteArray ExampleAFileBytes()
{
    const eh::TAntennaInputs inputs{14.2, 50, 3, 0, 1, 2, 50};
    return QByteArray::fromStdString(
        eh::ReportFileBytes(eh::ReportPlainText(eh::BuildReport(inputs, eh::CalculateAntenna(inputs), ','))));
}

// Saves run with the file rights of "nobody" (this thread only) for the
// life of the object.
struct ActingAsNobody {
    ActingAsNobody()
    {
        setfsgid(65534);
        setfsuid(65534);
    }
    ~ActingAsNobody()
    {
        setfsuid(0);
        setfsgid(0);
    }
    ActingAsNobody(const ActingAsNobody&) = delete;
    ActingAsNobody& operator=(const ActingAsNobody&) = delete;
};

// Whether "nobody" may enter `folder`: the temporary folders may lie in one
// closed to others (TMPDIR in a home folder).
bool NobodyMayEnter(const QString& folder)
{
    const ActingAsNobody nobody;
    return faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), X_OK, AT_EACCESS) == 0;
}

// Accepts a save dialog with `path` typed in as the file name.
std::function<void(QWidget*)> SaveAs(const QString& path)
{
    return [path](QWidget* box) {
        if (auto* dialog = qobject_cast<QFileDialog*>(box)) {
            // Typed into the file name box, as a user would.
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
            static_cast<QDialog*>(dialog)->accept();
        }
    };
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        eh::RegionalSettings::SetDecimalSeparator(',');
        form_ = new TForm1;
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_));
        form_->activateWindow();
    }
    void cleanup() { delete form_; }

    void enterInAFieldRendersTheStyledReport_data()
    {
        QTest::addColumn<int>("field");
        for (int i = 0; i < 7; ++i)
            QTest::addRow("field %d", i) << i;
    }

    void enterInAFieldRendersTheStyledReport()
    {
        QFETCH(int, field);
        Type(*form_, kExampleA);
        eh::LabeledEdit* edit = Fields(*form_)[field];
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);

        const eh::TAntennaInputs inputs{14.2, 50, 3, 0, 1, 2, 50};
        const eh::TReport report = eh::BuildReport(inputs, eh::CalculateAntenna(inputs), ',');
        const QStringList lines = PaneLines(*form_);
        QCOMPARE(lines.size(), 39); // 38 lines and the empty paragraph after the last line end
        QCOMPARE(lines[0], QString("Расчет параметров ЕН Антенны"));
        QCOMPARE(lines[1], QString("Частота = 14,20 МГц"));
        QCOMPARE(lines[8], QString("Общая длина антенны  = 428,17 мм"));
        QCOMPARE(lines[37], QString("Расстояние между плечами 50,00 мм"));
        QCOMPARE(lines[38], QString());
        QVERIFY(edit->hasFocus());

        const double indent = 2.0 * form_->RichEdit1->logicalDpiX() / 72.0;
        QTextBlock block = form_->RichEdit1->document()->begin();
        for (const eh::TReportLine& line : report.Lines) {
            QCOMPARE(block.text(), QString::fromStdString(line.Text));
            QCOMPARE(block.blockFormat().leftMargin(), indent);
            QCOMPARE(block.blockFormat().textIndent(), 0.0);
            // Every character's format is the last run that covers it.
            for (int i = 0; i < block.length() - 1; ++i) {
                const eh::TStyleRun* covering = nullptr;
                for (const eh::TStyleRun& run : line.Runs) {
                    if (i >= run.Start && i < run.Start + run.Length)
                        covering = &run;
                }
                QVERIFY(covering);
                QTextCursor cursor(block);
                cursor.setPosition(block.position() + i + 1);
                const QTextCharFormat format = cursor.charFormat();
                QCOMPARE(format.fontWeight() >= QFont::Bold, covering->Bold);
                QCOMPARE(format.fontUnderline(), covering->Underline);
                QCOMPARE(format.fontItalic(), false);
                QCOMPARE(format.fontStrikeOut(), false);
                QCOMPARE(format.fontPointSize(), double(covering->Size));
            }
            block = block.next();
        }
    }

    void theButtonCalculatesAndASecondRunReplacesTheFirst()
    {
        Type(*form_, kExampleA);
        QTest::mouseClick(form_->BitBtn1, Qt::LeftButton);
        form_->Edits[0]->setText("7.1");
        QTest::mouseClick(form_->BitBtn1, Qt::LeftButton);
        const QStringList lines = PaneLines(*form_);
        QCOMPARE(lines.size(), 39);
        QCOMPARE(lines[1], QString("Частота = 7,10 МГц"));
    }

    void aPointSeparatorReadsFractionsAndWritesPoints()
    {
        eh::RegionalSettings::SetDecimalSeparator('.');
        Type(*form_, kExampleA);
        QTest::keyClick(form_->Edits[0], Qt::Key_Return);
        const QStringList lines = PaneLines(*form_);
        QCOMPARE(lines.size(), 39);
        QCOMPARE(lines[1], QString("Частота = 14.20 МГц"));
        QCOMPARE(form_->Edits[0]->text(), QString("14.2"));
    }

    void freshStartFillsTheDefaultsOneByOneThenFails()
    {
        ModalWatcher watcher;
        const auto fields = Fields(*form_);
        form_->RichEdit1->setPlainText("old report");
        for (int run = 0; run < 7; ++run) {
            QTest::mouseClick(form_->BitBtn1, Qt::LeftButton);
            QCOMPARE(form_->RichEdit1->toPlainText(), QString());
            QCOMPARE(fields[run]->text(), QString(run == 6 ? "0" : "0.1"));
            QVERIFY(fields[run]->hasFocus());
            QCOMPARE(fields[run]->selectedText(), fields[run]->text());
            for (int later = run + 1; later < 7; ++later)
                QCOMPARE(fields[later]->text(), QString());
        }
        QVERIFY(watcher.seen().isEmpty());
        QTest::mouseClick(form_->BitBtn1, Qt::LeftButton);
        QTRY_COMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen()[0].text, QString("Invalid floating point operation."));
        QCOMPARE(watcher.seen()[0].icon, QMessageBox::Critical);
        QCOMPARE(watcher.seen()[0].title, eh::ApplicationTitle());
        QCOMPARE(form_->RichEdit1->toPlainText(), QString());
    }

    void aFieldThatIsNotANumberIsResetWithoutAMessage()
    {
        ModalWatcher watcher;
        const char* const texts[7] = {"14.2", "5O", "3", "abc", "2", "50", "0"};
        Type(*form_, texts);
        QTest::mouseClick(form_->BitBtn1, Qt::LeftButton);
        QCOMPARE(form_->Edits[1]->text(), QString("0.1"));
        QCOMPARE(form_->Edits[3]->text(), QString("abc")); // only the first failing field
        QVERIFY(form_->Edits[1]->hasFocus());
        // The next key replaces the reset text.
        QCOMPARE(form_->Edits[1]->selectedText(), QString("0.1"));
        QVERIFY(watcher.seen().isEmpty());
        QVERIFY(form_->RichEdit1->toPlainText().isEmpty());
    }

    void thePitchNoticeComesFirstAndTheReportFollows()
    {
        ModalWatcher watcher;
        const char* const texts[7] = {"14.2", "50", "3", "1", "0.999", "50", "0"};
        Type(*form_, texts);
        QTest::keyClick(form_->Edits[6], Qt::Key_Return);
        QCOMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen()[0].objectName, QString("NoticeBox"));
        QCOMPARE(watcher.seen()[0].text, QString("Ошибка!!! Шаг намотки меньше диаметра провода!"));
        QCOMPARE(watcher.seen()[0].title, eh::ApplicationTitle());
        QCOMPARE(PaneLines(*form_).size(), 39);

        // Equal pitch and wire diameter give no notice.
        form_->Edits[4]->setText("1");
        QTest::keyClick(form_->Edits[6], Qt::Key_Return);
        QCOMPARE(watcher.seen().size(), 1);
    }

    void faultsAreShownAndTheWindowStaysUsable_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero frequency") << "0" << "Floating point division by zero.";
        QTest::newRow("negative frequency") << "-14.2" << "Invalid floating point operation.";
        QTest::newRow("overflowing result") << "1e300" << "Floating point overflow.";
        QTest::newRow("beyond a double") << "1e400" << "Floating point overflow.";
    }

    void faultsAreShownAndTheWindowStaysUsable()
    {
        QFETCH(QString, frequency);
        QFETCH(QString, message);
        ModalWatcher watcher;
        Type(*form_, kExampleA);
        form_->Edits[0]->setText(frequency);
        QTest::keyClick(form_->Edits[0], Qt::Key_Return);
        QTRY_COMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen()[0].text, message);
        QCOMPARE(watcher.seen()[0].icon, QMessageBox::Critical);
        QCOMPARE(form_->RichEdit1->toPlainText(), QString());
        QCOMPARE(form_->Edits[0]->text(), frequency); // not reset: it was a number

        form_->Edits[0]->setText("14.2");
        QTest::keyClick(form_->Edits[0], Qt::Key_Return);
        QCOMPARE(PaneLines(*form_).size(), 39);
    }

    void savingWritesThePaneAsWindows1251()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("report.txt");
        Type(*form_, kExampleA);
        form_->BitBtn1Click();
        {
            ModalWatcher watcher(SaveAs(folder.filePath("report")));
            form_->N2Click();
        }
        const QByteArray bytes = ReadFile(path);
        QCOMPARE(bytes, ExampleAFileBytes());
        // "Частота = 14,20 МГц" in Windows-1251, then CR LF.
        QVERIFY(bytes.contains("\xD7\xE0\xF1\xF2\xEE\xF2\xE0 = 14,20 \xCC\xC3\xF6\r\n"));
        QVERIFY(bytes.endsWith("50,00 \xEC\xEC\r\n"));
        QCOMPARE(bytes.count("\r\n"), 38);

        // The dialog offers the last file again, and saving twice replaces it.
        form_->RichEdit1->clear();
        {
            ModalWatcher watcher([&](QWidget* box) {
                auto* dialog = qobject_cast<QFileDialog*>(box);
                QVERIFY(dialog);
                QCOMPARE(dialog->selectedFiles().value(0), path);
                static_cast<QDialog*>(dialog)->accept();
            });
            form_->N2Click();
        }
        QCOMPARE(ReadFile(path), QByteArray());
    }

    // Whatever the pane's height, the report ends scrolled to a line's top:
    // no cut line at the top edge, and the last line whole in view. The
    // heights step through one line's height.
    void theReportScrollsByWholeLines_data()
    {
        QTest::addColumn<int>("taller");
        for (const int taller : {0, 3, 6, 9, 12})
            QTest::addRow("%d px taller", taller) << taller;
    }

    void theReportScrollsByWholeLines()
    {
        QFETCH(int, taller);
        form_->resize(form_->width(), form_->height() + taller);
        Type(*form_, kExampleA);
        form_->BitBtn1Click();
        QTextEdit& pane = *form_->RichEdit1;
        const int top = pane.verticalScrollBar()->value();
        QVERIFY(top > 0);
        const QAbstractTextDocumentLayout& layout = *pane.document()->documentLayout();
        bool lineStartsAtTop = false;
        for (QTextBlock block = pane.document()->begin(); block.isValid(); block = block.next())
            lineStartsAtTop = lineStartsAtTop || qFloor(layout.blockBoundingRect(block).top()) == top;
        QVERIFY(lineStartsAtTop);
        const QTextBlock last = pane.document()->findBlockByNumber(eh::kReportLineCount - 1);
        QVERIFY(layout.blockBoundingRect(last).bottom() <= top + pane.viewport()->height());
    }

    // The save dialog's folder type and file sizes in Russian too.
    void theSaveDialogShowsTypesAndSizesInRussian()
    {
        QTemporaryDir folder;
        QDir(folder.path()).mkdir("folder");
        QFile file(folder.filePath("report.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(1086, 'x')) == 1086);
        file.close();
        // Each entry's name, size and type.
        std::map<QString, QStringList> shown;
        ModalWatcher watcher([&](QWidget* box) {
            auto* dialog = qobject_cast<QFileDialog*>(box);
            QVERIFY(dialog);
            dialog->setDirectory(folder.path());
            const QTreeView* view = dialog->findChild<QTreeView*>("treeView");
            const QAbstractItemModel* model = view->model();
            QTRY_COMPARE(model->rowCount(view->rootIndex()), 2);
            for (int row = 0; row < 2; ++row) {
                const auto cell = [&](int column) { return model->index(row, column, view->rootIndex()).data().toString(); };
                shown[cell(0)] = {cell(1), cell(2)};
            }
        });
        form_->N2Click();
        QCOMPARE(shown["folder"], QStringList({"", "Папка"}));
        QCOMPARE(shown["report.txt"].value(0), QString("1,06 кБ"));
    }

    void theFileSizeTextIsRussian_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addRow("0") << qint64{0} << "0 байт";
        QTest::addRow("1") << qint64{1} << "1 байт";
        QTest::addRow("3") << qint64{3} << "3 байта";
        QTest::addRow("12") << qint64{12} << "12 байт";
        QTest::addRow("22") << qint64{22} << "22 байта";
        QTest::addRow("1023") << qint64{1023} << "1023 байта";
        QTest::addRow("1024") << qint64{1024} << "1,00 кБ";
        QTest::addRow("3 MiB") << qint64{3} * 1024 * 1024 << "3,00 МБ";
    }

    void theFileSizeTextIsRussian()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(eh::FileSizeText(bytes), text);
    }

    void savingIntoAMissingFolderFails()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("missing/report.txt");
        ModalWatcher watcher(SaveAs(path));
        QTest::mouseClick(form_->BitBtn1, Qt::LeftButton); // fills EC15 with its default
        // Through the event loop, as a menu click arrives.
        QMetaObject::invokeMethod(form_->N2, &QAction::trigger, Qt::QueuedConnection);
        QTRY_COMPARE(watcher.seen().size(), 2);
        const QString text = watcher.seen()[1].text;
        QVERIFY2(text.startsWith("Cannot create file \"" + path + "\". "), qPrintable(text));
        QVERIFY(text.endsWith('.'));
        QVERIFY(!text.endsWith(".."));
        QCOMPARE(watcher.seen()[1].icon, QMessageBox::Critical);
        QVERIFY(!QFile::exists(path));
    }

    void aFailedSaveLeavesThePreviousFileIntact()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("kept.txt");
        const QByteArray previous(4096, 'x');
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(previous);
        }
        Type(*form_, kExampleA);
        form_->BitBtn1Click();

        // A file size limit makes the write itself fail.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit original{};
        getrlimit(RLIMIT_FSIZE, &original);
        rlimit limited = original;
        limited.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &limited);
        ModalWatcher watcher(SaveAs(path));
        QMetaObject::invokeMethod(form_->N2, &QAction::trigger, Qt::QueuedConnection);
        QTRY_COMPARE(watcher.seen().size(), 2);
        setrlimit(RLIMIT_FSIZE, &original);

        QCOMPARE(watcher.seen()[1].text, QString("Failed to Save Stream."));
        QCOMPARE(ReadFile(path), previous);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"kept.txt"});
    }

    void savingOverAWritableFileInALockedFolderWritesItInPlace()
    {
        if (geteuid() != 0)
            QSKIP("needs root to save as another user");
        QTemporaryDir folder;
        const QString path = folder.filePath("report.txt");
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        // The folder is root's and closed to others; the file is the user's.
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                         QFile::ReadOther | QFile::ExeOther));
        QCOMPARE(chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        if (!NobodyMayEnter(folder.path()))
            QSKIP("needs a temporary folder that user nobody may enter");
        Type(*form_, kExampleA);
        form_->BitBtn1Click();
        {
            const ActingAsNobody nobody;
            ModalWatcher watcher(SaveAs(path));
            form_->N2Click();
        }
        QCOMPARE(ReadFile(path), ExampleAFileBytes());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"report.txt"});
    }

    void savingOverAReadOnlyFileIsRefused()
    {
        if (geteuid() != 0)
            QSKIP("needs root to save as another user");
        // The user's own folder would let the file be replaced.
        QTemporaryDir folder;
        const QString path = folder.filePath("report.txt");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old report") == 10);
        }
        for (const QString& name : {folder.path(), path})
            QCOMPARE(chown(QFile::encodeName(name).constData(), 65534, 65534), 0);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        if (!NobodyMayEnter(folder.path()))
            QSKIP("needs a temporary folder that user nobody may enter");
        Type(*form_, kExampleA);
        form_->BitBtn1Click();
        ModalWatcher watcher(SaveAs(path));
        {
            const ActingAsNobody nobody;
            QMetaObject::invokeMethod(form_->N2, &QAction::trigger, Qt::QueuedConnection);
            QTRY_COMPARE(watcher.seen().size(), 2);
        }
        QCOMPARE(watcher.seen()[1].text, "Cannot create file \"" + path + "\". Permission denied.");
        QCOMPARE(watcher.seen()[1].icon, QMessageBox::Critical);
        QCOMPARE(ReadFile(path), QByteArray("old report"));
    }

    void tabOrderGoesThroughTheFieldsTheButtonAndThePane()
    {
        QList<QWidget*> expected(form_->Edits.begin(), form_->Edits.end());
        expected << form_->BitBtn1 << form_->RichEdit1 << form_->Edits[0];
        form_->Edits[0]->setFocus();
        QCOMPARE(QApplication::focusWidget(), form_->Edits[0]);
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected[i]);
        }
    }

    void onlyTabSelectsAFieldsWholeText()
    {
        QVERIFY(QTest::qWaitForWindowActive(form_));
        form_->Edits[0]->setText("14.2");
        form_->Edits[1]->setText("50");
        QTest::mouseClick(form_->Edits[0], Qt::LeftButton);
        form_->Edits[0]->setCursorPosition(2);
        // The File menu opens and closes; another window takes the
        // activation and gives it back. The caret stays where it was.
        form_->N1->popup(form_->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(form_->N1));
        form_->N1->close();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_));
        QCOMPARE(QApplication::focusWidget(), form_->Edits[0]);
        QVERIFY(!form_->Edits[0]->hasSelectedText());
        QCOMPARE(form_->Edits[0]->cursorPosition(), 2);

        QTest::keyClick(form_->Edits[0], Qt::Key_Tab);
        QCOMPARE(form_->Edits[1]->selectedText(), QString("50"));
        QTest::keyClick(form_->Edits[1], Qt::Key_Backtab);
        QCOMPARE(form_->Edits[0]->selectedText(), QString("14.2"));
    }

    void theNextTooltipShowsAtOnceWhileOneIsShowing()
    {
        QVERIFY(QTest::qWaitForWindowActive(form_));
        QTest::mouseMove(form_->Edits[0], QPoint(10, 10));
        QTRY_COMPARE_WITH_TIMEOUT(QToolTip::text(), form_->Edits[0]->toolTip(), 2000);
        // The first one waited half a second; the next one does not.
        QTest::mouseMove(form_->Edits[1], QPoint(10, 10));
        QTRY_COMPARE_WITH_TIMEOUT(QToolTip::text(), form_->Edits[1]->toolTip(), 300);
    }

    void qtsOwnTextsAreRussian()
    {
        QStringList filters;
        QString fileNameCaption;
        ModalWatcher watcher([&](QWidget* box) {
            auto* combo = box->findChild<QComboBox*>("fileTypeCombo");
            for (int i = 0; i < combo->count(); ++i)
                filters << combo->itemText(i);
            fileNameCaption = box->findChild<QLabel*>("fileNameLabel")->text();
        });
        form_->N2Click();
        QCOMPARE(filters, QStringList{"*.txt"});
        QCOMPARE(fileNameCaption, QString("&Имя файла:"));
        std::unique_ptr<QMenu> menu(form_->Edits[0]->createStandardContextMenu());
        QStringList captions;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                captions << action->text();
        const QStringList russian = {"&Отменить действие\tCtrl+Z", "&Повторить действие\tCtrl+Y",
                                     "&Вырезать\tCtrl+X",          "&Копировать\tCtrl+C",
                                     "В&ставить\tCtrl+V",          "Удалить",
                                     "Выделить всё\tCtrl+A"};
        QCOMPARE(captions, russian);
    }

    void layoutFollowsTheDesign()
    {
        const struct {
            QWidget* widget;
            QRect geometry;
        } controls[] = {
            {form_->GroupBox1, {1, 1, 337, 140}}, {form_->GroupBox2, {1, 141, 337, 109}},
            {form_->GroupBox3, {1, 250, 337, 133}}, {form_->Edits[0], {206, 28, 121, 21}},
            {form_->Edits[1], {206, 60, 121, 21}},     {form_->Edits[2], {206, 92, 121, 21}},
            {form_->Edits[3], {208, 14, 121, 21}},     {form_->Edits[4], {208, 45, 121, 21}},
            {form_->Edits[5], {208, 76, 121, 21}},     {form_->Edits[6], {208, 38, 121, 21}},
            {form_->Label1, {2, 74, 333, 57}},     {form_->BitBtn1, {76, 400, 159, 41}},
        };
        for (const auto& control : controls)
            QCOMPARE(control.widget->geometry(), control.geometry);
        QCOMPARE(form_->Panel1->width(), 339);
        QCOMPARE(form_->RichEdit1->geometry().left(), 339);
        QCOMPARE(form_->centralWidget()->size(), QSize(792, 446));
        QCOMPARE(form_->minimumWidth(), 792);
        // With the metric-compatible face the labels are as wide as designed.
        const int designedWidths[] = {87, 137, 175, 125, 100, 112, 167};
        const bool designFace = QFontInfo(form_->font()).family() == "MS Sans Serif";
        int index = 0;
        for (eh::LabeledEdit* edit : Fields(*form_)) {
            QLabel* label = edit->EditLabel();
            if (designFace)
                QCOMPARE(label->width(), designedWidths[index]);
            ++index;
            QCOMPARE(label->geometry().right() + 1, edit->x() - 20);
            QCOMPARE(label->y(), edit->y() + (21 - label->height()) / 2);
        }
        QCOMPARE(form_->Edits[6]->toolTip(), QString());
        QCOMPARE(form_->Edits[0]->toolTip(), QString("средняя частота резонанса антенны"));
        // The third letter of the caption is a Latin "c".
        QCOMPARE(form_->BitBtn1->text(), QString("&Ра") + QLatin1Char('c') + QString("считать"));
        QCOMPARE(form_->windowTitle(), QString("Программа для расчета параметров ЕН Антенны"));
    }

    void theMenusCarryTheirCaptions()
    {
        QCOMPARE(form_->N1->title(), QString("Файл"));
        QCOMPARE(form_->N2->text(), QString("Сохранить"));
        QCOMPARE(form_->N3->text(), QString("Выход"));
        QCOMPARE(form_->N4->title(), QString("Справка"));
        QCOMPARE(form_->N5->text(), QString("Помощь"));
        QCOMPARE(form_->N6->text(), QString("О Программе"));
    }

    void exitClosesTheWindow()
    {
        form_->N3->trigger();
        QVERIFY(!form_->isVisible());
    }

private:
    TForm1* form_ = nullptr;
};

EH_WINDOW_TEST_MAIN(MainWindowTest)

#include "MainWindowTest.moc"
