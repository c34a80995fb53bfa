// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerExports.h"

#include "AntennaDrawing.h"
#include "ExplorerBuildSheet.h"
#include "ExplorerChart.h"
#include "InterfaceLanguage.h"
#include "ReportFileWriter.h"
#include "SaveTargetPolicy.h"
#include "WindowFont.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace eh {

namespace {

template <class Write>
QByteArray Written(Write&& write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return bytes;
}

} // namespace

QByteArray ChartPng(ExplorerChart& chart)
{
    return Written([&chart](QBuffer& buffer) { chart.RenderImage().save(&buffer, "PNG"); });
}

QByteArray ChartSvg(ExplorerChart& chart)
{
    return Written([&chart](QBuffer& buffer) { chart.RenderSvg(buffer); });
}

QByteArray DrawingPng(const AntennaDrawing& drawing)
{
    QImage image(drawing.size() * 2, QImage::Format_ARGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        drawing.Paint(painter, drawing.rect());
    }
    return Written([&image](QBuffer& buffer) { image.save(&buffer, "PNG"); });
}

QByteArray DrawingSvg(const AntennaDrawing& drawing)
{
    return Written([&drawing](QBuffer& buffer) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(drawing.size());
        generator.setViewBox(drawing.rect());
        generator.setTitle(UiText("explorer.drawing.file-title"));
        QPainter painter(&generator);
        // A face with outlines, which other programs can stand in for.
        QFont face = RichTextFont();
        face.setPixelSize(kWindowCharacterHeight);
        painter.setFont(face);
        drawing.Paint(painter, drawing.rect());
    });
}

QByteArray BuildSheetPdf(const TBuildSheet& sheet)
{
    return Written([&sheet](QBuffer& buffer) {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(QString::fromUtf8(LocalText("explorer.sheet.title", sheet.language)));
        writer.setCreator(QStringLiteral("eh-antenna"));
        PaintBuildSheet(writer, sheet);
    });
}

void SaveExportFile(const QString& path, const std::string& bytes)
{
    const std::string target = path.toStdString();
    RefuseWaitingTarget(target);
    SaveFileAtomically(target, bytes);
}

void SaveExportFile(const QString& path, const QByteArray& bytes)
{
    SaveExportFile(path, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace eh
