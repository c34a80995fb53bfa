// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "DesignService.h"

#include <string>

// Designs as CSV, the same for `eh-antenna-cli --format csv`, its sweeps and
// the explorer's export.
//
// Columns: the 7 inputs by their TAntennaInputs names, the 24 results by
// their TAntennaResults names, then notice, fault_kind and fault_message.
// Numbers are written in the shortest form that reads back exactly, with a
// point as decimal mark whatever the separator; a row that faulted leaves the
// result columns empty. Lines end in a line feed (RFC 4180 quoting).
namespace eh {

void AppendCsvHeader(std::string& out);
void AppendCsvRow(std::string& out, const TAntennaInputs& inputs, const TAntennaResults& results);
void AppendCsvFaultRow(std::string& out, const TAntennaInputs& inputs, const TDesignFault& fault);

// One number as the rows write it, for other tables of designs.
void AppendCsvNumber(std::string& out, double value);

} // namespace eh
