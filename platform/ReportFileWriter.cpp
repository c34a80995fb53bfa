// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportFileWriter.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <deque>
#include <filesystem>
#include <optional>
#include <random>
#include <string_view>
#include <utility>

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
#ifndef __EMSCRIPTEN__
#include <sys/xattr.h>
#endif
#include <unistd.h>

// The writer works on the system's calls directly: a file name is bytes and
// must reach the system unchanged, every failure must keep the system's
// reason, and a named temporary file must be known to a signal handler.
// Names are walked one component at a time, each relative to its folder's
// descriptor: every link on the way is checked before it is followed, and
// the folder met at the end is the one written into, whatever changes its
// names meanwhile.
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
// RemoveUnfinishedReportFile: a name in the folder open as
// unfinishedFolder. Set and cleared only while every signal is held, so a
// handler sees either no name or a whole one.
char unfinishedName[NAME_MAX + 1];
int unfinishedFolder = -1;
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

// An open file or folder, closed when the object ends.
class OpenFile {
public:
    explicit OpenFile(int descriptor = -1) : descriptor_(descriptor) {}
    ~OpenFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    OpenFile(OpenFile&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
    OpenFile& operator=(OpenFile&& other) noexcept
    {
        std::swap(descriptor_, other.descriptor_);
        return *this;
    }

    int descriptor() const { return descriptor_; }
    bool IsOpen() const { return descriptor_ >= 0; }

    // The name under which /proc reopens the file, whatever its own name.
    std::string ProcessName() const { return "/proc/self/fd/" + std::to_string(descriptor_); }

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

private:
    int descriptor_;
};

// The file a save replaces: its status and a descriptor that names it
// without opening it for reading or writing.
struct ReplacedFile {
    struct stat status;
    const OpenFile& file;
};

#ifdef __EMSCRIPTEN__
void TakeAttributesOf(const OpenFile&, int) {} // node's files have no extended attributes
#else
// The extended attributes a replacement takes over: the user's own and the
// access list (ACL) that says who else may read or write. Security labels
// and file capabilities stay behind, as set-user-ID does.
bool IsKeptAttribute(std::string_view name)
{
    return name.substr(0, 5) == "user." || name == "system.posix_acl_access";
}

// Gives the new file `file` the kept extended attributes of `replaced`. A
// file system without them refuses; the file is saved all the same.
void TakeAttributesOf(const OpenFile& replaced, int file)
{
    const std::string from = replaced.ProcessName();
    std::string names(256, '\0');
    ssize_t length = 0;
    while ((length = ::listxattr(from.c_str(), names.data(), names.size())) < 0 && errno == ERANGE)
        names.resize(names.size() * 4);
    if (length <= 0)
        return;
    names.resize(static_cast<std::size_t>(length));
    std::string value;
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = names.find('\0', start);
        const std::string name = names.substr(start, end - start);
        start = end == std::string::npos ? names.size() : end + 1;
        if (!IsKeptAttribute(name))
            continue;
        const ssize_t size = ::getxattr(from.c_str(), name.c_str(), nullptr, 0);
        if (size < 0)
            continue;
        value.resize(static_cast<std::size_t>(size));
        const ssize_t read = ::getxattr(from.c_str(), name.c_str(), value.data(), value.size());
        if (read >= 0)
            static_cast<void>(::fsetxattr(file, name.c_str(), value.data(), static_cast<std::size_t>(read), 0));
    }
}
#endif

// The replacement of an existing file takes its owner and group where the
// process may give them (root saving over a user's file leaves it the
// user's), else the group alone; its permissions without set-user-ID and
// set-group-ID, which would make the report a program that runs as its
// owner; then its access list and the user's attributes, after the
// permissions, which would otherwise rewrite the list's mask. A file system
// without owners or permissions refuses; the file is saved all the same.
void TakeOwnerAndPermissionsOf(const ReplacedFile* replaced, int file)
{
    if (replaced == nullptr)
        return;
    const struct stat& old = replaced->status;
    if (::fchown(file, old.st_uid, old.st_gid) != 0)
        static_cast<void>(::fchown(file, static_cast<uid_t>(-1), old.st_gid));
    static_cast<void>(::fchmod(file, old.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO | S_ISVTX)));
    TakeAttributesOf(replaced->file, file);
}

// The step of a save that failed, with the system's error number.
struct SaveFailure {
    bool writing; // false: the file could not be created
    int error;
};
using SaveResult = std::optional<SaveFailure>; // nothing: saved

constexpr int kNameAttempts = 100;
constexpr int kMaxLinks = 40; // as the system follows at most

bool IsKernelFileSystem(int descriptor)
{
    struct statfs system {};
    return ::fstatfs(descriptor, &system) == 0 &&
           (system.f_type == PROC_SUPER_MAGIC || system.f_type == SYSFS_MAGIC);
}

bool IsProcessFileSystem(int descriptor)
{
    struct statfs system {};
    return ::fstatfs(descriptor, &system) == 0 && system.f_type == PROC_SUPER_MAGIC;
}

constexpr const char* kKernelFileReason =
    "/proc and /sys hold the kernel's settings, not files: a report is never written there";

// Whether the folder is sticky and every user may write it (as /tmp), so
// that anyone may plant a name there aimed at a file only its victim may
// write.
bool IsSharedFolder(const struct stat& folder)
{
    return (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
}

bool IsSharedFolder(int folder)
{
    struct stat status {};
    return ::fstat(folder, &status) == 0 && IsSharedFolder(status);
}

// Whether the symbolic link with `linkStatus` in `folder` may have been
// planted: the folder is shared and the link belongs neither to this user
// nor to the folder's owner. The kernel's protected_symlinks rule, applied
// here to every link of a name whatever the system's setting, because links
// are followed by hand.
bool IsPlantedLink(int folder, const struct stat& linkStatus)
{
    struct stat status {};
    return ::fstat(folder, &status) == 0 && IsSharedFolder(status) && linkStatus.st_uid != ::geteuid() &&
           linkStatus.st_uid != status.st_uid;
}

// The number a descriptor's name ends with ("3" in /dev/fd/3).
std::optional<int> NumberNamed(std::string_view name)
{
    if (name.empty() || name.size() > 9 || name.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int number = 0;
    for (const char digit : name)
        number = number * 10 + (digit - '0');
    return number;
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
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"})
        if (path.substr(0, folder.size()) == folder)
            return NumberNamed(path.substr(folder.size()));
    return std::nullopt;
}

bool IsSameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// This process's descriptor, open for writing, of the file with `status`:
// the descriptor `number` (the name of a link in a descriptor folder of
// /proc) or standard output or error, whatever name they were reached by.
std::optional<int> WritableDescriptorOf(const struct stat& status, std::optional<int> number)
{
    std::array<int, 3> candidates{STDOUT_FILENO, STDERR_FILENO, -1};
    if (number)
        candidates[2] = *number;
    for (const int descriptor : candidates) {
        struct stat open {};
        if (descriptor < 0 || ::fstat(descriptor, &open) != 0 || !IsSameFile(open, status))
            continue;
        const int flags = ::fcntl(descriptor, F_GETFL);
        if (flags >= 0 && (flags & O_ACCMODE) != O_RDONLY)
            return descriptor;
    }
    return std::nullopt;
}

// Where a save writes, once its name has been walked.
struct Destination {
    OpenFile folder;   // the folder that holds the file; not open when the
                       // file was reached through /proc (a descriptor's link)
    std::string name;  // the file's name in `folder`
    OpenFile file;     // the file (O_PATH), when it exists
    struct stat status {};
    std::optional<int> descriptor; // this process's own descriptor of the file
};

// The components of a name, "." at the end of one that ends with a slash,
// which must name a folder.
std::deque<std::string> Components(std::string_view path)
{
    std::deque<std::string> parts;
    std::size_t start = 0;
    while (start < path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        if (slash > start)
            parts.emplace_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    if (!parts.empty() && path.back() == '/')
        parts.emplace_back(".");
    return parts;
}

OpenFile OpenFolder(const char* name)
{
    return OpenFile(::open(name, O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// Walks `path` to the file that saving should write or replace, following
// symbolic links by hand so that every link on the way, not only the last,
// passes the planted-link rule. A link to a missing file names the file to
// create. A link of /proc (/proc/self, a descriptor's link) is followed by
// the system: its text may name no file ("pipe:[…]", a deleted file) or
// another file than the one open. A folder at the end is refused.
Destination Walk(const std::string& path, const std::string& fullPath)
{
    // What open() refuses is refused, though no single call sees the name.
    if (path.size() >= PATH_MAX)
        CannotCreate(fullPath, ENAMETOOLONG);
    std::deque<std::string> rest = Components(path);
    OpenFile folder = OpenFolder(path.front() == '/' ? "/" : ".");
    std::string folderName = path.front() == '/' ? "" : "."; // as the messages show a link's name
    if (!folder.IsOpen())
        CannotCreate(fullPath, errno);
    for (int links = 0; !rest.empty();) {
        const std::string part = std::move(rest.front());
        rest.pop_front();
        const bool last = rest.empty();
        struct stat status {};
        if (::fstatat(folder.descriptor(), part.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            if (last && errno == ENOENT)
                return Destination{std::move(folder), part, OpenFile(), status, std::nullopt};
            CannotCreate(fullPath, errno);
        }
        const std::string name = folderName + '/' + part;
        OpenFile next;
        if (S_ISLNK(status.st_mode)) {
            if (++links > kMaxLinks)
                CannotCreate(fullPath, ELOOP);
            if (IsProcessFileSystem(folder.descriptor())) {
                next = OpenFile(::openat(folder.descriptor(), part.c_str(), O_PATH | O_CLOEXEC));
                if (!next.IsOpen() || ::fstat(next.descriptor(), &status) != 0)
                    CannotCreate(fullPath, errno);
                if (last && !S_ISDIR(status.st_mode))
                    return Destination{OpenFile(), part, std::move(next), status,
                                       WritableDescriptorOf(status, NumberNamed(part))};
            } else {
                if (IsPlantedLink(folder.descriptor(), status))
                    throw EFileCreateError(fullPath, "The link '" + FullPath(name) +
                                                         "' belongs to another user, in a folder that every "
                                                         "user may write: it is not followed");
                std::array<char, PATH_MAX> target;
                const ssize_t length = ::readlinkat(folder.descriptor(), part.c_str(), target.data(), target.size());
                if (length < 0)
                    CannotCreate(fullPath, errno);
                if (length == 0 || static_cast<std::size_t>(length) >= target.size())
                    CannotCreate(fullPath, length == 0 ? ENOENT : ENAMETOOLONG);
                const std::string_view text(target.data(), static_cast<std::size_t>(length));
                std::deque<std::string> linked = Components(text);
                rest.insert(rest.begin(), linked.begin(), linked.end());
                if (text.front() == '/') {
                    folder = OpenFolder("/");
                    folderName.clear();
                }
                if (rest.empty()) // a link to "/"
                    rest.emplace_back(".");
                continue;
            }
        } else {
            // Whatever the name stands for now: a link put in its place
            // meanwhile is opened as a link, which is neither folder nor file.
            next = OpenFile(::openat(folder.descriptor(), part.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
            if (!next.IsOpen() || ::fstat(next.descriptor(), &status) != 0)
                CannotCreate(fullPath, errno);
        }
        if (last && !S_ISDIR(status.st_mode)) {
            std::optional<int> descriptor = WritableDescriptorOf(status, std::nullopt);
            return Destination{std::move(folder), part, std::move(next), status, descriptor};
        }
        if (!S_ISDIR(status.st_mode))
            CannotCreate(fullPath, ENOTDIR);
        if (last)
            CannotCreate(fullPath, EISDIR);
        folder = std::move(next);
        folderName = name;
    }
    CannotCreate(fullPath, EISDIR); // "/"
}

// Opens the destination's existing file anew with `flags`.
OpenFile Reopen(const Destination& destination, int flags)
{
    if (!destination.folder.IsOpen())
        return OpenFile(::open(destination.file.ProcessName().c_str(), flags | O_CLOEXEC | O_NOCTTY));
    return OpenFile(::openat(destination.folder.descriptor(), destination.name.c_str(),
                             flags | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW));
}

// Names a temporary file beside the target `name`: the name, shortened so
// that a name of the longest length the system allows still leaves room,
// then a dot and six random letters. The name is taken relative to the
// folder, so a full name of the longest length is saved too.
class TemporaryNames {
public:
    explicit TemporaryNames(const std::string& name)
        : stem_(name.substr(0, std::min<std::size_t>(name.size(), NAME_MAX - 7)) + '.')
    {
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
SaveResult RenameOver(int folder, const std::string& temporary, const std::string& target)
{
    if (::renameat(folder, temporary.c_str(), folder, target.c_str()) == 0)
        return std::nullopt;
    const int error = errno;
    ::unlinkat(folder, temporary.c_str(), 0);
    return SaveFailure{false, error};
}

// Saves through a file that has no name while it is written (O_TMPFILE):
// whatever ends the program, even a kill that no handler sees, nothing is
// left behind. The file is named only in the instant before it replaces the
// target, with every signal held. Returns false where the file system has
// no such files or /proc is missing, so that a named file must serve.
bool SaveThroughUnnamedFile(const Destination& target, const std::string& bytes, const ReplacedFile* replaced,
                            SaveResult& result)
{
    const int folder = target.folder.descriptor();
    const OpenFile file(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, replaced ? 0600 : 0666));
    if (!file.IsOpen())
        return false;
    TakeOwnerAndPermissionsOf(replaced, file.descriptor());
    if (const int error = file.Write(bytes, true)) {
        result = SaveFailure{true, error};
        return true;
    }
    const std::string self = file.ProcessName();
    TemporaryNames names(target.name);
    const SignalsHeld held;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = names.Next();
        if (::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            result = RenameOver(folder, name, target.name);
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    return false;
}

// Saves through a named temporary file, removed when the save fails and,
// through RemoveUnfinishedReportFile, when a signal ends the program.
SaveResult SaveThroughNamedFile(const Destination& target, const std::string& bytes, const ReplacedFile* replaced)
{
    const int folder = target.folder.descriptor();
    TemporaryNames names(target.name);
    std::string name;
    int descriptor = -1;
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && descriptor < 0 && error == EEXIST; ++attempt) {
        name = names.Next();
        const SignalsHeld held;
        descriptor = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                              replaced ? 0600 : 0666);
        error = errno;
        if (descriptor >= 0) {
            std::memcpy(unfinishedName, name.c_str(), name.size() + 1); // fits: at most NAME_MAX bytes
            unfinishedFolder = folder;
            hasUnfinished = 1;
        }
    }
    if (descriptor < 0)
        return SaveFailure{false, error};
    const OpenFile file(descriptor);
    TakeOwnerAndPermissionsOf(replaced, file.descriptor());
    const int writeError = file.Write(bytes, true);
    const SignalsHeld held;
    SaveResult result = SaveFailure{true, writeError};
    if (writeError != 0)
        ::unlinkat(folder, name.c_str(), 0);
    else
        result = RenameOver(folder, name, target.name);
    hasUnfinished = 0;
    return result;
}

// Writes into a device or pipe that exists (/dev/null, a FIFO).
SaveResult WriteIntoDevice(const Destination& target, const std::string& bytes)
{
    const OpenFile file = Reopen(target, O_WRONLY);
    if (!file.IsOpen())
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
// back, so the old file stays whole. Signals are held from the reservation
// to the end: one that ends the program waits until the file is whole.
SaveResult RewriteInPlace(const Destination& target, const std::string& bytes)
{
    // Read access keeps the overwritten part; a write-only file goes without.
    OpenFile file = Reopen(target, O_RDWR);
    if (!file.IsOpen() && errno == EACCES)
        file = Reopen(target, O_WRONLY);
    const int descriptor = file.descriptor();
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
    const std::optional<std::string> overwritten = ReadStart(descriptor, std::min(oldSize, bytes.size()));
    const SignalsHeld held;
    if (bytes.size() > oldSize) {
        if (const int error = ::posix_fallocate(descriptor, 0, static_cast<off_t>(bytes.size()))) {
            static_cast<void>(::ftruncate(descriptor, old.st_size));
            return SaveFailure{true, error};
        }
    }
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
    if (IsKernelFileSystem(descriptor))
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

// Saves into a regular file that exists, or creates one.
SaveResult SaveFile(const Destination& target, const std::string& bytes)
{
    const bool exists = target.file.IsOpen();
    if (!target.folder.IsOpen()) // reached through a descriptor's link: no folder to rename in
        return RewriteInPlace(target, bytes);
    if (exists && target.status.st_nlink > 1 && !IsSharedFolder(target.folder.descriptor())) {
        // The other names would keep the old report. In a shared folder the
        // file is replaced instead: anyone may have linked a file there that
        // only this user may write (/etc/shadow for root).
        return RewriteInPlace(target, bytes);
    }
    // A file the user may not write is refused as the shell's `>` refuses
    // it, though the folder would let it be replaced.
    if (exists && ::faccessat(target.folder.descriptor(), target.name.c_str(), W_OK,
                              AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0)
        return SaveFailure{false, errno};
    const ReplacedFile replaced{target.status, target.file};
    const ReplacedFile* old = exists ? &replaced : nullptr;
    SaveResult result;
    if (!SaveThroughUnnamedFile(target, bytes, old, result))
        result = SaveThroughNamedFile(target, bytes, old);
    if (result && !result->writing && exists && FolderRefuses(result->error))
        result = RewriteInPlace(target, bytes);
    return result;
}

} // namespace

void SaveFileAtomically(const std::string& path, const std::string& bytes)
{
    const std::string fullPath = FullPath(path);
    if (path.empty())
        CannotCreate(fullPath, ENOENT);
    if (const std::optional<int> descriptor = DescriptorNamed(path)) {
        WriteIntoDescriptor(*descriptor, bytes, fullPath);
        return;
    }
    const Destination target = Walk(path, fullPath);
    if (target.descriptor) {
        // Another name of standard output, or of a descriptor.
        WriteIntoDescriptor(*target.descriptor, bytes, fullPath);
        return;
    }
    if (IsKernelFileSystem(target.file.IsOpen() ? target.file.descriptor() : target.folder.descriptor()))
        throw EFileCreateError(fullPath, kKernelFileReason);
    // A device or pipe is written into: renaming a new file over it would
    // destroy it. (The walk refuses a folder.)
    const SaveResult result = target.file.IsOpen() && !S_ISREG(target.status.st_mode) ? WriteIntoDevice(target, bytes)
                                                                                       : SaveFile(target, bytes);
    if (result && result->writing)
        CannotWrite(fullPath, result->error);
    if (result)
        CannotCreate(fullPath, result->error);
}

void RemoveUnfinishedReportFile() noexcept
{
    if (hasUnfinished)
        ::unlinkat(unfinishedFolder, unfinishedName, 0);
}

} // namespace eh
