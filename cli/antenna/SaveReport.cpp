// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveReport.h"

#include "ReportFileWriter.h"
#include "ReportText.h"
#include "Utf8.h"

namespace eh::cli {

void SaveReport(const std::string& path, const TReport& report)
{
    // "-" is standard output, as for most tools.
    const std::string target = path == "-" ? std::string("/dev/stdout") : path;
    try {
        SaveFileAtomically(target, ReportFileBytes(ReportPlainText(report)));
    } catch (const EFileCreateError& failure) {
        // A name may hold bytes that would drive the terminal: it is shown
        // escaped, as a field's text is.
        throw EFCreateError("Cannot create file \"" + EscapeTyped(failure.fullPath()) + "\". " +
                            EscapeTyped(failure.reason()));
    } catch (const EReportWriteError& failure) {
        // The window's "Failed to Save Stream" would leave a script's user
        // guessing; the tool names the file and the system's reason.
        throw EOutOfResources("Cannot write file \"" + EscapeTyped(failure.fullPath()) + "\". " + failure.reason());
    }
}

} // namespace eh::cli
