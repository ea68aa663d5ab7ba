// SPDX-License-Identifier: MIT
#pragma once

#include <unistd.h>

#include <span>
#include <string_view>

namespace torvelin {

// Exit statuses of torvelin-calc; where several apply, the highest.
enum class ExitStatus : int {
    AllResults = 0,       // every calculation gave an end date
    SomeNotComputed = 1,  // some calculation gave a message about its input or an error
    UsageError = 2,       // the command line was wrong
    InputFailed = 3,      // an input could not be opened or read
    WriteFailed = 4       // the output could not be written
};

// The descriptors the program reads, writes and complains to.
struct StandardStreams {
    int input = STDIN_FILENO;
    int output = STDOUT_FILENO;
    int errors = STDERR_FILENO;
};

// Runs torvelin-calc on its arguments (without the program name); --help
// tells what it does.
ExitStatus RunCommandLine(std::span<const std::string_view> arguments,
                          const StandardStreams& streams = {});

}  // namespace torvelin
