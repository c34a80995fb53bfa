// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

#include <string>

namespace eh::cli {

// --output: saves the report as the window saves it, through
// eh::WriteReportFile (Windows-1251, CR LF after every line, no BOM; the
// file is replaced atomically; a device such as /dev/stdout is written
// into). Throws EFCreateError or EOutOfResources.
void SaveReport(const std::string& path, const TReport& report);

} // namespace eh::cli
