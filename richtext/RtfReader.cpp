// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfReader.h"

#include "RtfParser.h"
#include "RtfTokenizer.h"

#include <QTextDocument>

#include <string_view>

namespace eh {

namespace {

// The input after a UTF-8 byte-order mark and blanks that some writers and
// editors put before the header.
std::string_view SkipLeadingBlanks(std::string_view input)
{
    if (input.starts_with("\xEF\xBB\xBF"))
        input.remove_prefix(3);
    const auto start = input.find_first_not_of(" \t\r\n");
    return start == std::string_view::npos ? std::string_view() : input.substr(start);
}

RtfReadResult Fail(RtfReadResult result, QString* error, const QString& message)
{
    if (error != nullptr)
        *error = message;
    return result;
}

} // namespace

RtfReadResult ReadRtf(const QByteArray& data, QTextDocument& document, QString* error)
{
    document.clear();
    if (data.size() > kMaxRtfInputSize)
        return Fail(RtfReadResult::OverLimits, error,
                    QStringLiteral("the file is larger than %1 MiB").arg(kMaxRtfInputSize / (1024 * 1024)));
    const std::string_view input = SkipLeadingBlanks(std::string_view(data.constData(), data.size()));
    if (!input.starts_with("{\\rtf"))
        return Fail(RtfReadResult::NotRtf, error, QStringLiteral("not an RTF document: it does not start with {\\rtf"));
    try {
        rtf::RtfParser(document).Parse(input);
    } catch (const rtf::RtfLimitExceeded& exceeded) {
        return Fail(RtfReadResult::OverLimits, error, QString::fromUtf8(exceeded.what()));
    }
    return RtfReadResult::Read;
}

} // namespace eh
