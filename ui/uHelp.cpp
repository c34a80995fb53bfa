// SPDX-License-Identifier: GPL-3.0-or-later
#include "uHelp.h"

#include "GlyphButton.h"
#include "InterfaceLanguage.h"
#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QFrame>
#include <QLabel>

namespace eh {

namespace {

const QColor kNavy(0, 0, 128);

// A label at its place, in the window's text colour unless `colour` is given.
QLabel* MakeLabel(const char* name, const QString& text, int left, int top, const QColor& colour, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    if (colour.isValid()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    label->move(left, top);
    return label;
}

} // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName("Form2");
    setWindowTitle(UiText("about.caption"));
    // A fixed dialog frame with a close box only, and no icon in the caption.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(WindowFont());
    setFixedSize(542, 299);

    const QColor text; // the window text colour
    Label1 = MakeLabel("Label1", UiText("about.title"), 92, 33, kNavy, this);
    Label2 = MakeLabel("Label2", "Korvelle V 1.1", 195, 59, kNavy, this);
    Label5 = MakeLabel("Label5", UiText("about.support"), 51, 129, text, this);
    Label7 = MakeLabel("Label7", UiText("about.team"), 248, 129, text, this);
    Label6 = MakeLabel("Label6", UiText("about.formulas"), 51, 165, text, this);
    Label9 = MakeLabel("Label9", UiText("about.team"), 248, 165, text, this);
    Label4 = MakeLabel("Label4", UiText("about.programming"), 51, 203, text, this);
    Label8 = MakeLabel("Label8", UiText("about.team"), 248, 203, text, this);
    // Labels of one row share their character height and so, with their
    // top, their baseline; a caption's `width` keeps a wider stand-in face
    // from running into the name beside it.
    faces_ = {{Label1, 16, true, 372}, {Label2, 19, true, 0},   {Label5, 16, false, 193}, {Label7, 16, true, 0},
              {Label6, 16, false, 176}, {Label9, 16, true, 0},  {Label4, 16, false, 153}, {Label8, 16, true, 0}};

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(0, 254, 542, 45);

    BitBtn1 = new GlyphButton(UiText("button.close"), ":/glyphs/close.png", ":/glyphs/close-disabled.png", Panel1);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(225, 12, 93, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    CentreOnFirstShow(*this);
}

void TForm2::FitLabels()
{
    for (const LabelFace& face : faces_) {
        face.label->setFont(NarrowedToFit(WindowFont(face.characterHeight, face.bold), face.label->text(), face.width));
        face.label->adjustSize();
    }
    faces_.clear();
}

void TForm2::showEvent(QShowEvent* event)
{
    FitLabels();
    QWidget::showEvent(event);
}

} // namespace eh
