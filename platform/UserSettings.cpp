// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserSettings.h"

#include <QDir>
#include <QFileInfo>

namespace eh {

QSettings OpenUserSettings(const QString& name)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("eh-antenna"), name);
}

QString UserSettingsPath(const QString& name)
{
    const QSettings neighbour = OpenUserSettings(name + QStringLiteral("-unused"));
    return QFileInfo(neighbour.fileName()).dir().filePath(name + QStringLiteral(".ini"));
}

} // namespace eh
