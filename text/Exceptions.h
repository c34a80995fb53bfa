// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// Every failure the program can meet is an exception carrying the message the
// user sees. The class names are the ones the program's messages and the CLI's
// JSON output use to tell the kinds apart.
namespace eh {

// The kinds of failure, one for each exception class below.
enum class TFaultKind {
    fkConvertError,
    fkZeroDivide,
    fkInvalidOp,
    fkOverflow,
    fkFCreateError,
    fkFOpenError,
    fkOutOfResources,
};

// The kind as the program names it, the exception class's name: "EZeroDivide".
const char* FaultKindName(TFaultKind kind);

// A failure as it travels from the model to every front end: its kind and
// the message the user sees.
struct TFault {
    TFaultKind kind;
    std::string message;
};

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    virtual TFaultKind Kind() const noexcept = 0;
    // The exception kind as the program names it ("EZeroDivide", ...).
    const char* kind() const noexcept { return FaultKindName(Kind()); }
    TFault Fault() const { return {Kind(), what()}; }
};

#define EH_DECLARE_EXCEPTION(Name, Kind_)                                        \
    class Name : public Exception {                                              \
    public:                                                                      \
        using Exception::Exception;                                              \
        TFaultKind Kind() const noexcept override { return TFaultKind::Kind_; } \
    }

// A field's text is not a number.
EH_DECLARE_EXCEPTION(EConvertError, fkConvertError);
// The three arithmetic faults of the calculation.
EH_DECLARE_EXCEPTION(EZeroDivide, fkZeroDivide);
EH_DECLARE_EXCEPTION(EInvalidOp, fkInvalidOp);
EH_DECLARE_EXCEPTION(EOverflow, fkOverflow);
// A report file cannot be created.
EH_DECLARE_EXCEPTION(EFCreateError, fkFCreateError);
// A file cannot be opened for reading.
EH_DECLARE_EXCEPTION(EFOpenError, fkFOpenError);
// The report pane, or a stream it saves to or loads from, failed.
EH_DECLARE_EXCEPTION(EOutOfResources, fkOutOfResources);

#undef EH_DECLARE_EXCEPTION

// Throws the exception of the fault's kind with its message.
[[noreturn]] void Raise(const TFault& fault);

inline constexpr const char* kZeroDivideMessage = "Floating point division by zero";
inline constexpr const char* kInvalidOpMessage = "Invalid floating point operation";
inline constexpr const char* kOverflowMessage = "Floating point overflow";

// The text a failure box shows: a dot is appended when the message does not
// end in a dot, a space or another character whose code is up to 0x2E.
// Characters beyond ASCII (UTF-8 lead and continuation bytes included)
// compare as unsigned codes above 0x2E and so receive the dot, as Cyrillic
// letters do in the single-byte code page.
std::string FailureText(const std::string& message);

} // namespace eh
