// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProcessRunner.h"

#include <filesystem>
#include <string>
#include <vector>

// Helpers shared by the command-line tool's tests.
namespace eh::test {

// The built eh-antenna-cli (its path comes from CMake).
std::string CliPath();

// Options that feed `input` to the child's standard input.
ProcessOptions WithInput(std::string input);

// Runs eh-antenna-cli with `args` (after the program name).
ProcessResult RunCli(const std::vector<std::string>& args, const ProcessOptions& options = {});

// The 38 report lines of example A (14.2 50 3 1 2 50, bandwidth 0) and
// example B (bandwidth 500) with a comma as separator, in UTF-8.
std::vector<std::string> ExampleAReportLines();
std::vector<std::string> ExampleBReportLines();

// Each line followed by `end`.
std::string JoinLines(const std::vector<std::string>& lines, const std::string& end);

// The Windows-1251 bytes of a UTF-8 text made of ASCII and the Cyrillic
// letters А..я (all the report uses), written independently of the
// program's own converter.
std::string ToWindows1251(const std::string& utf8);

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::vector<std::string> Entries() const; // file names, sorted

private:
    std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

// Splits at line feeds; a final line feed ends the last line.
std::vector<std::string> SplitLines(const std::string& text);

} // namespace eh::test
