// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <QtGlobal>

// The same start on every machine and for every user, for the test programs
// and benchmarks that create a Qt application; made before the application.
namespace eh::test {

// Settings read and written in a fresh folder while the object lives: every
// run starts from the program's defaults and the user's own stay untouched.
class ThrowawaySettings {
public:
    ThrowawaySettings() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path()); }

private:
    QTemporaryDir folder_;
};

// Windows drawn offscreen unless a platform is named (QT_QPA_PLATFORM), and
// the C locale with UTF-8 whatever the user's: the region's decimal separator
// is then a point until a test sets another.
class StandardEnvironment {
public:
    StandardEnvironment()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("LC_ALL", "C.UTF-8");
    }
};

} // namespace eh::test
