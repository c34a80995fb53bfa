// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveTargetPolicy.h"

#include "ReportFileWriter.h"

#include <filesystem>
#include <sys/stat.h>

namespace eh {

void RefuseWaitingTarget(const std::string& path)
{
    struct stat target {};
    // Through links, to what would be written.
    if (::stat(path.c_str(), &target) != 0 || !(S_ISFIFO(target.st_mode) || S_ISSOCK(target.st_mode)))
        return;
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    throw EFileCreateError(error ? path : full.lexically_normal().string(),
                           "It is a pipe or a socket: saving would wait for a reader");
}

} // namespace eh
