// SPDX-License-Identifier: GPL-3.0-or-later
#include "Batch.h"

#include "AntennaModel.h"
#include "Exceptions.h"
#include "Fields.h"
#include "Formats.h"

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace eh::cli {

BatchProcessor::BatchProcessor(char defaultSeparator) : defaultSeparator_(defaultSeparator) {}

void BatchProcessor::ProcessTooLongLine(std::string& out, BatchCounts& counts, std::size_t maxLineBytes)
{
    ++counts.lines;
    ++counts.malformed;
    AppendErrorJson(out, kParseErrorKind,
                    "the line is longer than " + std::to_string(maxLineBytes) + " bytes");
}

void BatchProcessor::ProcessLine(std::string_view line, std::string& out, BatchCounts& counts)
{
    ++counts.lines;
    if (!ParseBatchRequest(line, request_, error_)) {
        ++counts.malformed;
        AppendErrorJson(out, kParseErrorKind, error_);
        return;
    }
    const char separator = request_.separator.value_or(defaultSeparator_);

    const std::size_t mark = out.size();
    try {
        FieldTexts texts;
        for (std::size_t i = 0; i < kFieldCount; ++i)
            texts[i] = request_.texts[i];
        TAntennaInputs inputs;
        if (const auto badField = ReadFieldTexts(texts, separator, inputs)) {
            ++counts.fieldErrors;
            AppendFieldErrorJson(out, *badField);
            return;
        }
        const TAntennaResults results = CalculateAntenna(inputs);
        AppendDesignJson(out, inputs, results, separator);
        ++counts.designs;
    } catch (const Exception& failure) {
        // A fault of the field reading (EOverflow), of the model or of a
        // report line: no part of the design is written.
        out.resize(mark);
        ++counts.faults;
        AppendErrorJson(out, failure.kind(), failure.what());
    }
}

namespace {

// Lines handled together: split among the worker threads, then written in
// their order. Small groups (a caller talking line by line) stay on the
// calling thread.
constexpr std::size_t kGroupLines = 1024;
constexpr std::size_t kGroupInputBytes = std::size_t{4} << 20;
constexpr std::size_t kParallelMinLines = 64;

unsigned WorkerCount(unsigned requested)
{
    const unsigned count = requested != 0 ? requested : std::thread::hardware_concurrency();
    return std::clamp(count, 1u, 8u);
}

class GroupRunner {
public:
    GroupRunner(char defaultSeparator, std::size_t maxLineBytes, std::ostream& out, unsigned workers)
        : maxLineBytes_(maxLineBytes), out_(out), workers_(WorkerCount(workers))
    {
        for (unsigned w = 0; w < workers_; ++w)
            processors_.push_back(std::make_unique<BatchProcessor>(defaultSeparator));
        outputs_.resize(workers_);
        counts_.resize(workers_);
        errors_.resize(workers_);
    }

    // The slot the next line is read into.
    std::string& Slot()
    {
        if (pending_ == lines_.size()) {
            lines_.emplace_back();
            tooLong_.push_back(false);
        }
        return lines_[pending_];
    }

    // The line read into the slot taken at `slot` is complete. The group may
    // have been run meanwhile (while the line was still being read): the
    // line then moves to the front.
    void Add(std::size_t slot, bool tooLong)
    {
        if (slot != pending_)
            std::swap(lines_[slot], lines_[pending_]);
        tooLong_[pending_] = tooLong;
        pendingBytes_ += lines_[pending_].size();
        ++pending_;
        if (pending_ >= kGroupLines || pendingBytes_ >= kGroupInputBytes)
            Run();
    }

    std::size_t Pending() const { return pending_; }

    // Handles the pending lines and writes their answers, in order.
    void Run()
    {
        if (pending_ == 0)
            return;
        const unsigned use = pending_ >= kParallelMinLines ? workers_ : 1;
        const std::size_t share = (pending_ + use - 1) / use;
        std::vector<std::thread> threads;
        for (unsigned w = 1; w < use; ++w) {
            const std::size_t begin = std::min(pending_, w * share);
            const std::size_t end = std::min(pending_, begin + share);
            threads.emplace_back(&GroupRunner::RunSlice, this, w, begin, end);
        }
        RunSlice(0, 0, std::min(pending_, share));
        for (std::thread& thread : threads)
            thread.join();
        for (unsigned w = 0; w < use; ++w) {
            if (errors_[w])
                std::rethrow_exception(std::exchange(errors_[w], nullptr));
            out_.write(outputs_[w].data(), static_cast<std::streamsize>(outputs_[w].size()));
            outputs_[w].clear();
        }
        pending_ = 0;
        pendingBytes_ = 0;
    }

    BatchCounts Counts() const
    {
        BatchCounts total;
        for (const BatchCounts& part : counts_) {
            total.lines += part.lines;
            total.designs += part.designs;
            total.fieldErrors += part.fieldErrors;
            total.faults += part.faults;
            total.malformed += part.malformed;
        }
        return total;
    }

private:
    void RunSlice(unsigned worker, std::size_t begin, std::size_t end)
    {
        try {
            std::string& output = outputs_[worker];
            for (std::size_t i = begin; i < end; ++i) {
                if (tooLong_[i])
                    processors_[worker]->ProcessTooLongLine(output, counts_[worker], maxLineBytes_);
                else
                    processors_[worker]->ProcessLine(lines_[i], output, counts_[worker]);
                output += '\n';
            }
        } catch (...) {
            errors_[worker] = std::current_exception();
        }
    }

    std::size_t maxLineBytes_;
    std::ostream& out_;
    unsigned workers_;
    std::vector<std::unique_ptr<BatchProcessor>> processors_;
    std::vector<std::string> outputs_;
    std::vector<BatchCounts> counts_;
    std::vector<std::exception_ptr> errors_;
    std::vector<std::string> lines_;
    std::vector<bool> tooLong_;
    std::size_t pending_ = 0;
    std::size_t pendingBytes_ = 0;
};

} // namespace

BatchCounts RunBatch(InputSource& input, std::ostream& out, char defaultSeparator, std::size_t maxLineBytes,
                     unsigned workers)
{
    GroupRunner group(defaultSeparator, maxLineBytes, out, workers);
    LineReader reader(input, maxLineBytes);
    // Before the reader waits for more input, everything read so far is
    // answered and flushed.
    auto beforeBlocking = [&]() {
        group.Run();
        out.flush();
    };
    // Reading stops once the output cannot be written (a full disk, a
    // closed stream): the caller reports the failed stream.
    while (out) {
        const std::size_t slot = group.Pending();
        bool tooLong = false;
        if (!reader.Next(group.Slot(), tooLong, beforeBlocking))
            break;
        group.Add(slot, tooLong);
    }
    group.Run();
    out.flush();
    return group.Counts();
}

} // namespace eh::cli
