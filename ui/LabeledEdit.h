// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FieldReading.h"

#include <QLineEdit>

class QLabel;

namespace eh {

// A single-line edit box with its caption label to its left: the label sizes
// itself to its text, its right edge 20 pixels left of the box, centred
// vertically on it. The box selects its whole text whenever it gets the focus
// other than by a mouse click, and reports every typed character to
// `keyPressed` before handling it.
class LabeledEdit : public QLineEdit, public IInputField {
    Q_OBJECT
public:
    LabeledEdit(const QString& name, const QString& caption, QWidget* parent);

    // Places the box at its left-top corner; the label follows.
    void Place(int left, int top);
    QLabel* EditLabel() const { return label_; }

    // IInputField
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetFocus() override;

signals:
    void keyPressed(QChar key);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* label_;
};

} // namespace eh
