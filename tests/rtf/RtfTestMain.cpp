// SPDX-License-Identifier: GPL-3.0-or-later
// The documents under test need a QGuiApplication (fonts, images), but no
// display: the offscreen platform is used unless the caller chose one.

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
