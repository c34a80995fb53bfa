// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Language.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>

class QFrame;
class QLabel;
class QTextEdit;

namespace eh {

class GlyphButton;

// The Help window: the help document beside a sketch of the flat antenna.
// The document's file is read once, when the window is created at start-up;
// the pane's document is built from it when the window first shows.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    // `helpFolders` are the folders searched for the help document, in order.
    explicit TForm3(const QStringList& helpFolders, QWidget* parent = nullptr);

    // Reads the help document's file; shows the notice "Не найден файл
    // справки" when it cannot be read, with a line saying what is wrong when
    // a file stands under the name.
    void FormCreate();
    // Builds the pane's document from the file FormCreate read, if that is
    // still to be done: indents every paragraph and puts the caret at the
    // start; shows the notice when the document is over the reader's limits.
    // The window does it itself when first shown.
    void BuildHelpDocument();

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
    // The notice to show, if any.
    QString BuildReadDocument();
    void IndentParagraphs();
    void ShowSketch();
    QStringList helpFolders_;
    // The help document's file as FormCreate read it, until it is built.
    QString documentPath_;
    QByteArray documentBytes_;
    bool documentRead_ = false;
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
