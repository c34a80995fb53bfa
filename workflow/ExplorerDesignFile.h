// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignFile.h"
#include "ExplorerModel.h"

#include <cstddef>
#include <optional>

// The explorer's design as a file and back, for the window and the page
// alike. A design file is in millimetres whatever unit the fields are typed
// in, so that the tool and every other reader take the same design: the
// fields' texts as typed, a length typed in inches converted exactly to
// millimetres, and the pinned designs in millimetres with every digit, so
// that a pin comes back as exactly the design that was pinned.
namespace eh {

TDesignFile ExplorerDesignFile(const ExplorerModel& model);

// The file's texts as the model's fields take them: a length in inches where
// the lengths are typed in inches, a text typed in inches as it was typed.
TFieldTexts DesignFileFieldTexts(const ExplorerModel& model, const TDesignFile& file);

// Puts the file's pinned designs in place of the model's; none is taken
// when one of them is not a design, and the field it faults in is returned.
std::optional<std::size_t> TakeDesignFilePins(ExplorerModel& model, const TDesignFile& file);

} // namespace eh
