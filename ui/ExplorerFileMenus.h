// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPushButton;

namespace eh {

class DesignExplorer;

// The explorer's two menu buttons; their items ask for a file and run the
// explorer's own action on it, a failure said in a message box.
// The design file (open, save) and the build sheet (PDF, print).
QPushButton* CreateDesignFileButton(DesignExplorer& explorer);
// The chart (PNG, SVG), its table (CSV, the points on screen) and the
// drawing (PNG, SVG).
QPushButton* CreateExportButton(DesignExplorer& explorer);

} // namespace eh
