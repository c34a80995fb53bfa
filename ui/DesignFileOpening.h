// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignService.h"

#include <QString>

namespace eh {

class ExplorerModel;

// Reads the design file at `path`: its pins go into `model`, and the seven
// field texts it holds come back for the main window. A bad file changes
// nothing and throws EFOpenError, naming the file and why.
TFieldTexts OpenDesignFile(const QString& path, ExplorerModel& model);

} // namespace eh
