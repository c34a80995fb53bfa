// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LineEditField.h"

#include <QLineEdit>

class QLabel;

namespace eh {

// A single-line edit box with its caption label to its left: the label sizes
// itself to its text, its right edge 20 pixels left of the box, centred
// vertically on it; a face too wide for the room left of the box is narrowed
// so that the whole caption shows. The box selects its whole text when Tab
// or Backtab brings the focus (a click, or the focus coming back from a menu
// or another window, keeps the caret where it was), and reports every typed
// character to `keyPressed` before handling it. Its accessible name is the
// caption, without the " =" that follows it on screen.
class LabeledEdit : public QLineEdit {
    Q_OBJECT
public:
    LabeledEdit(const QString& name, const QString& caption, QWidget* parent);

    // Places the box at its left-top corner; the label follows.
    void Place(int left, int top);
    QLabel* EditLabel() const { return label_; }
    // The field as the field reading sees it.
    IInputField& Field() { return field_; }

signals:
    void keyPressed(QChar key);

protected:
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PlaceLabel();

    QLabel* label_;
    LineEditField field_;
};

} // namespace eh
