// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliTestSupport.h"

#include "ExampleReport.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace eh::test {

std::string CliPath() { return EH_CLI_PATH; }

ProcessOptions WithInput(std::string input)
{
    ProcessOptions options;
    options.input = std::move(input);
    return options;
}

ProcessResult RunCli(const std::vector<std::string>& args, const ProcessOptions& options)
{
    std::vector<std::string> argv{CliPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv, options);
}

std::vector<std::string> ExampleAReportLines()
{
    std::vector<std::string> lines;
    for (const ExpectedReportLine& line : kExampleAReport)
        lines.emplace_back(line.text);
    return lines;
}

std::vector<std::string> ExampleBReportLines()
{
    std::vector<std::string> lines = ExampleAReportLines();
    lines[25] = "Эффективность антенны = 98,74 %";
    lines[26] = "Потери в антенне = -0,06 dB";
    lines[27] = "RR= 54,24 Ом";
    lines[28] = "Ошибка вычисления = -54,80 %";
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, const std::string& end)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

std::string ToWindows1251(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        if (b0 < 0x80) {
            out += static_cast<char>(b0);
            continue;
        }
        if (i + 1 >= utf8.size() || (b0 != 0xD0 && b0 != 0xD1))
            throw std::invalid_argument("only ASCII and А..я expected");
        const auto b1 = static_cast<unsigned char>(utf8[++i]);
        const unsigned codePoint = ((b0 & 0x1Fu) << 6) | (b1 & 0x3Fu);
        if (codePoint < 0x410 || codePoint > 0x44F)
            throw std::invalid_argument("only ASCII and А..я expected");
        out += static_cast<char>(0xC0 + (codePoint - 0x410));
    }
    return out;
}

TempDir::TempDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/eh-cli-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::Entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t feed = text.find('\n', start);
        if (feed == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, feed - start));
        start = feed + 1;
    }
    return lines;
}

} // namespace eh::test
