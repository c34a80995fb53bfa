// SPDX-License-Identifier: GPL-3.0-or-later
#include "Exceptions.h"

namespace eh {

std::string FailureText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + '.';
    return message;
}

} // namespace eh
