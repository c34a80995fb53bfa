// SPDX-License-Identifier: GPL-3.0-or-later
// --output under file-system faults and hostile set-ups: names that are not
// UTF-8, descriptors, the system's reason in the messages, signals during a
// save, links and files of other users, locked folders.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <set>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace eh::test {
namespace {

// 512 bytes may be written; the report has about 1 KB.
const std::vector<std::string> kFileSizeLimit = {"/bin/sh", "-c", "ulimit -f 1 && exec \"$0\" \"$@\""};
// The tests run as root, who may write anywhere.
const std::vector<std::string> kAsNobody = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};

// The tool as "nobody" may run it: a copy in a folder that user may enter,
// for the build may lie in one closed to others (a clone in a home folder).
const std::string& NobodysCli()
{
    static const TempDir folder;
    static const std::string copy = [] {
        std::filesystem::permissions(folder.path(), std::filesystem::perms(0755));
        const auto path = folder.path() / "eh-antenna-cli";
        std::filesystem::copy_file(CliPath(), path);
        return path.string();
    }();
    return copy;
}

// The tool, as the user `wrapper` runs it as may reach it.
std::string CliFor(const std::vector<std::string>& wrapper) { return wrapper == kAsNobody ? NobodysCli() : CliPath(); }

// Saves example A to `path`, the tool started through `wrapper`.
ProcessResult Save(const std::string& path, std::vector<std::string> wrapper = {}, const ProcessOptions& options = {})
{
    wrapper.push_back(CliFor(wrapper));
    wrapper.insert(wrapper.end(), {"-s", ",", "-o", path, "14.2", "50", "3", "1", "2", "50"});
    return RunProcess(wrapper, options);
}

std::string ReportBytes() { return ToWindows1251(JoinLines(ExampleAReportLines(), "\r\n")); }

// Runs a shell `script` whose $0 is the tool (as another user with kAsNobody).
ProcessResult Shell(const std::string& script, std::vector<std::string> wrapper = {})
{
    wrapper.insert(wrapper.end(), {"/bin/sh", "-c", script, CliFor(wrapper)});
    return RunProcess(wrapper);
}

// Root, setpriv, and temporary folders that "nobody" may enter (TMPDIR may
// lie in a folder closed to others).
bool CanActAsNobody()
{
    if (::geteuid() != 0 || ::access(kAsNobody[0].c_str(), X_OK) != 0)
        return false;
    return Shell("test -r \"$0\" && exec \"$0\" --version", kAsNobody).exitCode == 0;
}

constexpr const char* kCannotActAsNobody =
    "needs root, setpriv and a temporary folder that user nobody may enter";

struct stat StatusOf(const std::filesystem::path& path)
{
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status;
}

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

TEST(CliFileNames, DescriptorNamesAreWrittenAtTheDescriptorsOffset)
{
    // As a shell redirection would: what came before and after stays. A
    // link to /dev/stdout is the same.
    TempDir links;
    const std::string link = (links.path() / "out").string();
    ASSERT_EQ(::symlink("/dev/stdout", link.c_str()), 0);
    // So are other names of the file open as standard output: the shell's
    // own descriptor ($$), the log itself.
    for (const std::string name : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1", "-", link.c_str(),
                                   "/proc/thread-self/fd/1", "/proc/self/./fd/1", "/proc/$$/fd/1", "log.txt"}) {
        for (const std::string redirection : {">", ">>"}) {
            TempDir dir;
            const std::string log = (dir.path() / "log.txt").string();
            WriteFileBytes(log, "earlier\n");
            const ProcessResult result = Shell("cd '" + dir.path().string() + "' && { echo header; \"$0\" -s , -o \"" +
                                               name + "\" 14.2 50 3 1 2 50; echo footer; } " + redirection + " '" +
                                               log + "'");
            EXPECT_EQ(result.exitCode, 0) << name << result.err;
            EXPECT_EQ(ReadFileBytes(log), (redirection == ">>" ? "earlier\n" : "") + std::string("header\n") +
                                              ReportBytes() + "footer\n")
                << name << ' ' << redirection;
        }
    }
}

TEST(CliFileNames, TheLongestNameTheSystemTakesIsSaved)
{
    // 4,095 bytes: no room for a temporary name beside the file's own.
    TempDir dir;
    std::string path = dir.path().string();
    while (PATH_MAX - 1 - path.size() > NAME_MAX + 1) {
        path += '/' + std::string(200, 'd');
        ASSERT_TRUE(std::filesystem::create_directory(path));
    }
    const std::string longest = path + '/' + std::string(PATH_MAX - 2 - path.size(), 'r');
    ASSERT_EQ(longest.size(), PATH_MAX - 1u);
    const ProcessResult saved = Save(longest);
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(ReadFileBytes(longest), ReportBytes());
    // One byte more is too long for the system: refused as open() refuses it.
    const std::string tooLong = longest + 'r';
    EXPECT_EQ(Save(tooLong).err, "eh-antenna-cli: Cannot create file \"" + tooLong + "\". File name too long.\n");
}

TEST(CliFileNames, TheKernelsFilesAreNeverWritten)
{
    for (const std::string name : {"/proc/self/comm", "/sys/eh-report.txt"}) {
        const ProcessResult result = Save(name);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "eh-antenna-cli: Cannot create file \"" + name +
                                  "\". /proc and /sys hold the kernel's settings, not files: a report is never "
                                  "written there.\n");
    }
}

TEST(CliFileMessages, NamesAndOutputFailuresAreShownSafely)
{
    TempDir dir;
    const std::string folder = dir.path().string();
    const struct {
        std::string script;
        std::string err;
    } cases[] = {
        // A missing folder whose name would drive the terminal.
        {"exec \"$0\" -o '" + folder + "/a\x1B[31m\nb\xFF/r.txt' 14.2 50 3 1 2 50",
         "Cannot create file \"" + folder + "/a\\x1B[31m\\x0Ab\\xFF/r.txt\". No such file or directory."},
        {"exec \"$0\" 14.2 50 3 1 2 50 >&-", "cannot write the output: Bad file descriptor"},
        {"echo '{}' | \"$0\" --batch >&-", "cannot write the output: Bad file descriptor"},
        {"exec \"$0\" --sweep frequency=1:10:1 14.2 50 3 1 2 50 >/dev/full",
         "cannot write the output: No space left on device"},
    };
    for (const auto& c : cases) {
        const ProcessResult result = Shell(c.script);
        EXPECT_EQ(result.exitCode, 1) << c.script;
        EXPECT_EQ(result.err, "eh-antenna-cli: " + c.err + "\n") << c.script;
    }
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

// The tool with a library that sends `signal` in the middle of a save.
ProcessOptions SignalDuringSave(int signal)
{
    // A sanitized build would insist on its runtime coming first.
    const char* asanOptions = std::getenv("ASAN_OPTIONS");
    // LD_PRELOAD splits at blanks: the library is named alone and found
    // through LD_LIBRARY_PATH, where a folder's name may hold any blank.
    const std::filesystem::path library = SIGNAL_DURING_SAVE_PATH;
    const char* libraryPath = std::getenv("LD_LIBRARY_PATH");
    ProcessOptions options;
    options.setEnv = {"LD_PRELOAD=" + library.filename().string(),
                      "LD_LIBRARY_PATH=" + library.parent_path().string() + (libraryPath ? ":" : "") +
                          (libraryPath ? libraryPath : ""),
                      "EH_SIGNAL_DURING_SAVE=" + std::to_string(signal),
                      std::string("ASAN_OPTIONS=") + (asanOptions ? asanOptions : "") + ":verify_asan_link_order=0"};
    return options;
}

TEST(CliFileSignals, ATerminatedSaveLeavesNoTemporaryFile)
{
    // Every signal that ends the process by default, and that a user sends.
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE, SIGVTALRM, SIGRTMIN}) {
        TempDir dir;
        const auto file = dir.path() / "report.txt";
        WriteFileBytes(file, "old report");
        EXPECT_EQ(Save(file.string(), {}, SignalDuringSave(signal)).signal, signal);
        EXPECT_EQ(ReadFileBytes(file), "old report");
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"}) << "signal " << signal;
    }
}

TEST(CliFileSignals, ASignalDuringAnInPlaceSaveLeavesAWholeFile)
{
    // A second hard link: saved in place, the signal sent as the file grows.
    TempDir dir;
    const auto file = dir.path() / "report.txt";
    WriteFileBytes(file, "old report");
    ASSERT_EQ(::link(file.c_str(), (dir.path() / "second-name.txt").c_str()), 0);
    EXPECT_EQ(Save(file.string(), {}, SignalDuringSave(SIGTERM)).signal, SIGTERM);
    const std::string saved = ReadFileBytes(file);
    EXPECT_TRUE(saved == "old report" || saved == ReportBytes()) << saved.size() << " bytes";
}

TEST(CliLockedFolder, AWritableFileIsWrittenInPlaceAndNothingElse)
{
    if (!CanActAsNobody())
        GTEST_SKIP() << kCannotActAsNobody;
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

TEST(CliSharedFolder, AnotherUsersLinkIsNotFollowed)
{
    if (!CanActAsNobody())
        GTEST_SKIP() << kCannotActAsNobody;
    TempDir shared;
    TempDir rootOnly;
    std::filesystem::permissions(shared.path(), std::filesystem::perms(01777));
    const std::string secret = (rootOnly.path() / "secret.txt").string();
    const std::string missing = (rootOnly.path() / "new.txt").string();
    WriteFileBytes(secret, "root's file");
    const auto link = [&](const char* name) { return (shared.path() / name).string(); };
    ASSERT_EQ(Shell("ln -s '" + secret + "' '" + link("report.txt") + "' && ln -s '" + missing + "' '" +
                        link("dangling.txt") + "' && ln -s '" + rootOnly.path().string() + "' '" + link("folder") + "'",
                    kAsNobody)
                  .exitCode,
              0);
    ASSERT_EQ(::symlink(secret.c_str(), link("own.txt").c_str()), 0); // root's own link is followed

    const struct {
        std::string path;
        std::string link;
    } planted[] = {{link("report.txt"), link("report.txt")},
                   {link("dangling.txt"), link("dangling.txt")},
                   {link("folder") + "/secret.txt", link("folder")}};
    for (const auto& c : planted) {
        const ProcessResult result = Save(c.path);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "eh-antenna-cli: Cannot create file \"" + c.path + "\". The link '" + c.link +
                                  "' belongs to another user, in a folder that every user may write: it is not "
                                  "followed.\n");
    }
    EXPECT_EQ(ReadFileBytes(secret), "root's file");
    // A hard link there is replaced, not written into: it may be a planted
    // name of a file only root may write.
    ASSERT_EQ(::link(secret.c_str(), link("hard.txt").c_str()), 0);
    EXPECT_EQ(Save(link("hard.txt")).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(link("hard.txt")), ReportBytes());
    EXPECT_EQ(ReadFileBytes(secret), "root's file");
    EXPECT_EQ(rootOnly.Entries(), std::vector<std::string>{"secret.txt"});
    EXPECT_EQ(Save(link("own.txt")).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(secret), ReportBytes());
}

TEST(CliOtherUsersFile, OwnerKeptSetIdBitsDroppedHardLinksKept)
{
    if (!CanActAsNobody())
        GTEST_SKIP() << kCannotActAsNobody;
    TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    const auto path = [&](const char* name) { return dir.path() / name; };
    const struct {
        const char* name;
        mode_t mode;
        mode_t savedMode;
    } cases[] = {{"private.txt", 0640, 0640}, {"setid.txt", 06777, 0777}};
    for (const auto& c : cases) {
        WriteFileBytes(path(c.name), "old report");
        ASSERT_EQ(::chown(path(c.name).c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chmod(path(c.name).c_str(), c.mode), 0);
        EXPECT_EQ(Save(path(c.name).string()).exitCode, 0);
        const struct stat status = StatusOf(path(c.name));
        EXPECT_EQ(status.st_uid, 65534u) << c.name;
        EXPECT_EQ(status.st_gid, 65534u) << c.name;
        EXPECT_EQ(status.st_mode & 07777, c.savedMode) << c.name;
        EXPECT_EQ(Shell("cat '" + path(c.name).string() + "'", kAsNobody).out, ReportBytes()) << c.name;
    }

    WriteFileBytes(path("linked.txt"), "old report");
    ASSERT_EQ(::link(path("linked.txt").c_str(), path("second-name.txt").c_str()), 0);
    EXPECT_EQ(Save(path("linked.txt").string()).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(path("second-name.txt")), ReportBytes());
    EXPECT_EQ(StatusOf(path("linked.txt")).st_ino, StatusOf(path("second-name.txt")).st_ino);
}

TEST(CliOtherUsersFile, AReadOnlyFileIsRefusedAsTheShellRefusesIt)
{
    if (!CanActAsNobody())
        GTEST_SKIP() << kCannotActAsNobody;
    // nobody's own folder and file: the folder would let the file be replaced.
    TempDir dir;
    const std::string file = (dir.path() / "report.txt").string();
    WriteFileBytes(file, "old report");
    for (const std::string& name : {dir.path().string(), file})
        ASSERT_EQ(::chown(name.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const ProcessResult result = Save(file, kAsNobody);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "eh-antenna-cli: Cannot create file \"" + file + "\". Permission denied.\n");
    EXPECT_EQ(ReadFileBytes(file), "old report");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

// The bytes of the access list (ACL) "user::rw- user:nobody:rw- group::r--
// mask::rw- other::r--" as the system keeps it: a version, then tag,
// permissions and id of each entry, little-endian.
std::string NobodyMayWriteAccessList()
{
    std::string bytes;
    const auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(2, 4);
    const std::uint32_t kNoId = 0xFFFFFFFF;
    const std::uint32_t entries[][3] = {{0x01, 6, kNoId}, {0x02, 6, 65534}, {0x04, 4, kNoId}, {0x10, 6, kNoId},
                                        {0x20, 4, kNoId}};
    for (const auto& entry : entries) {
        put(entry[0], 2);
        put(entry[1], 2);
        put(entry[2], 4);
    }
    return bytes;
}

std::string Attribute(const std::string& path, const char* name)
{
    std::string value(256, '\0');
    const ssize_t size = ::getxattr(path.c_str(), name, value.data(), value.size());
    value.resize(size < 0 ? 0 : static_cast<std::size_t>(size));
    return value;
}

TEST(CliOtherUsersFile, AccessListAndUserAttributesAreKept)
{
    TempDir dir;
    const std::string file = (dir.path() / "report.txt").string();
    WriteFileBytes(file, "old report");
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    const std::string list = NobodyMayWriteAccessList();
    if (::setxattr(file.c_str(), "system.posix_acl_access", list.data(), list.size(), 0) != 0 ||
        ::setxattr(file.c_str(), "user.origin", "bench", 5, 0) != 0)
        GTEST_SKIP() << "the temporary folder's file system keeps no access lists or user attributes";
    const std::string keptList = Attribute(file, "system.posix_acl_access");
    const mode_t mode = StatusOf(file).st_mode; // 0664: the group bits show the list's mask

    const ProcessResult result = Save(file);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadFileBytes(file), ReportBytes());
    EXPECT_EQ(Attribute(file, "system.posix_acl_access"), keptList);
    EXPECT_EQ(Attribute(file, "user.origin"), "bench");
    EXPECT_EQ(StatusOf(file).st_mode, mode);
}

TEST(CliLockedFolder, AnInPlaceSaveIsWholeOrNothing)
{
    if (!CanActAsNobody())
        GTEST_SKIP() << kCannotActAsNobody;
    // Reports of different lengths, each saved alone first.
    const std::vector<std::string> frequencies = {"1",   "1.8", "3.5", "7",   "10.1", "14.2", "18",
                                                  "21",  "24.9", "28", "29.7", "50", "70",   "144",
                                                  "146", "220", "430", "433.9", "1296", "2320"};
    TempDir alone;
    std::set<std::string> reports;
    for (const std::string& f : frequencies) {
        const std::string file = (alone.path() / f).string();
        ASSERT_EQ(RunProcess({CliPath(), "-s", ",", "-o", file, f, "50", "3", "1", "2", "50"}).exitCode, 0) << f;
        reports.insert(ReadFileBytes(file));
    }
    EXPECT_GT(reports.size(), 1u);

    TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755)); // no new file: written in place
    const std::string file = (dir.path() / "report.txt").string();
    WriteFileBytes(file, "old report");
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    std::string script = "s=0; for f in";
    for (const std::string& f : frequencies)
        script += ' ' + f;
    script += "; do \"$0\" -s , -o '" + file + "' $f 50 3 1 2 50 & pids=\"$pids $!\"; done; "
              "for p in $pids; do wait $p || s=1; done; exit $s";
    const ProcessResult concurrent = Shell(script, kAsNobody);
    EXPECT_EQ(concurrent.exitCode, 0) << concurrent.err;
    EXPECT_EQ(reports.count(ReadFileBytes(file)), 1u) << "a mix of concurrent saves";

    // Over the file-size limit the old, longer file stays whole.
    const std::string old(4800, 'o');
    WriteFileBytes(file, old);
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    const ProcessResult limited = Shell("ulimit -f 1 && exec \"$0\" -s , -o '" + file + "' 14.2 50 3 1 2 50", kAsNobody);
    EXPECT_EQ(limited.err, "eh-antenna-cli: Cannot write file \"" + file + "\". File too large.\n");
    EXPECT_EQ(ReadFileBytes(file), old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

} // namespace
} // namespace eh::test
