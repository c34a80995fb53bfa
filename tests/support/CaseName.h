// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

namespace eh::test {

// Failure output names a table case instead of dumping its bytes. GoogleTest
// finds it by argument-dependent lookup, so a test file brings it into the
// namespace of its cases: `using eh::test::PrintTo;`.
template <typename Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

} // namespace eh::test
