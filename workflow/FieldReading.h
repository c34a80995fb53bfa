// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace eh {

// What the calculate command needs of an input field of the main window: its
// text, and, when the text is not a number, putting the reset text back and
// moving the keyboard focus to it.
class IInputField {
public:
    virtual ~IInputField() = default;
    virtual std::string Text() const = 0; // UTF-8
    virtual void SetText(const std::string& text) = 0;
    virtual void SetFocus() = 0;
};

} // namespace eh
