// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ApplicationShell.h"
#include "RegionalSettings.h"
#include "TestEnvironment.h"

// The main() of the QtTest suites and Google Benchmark programs that drive
// the windows: the standard environment and throwaway settings, then the
// window program's own application.
namespace eh::test {

class WindowTestApplication : private StandardEnvironment, private ThrowawaySettings, public TApplication {
public:
    WindowTestApplication(int& argc, char** argv)
        : StandardEnvironment(), ThrowawaySettings(), TApplication(argc, argv)
    {
    }
};

} // namespace eh::test

// Runs the QtTest suite SUITE (a QObject with private slots).
#define EH_WINDOW_TEST_MAIN(SUITE)                                                                               \
    int main(int argc, char** argv)                                                                              \
    {                                                                                                            \
        eh::test::WindowTestApplication application(argc, argv);                                                 \
        SUITE suite;                                                                                             \
        return QTest::qExec(&suite, argc, argv);                                                                 \
    }

// Runs the file's Google Benchmark cases, with the region's decimal separator
// a comma, as a Russian user's.
#define EH_WINDOW_BENCHMARK_MAIN()                                                                               \
    int main(int argc, char** argv)                                                                              \
    {                                                                                                            \
        eh::test::WindowTestApplication application(argc, argv);                                                 \
        eh::RegionalSettings::SetDecimalSeparator(',');                                                          \
        benchmark::Initialize(&argc, argv);                                                                      \
        benchmark::RunSpecifiedBenchmarks();                                                                     \
        benchmark::Shutdown();                                                                                   \
        return 0;                                                                                                \
    }
