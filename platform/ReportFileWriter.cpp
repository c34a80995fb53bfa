// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportFileWriter.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string_view>

#include <fcntl.h>
#if __has_include(<linux/magic.h>)
#include <linux/magic.h>
#else // WebAssembly under node: the Linux values, for the files node opens
#define PROC_SUPER_MAGIC 0x9fa0
#define SYSFS_MAGIC 0x62656572
#endif
#include <pthread.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

// The writer works on the system's calls directly: a file name is bytes and
// must reach the system unchanged, every failure must keep the system's
// reason, and a named temporary file must be known to a signal handler.
namespace eh {

EFileCreateError::EFileCreateError(std::string fullPath, std::string reason)
    : EFCreateError("Cannot create file \"" + fullPath + "\". " + reason), fullPath_(std::move(fullPath)),
      reason_(std::move(reason))
{
}

EReportWriteError::EReportWriteError(std::string fullPath, std::string reason)
    : EOutOfResources("Failed to Save Stream"), fullPath_(std::move(fullPath)), reason_(std::move(reason))
{
}

namespace {

// The named temporary file of the save in progress, for
// RemoveUnfinishedReportFile.
// Set and cleared only while every signal is held, so a handler sees either
// no name or a whole one.
char unfinishedName[PATH_MAX];
volatile std::sig_atomic_t hasUnfinished = 0;

// Holds every signal that can be held for the life of the object.
class SignalsHeld {
public:
    SignalsHeld()
    {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, &previous_);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous_;
};

// The system's error text without trailing blanks, line ends and dots.
std::string Reason(int error)
{
    std::string text = std::strerror(error);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n' || text.back() == '.'))
        text.pop_back();
    return text;
}

// The name as the messages show it: absolute, without "." and "..".
std::string FullPath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

[[noreturn]] void CannotCreate(const std::string& fullPath, int error)
{
    throw EFileCreateError(fullPath, Reason(error));
}

[[noreturn]] void CannotWrite(const std::string& fullPath, int error)
{
    throw EReportWriteError(fullPath, Reason(error));
}

// An open file, closed when the object ends.
class OpenFile {
public:
    explicit OpenFile(int descriptor) : descriptor_(descriptor) {}
    ~OpenFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int descriptor() const { return descriptor_; }

    // Writes every byte and, for a file on disk, waits until they are
    // stored, so that a failure shows here and not after the file has
    // replaced the old one; returns 0 or the error number.
    int Write(std::string_view bytes, bool store) const
    {
        while (!bytes.empty()) {
            const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return written < 0 ? errno : EIO;
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return store && ::fsync(descriptor_) != 0 ? errno : 0;
    }

    // The replacement of an existing file takes its owner and group where
    // the process may give them (root saving over a user's file leaves it
    // the user's), else the group alone, and its permissions without
    // set-user-ID and set-group-ID: those would make the report a program
    // that runs as its owner. A file system without owners or permissions
    // refuses; the file is saved all the same.
    void TakeOwnerAndPermissionsOf(const struct stat* replaced) const
    {
        if (replaced == nullptr)
            return;
        if (::fchown(descriptor_, replaced->st_uid, replaced->st_gid) != 0)
            static_cast<void>(::fchown(descriptor_, static_cast<uid_t>(-1), replaced->st_gid));
        static_cast<void>(::fchmod(descriptor_, replaced->st_mode & (S_IRWXU | S_IRWXG | S_IRWXO | S_ISVTX)));
    }

private:
    int descriptor_;
};

// The step of a save that failed, with the system's error number.
struct SaveFailure {
    bool writing; // false: the file could not be created
    int error;
};
using SaveResult = std::optional<SaveFailure>; // nothing: saved

constexpr int kNameAttempts = 100;

// The folder part of `path`, "." for a bare name.
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Whether `path` lies in a sticky folder that every user may write (as
// /tmp), where anyone may plant a name aimed at a file only its victim may
// write.
bool IsInSharedFolder(const std::string& path, uid_t* folderOwner = nullptr)
{
    struct stat folder {};
    if (::stat(FolderOf(path).c_str(), &folder) != 0)
        return false; // the open that follows reports the folder's fault
    if (folderOwner != nullptr)
        *folderOwner = folder.st_uid;
    return (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
}

// Whether the symbolic link `link` may have been planted: it lies in a
// shared folder and belongs neither to this user nor to the folder's owner.
// The kernel's protected_symlinks rule, applied here whatever the system's
// setting, because links are followed by hand.
bool IsPlantedLink(const std::string& link, const struct stat& linkStatus)
{
    uid_t folderOwner = 0;
    return IsInSharedFolder(link, &folderOwner) && linkStatus.st_uid != ::geteuid() &&
           linkStatus.st_uid != folderOwner;
}

// The descriptor that a name such as /dev/stdout or /proc/self/fd/3 stands
// for. Opening such a name would give a new open file at offset 0 (the
// shell's `>>` lost) or, for a file, have it replaced; writing into the
// descriptor itself works as a redirection does.
std::optional<int> DescriptorNamed(std::string_view path)
{
    if (path == "/dev/stdin")
        return STDIN_FILENO;
    if (path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (path.substr(0, folder.size()) != folder)
            continue;
        const std::string_view number = path.substr(folder.size());
        if (number.empty() || number.size() > 9 || number.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        int descriptor = 0;
        for (const char digit : number)
            descriptor = descriptor * 10 + (digit - '0');
        return descriptor;
    }
    return std::nullopt;
}

// Follows symbolic links from `path` to the name that saving should replace;
// a link to a missing file names the file to create. A link to a
// descriptor's name (/dev/stdout) ends there: the descriptor's own link
// would name the file behind it, which must not be replaced. A loop is left
// to the system to report when the file is opened.
std::string FollowLinks(std::string path, const std::string& fullPath)
{
    constexpr int kMaxLinks = 40;
    std::array<char, PATH_MAX> target;
    for (int link = 0; link < kMaxLinks && !DescriptorNamed(path); ++link) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            break;
        if (IsPlantedLink(path, status))
            throw EFileCreateError(fullPath, "The link '" + FullPath(path) +
                                                 "' belongs to another user, in a folder that every user may "
                                                 "write: it is not followed");
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
            break;
        const std::string_view next(target.data(), static_cast<std::size_t>(length));
        const std::size_t slash = path.rfind('/');
        if (next.front() == '/' || slash == std::string::npos)
            path = next;
        else
            path = path.substr(0, slash + 1).append(next);
    }
    return path;
}

// Whether the file system holding `path` (or, for a missing file, its
// folder) is /proc or /sys, whose files are the kernel's settings: writing a
// report there can rename the machine or change how it runs.
bool IsKernelFile(const std::string& path)
{
    struct statfs system {};
    if (::statfs(path.c_str(), &system) != 0 && ::statfs(FolderOf(path).c_str(), &system) != 0)
        return false;
    return system.f_type == PROC_SUPER_MAGIC || system.f_type == SYSFS_MAGIC;
}

bool IsKernelFile(int descriptor)
{
    struct statfs system {};
    return ::fstatfs(descriptor, &system) == 0 &&
           (system.f_type == PROC_SUPER_MAGIC || system.f_type == SYSFS_MAGIC);
}

constexpr const char* kKernelFileReason =
    "/proc and /sys hold the kernel's settings, not files: a report is never written there";

// Names a temporary file beside `target`: the target's name, shortened so
// that a name of the longest length the system allows still leaves room,
// then a dot and six random letters.
class TemporaryNames {
public:
    explicit TemporaryNames(const std::string& target)
    {
        constexpr std::size_t kMaxBaseName = NAME_MAX - 7;
        const std::size_t slash = target.rfind('/');
        const std::size_t baseStart = slash == std::string::npos ? 0 : slash + 1;
        stem_ = target.substr(0, baseStart + std::min(target.size() - baseStart, kMaxBaseName)) + '.';
    }

    std::string Next()
    {
        static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
        std::string name = stem_;
        for (int i = 0; i < 6; ++i)
            name += kLetters[pick(entropy_)];
        return name;
    }

private:
    std::string stem_;
    std::random_device entropy_;
};

// Renames the finished temporary file over the target, or removes it.
SaveResult RenameOver(const std::string& temporary, const std::string& target)
{
    if (::rename(temporary.c_str(), target.c_str()) == 0)
        return std::nullopt;
    const int error = errno;
    ::unlink(temporary.c_str());
    return SaveFailure{false, error};
}

// Saves through a file that has no name while it is written (O_TMPFILE):
// whatever ends the program, even a kill that no handler sees, nothing is
// left behind. The file is named only in the instant before it replaces the
// target, with every signal held. Returns false where the file system has
// no such files or /proc is missing, so that a named file must serve.
bool SaveThroughUnnamedFile(const std::string& target, const std::string& bytes, const struct stat* replaced,
                            SaveResult& result)
{
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const OpenFile file(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, replaced ? 0600 : 0666));
    if (file.descriptor() < 0)
        return false;
    file.TakeOwnerAndPermissionsOf(replaced);
    if (const int error = file.Write(bytes, true)) {
        result = SaveFailure{true, error};
        return true;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(file.descriptor());
    TemporaryNames names(target);
    const SignalsHeld held;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = names.Next();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            result = RenameOver(name, target);
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    return false;
}

// Saves through a named temporary file, removed when the save fails and,
// through RemoveUnfinishedReportFile, when a signal ends the program.
SaveResult SaveThroughNamedFile(const std::string& target, const std::string& bytes, const struct stat* replaced)
{
    TemporaryNames names(target);
    std::string name;
    int descriptor = -1;
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && descriptor < 0 && error == EEXIST; ++attempt) {
        name = names.Next();
        const SignalsHeld held;
        descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, replaced ? 0600 : 0666);
        error = errno;
        if (descriptor >= 0) {
            std::memcpy(unfinishedName, name.c_str(), name.size() + 1); // fits: the system took the name
            hasUnfinished = 1;
        }
    }
    if (descriptor < 0)
        return SaveFailure{false, error};
    const OpenFile file(descriptor);
    file.TakeOwnerAndPermissionsOf(replaced);
    const int writeError = file.Write(bytes, true);
    const SignalsHeld held;
    SaveResult result = SaveFailure{true, writeError};
    if (writeError != 0)
        ::unlink(name.c_str());
    else
        result = RenameOver(name, target);
    hasUnfinished = 0;
    return result;
}

// Writes into a device or pipe that exists (/dev/null, a FIFO).
SaveResult WriteIntoDevice(const std::string& target, const std::string& bytes)
{
    const OpenFile file(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (file.descriptor() < 0)
        return SaveFailure{false, errno};
    if (const int error = file.Write(bytes, false))
        return SaveFailure{true, error};
    return std::nullopt;
}

// Reads up to `size` bytes from the start of the file.
std::optional<std::string> ReadStart(int descriptor, std::size_t size)
{
    std::string bytes(size, '\0');
    std::size_t done = 0;
    while (done < size) {
        const ssize_t read = ::pread(descriptor, bytes.data() + done, size - done, static_cast<off_t>(done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return std::nullopt;
        if (read == 0)
            break;
        done += static_cast<std::size_t>(read);
    }
    bytes.resize(done);
    return bytes;
}

int WriteAt(int descriptor, std::string_view bytes)
{
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(descriptor, bytes.data(), bytes.size(), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return 0;
}

// Rewrites an existing regular file in place, for a file that cannot be
// replaced (its folder takes no new file) or must not be (other hard links
// would keep the old report). Other saves of the same file wait for the
// lock, so concurrent saves never mix. The new bytes are written only once
// they are known to fit: within the file-size limit, in space reserved on
// the disk. Should the write fail all the same, the part of the old content
// it overwrote (kept in memory, no larger than the new bytes) is written
// back, so the old file stays whole.
SaveResult RewriteInPlace(const std::string& target, const std::string& bytes)
{
    // Read access keeps the overwritten part; a write-only file goes without.
    int descriptor = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW);
    if (descriptor < 0 && errno == EACCES)
        descriptor = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW);
    const OpenFile file(descriptor);
    if (descriptor < 0)
        return SaveFailure{false, errno};
    while (::flock(descriptor, LOCK_EX) != 0)
        if (errno != EINTR)
            return SaveFailure{false, errno};

    struct stat old {};
    if (::fstat(descriptor, &old) != 0)
        return SaveFailure{true, errno};
    const auto oldSize = static_cast<std::size_t>(old.st_size);
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && bytes.size() > limit.rlim_cur)
        return SaveFailure{true, EFBIG};
    if (bytes.size() > oldSize) {
        if (const int error = ::posix_fallocate(descriptor, 0, static_cast<off_t>(bytes.size()))) {
            static_cast<void>(::ftruncate(descriptor, old.st_size));
            return SaveFailure{true, error};
        }
    }
    const std::optional<std::string> overwritten = ReadStart(descriptor, std::min(oldSize, bytes.size()));
    int error = WriteAt(descriptor, bytes);
    if (error == 0 && ::ftruncate(descriptor, static_cast<off_t>(bytes.size())) != 0)
        error = errno;
    if (error == 0 && ::fsync(descriptor) != 0)
        error = errno;
    if (error != 0) {
        if (overwritten)
            static_cast<void>(WriteAt(descriptor, *overwritten));
        static_cast<void>(::ftruncate(descriptor, old.st_size));
        return SaveFailure{true, error};
    }
    return std::nullopt;
}

// Writes into an open descriptor at its offset (O_APPEND honoured).
void WriteIntoDescriptor(int descriptor, const std::string& bytes, const std::string& fullPath)
{
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) // not open
        CannotCreate(fullPath, errno);
    if (IsKernelFile(descriptor))
        throw EFileCreateError(fullPath, kKernelFileReason);
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const ssize_t written = ::write(descriptor, rest.data(), rest.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            CannotWrite(fullPath, written < 0 ? errno : EIO);
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
}

// Errors that mean the folder takes no new file (no write permission, a
// pseudo file system such as /proc) or, having the sticky bit, refuses to
// replace another user's file, while the file itself may still be written.
bool FolderRefuses(int error) { return error == EACCES || error == EPERM || error == ENOENT; }

} // namespace

void SaveFileAtomically(const std::string& path, const std::string& bytes)
{
    const std::string fullPath = FullPath(path);
    if (path.empty())
        CannotCreate(fullPath, ENOENT);
    const std::string target = FollowLinks(path, fullPath);
    if (const std::optional<int> descriptor = DescriptorNamed(target)) {
        WriteIntoDescriptor(*descriptor, bytes, fullPath);
        return;
    }
    if (IsKernelFile(target))
        throw EFileCreateError(fullPath, kKernelFileReason);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        CannotCreate(fullPath, errno);
    if (exists && S_ISDIR(existing.st_mode))
        CannotCreate(fullPath, EISDIR);

    SaveResult result;
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or pipe: renaming a new file over it would destroy it.
        result = WriteIntoDevice(target, bytes);
    } else if (exists && existing.st_nlink > 1 && !IsInSharedFolder(target)) {
        // The other names would keep the old report. In a shared folder the
        // file is replaced instead: anyone may have linked a file there that
        // only this user may write (/etc/shadow for root).
        result = RewriteInPlace(target, bytes);
    } else {
        const struct stat* replaced = exists ? &existing : nullptr;
        if (!SaveThroughUnnamedFile(target, bytes, replaced, result))
            result = SaveThroughNamedFile(target, bytes, replaced);
        if (result && !result->writing && exists && FolderRefuses(result->error))
            result = RewriteInPlace(target, bytes);
    }
    if (result && result->writing)
        CannotWrite(fullPath, result->error);
    if (result)
        CannotCreate(fullPath, result->error);
}

void RemoveUnfinishedReportFile() noexcept
{
    if (hasUnfinished)
        ::unlink(unfinishedName);
}

} // namespace eh
