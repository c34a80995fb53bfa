#pragma once

#include <QFont>

namespace eh {

// The windows' font: "MS Sans Serif" at 8 points. Linux has no such font;
// Debian's fonts-wine ships a free metric-compatible one outside fontconfig's
// path, which is loaded when present. Otherwise the platform's general font
// at the same size stands in.
QFont WindowFont();

// The same face at another pixel height and weight (the About window's
// larger labels).
QFont WindowFont(int pixelHeight, bool bold);

} // namespace eh
