// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace eh {

// The windows' font: "MS Sans Serif" at 8 points. Linux has no such font;
// Debian's fonts-wine ships a free metric-compatible one outside fontconfig's
// path, which is loaded when present. Otherwise the platform's general font
// at the same size stands in.
QFont WindowFont();

// The rich-text panes' font. The "MS Sans Serif" stand-in holds bitmaps of
// three sizes in one weight, so a pane that shows bold text and sizes of its
// own takes a scalable sans-serif face with a real bold (DejaVu Sans where
// installed) at the same 8 points.
QFont RichTextFont();

// That scalable face at a character height in pixels, bold or regular: text
// larger than the window font or in bold (the About window's labels).
QFont DisplayFont(int pixelHeight, bool bold);

} // namespace eh
