// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// Every failure the program can meet is an exception carrying the message the
// user sees. The class names are the ones the program's messages and the CLI's
// JSON output use to tell the kinds apart.
namespace eh {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    // The exception kind as the program names it ("EZeroDivide", ...).
    virtual const char* kind() const noexcept = 0;
};

#define EH_DECLARE_EXCEPTION(Name)                                               \
    class Name : public Exception {                                              \
    public:                                                                      \
        using Exception::Exception;                                              \
        const char* kind() const noexcept override { return #Name; }             \
    }

// A field's text is not a number.
EH_DECLARE_EXCEPTION(EConvertError);
// The three arithmetic faults of the calculation.
EH_DECLARE_EXCEPTION(EZeroDivide);
EH_DECLARE_EXCEPTION(EInvalidOp);
EH_DECLARE_EXCEPTION(EOverflow);
// A report file cannot be created.
EH_DECLARE_EXCEPTION(EFCreateError);
// A file cannot be opened for reading.
EH_DECLARE_EXCEPTION(EFOpenError);
// The report pane, or a stream it saves to or loads from, failed.
EH_DECLARE_EXCEPTION(EOutOfResources);

#undef EH_DECLARE_EXCEPTION

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
