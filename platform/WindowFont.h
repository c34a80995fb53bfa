// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace eh {

// The character height of the windows' font, "MS Sans Serif" at 8 points,
// in pixels at 96 pixels per inch.
inline constexpr int kWindowCharacterHeight = 11;

// The windows' face "MS Sans Serif" at a character height in pixels at 96
// pixels per inch, bold or regular. Linux has no such font; Debian's
// fonts-wine ships a free metric-compatible bitmap face that holds one size
// (character height 11) in one weight, and Wine's Tahoma, a scalable face of
// close metrics, which Qt emboldens. The bitmap face is used where it has the
// size: regular text of character height 11 on screens that are not scaled.
// Everything else (larger or bold text, or any screen drawn at more than one
// device pixel per pixel) takes Tahoma, so that letters grow with the layout
// instead of standing small in a grown window. Without fonts-wine the
// platform's general face stands in.
QFont WindowFont(int characterHeight = kWindowCharacterHeight, bool bold = false);

// The face for text that carries styles of its own (the rich-text panes):
// the scalable window face at 8 points, which has every size and a bold.
QFont RichTextFont();

// `font`, narrowed just enough that `text` takes no more than `width`
// pixels: a stand-in face wider than the original keeps a label inside the
// room the layout gives it. A text that fits keeps the font unchanged.
QFont NarrowedToFit(QFont font, const QString& text, int width);

} // namespace eh
