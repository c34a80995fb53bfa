// SPDX-License-Identifier: GPL-3.0-or-later
#include "Exceptions.h"

namespace eh {

const char* FaultKindName(TFaultKind kind)
{
    switch (kind) {
    case TFaultKind::fkConvertError:
        return "EConvertError";
    case TFaultKind::fkZeroDivide:
        return "EZeroDivide";
    case TFaultKind::fkInvalidOp:
        return "EInvalidOp";
    case TFaultKind::fkOverflow:
        return "EOverflow";
    case TFaultKind::fkFCreateError:
        return "EFCreateError";
    case TFaultKind::fkFOpenError:
        return "EFOpenError";
    case TFaultKind::fkOutOfResources:
        return "EOutOfResources";
    }
    return "Exception";
}

void Raise(const TFault& fault)
{
    switch (fault.kind) {
    case TFaultKind::fkConvertError:
        throw EConvertError(fault.message);
    case TFaultKind::fkZeroDivide:
        throw EZeroDivide(fault.message);
    case TFaultKind::fkInvalidOp:
        throw EInvalidOp(fault.message);
    case TFaultKind::fkOverflow:
        throw EOverflow(fault.message);
    case TFaultKind::fkFCreateError:
        throw EFCreateError(fault.message);
    case TFaultKind::fkFOpenError:
        throw EFOpenError(fault.message);
    case TFaultKind::fkOutOfResources:
        throw EOutOfResources(fault.message);
    }
    throw EOutOfResources(fault.message);
}

std::string FailureText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + '.';
    return message;
}

} // namespace eh
