// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;

// The program's two kinds of message box. Both carry the application title
// as their caption.
namespace eh {

// The title every notice and failure box carries: the application name,
// derived from the executable's name once at start-up.
QString ApplicationTitle();

// A modal notice with one "OK" button (default and cancel), no icon, its text
// wrapped at half the screen's width, centred on the screen. Returns when the
// user closes it.
void ShowNotice(const QString& text);

// The failure box: the stop icon and one OK button; every window of the
// program takes no input while it is open.
void ShowFailureBox(const QString& text);

} // namespace eh
