// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignExplorer.h"
#include "ExplorerWindows.h"
#include "InterfaceLanguage.h"
#include "LabeledEdit.h"
#include "MeasurementView.h"
#include "uInterface.h"
#include "WindowControls.h"
#include "WindowTestMain.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

using eh::TLanguage;

namespace {

// The controls a keyboard reaches in `window`'s accessibility tree that a
// screen reader could not name, as "role (object name)".
QStringList UnnamedFocusable(QWidget& window)
{
    QStringList unnamed;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (node == nullptr)
            return;
        const QAccessible::State state = node->state();
        if (state.focusable && !state.invisible && node->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject* object = node->object();
            const QObject* parent = object ? object->parent() : nullptr;
            unnamed << QString("role %1: %2 %3 in %4 %5")
                           .arg(node->role())
                           .arg(object ? object->metaObject()->className() : "?", object ? object->objectName() : "",
                                parent ? parent->metaObject()->className() : "-", parent ? parent->objectName() : "");
        }
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(&window));
    return unnamed;
}

// The access keys that two visible texts of one window, or of one menu,
// share: "&Файл" and "&Формат" both take Alt+Ф.
QStringList Clashes(const QStringList& texts)
{
    QMap<QString, QString> taken;
    QStringList clashes;
    for (const QString& text : texts) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty())
            continue;
        const QString name = key.toString();
        if (taken.contains(name))
            clashes << QString("%1: %2 / %3").arg(name, taken[name], text);
        else
            taken[name] = text;
    }
    return clashes;
}

QStringList WindowMnemonicClashes(QWidget& window)
{
    QStringList texts;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(&window))
            texts << button->text();
    }
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&window) && label->buddy())
            texts << label->text();
    }
    for (const QGroupBox* box : window.findChildren<QGroupBox*>())
        texts << box->title();
    if (auto* main = qobject_cast<QMainWindow*>(&window)) {
        for (const QAction* menu : main->menuBar()->actions())
            texts << menu->text();
    }
    QStringList clashes = Clashes(texts);
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
        QStringList items;
        for (const QAction* action : menu->actions())
            items << action->text();
        clashes << Clashes(items);
    }
    return clashes;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { eh::SetInterfaceLanguage(TLanguage::Russian); }

    void everyControlHasANameAndNoAccessKeyIsTakenTwice_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("Russian") << false;
        QTest::newRow("English") << true;
    }
    void everyControlHasANameAndNoAccessKeyIsTakenTwice()
    {
        QFETCH(bool, english);
        const TLanguage language = english ? TLanguage::English : TLanguage::Russian;
        eh::SetInterfaceLanguage(language);
        eh::TForm1 form;
        form.SetExplorerWindows(EhExplorerWindows);
        eh::DesignExplorer explorer(form);
        eh::MeasurementView& measurement = form.MeasurementWindow();
        for (QWidget* window : std::initializer_list<QWidget*>{&form, &explorer, &measurement}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            const QStringList unnamed = UnnamedFocusable(*window);
            QVERIFY2(unnamed.isEmpty(), qPrintable(window->objectName() + ": " + unnamed.join(", ")));
            const QStringList clashes = WindowMnemonicClashes(*window);
            QVERIFY2(clashes.isEmpty(), qPrintable(window->objectName() + ": " + clashes.join(", ")));
        }
        // The controls of a tab not shown are invisible to the walk: each
        // of the explorer's tabs in turn.
        auto* sides = eh::test::Control<QTabWidget>(explorer, "Sides");
        for (int tab = 0; tab < sides->count(); ++tab) {
            sides->setCurrentIndex(tab);
            const QStringList unnamed = UnnamedFocusable(explorer);
            QVERIFY2(unnamed.isEmpty(), qPrintable(sides->tabText(tab) + ": " + unnamed.join(", ")));
        }
        // A field is named by its label, without the " =" after it.
        QCOMPARE(QAccessible::queryAccessibleInterface(form.Edits[0])->text(QAccessible::Name),
                 language == TLanguage::Russian ? QString("Частота (МГц)") : QString("Frequency (MHz)"));
    }

    // A screen reader reads the report a line at a time, as it stands.
    void theReportReadsLineByLine()
    {
        eh::TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const char* const texts[] = {"14.2", "50", "3", "1", "2", "50", "0"};
        for (std::size_t i = 0; i < form.Edits.size(); ++i)
            QTest::keyClicks(form.Edits[i], texts[i]);
        form.BitBtn1Click();
        QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(form.RichEdit1)->textInterface();
        QVERIFY(text);
        // Each line asked for at its start, and at its last character.
        QStringList lines;
        for (QTextBlock block = form.RichEdit1->document()->begin(); lines.size() < 6; block = block.next()) {
            int start = 0;
            int end = 0;
            const int last = block.position() + block.length() - 2;
            lines << text->textAtOffset(block.position(), QAccessible::LineBoundary, &start, &end).trimmed()
                  << text->textAtOffset(last, QAccessible::LineBoundary, &start, &end).trimmed();
        }
        QCOMPARE(lines, QStringList({"Расчет параметров ЕН Антенны", "Расчет параметров ЕН Антенны",
                                     "Частота = 14.20 МГц", "Частота = 14.20 МГц", "Диаметр цилиндров = 50.00 мм",
                                     "Диаметр цилиндров = 50.00 мм"}));
    }
};

EH_WINDOW_TEST_MAIN(AccessibilityTest)

#include "AccessibilityTest.moc"
