#include "Windows1251.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace eh {

namespace {

// One converter per direction and thread: opening a converter costs far more
// than converting a report line.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from))
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`; at an input byte sequence the converter cannot take,
    // `replacement` is written and the input skips `skip(rest)` bytes, where
    // `rest` is the input still to convert.
    template <typename Skip>
    std::string Convert(std::string_view input, std::string_view replacement, Skip skip)
    {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string output;
        output.resize(input.size() * 3 + 4);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char* out = output.data();
        size_t outLeft = output.size();
        while (inLeft > 0) {
            if (iconv(handle_, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG) {
                const size_t used = output.size() - outLeft;
                output.resize(output.size() * 2);
                out = output.data() + used;
                outLeft = output.size() - used;
                continue;
            }
            // EILSEQ or EINVAL: a character that cannot be converted, or a
            // truncated sequence at the end.
            if (outLeft < replacement.size()) {
                const size_t used = output.size() - outLeft;
                output.resize(output.size() * 2 + replacement.size());
                out = output.data() + used;
                outLeft = output.size() - used;
            }
            for (const char c : replacement) {
                *out++ = c;
                --outLeft;
            }
            const size_t n = std::min(inLeft, std::max<size_t>(1, skip(std::string_view(in, inLeft))));
            in += n;
            inLeft -= n;
        }
        output.resize(output.size() - outLeft);
        return output;
    }

private:
    iconv_t handle_;
};

// Length of the (possibly broken) UTF-8 sequence that starts `rest`: its lead
// byte and the continuation bytes that follow it, as many as the lead byte
// announces; 1 for a stray byte.
size_t Utf8SequenceLength(std::string_view rest)
{
    const auto lead = static_cast<unsigned char>(rest[0]);
    size_t expected = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        expected = 4;
    else if (lead >= 0xE0 && lead <= 0xEF)
        expected = 3;
    else if (lead >= 0xC2 && lead <= 0xDF)
        expected = 2;
    size_t n = 1;
    while (n < expected && n < rest.size() && (static_cast<unsigned char>(rest[n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

} // namespace

std::string EncodeWindows1251(std::string_view utf8)
{
    thread_local Converter converter("WINDOWS-1251", "UTF-8");
    return converter.Convert(utf8, "?", Utf8SequenceLength);
}

std::string DecodeWindows1251(std::string_view cp1251)
{
    thread_local Converter converter("UTF-8", "WINDOWS-1251");
    return converter.Convert(cp1251, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
}

} // namespace eh
