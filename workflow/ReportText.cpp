// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportText.h"

#include "Windows1251.h"

namespace eh {

std::string ReportFileBytes(const std::string& utf8Text)
{
    std::string normalised;
    normalised.reserve(utf8Text.size() + utf8Text.size() / 16 + 2);
    for (size_t i = 0; i < utf8Text.size(); ++i) {
        const char c = utf8Text[i];
        if (c == '\r' && i + 1 < utf8Text.size() && utf8Text[i + 1] == '\n')
            continue; // the LF that follows writes the line end
        if (c == '\n')
            normalised += "\r\n";
        else
            normalised += c;
    }
    if (!normalised.empty() && (normalised.size() < 2 || normalised.compare(normalised.size() - 2, 2, "\r\n") != 0))
        normalised += "\r\n";
    return EncodeWindows1251(normalised);
}

std::string ReportPlainText(const TReport& report)
{
    std::string text;
    for (const TReportLine& line : report.Lines) {
        text += line.Text;
        text += "\r\n";
    }
    return text;
}

} // namespace eh
