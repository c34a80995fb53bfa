// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Exceptions.h"

#include <string>

namespace eh {

// A file could not be created: "Cannot create file "<full path>". <reason>",
// the message the window shows. The path and the reason ride along for the
// command-line tool, which shows the path escaped for a terminal.
class EFileCreateError : public EFCreateError {
public:
    EFileCreateError(std::string fullPath, std::string reason);
    const std::string& fullPath() const noexcept { return fullPath_; }
    const std::string& reason() const noexcept { return reason_; }

private:
    std::string fullPath_;
    std::string reason_;
};

// Writing a file failed after the file was opened. The message is the
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

// Saves `bytes` as the file named `path` (a report, a picture, a table), so
// that the file holds either its old content or all of the new. The name is
// taken as the bytes the system uses, which need not be UTF-8.
// - A regular file is replaced by renaming a finished temporary file over it;
//   the new file keeps the old one's owner and group where the process may
//   set them, its permissions without set-user-ID and set-group-ID, its
//   access list (ACL) and its user.* attributes. A file the user may not
//   write is refused ("Permission denied"), as the shell's `>` refuses it.
// - A file with more than one hard link (except in a sticky folder that
//   every user may write, where anyone may have planted the link), or one
//   in a folder that refuses new files while the file itself may be
//   written, is written in place: locked, with the space reserved and the
//   file-size limit checked first, signals held until it is whole; on a
//   failure the old content is written back.
// - A descriptor's name (/dev/stdout, /dev/stderr, /dev/fd/N,
//   /proc/self/fd/N, or any other name of this process's descriptor or of
//   the file open as standard output or error) is written into at the
//   descriptor's offset, as a shell redirection would; a device or pipe is
//   written into, not replaced.
// - A symbolic link, in any part of the name, is followed, except a link in
//   a folder that every user may write (sticky, as /tmp) that belongs
//   neither to the user nor to the folder's owner: someone else may have
//   planted it there.
// - Nothing is written into /proc or /sys.
// Throws EFileCreateError when the file cannot be created and
// EReportWriteError when writing fails.
void SaveFileAtomically(const std::string& path, const std::string& bytes);

// Removes the temporary file of a save in progress, if there is one. Safe to
// call from a signal handler, so that a program ended by a signal leaves no
// half-written file beside the one it was saving.
void RemoveUnfinishedReportFile() noexcept;

} // namespace eh
