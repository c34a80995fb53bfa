// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into eh-antenna-cli by the signal tests. It stands for a file
// system without unnamed temporary files (vfat, SMB), so that a save needs a
// named temporary file, and sends the signal numbered in
// EH_SIGNAL_DURING_SAVE when the tool first writes into a file on disk, that
// is in the middle of a save.
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

extern "C" ssize_t write(int descriptor, const void* data, size_t size)
{
    static bool sent = false;
    struct stat status {};
    if (!sent && descriptor > STDERR_FILENO && ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        sent = true;
        std::raise(std::atoi(std::getenv("EH_SIGNAL_DURING_SAVE")));
    }
    return reinterpret_cast<ssize_t (*)(int, const void*, size_t)>(::dlsym(RTLD_NEXT, "write"))(descriptor, data,
                                                                                                  size);
}
