// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExtendedMath.h"

#include <gtest/gtest.h>

#include <limits>

// Skips a test whose expected values are the roundings of the x87 80-bit
// format (64-bit significand) on a target where long double is another
// format, such as arm64's binary128: there the test's premise does not hold,
// and the model's ordinary results are checked by the other tests.
#define EH_SKIP_UNLESS_X87_EXTENDED()                                                                   \
    if (std::numeric_limits<eh::xmath::Extended>::digits != 64 ||                                      \
        std::numeric_limits<eh::xmath::Extended>::max_exponent != 16384)                               \
    GTEST_SKIP() << "expects the roundings of the x87 80-bit format; long double here has a "          \
                 << std::numeric_limits<long double>::digits << "-bit significand"
