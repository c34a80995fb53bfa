// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldReading.h"

#include "Exceptions.h"
#include "NumberConversion.h"

namespace eh {

bool ReadFieldValue(double& destination, IInputField& field, char separator)
{
    try {
        destination = ConvertFieldText(field.Text(), separator);
        return true;
    } catch (const EConvertError&) {
        // The text is judged only here: put the default back and let the
        // user see which field it was.
        field.SetText(DefaultFieldText(field.Name()));
        field.SetFocus();
        return false;
    }
}

} // namespace eh
