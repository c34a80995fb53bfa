// SPDX-License-Identifier: GPL-3.0-or-later
#include "uHelp.h"

#include "GlyphButton.h"
#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QFrame>
#include <QLabel>

namespace eh {

namespace {

const QColor kNavy(0, 0, 128);

// A label at its place, sized to its text, in the window face at a
// character height. `width` (when not 0) is the width the text takes in the
// original face: a wider stand-in face is narrowed to it, so that the two
// columns never run into each other. Labels of one row share their top and
// their face's ascent, and so their baseline.
QLabel* MakeLabel(const char* name, const QString& text, int left, int top, int characterHeight, bool bold,
                  const QColor& colour, QWidget* parent, int width = 0)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    const QFont font = NarrowedToFit(WindowFont(characterHeight, bold), text, width);
    label->setFont(font);
    if (colour.isValid()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName("Form2");
    setWindowTitle("О Программе");
    // A fixed dialog frame with a close box only, and no icon in the caption.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(WindowFont());
    setFixedSize(542, 299);

    const QColor text; // the window text colour
    Label1 = MakeLabel("Label1", "ПРОГРАММА ДЛЯ РАССЧЕТА  ЕН  АНТЕНН", 92, 33, 16, true, kNavy, this, 372);
    Label2 = MakeLabel("Label2", "Korvelle V 1.1", 195, 59, 19, true, kNavy, this);
    Label5 = MakeLabel("Label5", "Техническая поддержка: ", 51, 129, 16, false, text, this, 193);
    Label7 = MakeLabel("Label7", "команда проекта", 248, 129, 16, true, text, this);
    Label6 = MakeLabel("Label6", "Формулы для расчета:", 51, 165, 16, false, text, this, 176);
    Label9 = MakeLabel("Label9", "команда проекта", 248, 165, 16, true, text, this);
    Label4 = MakeLabel("Label4", "Программирование:", 51, 203, 16, false, text, this, 153);
    Label8 = MakeLabel("Label8", "команда проекта", 248, 203, 16, true, text, this);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(0, 254, 542, 45);

    BitBtn1 = new GlyphButton("&Закрыть", ":/glyphs/close.png", ":/glyphs/close-disabled.png", Panel1);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(225, 12, 93, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    CentreOnFirstShow(*this);
}

} // namespace eh
