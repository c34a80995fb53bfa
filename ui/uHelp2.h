// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Language.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QFrame;
class QLabel;
class QTextEdit;

namespace eh {

class GlyphButton;

// The Help window: the help document beside a sketch of the flat antenna.
// The document is read once, when the window is created at start-up.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    // `helpFolders` are the folders searched for the help document, in order.
    explicit TForm3(const QStringList& helpFolders, QWidget* parent = nullptr);

    // Loads the help document, indents every paragraph and puts the caret at
    // the start; shows the notice "Не найден файл справки" on any failure,
    // with a line saying what is wrong when a file stands under the name.
    void FormCreate();

    QTextEdit* RichEdit1;
    QFrame* Panel1;
    QLabel* Image1;
    QFrame* Panel2;
    GlyphButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Where the help document is looked for: the first folder that has one.
    QString HelpDocumentPath() const;
    void LoadHelpDocument(const QString& path);
    void ShowSketch();
    QStringList helpFolders_;
};

// The folders searched for the help document: the working folder first, then
// the executable's folder, then the data folder of the installed tree the
// executable is in, then the data folder it was installed to.
QStringList DefaultHelpFolders();

// The size a picture is drawn at in an area, proportionally, never enlarged.
QSize ProportionalSize(QSize picture, QSize area);

// The Russian help document ("help_eh.rtf"); each language names its own.
inline constexpr const char* kHelpFileName = RussianText("help.document");

} // namespace eh
