#pragma once

#include <stdexcept>
#include <string>

namespace torvelin {

// The errors a calculation can raise. The numbers are the ones the user sees
// in the error box, so they never change.
enum class ErrorNumber : int {
    InvalidArgument = 5,  // a date outside 0100/01/01 .. 9999/12/31
    Overflow = 6,         // a day offset outside the 16-bit range
    TypeMismatch = 13,    // a text converted without passing its test first
};

// An error raised by a date or number operation: it carries its number and a
// short Japanese description for the error box.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorNumber number);

    ErrorNumber Number() const noexcept { return number_; }
    int Code() const noexcept { return static_cast<int>(number_); }
    // UTF-8, for example "オーバーフローしました。"
    const char* Description() const noexcept { return what(); }

private:
    ErrorNumber number_;
};

const char* DescriptionOf(ErrorNumber number) noexcept;

}  // namespace torvelin
