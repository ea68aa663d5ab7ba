#include "cli/command_line.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "calc/calculate.h"
#include "calc/date_text.h"
#include "calc/number_text.h"
#include "cli/batch.h"
#include "cli/input_decoder.h"
#include "cli/line_reader.h"
#include "cli/output_buffer.h"
#include "version.h"

namespace torvelin {
namespace {

enum class Option { Help, Version, Encoding };

struct OptionSpec {
    Option option;
    std::string_view shortName;  // empty when there is none
    std::string_view longName;
    std::string_view valueName;    // empty for an option without a value
    std::string_view description;  // each further line after a '\n'
};

// Only these short options exist, so that a negative count such as "-2" stays
// an operand.
constexpr OptionSpec kOptions[] = {
    {Option::Help, "-h", "--help", "", "display this help and exit"},
    {Option::Version, "-V", "--version", "", "output version information and exit"},
    {Option::Encoding, "", "--encoding", "NAME",
     "read the input in NAME: utf-8 (the default) or cp932\n"
     "(also called shift_jis or sjis); an input that\n"
     "begins with a UTF-16 byte-order mark is read as UTF-16"},
};

constexpr std::string_view kUsageHead =
    "Usage: torvelin-calc [OPTION]... START COUNT\n"
    "  or:  torvelin-calc [OPTION]... [FILE]...\n"
    "Print the last day of a period of COUNT days that begins on START, the start\n"
    "day counted as day one (0 gives the day before START; negative counts go\n"
    "back). START is a date such as 2013/10/28, 2013年10月28日, 平成25年10月28日\n"
    "or H25.10.28, optionally followed by a time such as 12:00.\n"
    "起算日と経過日数（初日算入）から終期暦日を表示します。\n"
    "\n"
    "With START COUNT, print the end date; a message about a wrong input, or\n"
    "\"error N: DESCRIPTION\", goes to standard error instead. Two operands are\n"
    "START COUNT when the first reads as a date or the second as a number;\n"
    "otherwise every operand is a FILE of lines to answer (write ./FILE for a\n"
    "file named like a number). With no operand, or where FILE is -, read\n"
    "standard input.\n"
    "\n"
    "Options:\n";

constexpr std::string_view kUsageTail =
    "  --                     end the options; every later word is an operand\n"
    "\n"
    "Batch format:\n"
    "  Each input line is START<TAB>COUNT, ending in LF or CR LF; a UTF-8\n"
    "  byte-order mark before the first line is skipped. Every line gets one\n"
    "  output line, in order: the end date, the message about the wrong input,\n"
    "  or \"error N: DESCRIPTION\"; a bad line never stops the batch. A blank line\n"
    "  gets the message about the start date, but blank lines at the end of an\n"
    "  input are no records, so their answers wait for the next line with text.\n"
    "  Output is UTF-8. It is written in blocks, passed on whenever the input\n"
    "  has no more to read yet (so a program that writes one line and waits\n"
    "  gets its answer), and line by line to a terminal.\n"
    "\n"
    "Exit status:\n"
    "  0  every calculation gave an end date\n"
    "  1  some calculation gave a message about its input or an error\n"
    "  2  the command line was wrong\n"
    "  3  an input could not be opened or read (the other inputs are answered)\n"
    "  4  the output could not be written\n"
    "Where several apply, the highest.\n"
    "\n"
    "Report bugs to the Torvelin developers <torvelin@users.noreply.invalid>.\n";

constexpr std::string_view kVersionText =
    "Copyright (c) 2026 The Torvelin developers\n"
    "License MIT: <https://opensource.org/license/mit>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

std::string HelpText() {
    constexpr std::size_t kDescriptionColumn = 25;
    std::string text(kUsageHead);
    for (const OptionSpec& spec : kOptions) {
        std::string names =
            spec.shortName.empty() ? "      " : "  " + std::string(spec.shortName) + ", ";
        names += spec.longName;
        if (!spec.valueName.empty()) {
            names += "=" + std::string(spec.valueName);
        }
        names.resize(std::max(names.size() + 2, kDescriptionColumn), ' ');
        text += names;
        for (const char c : spec.description) {
            text += c;
            if (c == '\n') {
                text.append(kDescriptionColumn, ' ');
            }
        }
        text += '\n';
    }
    return text.append(kUsageTail);
}

void Complain(int fd, std::string_view message) {
    const std::string line = "torvelin-calc: " + std::string(message) + "\n";
    [[maybe_unused]] const ssize_t ignored = write(fd, line.data(), line.size());
}

ExitStatus UsageError(int fd, std::string_view message) {
    Complain(fd, std::string(message) + "\nTry 'torvelin-calc --help' for more information.");
    return ExitStatus::UsageError;
}

// Writes what is left and turns a failed write into its status and message.
ExitStatus Finish(OutputBuffer& output, int errors, ExitStatus status) {
    if (!output.Flush()) {
        Complain(errors, std::string("write error: ") + std::strerror(output.WriteError()));
        return ExitStatus::WriteFailed;
    }
    return status;
}

struct Request {
    bool help = false;
    bool version = false;
    InputEncoding encoding = InputEncoding::Utf8;
    std::vector<std::string_view> operands;
};

// The request, or the message of a usage error.
std::variant<Request, std::string> ReadArguments(std::span<const std::string_view> arguments) {
    Request request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--") {
            request.operands.insert(request.operands.end(), arguments.begin() + i + 1,
                                    arguments.end());
            break;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const auto spec = std::ranges::find_if(kOptions, [&](const OptionSpec& option) {
            return name == option.longName || (name == option.shortName && equals == name.npos);
        });
        if (spec == std::end(kOptions)) {
            if (argument.starts_with("--")) {
                return "unrecognized option '" + std::string(argument) + "'";
            }
            request.operands.push_back(argument);
            continue;
        }
        std::optional<std::string_view> value;
        if (equals != name.npos) {
            value = argument.substr(equals + 1);
        }
        if (spec->valueName.empty() && value) {
            return "option '" + std::string(name) + "' doesn't allow an argument";
        }
        if (!spec->valueName.empty() && !value) {
            if (i + 1 == arguments.size()) {
                return "option '" + std::string(name) + "' requires an argument";
            }
            value = arguments[++i];
        }
        switch (spec->option) {
            case Option::Help:
                request.help = true;
                break;
            case Option::Version:
                request.version = true;
                break;
            case Option::Encoding: {
                const std::optional<InputEncoding> encoding = EncodingNamed(*value);
                if (!encoding) {
                    return "unknown encoding '" + std::string(*value) + "'";
                }
                request.encoding = *encoding;
                break;
            }
        }
    }
    return request;
}

ExitStatus RunOneCalculation(std::string_view start, std::string_view count,
                             const StandardStreams& streams) {
    OutputBuffer output(streams.output, false);
    const CalculationOutcome outcome = Calculate(start, count);
    if (outcome.kind == CalculationOutcome::Kind::EndDate) {
        output.Write(outcome.text);
        output.EndLine();
        return Finish(output, streams.errors, ExitStatus::AllResults);
    }
    // On standard error, so that d=$(torvelin-calc ...) never holds a message.
    std::string message;
    if (outcome.error) {
        message = "error " + std::to_string(static_cast<int>(*outcome.error)) + ": ";
    }
    Complain(streams.errors, message + outcome.text);
    return ExitStatus::SomeNotComputed;
}

ExitStatus RunBatches(std::span<const std::string_view> names, InputEncoding encoding,
                      const StandardStreams& streams) {
    OutputBuffer output(streams.output, isatty(streams.output) == 1);
    bool allResults = true;
    bool inputFailed = false;
    const auto complain = [&](const std::string& message) {
        output.Flush();  // keeps the answers before the message on a shared terminal
        Complain(streams.errors, message);
        inputFailed = true;
    };
    for (const std::string_view name : names) {
        const bool standardInput = name == "-";
        const std::string shownName = standardInput ? "standard input" : std::string(name);
        const int fd =
            standardInput ? streams.input : open(std::string(name).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            complain(shownName + ": " + std::strerror(errno));
            continue;
        }
        try {
            LineReader lines(fd, encoding, [&output] { output.Flush(); });
            allResults &= AnswerLines(lines, output);
            if (lines.ReadError() != 0) {
                complain("read error: " + shownName + ": " + std::strerror(lines.ReadError()));
            }
        } catch (const std::runtime_error& error) {
            complain(shownName + ": " + error.what());
        }
        if (!standardInput) {
            close(fd);
        }
        if (output.WriteError() != 0) {
            break;
        }
    }
    const ExitStatus status = inputFailed  ? ExitStatus::InputFailed
                              : allResults ? ExitStatus::AllResults
                                           : ExitStatus::SomeNotComputed;
    return Finish(output, streams.errors, status);
}

}  // namespace

ExitStatus RunCommandLine(std::span<const std::string_view> arguments,
                          const StandardStreams& streams) {
    const std::variant<Request, std::string> read = ReadArguments(arguments);
    if (const std::string* message = std::get_if<std::string>(&read)) {
        return UsageError(streams.errors, *message);
    }
    const Request& request = std::get<Request>(read);
    if (request.help || request.version) {
        OutputBuffer output(streams.output, false);
        if (request.help) {
            output.Write(HelpText());
        } else {
            output.Write("torvelin-calc " + std::string(kVersion) + "\n" +
                         std::string(kVersionText));
        }
        return Finish(output, streams.errors, ExitStatus::AllResults);
    }
    const std::span<const std::string_view> operands = request.operands;
    if (operands.size() == 2 && (IsDateText(operands[0]) || IsNumberText(operands[1]))) {
        return RunOneCalculation(operands[0], operands[1], streams);
    }
    if (operands.empty()) {
        constexpr std::string_view kStandardInput[] = {"-"};
        return RunBatches(kStandardInput, request.encoding, streams);
    }
    return RunBatches(operands, request.encoding, streams);
}

}  // namespace torvelin
