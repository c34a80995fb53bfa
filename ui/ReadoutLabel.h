// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <string>
#include <vector>

namespace eh {

// The line under the chart that reads every chosen output at the cursor. It
// keeps a fixed height of three lines, so that the chart does not move when
// it appears, and shows as many parts as fit and how many more there are.
class ReadoutLabel : public QLabel {
    Q_OBJECT
public:
    ReadoutLabel();

    void ShowParts(const std::vector<std::string>& parts);
};

} // namespace eh
