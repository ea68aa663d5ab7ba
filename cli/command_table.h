// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/option_table.h"

namespace torvelin {

using Operands = std::span<const std::string_view>;

// One way to call torvelin-calc: a command's name and operands, the options
// that apply to it and what runs it.
struct CommandForm {
    std::string_view name;         // empty for the forms without a command name
    std::string_view operands;     // as --help writes them
    std::string_view description;  // for --help, each further line after a '\n'; may be empty
    OptionSet options;
    bool (*fits)(Operands operands);  // whether the operands after the name call this form
    ExitStatus (*run)(Operands operands, const Request& request, const StandardStreams& streams);
    bool byRule = false;  // called with --rule, which fixes the period
};

// Every form, in the order --help lists them.
std::span<const CommandForm> CommandTable();

// "deadline START PERIOD": how --help and the messages name a form.
std::string FormLabel(const CommandForm& form);

// Runs the form the request's operands call, once its options apply to it.
ExitStatus RunRequest(const Request& request, const StandardStreams& streams);

}  // namespace torvelin
