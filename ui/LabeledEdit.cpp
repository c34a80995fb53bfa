// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabeledEdit.h"

#include "WindowFont.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>

namespace eh {

namespace {
constexpr int kBoxWidth = 121;
constexpr int kBoxHeight = 21;
constexpr int kLabelSpacing = 20;
// Left of this the group box draws its frame.
constexpr int kLeftmostLabelEdge = 2;
} // namespace

LabeledEdit::LabeledEdit(const QString& name, const QString& caption, QWidget* parent)
    : QLineEdit(parent), label_(new QLabel(caption, parent)), field_(*this)
{
    setObjectName(name);
    label_->setObjectName(name + "Label");
    label_->setTextFormat(Qt::PlainText);
    label_->setBuddy(this);
    // A screen reader names the box by its label, without the " =" after it.
    QString spoken = caption;
    while (spoken.endsWith(' ') || spoken.endsWith('='))
        spoken.chop(1);
    setAccessibleName(spoken);
    resize(kBoxWidth, kBoxHeight);
}

void LabeledEdit::Place(int left, int top)
{
    move(left, top);
    PlaceLabel();
}

void LabeledEdit::PlaceLabel()
{
    const int room = x() - kLabelSpacing - kLeftmostLabelEdge;
    label_->setFont(NarrowedToFit(font(), label_->text(), room));
    const QSize size = label_->sizeHint();
    label_->setGeometry(x() - size.width() - kLabelSpacing, y() + (kBoxHeight - size.height()) / 2,
                        size.width(), size.height());
}

void LabeledEdit::changeEvent(QEvent* event)
{
    // The label takes the box's font, which follows the window's.
    if (event->type() == QEvent::FontChange)
        PlaceLabel();
    QLineEdit::changeEvent(event);
}

void LabeledEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        selectAll();
}

void LabeledEdit::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit keyPressed(QChar('\r'));
    else if (text.size() == 1)
        emit keyPressed(text.at(0));
    QLineEdit::keyPressEvent(event);
}

} // namespace eh
