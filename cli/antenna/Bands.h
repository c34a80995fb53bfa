// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BandCoverage.h"
#include "BandPlans.h"
#include "Formats.h"

#include <string>
#include <string_view>
#include <vector>

// --bands [--region 1|2|3]: how the typed design serves each band of an
// IARU region.
namespace eh::cli {

// Reads the --region text, "1", "2" or "3". Throws UsageError.
TIaruRegion ParseRegion(std::string_view text);

// The coverage table: text (aligned columns), json (one object per band, a
// line each) or csv (a header and one row per band). Numbers in json and
// csv are in shortest round-trip form with a point; the text writes the
// bandwidth as the report does, with `separator`.
void AppendBandCoverage(std::string& out, const std::vector<TBandCoverage>& table, TIaruRegion region,
                        OutputFormat format, char separator);

} // namespace eh::cli
