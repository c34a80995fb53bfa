// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationShell.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct TitleCase {
    const char* path;
    const char* title;
};

void PrintTo(const TitleCase& c, std::ostream* os)
{
    *os << c.path;
}

class ApplicationTitleTest : public testing::TestWithParam<TitleCase> {};

TEST_P(ApplicationTitleTest, DerivesTheTitleFromTheExecutableName)
{
    EXPECT_EQ(eh::DeriveApplicationTitle(QString::fromUtf8(GetParam().path)), QString::fromUtf8(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(
    Names, ApplicationTitleTest,
    testing::Values(TitleCase{"My.Antenna.exe", "My"}, TitleCase{"ANTENNA.EXE", "Antenna"},
                    TitleCase{"eh_calc.exe", "eh_calc"}, TitleCase{"antenna.calc.exe", "antenna"},
                    TitleCase{"C:\\Program Files\\Ham Tools\\EH.Antenna\\ANTENNA.EXE", "Antenna"},
                    TitleCase{"/usr/local/bin/EH-Antenna", "Eh-antenna"},
                    TitleCase{"/opt/ham.tools/bin/eh-antenna", "eh-antenna"},
                    TitleCase{"C:\\Радио\\АНТЕННА.EXE", "Антенна"}, TitleCase{".hidden", ""}));

} // namespace
