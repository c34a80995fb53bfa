// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabeledEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace eh {

namespace {
constexpr int kBoxWidth = 121;
constexpr int kBoxHeight = 21;
constexpr int kLabelSpacing = 20;
} // namespace

LabeledEdit::LabeledEdit(const QString& name, const QString& caption, QWidget* parent)
    : QLineEdit(parent), label_(new QLabel(caption, parent))
{
    setObjectName(name);
    label_->setObjectName(name + "Label");
    label_->setTextFormat(Qt::PlainText);
    resize(kBoxWidth, kBoxHeight);
}

void LabeledEdit::Place(int left, int top)
{
    move(left, top);
    label_->adjustSize();
    const QSize size = label_->sizeHint();
    label_->setGeometry(left - size.width() - kLabelSpacing, top + (kBoxHeight - size.height()) / 2,
                        size.width(), size.height());
}

std::string LabeledEdit::Text() const { return text().toStdString(); }

void LabeledEdit::SetText(const std::string& text) { setText(QString::fromStdString(text)); }


void LabeledEdit::SetFocus()
{
    // When the window is not active the field becomes the one that gets the
    // focus when it is.
    setFocus(Qt::OtherFocusReason);
    if (!window()->isActiveWindow())
        selectAll();
}

void LabeledEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::MouseFocusReason)
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
