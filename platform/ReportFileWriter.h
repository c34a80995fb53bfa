// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Exceptions.h"

#include <string>

namespace eh {

// Writing a report file failed after the file was opened. The message is the
// one the window shows, "Failed to Save Stream"; the file's full path and the
// system's reason ("No space left on device") ride along for the
// command-line tool, whose users need to know what went wrong.
class EReportWriteError : public EOutOfResources {
public:
    EReportWriteError(std::string fullPath, std::string reason);
    const std::string& fullPath() const noexcept { return fullPath_; }
    const std::string& reason() const noexcept { return reason_; }

private:
    std::string fullPath_;
    std::string reason_;
};

// Writes `bytes` to the file named `path`. The name is taken as the bytes the
// system uses, which need not be UTF-8 (a name from another code page is kept
// exactly). A regular file is replaced only once every byte is on disk, by
// renaming a finished temporary file over it, so a failed save leaves an
// existing file untouched. Only where the folder refuses new files but the
// file itself may be written is it written in place (a failed write then
// leaves part of the report). An existing device or pipe is written into,
// not replaced; a symbolic link saves into its target.
// Throws EFCreateError "Cannot create file "<full path>". <reason>" when the
// file cannot be created and EReportWriteError when writing fails.
void WriteReportFile(const std::string& path, const std::string& bytes);

// Removes the temporary file of a save in progress, if there is one. Safe to
// call from a signal handler, so that a program ended by a signal leaves no
// half-written file beside the one it was saving.
void RemoveUnfinishedReportFile() noexcept;

} // namespace eh
