#include "ApplicationShell.h"
#include "Exceptions.h"

#include <gtest/gtest.h>

namespace {

struct TitleCase {
    const char* path;
    const char* title;
};

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

TEST(FailureTextTest, AppendsADotAfterCharactersAboveThePoint)
{
    EXPECT_EQ(eh::FailureText("Floating point overflow"), "Floating point overflow.");
    EXPECT_EQ(eh::FailureText("Done."), "Done.");
    EXPECT_EQ(eh::FailureText("Wow!"), "Wow!");
    EXPECT_EQ(eh::FailureText("(see above)"), "(see above)");
    EXPECT_EQ(eh::FailureText("trailing "), "trailing ");
    EXPECT_EQ(eh::FailureText("Why?"), "Why?.");
    EXPECT_EQ(eh::FailureText("Ratio:"), "Ratio:.");
    EXPECT_EQ(eh::FailureText("Ошибка"), "Ошибка.");
    EXPECT_EQ(eh::FailureText(""), "");
}

} // namespace
