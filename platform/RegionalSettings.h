// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The regional decimal separator: one character shared by the whole program,
// taken from the user's locale at start-up and again whenever the system
// announces a change of the regional settings.
namespace eh {

class RegionalSettings {
public:
    static char DecimalSeparator();
    // Reads the separator of the system locale again (SystemDecimalSeparator).
    static void Refresh();
    // Sets the separator explicitly (tests, and callers that know better).
    static void SetDecimalSeparator(char separator);

private:
    static char separator_;
};

} // namespace eh
