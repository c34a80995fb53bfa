// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveReport.h"

#include "ReportFileWriter.h"
#include "ReportText.h"

namespace eh::cli {

void SaveReport(const std::string& path, const TReport& report)
{
    try {
        WriteReportFile(path, ReportFileBytes(ReportPlainText(report)));
    } catch (const EReportWriteError& failure) {
        // The window's "Failed to Save Stream" would leave a script's user
        // guessing; the tool names the file and the system's reason.
        throw EOutOfResources("Cannot write file \"" + failure.fullPath() + "\". " + failure.reason());
    }
}

} // namespace eh::cli
