#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace torvelin {

// Exit statuses of torvelin-calc.
enum class ExitStatus : int { AllResults = 0, SomeNotComputed = 1, UsageError = 2 };

// Runs torvelin-calc on its arguments (without the program name):
//   START COUNT   one calculation
//   (nothing)     one calculation per line "START<TAB>COUNT" of input
//   --help, --version
// Each calculation writes one line: the end date, the message about the wrong
// input, or "error N: DESCRIPTION".
ExitStatus RunCommandLine(std::span<const std::string_view> arguments, std::istream& input,
                          std::ostream& output, std::ostream& errors);

}  // namespace torvelin
