// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignFile.h"
#include "ExplorerModel.h"

#include <cstddef>
#include <optional>

// The explorer's design as a file and back, for the window and the page
// alike: the fields' texts as typed, and the pinned designs in millimetres
// with every digit, whatever unit the fields are typed in, so that a pin
// comes back as exactly the design that was pinned.
namespace eh {

TDesignFile ExplorerDesignFile(const ExplorerModel& model);

// Puts the file's pinned designs in place of the model's; none is taken
// when one of them is not a design, and the field it faults in is returned.
std::optional<std::size_t> TakeDesignFilePins(ExplorerModel& model, const TDesignFile& file);

} // namespace eh
