// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>

namespace eh {

// The program's settings file `name`.ini in the user's configuration folder
// (eh-antenna/NAME.ini).
QSettings OpenUserSettings(const QString& name);

// Where that file is, found without opening it: QSettings reads its file as
// soon as it is made, and a pipe or a device in its place would block the
// window until something writes into it, so the path comes from a neighbour
// that never exists and the file can be looked at first.
QString UserSettingsPath(const QString& name);

} // namespace eh
