// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace eh {

// What reading needs of an input field of the main window.
class IInputField {
public:
    virtual ~IInputField() = default;
    virtual std::string Text() const = 0; // UTF-8
    virtual void SetText(const std::string& text) = 0;
    virtual std::string Name() const = 0; // the component name, "EC15" ...
    virtual void SetFocus() = 0;
};

// Reads one field into `destination`. When the text is not a number the field
// is reset to its default text and focused, `destination` keeps its value and
// the result is false; no message is shown. A number beyond the double range
// throws EOverflow and leaves the field alone.
bool ReadFieldValue(double& destination, IInputField& field, char separator);

} // namespace eh
