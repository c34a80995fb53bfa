// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into eh-antenna-cli by the signal tests. It stands for a file
// system without unnamed temporary files (vfat, SMB), so that a save needs a
// named temporary file, and sends the signal numbered in
// EH_SIGNAL_DURING_SAVE when the tool first writes into a file on disk or
// reserves space for it, that is in the middle of a save.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdlib>

#define EH_OPEN_WITHOUT_UNNAMED_FILES(name)                                                  \
    extern "C" int name(const char* path, int flags, ...)                                    \
    {                                                                                        \
        if ((flags & O_TMPFILE) == O_TMPFILE) {                                              \
            errno = EOPNOTSUPP;                                                              \
            return -1;                                                                       \
        }                                                                                    \
        va_list arguments;                                                                   \
        va_start(arguments, flags);                                                          \
        const mode_t mode = (flags & O_CREAT) != 0 ? va_arg(arguments, mode_t) : 0;          \
        va_end(arguments);                                                                   \
        return reinterpret_cast<int (*)(const char*, int, ...)>(::dlsym(RTLD_NEXT, #name))( \
            path, flags, mode);                                                              \
    }

EH_OPEN_WITHOUT_UNNAMED_FILES(open)
EH_OPEN_WITHOUT_UNNAMED_FILES(open64)

// The tests' runner ignores SIGPIPE, and its children inherit that; the
// tool is to meet the signal as a shell started from a terminal leaves it.
__attribute__((constructor)) static void DefaultBrokenPipe() { std::signal(SIGPIPE, SIG_DFL); }

namespace {

void SignalOnce()
{
    static bool sent = false;
    if (!sent) {
        sent = true;
        std::raise(std::atoi(std::getenv("EH_SIGNAL_DURING_SAVE")));
    }
}

template <typename Function>
Function* Next(const char* name)
{
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" ssize_t write(int descriptor, const void* data, size_t size)
{
    struct stat status {};
    if (descriptor > STDERR_FILENO && ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode))
        SignalOnce();
    return Next<ssize_t(int, const void*, size_t)>("write")(descriptor, data, size);
}

// An in-place save grows the file before writing into it: the signal comes
// once it has grown.
#define EH_SIGNAL_AFTER_FALLOCATE(name)                                                  \
    extern "C" int name(int descriptor, off_t offset, off_t length)                      \
    {                                                                                    \
        const int error = Next<int(int, off_t, off_t)>(#name)(descriptor, offset, length); \
        SignalOnce();                                                                    \
        return error;                                                                    \
    }

EH_SIGNAL_AFTER_FALLOCATE(posix_fallocate)
EH_SIGNAL_AFTER_FALLOCATE(posix_fallocate64)
