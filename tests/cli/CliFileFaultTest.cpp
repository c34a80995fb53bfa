// SPDX-License-Identifier: GPL-3.0-or-later
// --output under file-system faults: names that are not UTF-8, the system's
// reason in every message, file size limits, signals during a save and
// folders the user may not write to.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace eh::test {
namespace {

const std::vector<std::string> kExampleA = {"-s", ",", "14.2", "50", "3", "1", "2", "50"};

std::vector<std::string> SaveTo(const std::string& path)
{
    std::vector<std::string> args = {"-o", path};
    args.insert(args.end(), kExampleA.begin(), kExampleA.end());
    return args;
}

std::string ReportBytes() { return ToWindows1251(JoinLines(ExampleAReportLines(), "\r\n")); }

// --- File names are bytes ---

TEST(CliFileNames, NamesThatAreNotUtf8AreKeptByteForByte)
{
    // Two Windows-1251 names of the same length: each must get its own file.
    TempDir dir;
    for (const char* name : {"\xE0\xE1.txt", "\xE2\xE3.txt"}) {
        const ProcessResult result = RunCli(SaveTo((dir.path() / name).string()));
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"\xE0\xE1.txt", "\xE2\xE3.txt"}));
    EXPECT_EQ(ReadFileBytes(dir.path() / "\xE2\xE3.txt"), ReportBytes());
}

// --- Messages say what the system said ---

TEST(CliFileMessages, EachFailureGivesTheSystemsReason)
{
    TempDir dir;
    const std::string longName = (dir.path() / std::string(256, 'n')).string();
    const struct {
        std::string path;
        std::string err;
    } cases[] = {
        {longName, "eh-antenna-cli: Cannot create file \"" + longName + "\". File name too long.\n"},
        {"/dev/full", "eh-antenna-cli: Cannot write file \"/dev/full\". No space left on device.\n"},
    };
    for (const auto& c : cases) {
        const ProcessResult result = RunCli(SaveTo(c.path));
        EXPECT_EQ(result.exitCode, 1) << c.path;
        EXPECT_EQ(result.err, c.err);
    }
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(CliFileMessages, AnExistingPseudoFileIsNotCalledMissing)
{
    const ProcessResult result = RunCli(SaveTo("/proc/version"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.rfind("eh-antenna-cli: Cannot ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find("\"/proc/version\". "), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("No such file"), std::string::npos) << result.err;
}

TEST(CliFileMessages, AFileSizeLimitFailsTheSaveAndKeepsTheOldFile)
{
    TempDir dir;
    const auto file = dir.path() / "report.txt";
    WriteFileBytes(file, "old report");
    // 512 bytes are allowed, the report has about 2 KB.
    std::vector<std::string> argv = {"/bin/sh", "-c", "ulimit -f 1 && exec \"$0\" \"$@\"", CliPath()};
    for (const std::string& arg : SaveTo(file.string()))
        argv.push_back(arg);
    const ProcessResult result = RunProcess(argv);
    EXPECT_EQ(result.signal, 0);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "eh-antenna-cli: Cannot write file \"" + file.string() + "\". File too large.\n");
    EXPECT_EQ(ReadFileBytes(file), "old report");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

// --- A signal during a save leaves no temporary file ---

TEST(CliFileSignals, ATerminatedSaveLeavesNoTemporaryFile)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        TempDir dir;
        const auto file = dir.path() / "report.txt";
        WriteFileBytes(file, "old report");
        // A sanitized build would insist on its runtime coming first.
        const char* asanOptions = std::getenv("ASAN_OPTIONS");
        ProcessOptions options;
        options.setEnv = {std::string("LD_PRELOAD=") + SIGNAL_DURING_SAVE_PATH,
                          "EH_SIGNAL_DURING_SAVE=" + std::to_string(signal),
                          std::string("ASAN_OPTIONS=") + (asanOptions ? asanOptions : "") + ":verify_asan_link_order=0"};
        const ProcessResult result = RunCli(SaveTo(file.string()), options);
        EXPECT_EQ(result.signal, signal) << result.err;
        EXPECT_EQ(ReadFileBytes(file), "old report");
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"}) << "signal " << signal;
    }
}

// --- Folders the user may not write to ---

// Runs the tool as the unprivileged user "nobody": the tests run as root,
// who may write anywhere.
ProcessResult RunCliAsNobody(const std::vector<std::string>& args)
{
    std::vector<std::string> argv = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", CliPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv);
}

class CliLockedFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0 || ::access("/usr/bin/setpriv", X_OK) != 0)
            GTEST_SKIP() << "needs root and setpriv to run the tool as another user";
        // The folder is root's and closed to others for writing.
        std::filesystem::permissions(dir_.path(), std::filesystem::perms(0755));
        WriteFileBytes(file_, "old report");
    }

    TempDir dir_;
    std::filesystem::path file_ = dir_.path() / "report.txt";
};

TEST_F(CliLockedFolder, AWritableFileIsSavedInPlace)
{
    // The folder takes no new file, or (sticky, as /tmp) lets nobody replace
    // root's file; either way the file itself may be written.
    ASSERT_EQ(::chown(file_.c_str(), 65534, 65534), 0);
    const ProcessResult intoOwnFile = RunCliAsNobody(SaveTo(file_.string()));
    EXPECT_EQ(intoOwnFile.exitCode, 0) << intoOwnFile.err;
    EXPECT_EQ(ReadFileBytes(file_), ReportBytes());

    ASSERT_EQ(::chown(file_.c_str(), 0, 0), 0);
    std::filesystem::permissions(file_, std::filesystem::perms(0666));
    std::filesystem::permissions(dir_.path(), std::filesystem::perms(01777));
    WriteFileBytes(file_, "old report");
    const ProcessResult intoSharedFile = RunCliAsNobody(SaveTo(file_.string()));
    EXPECT_EQ(intoSharedFile.exitCode, 0) << intoSharedFile.err;
    EXPECT_EQ(ReadFileBytes(file_), ReportBytes());
    struct stat status {};
    ASSERT_EQ(::stat(file_.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 0u); // written into, not replaced by nobody's file
    EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"report.txt"});
}

TEST_F(CliLockedFolder, AFileThatCannotBeWrittenIsRefused)
{
    for (const auto& name : {"report.txt", "new.txt"}) {
        const std::string path = (dir_.path() / name).string();
        const ProcessResult result = RunCliAsNobody(SaveTo(path));
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "eh-antenna-cli: Cannot create file \"" + path + "\". Permission denied.\n");
    }
    EXPECT_EQ(ReadFileBytes(file_), "old report");
    EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"report.txt"});
}

} // namespace
} // namespace eh::test
