// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationShell.h"
#include "ExplorerModule.h"
#include "ExplorerWindows.h"
#include "SaveSignals.h"
#include "uHelp.h"
#include "uHelp2.h"
#include "uInterface.h"

#include <memory>

int main(int argc, char** argv)
{
    eh::HandleSignalsDuringSaves();
    eh::TApplication application(argc, argv);

    eh::TForm1 Form1;
    eh::TForm2 Form2;
    eh::TForm3 Form3(eh::DefaultHelpFolders());
    // A missing help document is reported now, before any window shows.
    Form3.FormCreate();
    Form1.SetHelpWindows(&Form2, &Form3);
    // The explorer and the measurement view come from a module loaded when
    // the View menu first asks for one: start-up does not need them, nor the
    // libraries they draw with.
    eh::ExplorerModule module(eh::ExplorerModule::BesideProgram());
    Form1.SetExplorerWindows([&]() -> const eh::ExplorerWindows& { return module.Windows(); });
    // Made when first shown; it goes before the main window, whose fields it
    // reads.
    std::unique_ptr<QWidget> explorer;
    Form1.SetExplorerWindow([&]() -> QWidget* {
        if (!explorer) {
            explorer = module.Windows().MakeExplorer(Form1);
            explorer->setAttribute(Qt::WA_QuitOnClose, false);
        }
        return explorer.get();
    });

    // Closing the main window ends the program, whatever else is open.
    Form2.setAttribute(Qt::WA_QuitOnClose, false);
    Form3.setAttribute(Qt::WA_QuitOnClose, false);
    Form1.show();
    application.exec();
    return 0;
}
