// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineEditField.h"

#include <QLineEdit>

namespace eh {

std::string LineEditField::Text() const { return edit_.text().toStdString(); }

void LineEditField::SetText(const std::string& text) { edit_.setText(QString::fromStdString(text)); }

void LineEditField::SetFocus()
{
    // When the window is not active the field becomes the one that gets the
    // focus when it is; the selection waits there.
    edit_.setFocus(Qt::OtherFocusReason);
    edit_.selectAll();
}

} // namespace eh
