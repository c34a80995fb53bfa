// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the command-line tool's --batch line handling:
// every line in must give exactly one JSON object out, whatever it holds.
#include "Batch.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    eh::cli::BatchProcessor processor(',');
    eh::cli::BatchCounts counts;
    std::string out;
    processor.ProcessLine(line, out, counts);
    if (out.find('\n') != std::string::npos)
        std::abort(); // one line out per line in
    const nlohmann::json answer = nlohmann::json::parse(out, nullptr, false);
    if (answer.is_discarded() || !answer.is_object())
        std::abort();
    if (counts.designs + counts.fieldErrors + counts.faults + counts.malformed != 1)
        std::abort();
    return 0;
}
