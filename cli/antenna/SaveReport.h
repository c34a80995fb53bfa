// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

#include <string>

namespace eh::cli {

// --output: saves the report as the window saves it, through
// eh::SaveFileAtomically (Windows-1251, CR LF after every line, no BOM; the
// file is replaced atomically; a device or descriptor such as /dev/stdout
// is written into; "-" is standard output). `path` is the argument's
// bytes, passed to the system unchanged, and shown escaped in messages.
// Throws EFCreateError "Cannot create file "<path>". <reason>" or
// EOutOfResources "Cannot write file "<path>". <reason>".
void SaveReport(const std::string& path, const TReport& report);

} // namespace eh::cli
