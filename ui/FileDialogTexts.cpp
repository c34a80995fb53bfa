// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDialogTexts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLocale>
#include <QTreeView>
#include <cstring>

namespace eh {

namespace {

constexpr int kSizeColumn = 1;

// Wide enough for the four columns side by side, with room for the name.
constexpr QSize kDialogSize(760, 420);

// The longest texts the size, type and date columns usually show.
const char* const kColumnSamples[] = {"1023,99 кБ", "Текстовый документ", "31.12.2026 23:59"};

} // namespace

QString FileTypeTranslator::translate(const char* context, const char* sourceText, const char*, int n) const
{
    // The file dialog's own context holds the same words; asking it again
    // cannot come back here, this translator answers no other context.
    if (std::strcmp(context, "QAbstractFileIconProvider") == 0)
        return QCoreApplication::translate("QFileDialog", sourceText, nullptr, n);
    return {};
}

QString FileSizeText(qint64 bytes)
{
    if (bytes < 1024) {
        // 2, 3, 4, 22, 23 ... take "байта"; 1, 21 and the rest "байт".
        const qint64 ones = bytes % 10;
        const qint64 tens = bytes % 100 / 10;
        const bool paucal = ones >= 2 && ones <= 4 && tens != 1;
        return QString::number(bytes) + (paucal ? " байта" : " байт");
    }
    // Powers of 1024 with the Russian unit names: "1,06 кБ", "3,00 МБ".
    return QLocale(QLocale::Russian, QLocale::Russia)
        .formattedDataSize(bytes, 2, QLocale::DataSizeTraditionalFormat);
}

QVariant FileSizeProxyModel::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files && role == Qt::DisplayRole && index.column() == kSizeColumn) {
        const QModelIndex source = mapToSource(index);
        if (!files->isDir(source))
            return FileSizeText(files->size(source));
    }
    return QIdentityProxyModel::data(index, role);
}

void ShowRussianFileDetails(QFileDialog& dialog)
{
    dialog.setProxyModel(new FileSizeProxyModel(&dialog));
    dialog.resize(kDialogSize);
    if (auto* details = dialog.findChild<QTreeView*>("treeView")) {
        QHeaderView& header = *details->header();
        const QFontMetrics metrics(details->font());
        // The cell's margins and the sort arrow's room.
        const int padding = metrics.horizontalAdvance(QLatin1Char('M')) * 2;
        // The name takes what the other three leave.
        header.setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column <= 3; ++column)
            header.resizeSection(column, metrics.horizontalAdvance(QString::fromUtf8(kColumnSamples[column - 1])) + padding);
    }
}

} // namespace eh
