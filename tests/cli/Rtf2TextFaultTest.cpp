// SPDX-License-Identifier: GPL-3.0-or-later
// rtf2text as a process: names that are not UTF-8, read and shown escaped,
// output that cannot be written, and nothing on stderr but its own messages.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace eh::test {
namespace {

TEST(Rtf2TextFaults, ReadsANameThatIsNotUtf8AndPrintsOnlyItsOwnMessages)
{
    // A PNG signature and the start of its header chunk: cut short, and
    // whole with a wrong checksum. The picture decoder would complain.
    const std::string header = "89504e470d0a1a0a0000000d49484452";
    const std::string pictures[] = {"", header.substr(0, 28), header + "000000010000000108020000000badc0de"};
    for (const std::string& picture : pictures) {
        TempDir dir;
        const auto file = dir.path() / "\xE0\xE1.rtf";
        WriteFileBytes(file, "{\\rtf1 hi{\\pict\\pngblip " + picture + "}\\par}");
        ProcessOptions options;
        // Without a runtime folder Qt would complain on stderr.
        options.unsetEnv = {"XDG_RUNTIME_DIR"};
        const ProcessResult result = RunProcess({RTF2TEXT_PATH, file.string()}, options);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, "hi\n");
        EXPECT_EQ(result.err, "") << picture;
    }
}

TEST(Rtf2TextFaults, OutputThatCannotBeWrittenFails)
{
    TempDir dir;
    const auto file = dir.path() / "help.rtf";
    WriteFileBytes(file, "{\\rtf1 hi\\par}");
    const struct {
        const char* redirection;
        const char* err;
    } cases[] = {
        {">/dev/full", "rtf2text: cannot write the text: No space left on device\n"},
        // A closed output must not be mistaken for a file that Qt opens.
        {">&-", "rtf2text: cannot write the text: Bad file descriptor\n"},
    };
    for (const auto& c : cases) {
        const std::string script = std::string("exec \"$0\" \"$1\" ") + c.redirection;
        const ProcessResult result = RunProcess({"/bin/sh", "-c", script, RTF2TEXT_PATH, file.string()});
        EXPECT_EQ(result.exitCode, 1) << c.redirection;
        EXPECT_EQ(result.err, c.err);
    }
}

TEST(Rtf2TextFaults, AFileNameIsEscapedInItsMessage)
{
    TempDir dir;
    const std::string folder = dir.path().string();
    const ProcessResult result = RunProcess({RTF2TEXT_PATH, folder + "/a\x1B[31m\n\"b\xE0.rtf"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "rtf2text: EFOpenError: Cannot open file \"" + folder +
                              "/a\\x1B[31m\\x0A\\\"b\\xE0.rtf\". No such file or directory\n");
}

TEST(Rtf2TextFaults, ADocumentOverTheLimitsSaysWhy)
{
    TempDir dir;
    const auto file = dir.path() / "help.rtf";
    WriteFileBytes(file, "{\\rtf1 ");
    std::filesystem::resize_file(file, 33 << 20);
    const ProcessResult result = RunProcess({RTF2TEXT_PATH, file.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "rtf2text: EOutOfResources: Failed to Load Stream: the file is larger than 32 MiB\n");
}

} // namespace
} // namespace eh::test
