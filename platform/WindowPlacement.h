// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QScreen;
class QWidget;

namespace eh {

// Shows a window that may already be open and brings it to the front.
void ShowAndRaise(QWidget& window);

// Moves `window`, frame included, to the centre of the screen's available
// area.
void CentreOnScreen(QWidget& window, const QScreen& screen);

// Centres `window` on its screen the first time it is shown; afterwards it
// stays wherever the user leaves it.
void CentreOnFirstShow(QWidget& window);

} // namespace eh
