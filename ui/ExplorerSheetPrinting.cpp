// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerSheetPrinting.h"

#include "BuildSheetText.h"
#include "DesignFile.h"
#include "ExplorerChart.h"
#include "ExplorerModel.h"
#include "FormControls.h"
#include "InterfaceLanguage.h"

#include <QDate>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace eh {

TBuildSheet ExplorerSheet(const ExplorerModel& model, ExplorerChart& chart)
{
    const TAntennaInputs typed = *model.Typed();
    return {*BuildSheetText(model),
            typed,
            CalculateDesign(typed).results,
            model.Separator(),
            QDate::currentDate().toString(Qt::ISODate),
            [&chart](QPainter& painter, const QRectF& area) {
                // Laid out for the page's width in pixels of a 96 dpi screen.
                const double pixel = painter.device()->logicalDpiX() / 96.0;
                chart.PaintOutlined(painter, area, (area.size() / pixel).toSize());
            },
            InterfaceLanguage(),
            InterfaceLengthUnit()};
}

void PrintExplorerSheet(QWidget& parent, const ExplorerModel& model, ExplorerChart& chart)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(UiText("explorer.sheet.title"));
    QPrintDialog dialog(&printer, &parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PaintBuildSheet(printer, ExplorerSheet(model, chart));
}

} // namespace eh
