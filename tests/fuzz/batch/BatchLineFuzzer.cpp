// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the command-line tool's --batch loop: every line
// in must give exactly one JSON object out, whatever it holds.
#include "Batch.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto linesIn = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')) +
                         (input.empty() || input.back() == '\n' ? 0 : 1);
    std::istringstream in(input);
    std::ostringstream out;
    const eh::cli::BatchCounts counts = eh::cli::RunBatch(in, out, ',');
    if (counts.lines != linesIn ||
        counts.designs + counts.fieldErrors + counts.faults + counts.malformed != linesIn)
        std::abort();
    std::istringstream answers(out.str());
    std::size_t linesOut = 0;
    for (std::string line; std::getline(answers, line); ++linesOut) {
        const nlohmann::json answer = nlohmann::json::parse(line, nullptr, false);
        if (answer.is_discarded() || !answer.is_object())
            std::abort();
    }
    if (linesOut != linesIn)
        std::abort(); // one line out per line in
    return 0;
}
