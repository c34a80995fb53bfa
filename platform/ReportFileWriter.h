// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace eh {

// Writes `bytes` to the file at `path` (UTF-8), replacing it only once every
// byte is on disk: a failed save leaves an existing file untouched. An
// existing device or pipe is written into, not replaced.
// Throws EFCreateError "Cannot create file "<path>". <reason>" when the file
// cannot be created and EOutOfResources "Failed to Save Stream" when writing
// fails.
void WriteReportFile(const std::string& path, const std::string& bytes);

} // namespace eh
