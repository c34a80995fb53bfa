// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportFileWriter.h"

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
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

// The writer works on the system's calls directly: a file name is bytes and
// must reach the system unchanged, every failure must keep the system's
// reason, and a named temporary file must be known to a signal handler.
namespace eh {

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
    throw EFCreateError("Cannot create file \"" + fullPath + "\". " + Reason(error));
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

    // The replacement of an existing file takes its permissions. A file
    // system without permissions refuses; the report is saved all the same.
    void TakePermissionsOf(const struct stat* replaced) const
    {
        if (replaced != nullptr)
            static_cast<void>(::fchmod(descriptor_, replaced->st_mode & 07777));
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

// Follows symbolic links from `path` to the name that saving should replace;
// a link to a missing file names the file to create. A loop is left to the
// system to report when the file is opened.
std::string FollowLinks(std::string path)
{
    constexpr int kMaxLinks = 40;
    std::array<char, PATH_MAX> target;
    for (int link = 0; link < kMaxLinks; ++link) {
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
    file.TakePermissionsOf(replaced);
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
    file.TakePermissionsOf(replaced);
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

// Truncates the existing file and writes into it: the file is not replaced
// atomically, so a failed write can leave part of the report.
SaveResult WriteInPlace(const std::string& target, const std::string& bytes, bool store)
{
    const OpenFile file(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY));
    if (file.descriptor() < 0)
        return SaveFailure{false, errno};
    if (const int error = file.Write(bytes, store))
        return SaveFailure{true, error};
    return std::nullopt;
}

// Errors that mean the folder takes no new file (no write permission, a
// pseudo file system such as /proc) or, having the sticky bit, refuses to
// replace another user's file, while the file itself may still be written.
bool FolderRefuses(int error) { return error == EACCES || error == EPERM || error == ENOENT; }

} // namespace

void WriteReportFile(const std::string& path, const std::string& bytes)
{
    const std::string fullPath = FullPath(path);
    if (path.empty())
        CannotCreate(fullPath, ENOENT);
    // The system follows the links itself, "/dev/stdout" to a pipe included.
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        CannotCreate(fullPath, errno);
    if (exists && S_ISDIR(existing.st_mode))
        CannotCreate(fullPath, EISDIR);

    SaveResult result;
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or pipe ("/dev/stdout", a FIFO): replacing it by renaming
        // a new file over it would destroy it.
        result = WriteInPlace(path, bytes, false);
    } else {
        const std::string target = FollowLinks(path);
        const struct stat* replaced = exists ? &existing : nullptr;
        if (!SaveThroughUnnamedFile(target, bytes, replaced, result))
            result = SaveThroughNamedFile(target, bytes, replaced);
        if (result && !result->writing && exists && FolderRefuses(result->error))
            result = WriteInPlace(target, bytes, true);
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
