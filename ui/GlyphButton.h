// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace eh {

// A push button with a glyph left of its caption, like the program's
// calculate and close buttons: Space, Enter and its access key press it, and
// it is never a window's default button.
class GlyphButton : public QPushButton {
public:
    // `glyph` and `disabledGlyph` are resource paths.
    GlyphButton(const QString& caption, const QString& glyph, const QString& disabledGlyph,
                QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace eh
