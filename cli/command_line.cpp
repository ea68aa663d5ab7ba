// SPDX-License-Identifier: MIT
#include "cli/command_line.h"

#include <exception>
#include <new>
#include <string>
#include <variant>

#include "cli/answer_writing.h"
#include "cli/command_table.h"
#include "cli/help_text.h"
#include "cli/option_table.h"
#include "cli/output_buffer.h"
#include "cli/translation.h"

namespace torvelin {

ExitStatus RunCommandLine(std::span<const std::string_view> arguments,
                          const StandardStreams& streams) {
    try {
        const std::variant<Request, std::string> read = ReadArguments(arguments);
        if (const std::string* message = std::get_if<std::string>(&read)) {
            return UsageError(streams.errors, *message);
        }
        const Request& request = std::get<Request>(read);
        if (request.help || request.version) {
            OutputBuffer output(streams.output);
            output.Write(request.help ? HelpText() : VersionText());
            return Finish(output, streams.errors, ExitStatus::AllResults);
        }
        return RunRequest(request, streams);
    } catch (const std::bad_alloc&) {
        Complain(streams.errors,
                 Translated("out of memory"));  // batches write their answers before this
    } catch (const std::exception& error) {
        Complain(streams.errors, error.what());
    }
    return ExitStatus::InputFailed;
}

}  // namespace torvelin
