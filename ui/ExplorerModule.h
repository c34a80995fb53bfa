// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLibrary>
#include <QString>

namespace eh {

class ExplorerWindows;

// The module that holds the design explorer and the measurement view (see
// ExplorerWindows), loaded at the first call of Windows() and kept loaded
// until the program ends.
class ExplorerModule {
public:
    explicit ExplorerModule(const QString& path);

    // Where the program's module lies: the same way from the program's own
    // folder in the build tree and in an installed tree (the install prefix
    // may change; the layout below it does not).
    static QString BesideProgram();

    // The module's windows. A module that is missing or cannot be loaded
    // throws EFOpenError naming the file and the reason; the next call
    // tries again.
    const ExplorerWindows& Windows();

private:
    QLibrary library_;
    const ExplorerWindows* windows_ = nullptr;
};

} // namespace eh
