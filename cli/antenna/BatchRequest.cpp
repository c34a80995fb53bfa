// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchRequest.h"

#include "DecimalSeparatorRule.h"
#include "InputKeys.h"

#include <nlohmann/json.hpp>

namespace eh::cli {

namespace {

constexpr std::size_t kShownKeyBytes = 64;
constexpr std::size_t kMessageBytes = 200;
// nlohmann's id of "number overflow parsing '1e999'".
constexpr int kNumberOverflow = 406;

// Keeps a text short for a message; the JSON writer makes it valid UTF-8.
std::string Shortened(std::string_view text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return std::string(text);
    return std::string(text.substr(0, bytes)) + "...";
}

} // namespace

void BatchRequest::Clear()
{
    for (std::string& text : texts)
        text.clear();
    separatorText.clear();
    separator.reset();
}

namespace {

// Reads one line into a Request without building a JSON document: the top
// level must be an object whose keys are known and whose values are strings.
// Any other shape stops the parse with a message.
class RequestReader {
public:
    using json = nlohmann::json;

    explicit RequestReader(BatchRequest& request) : request_(request)
    {
    }

    const std::string& error() const { return error_; }
    bool hasSeparator() const { return hasSeparator_; }

    bool null() { return WrongValue("null"); }
    bool boolean(bool) { return WrongValue("a boolean"); }
    bool number_integer(json::number_integer_t) { return WrongValue("a number"); }
    bool number_unsigned(json::number_unsigned_t) { return WrongValue("a number"); }
    bool number_float(json::number_float_t, const json::string_t&) { return WrongValue("a number"); }
    bool binary(json::binary_t&) { return WrongValue("binary data"); }

    bool string(json::string_t& value)
    {
        if (depth_ == 0)
            return Fail("the line is a JSON string, not an object");
        if (field_ < kInputCount) {
            request_.texts[field_].swap(value);
        } else {
            request_.separatorText.swap(value);
            hasSeparator_ = true;
        }
        return true;
    }

    bool start_object(std::size_t)
    {
        if (depth_ == 0) {
            depth_ = 1;
            return true;
        }
        return WrongValue("an object");
    }

    bool key(json::string_t& name)
    {
        if (const auto field = InputByKey(name)) {
            field_ = *field;
            key_ = InputTable()[*field].key;
            return true;
        }
        if (name == "separator") {
            field_ = kInputCount;
            key_ = "separator";
            return true;
        }
        return Fail("unknown key \"" + Shortened(name, kShownKeyBytes) + "\" (the keys are " + InputKeys(", ") + " and separator)");
    }

    bool end_object()
    {
        depth_ = 0;
        return true;
    }

    bool start_array(std::size_t)
    {
        if (depth_ == 0)
            return Fail("the line is a JSON array, not an object");
        return WrongValue("an array");
    }

    bool end_array() { return true; }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& ex)
    {
        // A number beyond the double range ("1e999") is a number all the
        // same, which no field takes.
        if (ex.id == kNumberOverflow)
            return WrongValue("a number");
        // nlohmann's message names the spot, then quotes what it last read,
        // which may be long or binary: keep only the description.
        std::string what = ex.what();
        const std::size_t colon = what.find(": ");
        const std::size_t bracket = what.find("] ");
        if (colon != std::string::npos && what.starts_with("[json.exception.parse_error."))
            what.erase(0, colon + 2);
        else if (bracket != std::string::npos && what.starts_with("[json.exception."))
            what.erase(0, bracket + 2);
        const std::size_t lastRead = what.find("; last read");
        if (lastRead != std::string::npos)
            what.erase(lastRead);
        return Fail("not valid JSON at byte " + std::to_string(position) + ": " + Shortened(what, kMessageBytes));
    }

private:
    bool WrongValue(const char* what)
    {
        if (depth_ == 0)
            return Fail(std::string("the line is ") + what + ", not a JSON object");
        return Fail(std::string("the value of \"") + key_ + "\" must be a string (the field's text), not " + what);
    }

    bool Fail(std::string message)
    {
        if (error_.empty())
            error_ = std::move(message);
        return false;
    }

    BatchRequest& request_;
    int depth_ = 0;
    std::size_t field_ = 0;
    const char* key_ = "";
    bool hasSeparator_ = false;
    std::string error_;
};

} // namespace

bool ParseBatchRequest(std::string_view line, BatchRequest& request, std::string& error)
{
    request.Clear();
    if (line.find_first_not_of(" \t\r") == std::string_view::npos) {
        error = "empty line (expected a JSON object)";
        return false;
    }
    RequestReader reader(request);
    if (!nlohmann::json::sax_parse(line.begin(), line.end(), &reader)) {
        error = reader.error().empty() ? std::string("not a valid request") : reader.error();
        return false;
    }
    if (reader.hasSeparator()) {
        request.separator = DecimalSeparatorFromText(request.separatorText);
        if (!request.separator) {
            error = std::string("the separator must be ") + kDecimalSeparatorRule + ", not \"" +
                    Shortened(request.separatorText, kShownKeyBytes) + "\"";
            return false;
        }
    }
    return true;
}

} // namespace eh::cli
