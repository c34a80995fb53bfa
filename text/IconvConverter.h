// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iconv.h>
#include <string>
#include <string_view>

namespace eh {

// A text converter between two encodings known to the C library's iconv
// ("UTF-8", "WINDOWS-1251", "CP1252", ...). Opening a converter costs far more
// than converting a line, so callers keep one (per thread) and reuse it.
class IconvConverter {
public:
    // Throws std::runtime_error when iconv does not know the pair.
    IconvConverter(const char* to, const char* from);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    // Returns the length of the input sequence to skip at a byte sequence the
    // converter cannot take; `rest` is the input still to convert. At least
    // one byte is always skipped.
    using SkipLength = size_t (*)(std::string_view rest);

    // Converts `input`. At a sequence that cannot be converted (or a truncated
    // one at the end), `replacement` is written and `skip` bytes are passed.
    std::string Convert(std::string_view input, std::string_view replacement, SkipLength skip);

private:
    iconv_t handle_;
};

} // namespace eh
