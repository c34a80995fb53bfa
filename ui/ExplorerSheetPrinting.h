// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExplorerBuildSheet.h"

class QWidget;

namespace eh {

class ExplorerChart;
class ExplorerModel;

// The build sheet of the model's typed design (which must be a design):
// its report, today's date, its link, its band, and `chart` drawn in
// vectors at the page's width.
TBuildSheet ExplorerSheet(const ExplorerModel& model, ExplorerChart& chart);

// Asks for a printer over `parent` and prints that sheet on A4.
void PrintExplorerSheet(QWidget& parent, const ExplorerModel& model, ExplorerChart& chart);

} // namespace eh
