// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

class QPagedPaintDevice;

namespace eh {

class AntennaDrawing;
class ExplorerChart;
struct TBuildSheet;

// The explorer's files: the chart and the drawing as pictures, the build
// sheet as a PDF. Each is made whole in memory first and then saved as the
// report is (SaveExportFile), so that a failed save leaves the old file.
QByteArray ChartPng(ExplorerChart& chart);
QByteArray ChartSvg(ExplorerChart& chart);
QByteArray DrawingPng(const AntennaDrawing& drawing);
QByteArray DrawingSvg(const AntennaDrawing& drawing);
QByteArray BuildSheetPdf(const TBuildSheet& sheet);

// Throws EFCreateError or EOutOfResources, as saving the report does.
void SaveExportFile(const QString& path, const QByteArray& bytes);
void SaveExportFile(const QString& path, const std::string& bytes);

} // namespace eh
