// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationShell.h"
#include "DesignExplorer.h"
#include "SaveSignals.h"
#include "uHelp.h"
#include "uHelp2.h"
#include "uInterface.h"

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
    eh::DesignExplorer explorer(Form1);
    Form1.SetExplorerWindow(&explorer);

    // Closing the main window ends the program, whatever else is open.
    Form2.setAttribute(Qt::WA_QuitOnClose, false);
    Form3.setAttribute(Qt::WA_QuitOnClose, false);
    explorer.setAttribute(Qt::WA_QuitOnClose, false);
    Form1.show();
    application.exec();
    return 0;
}
