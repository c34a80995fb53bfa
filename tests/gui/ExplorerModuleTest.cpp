// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer module loaded as the window program loads it: this program is
// built as the module's host (eh_explorer_module_host) and has none of the
// module's code in it.
#include "Exceptions.h"
#include "ExplorerModule.h"
#include "ExplorerWindows.h"
#include "InterfaceLanguage.h"
#include "uInterface.h"
#include "WindowTestMain.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

using eh::TLanguage;

namespace {

// The message of the failure that `command` throws.
QString FailureOf(const std::function<void()>& command)
{
    try {
        command();
    } catch (const eh::EFOpenError& failure) {
        return QString::fromStdString(failure.what());
    }
    return "<no failure>";
}

} // namespace

class ExplorerModuleTest : public QObject {
    Q_OBJECT

private slots:
    void missingModuleIsNamedWithItsReason_data()
    {
        QTest::addColumn<TLanguage>("language");
        QTest::addColumn<QString>("expected");
        QTest::newRow("russian") << TLanguage::Russian
                                 << QString("Не удалось загрузить модуль \"%1\": файл не найден");
        QTest::newRow("english") << TLanguage::English
                                 << QString("Could not load the module \"%1\": the file was not found");
    }

    // The View menu's two commands say what is missing, and keep saying it.
    void missingModuleIsNamedWithItsReason()
    {
        QFETCH(TLanguage, language);
        QFETCH(QString, expected);
        eh::SetInterfaceLanguage(language);
        const auto restore = qScopeGuard([] { eh::SetInterfaceLanguage(TLanguage::Russian); });
        QTemporaryDir folder;
        const QString path = folder.filePath("lib/eh-antenna/explorer.so");
        eh::ExplorerModule module(path);
        eh::TForm1 form;
        form.SetExplorerWindows([&]() -> const eh::ExplorerWindows& { return module.Windows(); });
        std::unique_ptr<QWidget> explorer;
        form.SetExplorerWindow([&]() -> QWidget* {
            explorer = module.Windows().MakeExplorer(form);
            return explorer.get();
        });
        for (int attempt = 0; attempt < 2; ++attempt) {
            QCOMPARE(FailureOf([&] { form.N8Click(); }), expected.arg(path));
            QCOMPARE(FailureOf([&] { form.N9Click(); }), expected.arg(path));
        }
    }

    void fileThatIsNoModuleIsRefusedWithTheLoadersReason()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("explorer.so");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a module") == 12);
        file.close();
        eh::ExplorerModule module(path);
        const QString message = FailureOf([&] { module.Windows(); });
        QVERIFY2(message.startsWith(QString("Не удалось загрузить модуль \"%1\": ").arg(path)), qPrintable(message));
        QVERIFY2(message.contains("file too short"), qPrintable(message));
    }

    // The module built beside this program binds to what the program exports
    // and makes both windows for the main window.
    void builtModuleMakesTheWindows()
    {
        eh::ExplorerModule module(EH_BUILT_EXPLORER_MODULE);
        eh::TForm1 form;
        form.SetExplorerWindows([&]() -> const eh::ExplorerWindows& { return module.Windows(); });
        const std::unique_ptr<QWidget> explorer = module.Windows().MakeExplorer(form);
        QCOMPARE(explorer->metaObject()->className(), "eh::DesignExplorer");
        QCOMPARE(explorer->windowTitle(), QString("Обзор конструкции"));
        form.MeasurementWindow();
        const auto* measurement = form.findChild<QWidget*>("MeasurementView");
        QVERIFY(measurement);
        QCOMPARE(measurement->metaObject()->className(), "eh::MeasurementView");
        QVERIFY(measurement->isWindow());
        QVERIFY(!measurement->testAttribute(Qt::WA_QuitOnClose));
    }
};

EH_WINDOW_TEST_MAIN(ExplorerModuleTest)
#include "ExplorerModuleTest.moc"
