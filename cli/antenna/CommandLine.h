// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignTables.h"
#include "Formats.h"
#include "Language.h"
#include "LengthUnit.h"

#include <cstddef>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The command line of eh-antenna-cli, read with CLI11.
namespace eh::cli {

// The field that may be left out: the last one, the measured bandwidth
// (EC27), "0" when not given.
inline constexpr std::size_t kOptionalField = kInputCount - 1;

// The positional arguments as the usage lines write them:
// "FREQUENCY CYLINDER_DIAMETER ... [BANDWIDTH]".
std::string FieldArguments();

struct CliOptions {
    std::vector<std::string> fieldTexts; // the positional arguments, as given
    std::optional<char> separator;       // --separator; none: the locale's
    OutputFormat format = OutputFormat::Text;
    bool formatGiven = false;
    std::optional<std::string> outputPath; // --output
    std::optional<std::string> sweep;      // --sweep NAME=START:STOP:STEP
    bool batch = false;                    // --batch
    bool bands = false;                    // --bands
    std::optional<std::string> region;     // --region 1|2|3
    std::optional<std::string> solve;      // --solve INPUT=FROM:TO
    std::optional<std::string> target;     // --target RESULT=VALUE
    std::optional<std::string> measured;   // --measured FILE
    std::optional<std::string> bandwidthFrom; // --bandwidth-from FILE
    std::optional<TLanguage> language;     // --language ru|en; none: Russian
    std::optional<TLengthUnit> lengths;    // --units mm|in; none: millimetres
};

struct ParsedCommandLine {
    // Set when the program is to end at once: after --help or --version
    // (their text is in `standardOutput`) or a usage error (written to
    // `err`).
    std::optional<int> exitCode;
    std::string standardOutput;
    CliOptions options;
};

// `args` are the arguments after the program name. An argument that starts
// with "-" but is no option (such as "-.5" or "-,5") is a field text, as
// everything after "--" is.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args, std::ostream& err);

} // namespace eh::cli
