// SPDX-License-Identifier: GPL-3.0-or-later
// --output: the report saved as the window saves it.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <thread>

#include <sys/stat.h>

namespace eh::test {
namespace {

std::string ExpectedFileBytes(const std::vector<std::string>& lines)
{
    return ToWindows1251(JoinLines(lines, "\r\n"));
}

TEST(CliOutputFile, SavesWindows1251WithCrLfAndNoBom)
{
    TempDir dir;
    const auto file = dir.path() / "report.txt";
    const ProcessResult result = RunCli({"-s", ",", "--output", file.string(), "14.2", "50", "3", "1", "2", "50"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, ""); // the text report went to the file
    EXPECT_EQ(result.err, "");
    const std::string bytes = ReadFileBytes(file);
    EXPECT_EQ(bytes, ExpectedFileBytes(ExampleAReportLines()));
    // Spelled out: no BOM, 38 CR LF line ends, one byte per character.
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xD0u); // "Р" in Windows-1251
    std::size_t crlf = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        crlf += bytes[i] == '\r' && bytes[i + 1] == '\n';
    EXPECT_EQ(crlf, 38u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

TEST(CliOutputFile, JsonStillGoesToStandardOutput)
{
    TempDir dir;
    const auto file = dir.path() / "b.txt";
    const ProcessResult result =
        RunCli({"-s", ",", "-f", "json", "-o", file.string(), "14.2", "50", "3", "1", "2", "50", "500"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(result.out.empty());
    EXPECT_EQ(ReadFileBytes(file), ExpectedFileBytes(ExampleBReportLines()));
}

TEST(CliOutputFile, ReplacesAnExistingFile)
{
    TempDir dir;
    const auto file = dir.path() / "report.txt";
    WriteFileBytes(file, std::string(100000, 'x'));
    const ProcessResult result = RunCli({"-s", ",", "-o", file.string(), "14.2", "50", "3", "1", "2", "50", "500"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadFileBytes(file), ExpectedFileBytes(ExampleBReportLines()));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

TEST(CliOutputFile, MissingFolderFailsAndLeavesNothing)
{
    TempDir dir;
    const auto file = dir.path() / "missing" / "report.txt";
    const ProcessResult result = RunCli({"-s", ",", "-o", file.string(), "14.2", "50", "3", "1", "2", "50"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "eh-antenna-cli: Cannot create file \"" + file.string() + "\". No such file or directory.\n");
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(CliOutputFile, RelativePathIsNamedInFull)
{
    TempDir dir;
    ProcessOptions options;
    options.workingDirectory = dir.path().string();
    const ProcessResult result = RunCli({"-s", ",", "-o", "nope/r.txt", "14.2", "50", "3", "1", "2", "50"}, options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              "eh-antenna-cli: Cannot create file \"" + (dir.path() / "nope/r.txt").string() +
                  "\". No such file or directory.\n");
}

TEST(CliOutputFile, AFaultLeavesTheOldFileAlone)
{
    TempDir dir;
    const auto file = dir.path() / "report.txt";
    WriteFileBytes(file, "old report");
    const ProcessResult result = RunCli({"-s", ",", "-o", file.string(), "0", "50", "3", "1", "2", "50"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "eh-antenna-cli: Floating point division by zero.\n");
    EXPECT_EQ(ReadFileBytes(file), "old report");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

TEST(CliOutputFile, FieldErrorWritesNoFile)
{
    TempDir dir;
    const auto file = dir.path() / "report.txt";
    const ProcessResult result = RunCli({"-s", ",", "-o", file.string(), "abc", "50", "3", "1", "2", "50"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(CliOutputFile, ADeviceIsWrittenIntoNotReplaced)
{
    // Saving replaces a file by renaming a new one over it; a device must
    // stay what it is.
    const ProcessResult result = RunCli({"-s", ",", "-o", "/dev/null", "14.2", "50", "3", "1", "2", "50"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

TEST(CliOutputFile, APipeReceivesTheReport)
{
    TempDir dir;
    const auto pipe = dir.path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] {
        std::ifstream in(pipe, std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(in), {});
    });
    const ProcessResult result = RunCli({"-s", ",", "-o", pipe.string(), "14.2", "50", "3", "1", "2", "50"});
    reader.join();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(received.rfind("\xD0\xE0\xF1\xF7\xE5\xF2", 0), 0u); // "Расчет" in Windows-1251
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"pipe"});
}

TEST(CliOutputFile, AFolderIsRefused)
{
    TempDir dir;
    const ProcessResult result = RunCli({"-s", ",", "-o", dir.path().string(), "14.2", "50", "3", "1", "2", "50"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.rfind("eh-antenna-cli: Cannot create file \"" + dir.path().string() + "\". ", 0), 0u);
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(CliOutputFile, ASymbolicLinkSavesIntoItsTarget)
{
    TempDir dir;
    WriteFileBytes(dir.path() / "target.txt", "old");
    std::filesystem::create_symlink("target.txt", dir.path() / "link.txt");
    const ProcessResult result =
        RunCli({"-s", ",", "-o", (dir.path() / "link.txt").string(), "14.2", "50", "3", "1", "2", "50"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link.txt"));
    EXPECT_EQ(ReadFileBytes(dir.path() / "target.txt"), ExpectedFileBytes(ExampleAReportLines()));
}

} // namespace
} // namespace eh::test
