// SPDX-License-Identifier: GPL-3.0-or-later
// --batch: JSON Lines in, one JSON line out per line in.
#include "CliTestSupport.h"

#include "AntennaModel.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>

namespace eh::test {
namespace {

using nlohmann::json;

const std::string kExampleA =
    R"({"frequency":"14.2","cylinder-diameter":"50","ratio":"3","wire-diameter":"1","pitch":"2","turn-diameter":"50","bandwidth":"0","separator":","})";

std::vector<json> ParseAll(const std::string& out)
{
    std::vector<json> lines;
    for (const std::string& line : SplitLines(out))
        lines.push_back(json::parse(line)); // throws on invalid JSON or UTF-8
    return lines;
}

json ParseErrorWith(const std::string& message)
{
    return json{{"error", {{"kind", "EParseError"}, {"message", message}}}};
}

TEST(CliBatch, MixedGoodBadAndMalformedLines)
{
    const std::string input = kExampleA + "\n" +
        R"({"frequency":"0","cylinder-diameter":"50","ratio":"3","wire-diameter":"1","pitch":"2","turn-diameter":"50","bandwidth":"0","separator":","})" "\n" +
        R"({"frequency":"14,2","cylinder-diameter":"fifty","ratio":"x"})" "\n" +
        R"({"frequency":"14,2","cylinder-diameter":"50","ratio":"3","wire-diameter":"1","pitch":"2","turn-diameter":"50"})" "\n" +
        "not json\n" +
        "[1,2]\n" +
        "\"text\"\n" +
        R"({"frequency":14.2})" "\n" +
        R"({"frequency":null})" "\n" +
        R"({"frequency":["1"]})" "\n" +
        R"({"colour":"red"})" "\n" +
        "\n" +
        R"({"separator":",,"})" "\n" +
        R"({"frequency":"1e400","separator":","})" "\n" +
        R"({"frequency":"14.2"} {"x":1})" "\n" +
        R"({"frequency":1e999})" "\n" + // beyond the double range, but a number all the same
        "-1e999\n" +
        kExampleA + "\r\n" + // a CR before the line feed is white space
        "{}";                // the last line needs no line feed
    const ProcessResult result = RunCli({"--separator", ",", "--batch"}, WithInput(input));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::vector<json> lines = ParseAll(result.out);
    ASSERT_EQ(lines.size(), 19u);

    const TAntennaResults a = CalculateAntenna({14.2, 50, 3, 0, 1, 2, 50});
    EXPECT_EQ(lines[0]["results"]["ReactanceOhm"].get<double>(), a.ReactanceOhm);
    EXPECT_EQ(lines[0]["report"].size(), 38u);
    EXPECT_EQ(lines[0]["report"][1]["text"], "Частота = 14,20 МГц");
    EXPECT_TRUE(lines[0]["notice"].is_null());
    EXPECT_EQ(lines[1], json::parse(R"({"error":{"kind":"EZeroDivide","message":"Floating point division by zero."}})"));
    EXPECT_EQ(lines[2], json::parse(R"({"field":"EC16","reset_text":"0.1"})"));
    // A missing key is the empty text: the bandwidth field EC27 resets to "0".
    EXPECT_EQ(lines[3], json::parse(R"({"field":"EC27","reset_text":"0"})"));
    EXPECT_EQ(lines[4], ParseErrorWith("not valid JSON at byte 2: syntax error while parsing value - invalid literal."));
    EXPECT_EQ(lines[5], ParseErrorWith("the line is a JSON array, not an object."));
    EXPECT_EQ(lines[6], ParseErrorWith("the line is a JSON string, not an object."));
    EXPECT_EQ(lines[7], ParseErrorWith("the value of \"frequency\" must be a string (the field's text), not a number."));
    EXPECT_EQ(lines[8], ParseErrorWith("the value of \"frequency\" must be a string (the field's text), not null."));
    EXPECT_EQ(lines[9], ParseErrorWith("the value of \"frequency\" must be a string (the field's text), not an array."));
    EXPECT_EQ(lines[10], ParseErrorWith("unknown key \"colour\" (the keys are frequency, cylinder-diameter, ratio, "
                                        "wire-diameter, pitch, turn-diameter, bandwidth and separator)"));
    EXPECT_EQ(lines[11], ParseErrorWith("empty line (expected a JSON object)"));
    EXPECT_EQ(lines[12], ParseErrorWith("the separator must be one printable ASCII character other than a digit, +, -, e, E or a space, not \",,\""));
    EXPECT_EQ(lines[13], json::parse(R"({"error":{"kind":"EOverflow","message":"Floating point overflow."}})"));
    EXPECT_EQ(lines[14]["error"]["kind"], "EParseError");
    EXPECT_EQ(lines[15], lines[7]);
    EXPECT_EQ(lines[16], ParseErrorWith("the line is a number, not a JSON object."));
    EXPECT_EQ(lines[17], lines[0]);
    EXPECT_EQ(lines[18], json::parse(R"({"field":"EC15","reset_text":"0.1"})"));
}

TEST(CliBatch, SeparatorPerLine)
{
    const std::string input =
        R"({"frequency":"14","cylinder-diameter":"50","ratio":"3","wire-diameter":"1","pitch":"2","turn-diameter":"50","bandwidth":"0","separator":"."})" "\n" +
        kExampleA + "\n";
    const ProcessResult result = RunCli({"--separator", ";", "--batch"}, WithInput(input));
    ASSERT_EQ(result.exitCode, 0);
    const std::vector<json> lines = ParseAll(result.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["report"][1]["text"], "Частота = 14.00 МГц");
    EXPECT_EQ(lines[1]["report"][1]["text"], "Частота = 14,20 МГц");
}

TEST(CliBatch, NoticeInTheLineNotOnStderr)
{
    const std::string input =
        R"({"frequency":"14.2","cylinder-diameter":"50","ratio":"3","wire-diameter":"1","pitch":"0.5","turn-diameter":"50","bandwidth":"0"})" "\n";
    const ProcessResult result = RunCli({"--separator", ",", "--batch"}, WithInput(input));
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ParseAll(result.out).at(0)["notice"], "Ошибка!!! Шаг намотки меньше диаметра провода!");
}

TEST(CliBatch, EmptyInputGivesNoOutput)
{
    const ProcessResult result = RunCli({"--separator", ",", "--batch"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
}

TEST(CliBatch, BinaryBytesGiveValidUtf8Json)
{
    using namespace std::string_literals;
    std::string input;
    input += "\xff\xfe\x00\x01{\n"s;
    input += "{\"frequency\":\"\xC3\x28\"}\n"s;                 // invalid UTF-8 inside a string
    input += "{\"\xF0\x9F\x98\x80\xFF\":\"1\"}\n"s;             // odd key
    input += "{\"frequency\":\"14,2\xD0\"}\n"s;
    input += "\x00\x00\x00\n"s;
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != '\n')
            all += static_cast<char>(b);
    input += all + "\n";
    input += kExampleA + "\n";
    input += kExampleA + "\0junk\n"s; // a valid object does not excuse the rest
    const ProcessResult result = RunCli({"--separator", ",", "--batch"}, WithInput(input));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<json> lines = ParseAll(result.out);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[4], ParseErrorWith("line 5 has a NUL byte at byte 1."));
    EXPECT_EQ(lines[7], ParseErrorWith("line 8 has a NUL byte at byte " + std::to_string(kExampleA.size() + 1) + "."));
    for (std::size_t i = 0; i + 2 < lines.size(); ++i)
        EXPECT_TRUE(lines[i].contains("error") || lines[i].contains("field")) << lines[i].dump();
    EXPECT_EQ(lines[6]["report"].size(), 38u);
}

TEST(CliBatch, TenMegabyteLines)
{
    // A 10 MB field text (not a number), a 10 MB number (overflow of the
    // mantissa: not a number either) and 10 MB of garbage.
    const std::string big(10 << 20, '7');
    const std::string input = R"({"frequency":")" + std::string(10 << 20, 'x') + "\"}\n" +
                              R"({"frequency":")" + big + "\",\"separator\":\",\"}\n" +
                              std::string(10 << 20, '{') + "\n" + kExampleA + "\n";
    const ProcessResult result = RunCli({"--separator", ",", "--batch"}, WithInput(input));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<json> lines = ParseAll(result.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], json::parse(R"({"field":"EC15","reset_text":"0.1"})"));
    EXPECT_EQ(lines[1], json::parse(R"({"field":"EC15","reset_text":"0.1"})"));
    EXPECT_EQ(lines[2]["error"]["kind"], "EParseError");
    EXPECT_LT(lines[2]["error"]["message"].get<std::string>().size(), 300u);
    EXPECT_EQ(lines[3]["report"].size(), 38u);
}

TEST(CliBatch, StandardInputThatCannotBeReadFails)
{
    ProcessOptions options;
    options.setEnv = {"LC_ALL=C"};
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<&-", "Bad file descriptor"}, // closed
        {"< /", "Is a directory"},
    };
    for (const auto& [redirect, reason] : cases) {
        const ProcessResult result =
            RunProcess({"/bin/sh", "-c", "exec \"$0\" --separator , --batch " + redirect, CliPath()}, options);
        EXPECT_EQ(result.exitCode, 1) << redirect;
        EXPECT_EQ(result.out, "") << redirect;
        EXPECT_EQ(result.err, "eh-antenna-cli: cannot read the standard input: " + reason + "\n") << redirect;
    }
}

TEST(CliBatch, AnswersEachLineBeforeTheInputEnds)
{
    // A caller talking line by line over a pipe gets each answer while it
    // keeps its end of the pipe open.
    InteractiveProcess child({CliPath(), "--separator", ",", "--batch"});
    for (int i = 0; i < 3; ++i) {
        child.Write(kExampleA + "\n");
        std::string line;
        ASSERT_TRUE(child.ReadLine(line, std::chrono::seconds(30))) << "no answer to line " << i + 1;
        EXPECT_EQ(json::parse(line)["report"].size(), 38u);
    }
    EXPECT_EQ(child.Finish(), 0);
}

} // namespace
} // namespace eh::test
