// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportFileWriter.h"

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <string_view>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

// The writer works on the system's calls directly: a file name is bytes and
// must reach the system unchanged, every failure must keep the system's
// reason, and the temporary file's name must be known to a signal handler.
namespace eh {

EReportWriteError::EReportWriteError(std::string fullPath, std::string reason)
    : EOutOfResources("Failed to Save Stream"), fullPath_(std::move(fullPath)), reason_(std::move(reason))
{
}

namespace {

// The temporary file of the save in progress, for RemoveUnfinishedReportFile.
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

// An open file, closed when the object ends unless Close() did it.
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
    // stored; returns 0 or the error number. A failure that the system
    // reports only when the file is closed counts as well.
    int WriteAll(std::string_view bytes, bool store)
    {
        while (!bytes.empty()) {
            const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return written < 0 ? errno : EIO;
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        if (store && ::fsync(descriptor_) != 0)
            return errno;
        const int descriptor = descriptor_;
        descriptor_ = -1;
        return ::close(descriptor) == 0 || errno == EINTR ? 0 : errno;
    }

private:
    int descriptor_;
};

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

// A new file beside `target`, named after it with a random ending, with the
// name registered for RemoveUnfinishedReportFile; -1 and errno on failure.
int CreateTemporaryFile(const std::string& target, mode_t mode, std::string& name)
{
    // A name of the longest length the system allows must still leave room
    // for the ending.
    constexpr std::size_t kMaxBaseName = NAME_MAX - 7;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const std::size_t slash = target.rfind('/');
    const std::size_t baseStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string stem = target.substr(0, baseStart + std::min(target.size() - baseStart, kMaxBaseName)) + '.';
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem;
        for (int i = 0; i < 6; ++i)
            name += kLetters[pick(entropy)];
        const SignalsHeld held;
        const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        if (descriptor >= 0) {
            std::memcpy(unfinishedName, name.c_str(), name.size() + 1); // fits: the system took the name
            hasUnfinished = 1;
            return descriptor;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

void RemoveTemporaryFile(const std::string& name)
{
    const SignalsHeld held;
    ::unlink(name.c_str());
    hasUnfinished = 0;
}

// Renames the finished temporary file over the target; returns 0 or the
// error number. Either way the temporary file is gone afterwards.
int ReplaceWith(const std::string& temporary, const std::string& target)
{
    const SignalsHeld held;
    const int error = ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
    if (error != 0)
        ::unlink(temporary.c_str());
    hasUnfinished = 0;
    return error;
}

// Errors that mean the folder takes no new file (no write permission, a
// pseudo file system) while the file itself may still be writable.
bool FolderRefusesNewFiles(int error) { return error == EACCES || error == EPERM || error == ENOENT; }

// Truncates the existing file and writes into it: the file is not replaced
// atomically, so a failed write can leave part of the report.
void WriteInPlace(const std::string& target, const std::string& fullPath, const std::string& bytes, bool store)
{
    OpenFile file(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY));
    if (file.descriptor() < 0)
        CannotCreate(fullPath, errno);
    if (const int error = file.WriteAll(bytes, store))
        CannotWrite(fullPath, error);
}

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
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or pipe ("/dev/stdout", a FIFO): replacing it by renaming
        // a new file over it would destroy it.
        WriteInPlace(path, fullPath, bytes, false);
        return;
    }
    const std::string target = FollowLinks(path);

    // A new file gets the usual permissions (the umask applies); the copy
    // that replaces a file starts private and then takes that file's.
    std::string temporary;
    OpenFile file(CreateTemporaryFile(target, exists ? 0600 : 0666, temporary));
    if (file.descriptor() < 0) {
        const int error = errno;
        if (exists && FolderRefusesNewFiles(error)) {
            WriteInPlace(target, fullPath, bytes, true);
            return;
        }
        CannotCreate(fullPath, error);
    }
    // A file system without permissions refuses this; the report is saved all the same.
    if (exists)
        static_cast<void>(::fchmod(file.descriptor(), existing.st_mode & 07777));
    if (const int error = file.WriteAll(bytes, true)) {
        RemoveTemporaryFile(temporary);
        CannotWrite(fullPath, error);
    }
    if (const int error = ReplaceWith(temporary, target)) {
        // A folder with the sticky bit refuses to replace another user's file.
        if (exists && FolderRefusesNewFiles(error)) {
            WriteInPlace(target, fullPath, bytes, true);
            return;
        }
        CannotCreate(fullPath, error);
    }
}

void RemoveUnfinishedReportFile() noexcept
{
    if (hasUnfinished)
        ::unlink(unfinishedName);
}

} // namespace eh
