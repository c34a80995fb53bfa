// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconvConverter.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace eh {

IconvConverter::IconvConverter(const char* to, const char* from) : handle_(iconv_open(to, from))
{
    if (handle_ == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
}

IconvConverter::~IconvConverter() { iconv_close(handle_); }

std::string IconvConverter::Convert(std::string_view input, std::string_view replacement, SkipLength skip)
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

} // namespace eh
