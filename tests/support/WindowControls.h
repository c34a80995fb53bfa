// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <QtGlobal>

namespace eh::test {

// A window's control found as a user finds it, by its name: a window keeps
// its controls to itself. A missing one stops the test, naming it.
template <class Widget>
Widget* Control(QWidget& window, const char* name)
{
    auto* control = window.findChild<Widget*>(name);
    if (!control)
        qFatal("%s has no control %s", qPrintable(window.objectName()), name);
    return control;
}

} // namespace eh::test
