// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveReport.h"

#include "ReportFileWriter.h"
#include "ReportText.h"

namespace eh::cli {

void SaveReport(const std::string& path, const TReport& report)
{
    WriteReportFile(path, ReportFileBytes(ReportPlainText(report)));
}

} // namespace eh::cli
