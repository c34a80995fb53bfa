// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIdentityProxyModel>
#include <QString>
#include <QTranslator>

class QFileDialog;

// The file dialogs in Russian where Qt's own Russian translation stops short:
// the type of a folder or of a file the system has no name for, and the
// sizes, which Qt writes with the English "KiB" whatever the language.
namespace eh {

// Answers the file type texts ("Folder", "%1 File", "Drive") with the
// translations Qt's Russian file dialog already has for the same words.
class FileTypeTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
    bool isEmpty() const override { return false; }
};

// A file's size as the dialog shows it: "512 байт", "3 байта", "1,06 кБ".
QString FileSizeText(qint64 bytes);

// Shows a file system model's size column with FileSizeText.
class FileSizeProxyModel : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};

// Gives a (non-native) file dialog the Russian sizes, and a size and column
// widths that show its size, type and date columns in full.
void ShowRussianFileDetails(QFileDialog& dialog);

} // namespace eh
