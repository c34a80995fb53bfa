// SPDX-License-Identifier: GPL-3.0-or-later
#include "Touchstone.h"

#include "NumberWord.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

namespace eh {

namespace {

// Thrown from deep in the reading to its one catch, which turns it into the
// refusal: every check stays one line where it is made.
struct TRefused {
    TTouchstoneRefusal refusal;
};

[[noreturn]] void Refuse(TTouchstoneFault fault, std::size_t line, std::size_t count = 0)
{
    throw TRefused{TTouchstoneRefusal{fault, line, count}};
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

// A text file holds no control characters but tabs and line ends (a form
// feed or vertical tab is taken as space).
bool IsBinaryByte(unsigned char c)
{
    return (c < 0x20 && c != '\t' && c != '\f' && c != '\v') || c == 0x7F;
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsSpace(text[i]))
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

double Number(std::string_view word, std::size_t line)
{
    const TNumberWord number = ReadNumberWord(word);
    if (number.kind == TNumberWordKind::NotFinite)
        Refuse(TTouchstoneFault::NotFinite, line);
    if (number.kind == TNumberWordKind::NotANumber)
        Refuse(TTouchstoneFault::NotANumber, line);
    return number.value;
}

std::size_t Count(std::string_view word, std::size_t line)
{
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end != word.data() + word.size())
        Refuse(TTouchstoneFault::BadKeyword, line);
    return value;
}

struct TOptions {
    double frequencyScale = 1e9;
    bool seen = false;
};

void ReadOptionLine(std::string_view text, std::size_t line, TOptions& options, TMeasuredSweep& sweep)
{
    const std::vector<std::string_view> words = Words(text.substr(1));
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string word = Upper(words[i]);
        if (word == "HZ")
            options.frequencyScale = 1;
        else if (word == "KHZ")
            options.frequencyScale = 1e3;
        else if (word == "MHZ")
            options.frequencyScale = 1e6;
        else if (word == "GHZ")
            options.frequencyScale = 1e9;
        else if (word == "S")
            sweep.parameter = TTouchstoneParameter::S;
        else if (word == "Y")
            sweep.parameter = TTouchstoneParameter::Y;
        else if (word == "Z")
            sweep.parameter = TTouchstoneParameter::Z;
        else if (word == "G" || word == "H")
            Refuse(TTouchstoneFault::NotOnePort, line);
        else if (word == "RI")
            sweep.format = TTouchstoneFormat::RI;
        else if (word == "MA")
            sweep.format = TTouchstoneFormat::MA;
        else if (word == "DB")
            sweep.format = TTouchstoneFormat::DB;
        else if (word == "R" && i + 1 < words.size()) {
            const TNumberWord reference = ReadNumberWord(words[++i]);
            if (reference.kind != TNumberWordKind::Number || !(reference.value > 0))
                Refuse(TTouchstoneFault::BadReference, line);
            sweep.referenceOhm = reference.value;
        } else
            Refuse(TTouchstoneFault::BadOptionLine, line);
    }
    options.seen = true;
}

// The value a data line gives, in the file's format.
std::complex<double> Value(double first, double second, TTouchstoneFormat format)
{
    constexpr double kRadiansPerDegree = std::numbers::pi / 180;
    switch (format) {
    case TTouchstoneFormat::RI:
        return {first, second};
    case TTouchstoneFormat::MA:
        return std::polar(first, second * kRadiansPerDegree);
    case TTouchstoneFormat::DB:
        break;
    }
    return std::polar(std::pow(10.0, first / 20), second * kRadiansPerDegree);
}

// A reflection that cannot be had (an impedance of exactly -R0) is
// infinite, not "not a number", so that it counts as above 1.
std::complex<double> Finite(std::complex<double> reflection)
{
    if (std::isfinite(reflection.real()) && std::isfinite(reflection.imag()))
        return reflection;
    return {std::numeric_limits<double>::infinity(), 0};
}

TMeasuredPoint Point(double frequencyHz, std::complex<double> value, const TMeasuredSweep& sweep)
{
    const double r0 = sweep.referenceOhm;
    const std::complex<double> one(1, 0);
    TMeasuredPoint point{frequencyHz, {}, {}};
    switch (sweep.parameter) {
    case TTouchstoneParameter::S:
        point.reflection = value;
        point.impedanceOhm = r0 * (one + value) / (one - value);
        break;
    case TTouchstoneParameter::Z:
        point.impedanceOhm = sweep.version == 1 ? value * r0 : value;
        point.reflection = Finite((point.impedanceOhm - r0) / (point.impedanceOhm + r0));
        break;
    case TTouchstoneParameter::Y: {
        const std::complex<double> admittance = sweep.version == 1 ? value / r0 : value;
        point.impedanceOhm = one / admittance;
        point.reflection = Finite((one - admittance * r0) / (one + admittance * r0));
        break;
    }
    }
    return point;
}

// The keyword lines of Touchstone 2.0 that a one-port file may hold.
class TKeywords {
public:
    // Reads a keyword line ("[Number of Ports] 1"); refuses what a one-port
    // sweep cannot hold.
    void Read(std::string_view text, std::size_t line, TMeasuredSweep& sweep, bool anythingBefore)
    {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos)
            Refuse(TTouchstoneFault::BadKeyword, line);
        const std::string keyword = Upper(text.substr(0, close + 1));
        const std::vector<std::string_view> words = Words(text.substr(close + 1));
        if (keyword == "[VERSION]") {
            if (anythingBefore || words.size() != 1 || !words[0].starts_with("2."))
                Refuse(TTouchstoneFault::BadKeyword, line);
            sweep.version = 2;
            return;
        }
        if (sweep.version != 2)
            Refuse(TTouchstoneFault::BadKeyword, line);
        if (keyword == "[NUMBER OF PORTS]") {
            if (words.size() != 1 || Count(words[0], line) != 1)
                Refuse(TTouchstoneFault::NotOnePort, line);
        } else if (keyword == "[NUMBER OF FREQUENCIES]" && words.size() == 1) {
            frequencies_ = Count(words[0], line);
        } else if (keyword == "[REFERENCE]" && words.size() == 1) {
            const double reference = Number(words[0], line);
            if (reference <= 0)
                Refuse(TTouchstoneFault::BadReference, line);
            sweep.referenceOhm = reference;
        } else if (keyword == "[MATRIX FORMAT]" && words.size() == 1) {
            // One port: full, lower and upper are the same single value.
        } else if (keyword == "[BEGIN INFORMATION]") {
            inInformation_ = true;
        } else if (keyword == "[NETWORK DATA]" && words.empty()) {
            inData_ = true;
        } else if (keyword == "[END]") {
            ended_ = true;
        } else if (keyword == "[TWO-PORT DATA ORDER]") {
            Refuse(TTouchstoneFault::NotOnePort, line);
        } else {
            Refuse(TTouchstoneFault::BadKeyword, line);
        }
    }

    bool InInformation(std::string_view text)
    {
        if (inInformation_ && Upper(text).starts_with("[END INFORMATION]"))
            inInformation_ = false;
        else if (!inInformation_)
            return false;
        return true;
    }

    bool DataAllowed(int version) const { return version == 1 || inData_; }
    bool Ended() const { return ended_; }
    std::optional<std::size_t> Frequencies() const { return frequencies_; }

private:
    std::optional<std::size_t> frequencies_;
    bool inInformation_ = false;
    bool inData_ = false;
    bool ended_ = false;
};

TMeasuredSweep Read(std::string_view bytes)
{
    if (bytes.size() > kTouchstoneMaxBytes)
        Refuse(TTouchstoneFault::TooLarge, 0);
    TMeasuredSweep sweep;
    // One point a line at most: no growth by doubling, so the memory is the
    // points' own.
    sweep.points.reserve(std::min<std::size_t>(
        static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1, kTouchstoneMaxPoints));
    TOptions options;
    TKeywords keywords;
    bool anythingBefore = false;
    std::size_t line = 0;
    // A byte order mark, which some programs put before any text.
    std::size_t start = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (start < bytes.size() && !keywords.Ended()) {
        ++line;
        // Lines end in LF, CR LF or (an old Mac's) CR alone.
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view text = bytes.substr(start, end - start);
        start = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
        for (const char c : text)
            if (IsBinaryByte(static_cast<unsigned char>(c)))
                Refuse(TTouchstoneFault::Binary, line);
        text = Trimmed(text.substr(0, text.find('!')));
        if (text.empty() || keywords.InInformation(text))
            continue;
        if (text.front() == '[') {
            keywords.Read(text, line, sweep, anythingBefore);
        } else if (text.front() == '#') {
            // Later option lines are ignored, as analysers expect; one after
            // the data began would change what the data meant.
            if (!sweep.points.empty())
                Refuse(TTouchstoneFault::BadOptionLine, line);
            if (!options.seen)
                ReadOptionLine(text, line, options, sweep);
        } else {
            if (!keywords.DataAllowed(sweep.version))
                Refuse(TTouchstoneFault::BadKeyword, line);
            const std::vector<std::string_view> words = Words(text);
            if (words.size() == 9)
                Refuse(TTouchstoneFault::NotOnePort, line);
            if (words.size() != 3)
                Refuse(TTouchstoneFault::WrongColumnCount, line);
            const double frequencyHz = Number(words[0], line) * options.frequencyScale;
            const std::complex<double> value = Value(Number(words[1], line), Number(words[2], line), sweep.format);
            if (!std::isfinite(frequencyHz) || !std::isfinite(value.real()) || !std::isfinite(value.imag()))
                Refuse(TTouchstoneFault::NotFinite, line);
            if (frequencyHz <= 0)
                Refuse(TTouchstoneFault::FrequencyNotPositive, line);
            if (!sweep.points.empty() && frequencyHz == sweep.points.back().frequencyHz)
                Refuse(TTouchstoneFault::DuplicateFrequency, line);
            if (!sweep.points.empty() && frequencyHz < sweep.points.back().frequencyHz)
                Refuse(TTouchstoneFault::FrequencyOutOfOrder, line);
            if (sweep.points.size() == kTouchstoneMaxPoints)
                Refuse(TTouchstoneFault::TooManyPoints, line);
            sweep.points.push_back(Point(frequencyHz, value, sweep));
        }
        anythingBefore = true;
    }
    if (sweep.points.empty())
        Refuse(TTouchstoneFault::Empty, 0);
    if (keywords.Frequencies() && *keywords.Frequencies() != sweep.points.size())
        Refuse(TTouchstoneFault::CountMismatch, 0, sweep.points.size());
    if (sweep.points.size() < kTouchstoneMinPoints)
        Refuse(TTouchstoneFault::TooFewPoints, 0, sweep.points.size());
    return sweep;
}

} // namespace

TTouchstoneReading ReadTouchstone(std::string_view bytes)
{
    try {
        return {Read(bytes), {}};
    } catch (const TRefused& refused) {
        return {std::nullopt, refused.refusal};
    }
}

} // namespace eh
