// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FieldReading.h"

class QLineEdit;

namespace eh {

// An input field, as the field reading sees it, on a Qt line edit. Focusing
// it for the reading selects its whole text, so the next key replaces the
// reset text.
class LineEditField : public IInputField {
public:
    explicit LineEditField(QLineEdit& edit) : edit_(edit) {}

    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetFocus() override;

private:
    QLineEdit& edit_;
};

} // namespace eh
