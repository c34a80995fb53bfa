// SPDX-License-Identifier: GPL-3.0-or-later
// --output under file-system faults: names that are not UTF-8, the system's
// reason in the messages, signals during a save, locked folders.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace eh::test {
namespace {

// 512 bytes may be written; the report has about 1 KB.
const std::vector<std::string> kFileSizeLimit = {"/bin/sh", "-c", "ulimit -f 1 && exec \"$0\" \"$@\""};
// The tests run as root, who may write anywhere.
const std::vector<std::string> kAsNobody = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};

// Saves example A to `path`, the tool started through `wrapper`.
ProcessResult Save(const std::string& path, std::vector<std::string> wrapper = {}, const ProcessOptions& options = {})
{
    wrapper.push_back(CliPath());
    wrapper.insert(wrapper.end(), {"-s", ",", "-o", path, "14.2", "50", "3", "1", "2", "50"});
    return RunProcess(wrapper, options);
}

std::string ReportBytes() { return ToWindows1251(JoinLines(ExampleAReportLines(), "\r\n")); }

TEST(CliFileNames, NamesThatAreNotUtf8AreKeptByteForByte)
{
    // Two Windows-1251 names of the same length: each gets its own file.
    TempDir dir;
    for (const char* name : {"\xE0\xE1.txt", "\xE2\xE3.txt"})
        ASSERT_EQ(Save((dir.path() / name).string()).exitCode, 0);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"\xE0\xE1.txt", "\xE2\xE3.txt"}));
    EXPECT_EQ(ReadFileBytes(dir.path() / "\xE2\xE3.txt"), ReportBytes());
}

TEST(CliFileNames, DevStdoutIsWrittenIntoThroughItsLinks)
{
    // A link to a link to a pipe: the name it ends at is no file's.
    const ProcessResult result = Save("/dev/stdout");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, ReportBytes());
}

TEST(CliFileMessages, EachFailureGivesTheSystemsReason)
{
    TempDir dir;
    const std::string kept = (dir.path() / "report.txt").string();
    const std::string tooLong = (dir.path() / std::string(256, 'n')).string();
    WriteFileBytes(kept, "old report");
    const struct {
        std::string path;
        std::vector<std::string> wrapper;
        std::string err;
    } cases[] = {
        {tooLong, {}, "Cannot create file \"" + tooLong + "\". File name too long."},
        {"/dev/full", {}, "Cannot write file \"/dev/full\". No space left on device."},
        // SIGXFSZ would end the tool without a word.
        {kept, kFileSizeLimit, "Cannot write file \"" + kept + "\". File too large."},
    };
    for (const auto& c : cases) {
        const ProcessResult result = Save(c.path, c.wrapper);
        EXPECT_EQ(result.exitCode, 1) << c.err;
        EXPECT_EQ(result.err, "eh-antenna-cli: " + c.err + "\n");
    }
    EXPECT_EQ(ReadFileBytes(kept), "old report");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

TEST(CliFileMessages, AnExistingPseudoFileIsNotCalledMissing)
{
    const ProcessResult result = Save("/proc/version");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.rfind("eh-antenna-cli: Cannot ", 0), 0u) << result.err;
    EXPECT_EQ(result.err.find("No such file"), std::string::npos) << result.err;
}

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
        EXPECT_EQ(Save(file.string(), {}, options).signal, signal);
        EXPECT_EQ(ReadFileBytes(file), "old report");
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"}) << "signal " << signal;
    }
}

TEST(CliLockedFolder, AWritableFileIsWrittenInPlaceAndNothingElse)
{
    if (::geteuid() != 0 || ::access(kAsNobody[0].c_str(), X_OK) != 0)
        GTEST_SKIP() << "needs root and setpriv to run the tool as another user";
    TempDir dir;
    const auto path = [&](const char* name) { return (dir.path() / name).string(); };
    for (const char* name : {"own.txt", "root.txt", "shared.txt"})
        WriteFileBytes(path(name), "old report");
    ASSERT_EQ(::chown(path("own.txt").c_str(), 65534, 65534), 0);
    std::filesystem::permissions(path("shared.txt"), std::filesystem::perms(0666));

    // Root's folder, closed to others: no new file, but "nobody"'s own file.
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    const ProcessResult own = Save(path("own.txt"), kAsNobody);
    EXPECT_EQ(own.exitCode, 0) << own.err;
    for (const char* name : {"root.txt", "new.txt"})
        EXPECT_EQ(Save(path(name), kAsNobody).err,
                  "eh-antenna-cli: Cannot create file \"" + path(name) + "\". Permission denied.\n");

    // A sticky folder (as /tmp) lets nobody replace root's file, which is writable.
    std::filesystem::permissions(dir.path(), std::filesystem::perms(01777));
    const ProcessResult shared = Save(path("shared.txt"), kAsNobody);
    EXPECT_EQ(shared.exitCode, 0) << shared.err;
    struct stat status {};
    ASSERT_EQ(::stat(path("shared.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 0u); // written into, not replaced by nobody's file

    EXPECT_EQ(ReadFileBytes(path("own.txt")), ReportBytes());
    EXPECT_EQ(ReadFileBytes(path("shared.txt")), ReportBytes());
    EXPECT_EQ(ReadFileBytes(path("root.txt")), "old report");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"own.txt", "root.txt", "shared.txt"}));
}

} // namespace
} // namespace eh::test
