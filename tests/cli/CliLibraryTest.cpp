// SPDX-License-Identifier: GPL-3.0-or-later
// The eh_cli library in the process: JSON text, message quoting, sweep plans
// and the batch loop's edges.
#include "Batch.h"
#include "Cli.h"
#include "Formats.h"
#include "JsonText.h"
#include "Sweep.h"
#include "UsageError.h"
#include "Utf8.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <streambuf>
#include <system_error>

namespace eh::cli {
namespace {

using nlohmann::json;

std::string JsonString(std::string_view text)
{
    std::string out;
    AppendJsonString(out, text);
    return out;
}

TEST(CliJsonText, StringsMatchNlohmannWithReplacement)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 40);
    const std::vector<std::string> fixed = {"", "abc", "Частота = 14,20 МГц", "\"\\/\b\f\n\r\t\x01\x1f\x7f",
                                            "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "😀"};
    for (const std::string& text : fixed)
        EXPECT_EQ(JsonString(text), json(text).dump(-1, ' ', false, json::error_handler_t::replace)) << text;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int n = length(random);
        for (int k = 0; k < n; ++k)
            text += static_cast<char>(byte(random));
        const std::string written = JsonString(text);
        ASSERT_EQ(written, json(text).dump(-1, ' ', false, json::error_handler_t::replace));
        ASSERT_TRUE(eh::IsValidUtf8(written));
    }
}

TEST(CliJsonText, DoublesRoundTripAndLookLikeFloats)
{
    auto text = [](double value) {
        std::string out;
        AppendJsonDouble(out, value);
        return out;
    };
    EXPECT_EQ(text(15), "15.0");
    EXPECT_EQ(text(-0.0), "-0.0");
    EXPECT_EQ(text(0.1), "0.1");
    EXPECT_EQ(text(1e300), "1e+300");
    EXPECT_EQ(text(std::numeric_limits<double>::infinity()), "null");
    std::mt19937_64 random(7);
    for (int i = 0; i < 100000; ++i) {
        std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value))
            continue;
        const json parsed = json::parse(text(value));
        ASSERT_TRUE(parsed.is_number_float()) << text(value);
        ASSERT_EQ(parsed.get<double>(), value) << text(value);
    }
}

TEST(CliQuoteTyped, EscapesAndCuts)
{
    EXPECT_EQ(QuoteTyped("abc"), "\"abc\"");
    EXPECT_EQ(QuoteTyped("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(QuoteTyped(std::string("\x00\n\x7f", 3)), "\"\\x00\\x0A\\x7F\"");
    EXPECT_EQ(QuoteTyped("Ж\xD0"), "\"Ж\\xD0\"");
    EXPECT_EQ(QuoteTyped(std::string(101, 'a')), "\"" + std::string(100, 'a') + "\"... (101 bytes)");
    // A character cut by the 100-byte limit is escaped, not left broken.
    const std::string cut = std::string(99, 'a') + "Ж";
    EXPECT_EQ(QuoteTyped(cut), "\"" + std::string(99, 'a') + "\\xD0\"... (101 bytes)");
}

TEST(CliSweepPlan, RowCounts)
{
    EXPECT_EQ(ParseSweep("frequency=0:999999:1", ',').points, 1000000u);
    EXPECT_THROW(ParseSweep("frequency=0:1000000:1", ','), UsageError);
    EXPECT_EQ(ParseSweep("frequency=1.8:30:0.1", ',').points, 283u); // 30 itself
    EXPECT_EQ(ParseSweep("frequency=0:0.3:0.1", ',').points, 4u);     // 0.3 / 0.1 = 2.9999999999999996
    EXPECT_EQ(ParseSweep("frequency=5:5:1", ',').points, 1u);
    EXPECT_EQ(ParseSweep("frequency=5:5:-1", ',').points, 1u);
    EXPECT_EQ(ParseSweep("pitch=2:0,5:-0,5", ',').points, 4u);
    EXPECT_EQ(ParseSweep("bandwidth=0:1:0.3", ',').points, 4u); // 0, 0.3, 0.6, 0.9
    const TSweepPlan plan = ParseSweep("ratio=1:2:0.1", ',');
    EXPECT_EQ(plan.input, 2u);
    EXPECT_EQ(plan.grid.Value(3), 1.3);
}

std::string Batch(const std::string& input, std::size_t maxLineBytes = kMaxBatchLineBytes)
{
    std::istringstream in(input);
    std::ostringstream out;
    RunBatch(in, out, ',', maxLineBytes);
    return out.str();
}

TEST(CliBatchLoop, OverLongLinesAreSkippedWhole)
{
    const std::string good = R"({"frequency":"0","cylinder-diameter":"50","ratio":"3","wire-diameter":"1","pitch":"2","turn-diameter":"50","bandwidth":"0"})";
    const std::string out = Batch(std::string(5000, 'a') + "\n" + good + "\n" + std::string(3000, 'b'), 1000);
    EXPECT_EQ(out,
              "{\"error\":{\"kind\":\"EParseError\",\"message\":\"the line is longer than 1000 bytes.\"}}\n"
              "{\"error\":{\"kind\":\"EZeroDivide\",\"message\":\"Floating point division by zero.\"}}\n"
              "{\"error\":{\"kind\":\"EParseError\",\"message\":\"the line is longer than 1000 bytes.\"}}\n");
}

TEST(CliBatchLoop, LinesAcrossReadBlocks)
{
    // Lines longer than the reader's chunk are joined correctly.
    const std::string good = R"({"frequency":"14.2","cylinder-diameter":"50","ratio":"3","wire-diameter":"1","pitch":"2","turn-diameter":"50","bandwidth":"0"})";
    const std::string padded = "{" + std::string(3 << 20, ' ') + good.substr(1);
    const std::string out = Batch(padded + "\n" + good + "\n");
    std::istringstream lines(out);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(first, second);
    EXPECT_EQ(json::parse(first)["report"].size(), 38u);
}

// Serves `data`, then fails as a disk that cannot be read would.
class FailingInput : public std::streambuf {
public:
    explicit FailingInput(std::string data) : data_(std::move(data))
    {
        setg(data_.data(), data_.data(), data_.data() + data_.size());
    }

protected:
    int_type underflow() override
    {
        throw std::ios_base::failure("read", std::error_code(EIO, std::system_category()));
    }

private:
    std::string data_;
};

TEST(CliBatchLoop, ReadErrorFailsAfterTheAnswersSoFar)
{
    const std::string zero = R"({"frequency":"0","cylinder-diameter":"50","ratio":"3","wire-diameter":"1","pitch":"2","turn-diameter":"50","bandwidth":"0"})";
    FailingInput buffer(zero + "\n" + zero + "\n{\"freq");
    std::istream in(&buffer);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCli({"-s", ",", "--batch"}, {in, out, err}), 1);
    const std::string fault = R"({"error":{"kind":"EZeroDivide","message":"Floating point division by zero."}})" "\n";
    EXPECT_EQ(out.str(), fault + fault);
    EXPECT_EQ(err.str(), "eh-antenna-cli: cannot read the standard input: " + std::error_code(EIO, std::system_category()).message() + "\n");
}

TEST(CliBatchLoop, CountsEveryKind)
{
    std::istringstream in(
        "{\"frequency\":\"14.2\",\"cylinder-diameter\":\"50\",\"ratio\":\"3\",\"wire-diameter\":\"1\",\"pitch\":\"2\","
        "\"turn-diameter\":\"50\",\"bandwidth\":\"0\"}\n{\"frequency\":\"x\"}\nnope\n"
        "{\"frequency\":\"0\",\"cylinder-diameter\":\"50\",\"ratio\":\"3\",\"wire-diameter\":\"1\",\"pitch\":\"2\","
        "\"turn-diameter\":\"50\",\"bandwidth\":\"0\"}\n");
    std::ostringstream out;
    const BatchCounts counts = RunBatch(in, out, ',');
    EXPECT_EQ(counts.lines, 4u);
    EXPECT_EQ(counts.designs, 1u);
    EXPECT_EQ(counts.fieldErrors, 1u);
    EXPECT_EQ(counts.malformed, 1u);
    EXPECT_EQ(counts.faults, 1u);
}

} // namespace
} // namespace eh::cli
