// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerFileMenus.h"

#include "DesignExplorer.h"
#include "Exceptions.h"
#include "InterfaceLanguage.h"
#include "MessageBoxes.h"
#include "ReportFileWriter.h"

#include <QFileDialog>
#include <QMenu>
#include <QPushButton>

namespace eh {

namespace {

using SaveAction = void (DesignExplorer::*)(const QString&);

void ChooseExportFile(DesignExplorer& explorer, const QString& filter, const QString& suffix, SaveAction save)
{
    QFileDialog dialog(&explorer);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(suffix);
    dialog.setNameFilter(filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    try {
        (explorer.*save)(path);
    } catch (const EReportWriteError& error) {
        // The window's own report keeps its historic message; an export says
        // which file and why.
        ShowFailureBox(UiText("explorer.file.not-saved")
                           .arg(QString::fromStdString(error.fullPath()), QString::fromStdString(error.reason())));
    } catch (const Exception& error) {
        ShowFailureBox(QString::fromStdString(error.what()));
    }
}

void ChooseDesignToOpen(DesignExplorer& explorer)
{
    QFileDialog dialog(&explorer);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(UiText("explorer.design.file-filter"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    try {
        explorer.OpenDesign(dialog.selectedFiles().first());
    } catch (const Exception& error) {
        ShowFailureBox(QString::fromStdString(error.what()));
    }
}

// A menu item that saves into a file the user picks.
void AddSaveItem(QMenu& menu, DesignExplorer& explorer, const QString& text, const QString& filter,
                 const QString& suffix, SaveAction save)
{
    menu.addAction(text, &explorer, [&explorer, filter, suffix, save] { ChooseExportFile(explorer, filter, suffix, save); });
}

} // namespace

QPushButton* CreateDesignFileButton(DesignExplorer& explorer)
{
    auto* button = new QPushButton(UiText("explorer.design"));
    button->setObjectName("FileButton");
    auto* menu = new QMenu(button);
    menu->addAction(UiText("explorer.design.open"), &explorer, [&explorer] { ChooseDesignToOpen(explorer); });
    AddSaveItem(*menu, explorer, UiText("explorer.design.save"), UiText("explorer.design.file-filter"), "json",
                &DesignExplorer::SaveDesign);
    menu->addSeparator();
    AddSaveItem(*menu, explorer, UiText("explorer.design.sheet-pdf"), "PDF (*.pdf)", "pdf",
                &DesignExplorer::ExportBuildSheet);
    menu->addAction(UiText("explorer.design.print-sheet"), &explorer, &DesignExplorer::PrintBuildSheet);
    button->setMenu(menu);
    return button;
}

QPushButton* CreateExportButton(DesignExplorer& explorer)
{
    auto* button = new QPushButton(UiText("explorer.export"));
    button->setObjectName("ExportButton");
    auto* menu = new QMenu(button);
    AddSaveItem(*menu, explorer, UiText("explorer.export.chart-png"), "PNG (*.png)", "png", &DesignExplorer::ExportPng);
    AddSaveItem(*menu, explorer, UiText("explorer.export.chart-svg"), "SVG (*.svg)", "svg", &DesignExplorer::ExportSvg);
    AddSaveItem(*menu, explorer, UiText("explorer.export.csv"), "CSV (*.csv)", "csv", &DesignExplorer::ExportCsv);
    // The chart's text alternative, for a screen reader and the keyboard.
    menu->addAction(UiText("points.menu"), &explorer, &DesignExplorer::ShowPointsTable);
    menu->addSeparator();
    AddSaveItem(*menu, explorer, UiText("explorer.export.drawing-png"), "PNG (*.png)", "png",
                &DesignExplorer::ExportDrawingPng);
    AddSaveItem(*menu, explorer, UiText("explorer.export.drawing-svg"), "SVG (*.svg)", "svg",
                &DesignExplorer::ExportDrawingSvg);
    button->setMenu(menu);
    return button;
}

} // namespace eh
