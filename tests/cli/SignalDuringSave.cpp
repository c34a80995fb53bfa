// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into eh-antenna-cli by the signal tests. It stands for a file
// system without unnamed temporary files (vfat, SMB), so that a save needs a
// named temporary file, and it sends the signal whose number is in
// EH_SIGNAL_DURING_SAVE the first time the tool writes into a file on disk,
// that is in the middle of a save.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdlib>

namespace {

template <typename Function>
Function Next(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

int OpenWithoutUnnamedFiles(const char* name, int flags, va_list arguments, const char* real)
{
    if ((flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    const auto mode = (flags & O_CREAT) != 0 ? static_cast<mode_t>(va_arg(arguments, int)) : mode_t{0};
    return Next<int (*)(const char*, int, ...)>(real)(name, flags, mode);
}

} // namespace

extern "C" int open(const char* name, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const int result = OpenWithoutUnnamedFiles(name, flags, arguments, "open");
    va_end(arguments);
    return result;
}

extern "C" int open64(const char* name, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const int result = OpenWithoutUnnamedFiles(name, flags, arguments, "open64");
    va_end(arguments);
    return result;
}

extern "C" ssize_t write(int descriptor, const void* data, size_t size)
{
    static bool sent = false;
    struct stat status {};
    if (!sent && descriptor > STDERR_FILENO && ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        sent = true;
        if (const char* number = std::getenv("EH_SIGNAL_DURING_SAVE"))
            std::raise(std::atoi(number));
    }
    return Next<ssize_t (*)(int, const void*, size_t)>("write")(descriptor, data, size);
}
