// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

#include <string>

namespace eh {

// The bytes of a saved report: the UTF-8 text (lines separated by line feeds,
// or CR LF) in Windows-1251 with CR LF after every line, the last included.
// An empty text gives no bytes.
std::string ReportFileBytes(const std::string& utf8Text);

// The pane's plain text of a whole report: each line followed by CR LF.
std::string ReportPlainText(const TReport& report);

} // namespace eh
