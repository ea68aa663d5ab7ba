// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace torvelin {

// Every error number the user can see, in the error box or on the command
// line. The numbers are part of what users know, so they never change.
enum class ErrorNumber : int {
    InvalidArgument = 5,             // a date outside 0100/01/01 .. 9999/12/31
    Overflow = 6,                    // a day offset outside the 16-bit range
    InternalError = 51,              // a fault of the program itself
    PrinterFailed = 482,             // the printer refused or lost the job
    NoDefaultPrinter = 484,          // no printer to print on
    PrintServiceNotAnswering = 486,  // the print service took the call, then kept silent
};

// The short Japanese description (UTF-8) that goes with each number.
std::string_view DescriptionOf(ErrorNumber number) noexcept;

// An error with its number and a Japanese description (UTF-8): the standard
// one for its number, or a more specific one, such as a printer's name.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorNumber number);
    RuntimeError(ErrorNumber number, const std::string& description);

    ErrorNumber Number() const noexcept { return number_; }
    const char* Description() const noexcept { return what(); }

private:
    ErrorNumber number_;
};

}  // namespace torvelin
