// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LengthUnit.h"

#include <QSignalBlocker>
#include <QString>
#include <string>

class QBoxLayout;
class QComboBox;
class QLabel;
class QWidget;

namespace eh {

// The explorer's words come from the model as UTF-8.
inline QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// A label with a mnemonic that focuses `buddy`.
QLabel* BuddyLabel(const QString& text, QWidget* buddy);

// Adds `control` to `layout` after a label whose mnemonic focuses it.
void AddLabelled(QBoxLayout& layout, const QString& label, QWidget* control, int stretch = 0);

// A choice of one of the seven inputs by its label, named `objectName`.
QComboBox* InputChoice(const char* objectName, TLengthUnit lengths);

// Sets a control from the model without it reporting the change back.
template <class Widget, class Set>
void Quietly(Widget* widget, Set&& set)
{
    const QSignalBlocker blocker(widget);
    set(widget);
}

} // namespace eh
