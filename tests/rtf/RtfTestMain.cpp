// SPDX-License-Identifier: GPL-3.0-or-later
// The documents under test need a QGuiApplication (fonts, images), but no
// display: the standard test environment, offscreen unless the caller chose
// a platform.
#include "TestEnvironment.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    eh::test::StandardEnvironment environment;
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
