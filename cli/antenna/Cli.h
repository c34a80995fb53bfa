// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// eh-antenna-cli as a function, so that tests and benchmarks can run it in
// the process as well.
namespace eh::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFault = 1; // a calculation fault, a file that cannot be written
inline constexpr int kExitUsage = 2; // a usage error, a field that is not a number

// The name every message of the tool starts with.
inline constexpr const char* kProgram = "eh-antenna-cli";

// Writes a usage error with the pointer to --help; returns kExitUsage.
int Usage(std::ostream& err, const std::string& message);

struct CliStreams {
    std::istream& in;  // --batch input
    std::ostream& out; // results
    std::ostream& err; // warnings and errors
};

// Runs the tool with `args`, the arguments after the program name; returns
// the exit code.
int RunCli(const std::vector<std::string>& args, const CliStreams& streams);

// What a user typed, for a message: in double quotes, control characters and
// bytes that are not UTF-8 escaped as \xNN, cut after 100 bytes with the
// full length named.
std::string QuoteTyped(const std::string& text);

} // namespace eh::cli
