// SPDX-License-Identifier: GPL-3.0-or-later
#include "Batch.h"

#include "BackgroundWriter.h"
#include "BatchRequest.h"
#include "DesignService.h"
#include "Exceptions.h"
#include "Formats.h"

#include <string>
#include <string_view>

namespace eh::cli {

namespace {

// Answers are written once this much has gathered.
constexpr std::size_t kOutputBlockBytes = std::size_t{64} << 10;

// Reads the next line of `in` (without its line feed; a CR before it stays,
// JSON takes it for white space) into `line`. False at the end of the input.
// `tooLong` is set, and `line` left empty, when the line has more than
// `maxLineBytes` bytes: the rest of it is read and dropped. A read error
// throws (the caller sets the stream's exceptions to badbit).
bool ReadLine(std::istream& in, std::string& line, bool& tooLong, std::size_t maxLineBytes)
{
    line.clear();
    tooLong = false;
    bool readAny = false;
    char chunk[16384];
    for (;;) {
        in.getline(chunk, sizeof chunk);
        // gcount counts the line feed, when one ended the call.
        const auto extracted = static_cast<std::size_t>(in.gcount());
        const bool ended = !in.fail() && !in.eof();
        const std::size_t stored = ended ? extracted - 1 : extracted;
        readAny = readAny || extracted > 0;
        if (!tooLong && line.size() + stored > maxLineBytes) {
            tooLong = true;
            line.clear();
        }
        if (!tooLong)
            line.append(chunk, stored);
        if (ended)
            return true;
        if (in.eof())
            return readAny;
        in.clear(); // the chunk was full: the line goes on
    }
}

void AnswerLine(std::string_view line, char defaultSeparator, TLanguage language, BatchRequest& request,
                std::string& error, std::string& out, BatchCounts& counts)
{
    if (!ParseBatchRequest(line, request, error)) {
        ++counts.malformed;
        AppendErrorJson(out, kParseErrorKind, error);
        return;
    }
    const char separator = request.separator.value_or(defaultSeparator);
    TFieldReading reading;
    try {
        reading = ReadFieldTexts(request.texts, separator);
    } catch (const Exception& failure) { // a number beyond the double range
        ++counts.faults;
        AppendErrorJson(out, failure.kind(), failure.what());
        return;
    }
    if (reading.badField) {
        ++counts.fieldErrors;
        AppendFieldErrorJson(out, *reading.badField);
        return;
    }
    const TDesign design = CalculateDesign(reading.inputs);
    if (design.fault) {
        ++counts.faults;
        AppendErrorJson(out, FaultKindName(design.fault->kind), design.fault->message);
        return;
    }
    AppendDesignJson(out, design.inputs, *design.results, separator, {language, TLengthUnit::Millimetre});
    ++counts.designs;
}

} // namespace

BatchCounts RunBatch(std::istream& in, std::ostream& out, char defaultSeparator, std::size_t maxLineBytes,
                     TLanguage language)
{
    BatchCounts counts;
    // Reused from line to line: they keep their buffers.
    std::string line;
    std::string answers;
    BatchRequest request;
    std::string error;

    // Reading must not flush `out` on the way (a tied stream is): the writer
    // alone uses it.
    std::ostream* const tied = in.tie(nullptr);
    // A read error surfaces as the exception that carries its cause.
    const std::ios_base::iostate exceptions = in.exceptions();
    in.exceptions(std::ios_base::badbit);
    const auto restore = [&] {
        in.exceptions(exceptions);
        in.tie(tied);
    };
    BackgroundWriter writer(out);
    try {
        bool tooLong = false;
        while (!writer.Failed()) {
            if (in.rdbuf()->in_avail() <= 0)
                writer.Submit(answers, true);
            if (!ReadLine(in, line, tooLong, maxLineBytes))
                break;
            ++counts.lines;
            const std::size_t nul = line.find('\0');
            if (tooLong) {
                ++counts.malformed;
                AppendErrorJson(answers, kParseErrorKind,
                                "the line is longer than " + std::to_string(maxLineBytes) + " bytes");
            } else if (nul != std::string::npos) {
                // The JSON reader would stop at the NUL and take what came
                // before for the whole line.
                ++counts.malformed;
                AppendErrorJson(answers, kParseErrorKind,
                                "line " + std::to_string(counts.lines) + " has a NUL byte at byte " +
                                    std::to_string(nul + 1));
            } else {
                AnswerLine(line, defaultSeparator, language, request, error, answers, counts);
            }
            answers += '\n';
            if (answers.size() >= kOutputBlockBytes)
                writer.Submit(answers, false);
        }
    } catch (const std::ios_base::failure&) {
        writer.Submit(answers, true);
        writer.Finish();
        restore();
        throw;
    }
    writer.Submit(answers, true);
    writer.Finish();
    restore();
    counts.outputError = writer.Error();
    return counts;
}

} // namespace eh::cli
