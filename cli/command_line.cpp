// SPDX-License-Identifier: MIT
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
#include "format/answer_text.h"
#include "law/law_commands.h"
#include "version.h"

namespace torvelin {
namespace {

enum class Option { Help, Version, Encoding, Long, FirstDay, Closed, OpenDays };

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
    {Option::Long, "", "--long", "",
     "after each end date, a tab, its weekday and its era\n"
     "date; for deadline, also from which day and why the\n"
     "end was moved"},
    {Option::FirstDay, "", "--first-day", "WHEN",
     "deadline, days: 'excluded' (the default) leaves the\n"
     "first day out, 'included' counts it (a period that\n"
     "starts at midnight)"},
    {Option::Closed, "", "--closed", "DAYS",
     "deadline: 'court' (the default) moves an end on a\n"
     "day courts and offices are closed to the next open\n"
     "day; 'none' moves nothing"},
    {Option::OpenDays, "", "--open-days", "",
     "days: count only the days courts and offices are open"},
};

constexpr std::string_view kUsageHead =
    "Usage: torvelin-calc [OPTION]... START COUNT\n"
    "  or:  torvelin-calc [OPTION]... [FILE]...\n"
    "  or:  torvelin-calc deadline [OPTION]... [START PERIOD]\n"
    "  or:  torvelin-calc days [OPTION]... FROM TO\n"
    "  or:  torvelin-calc holidays YEAR [LAST_YEAR]\n"
    "  or:  torvelin-calc info DATE\n"
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
    "Deadlines as Japanese law counts them (Civil Code articles 138 to 143):\n"
    "  deadline START PERIOD  the last day of PERIOD from START: 10日, 2週間,\n"
    "                         3か月 (ヶ月, ケ月, カ月, 箇月), 1年, or 10d, 2w, 3m,\n"
    "                         1y. The first day is left out, a period in weeks,\n"
    "                         months or years ends on the day before the day\n"
    "                         that corresponds to its start (the month's last\n"
    "                         day where there is none), and an end on a\n"
    "                         Saturday, Sunday, national holiday or 12/29 to\n"
    "                         1/3 moves to the next day that is none of these.\n"
    "                         Without START and PERIOD, answers START<TAB>PERIOD\n"
    "                         lines from standard input, one line each.\n"
    "  days FROM TO           the number of days from FROM to TO: TO counted,\n"
    "                         FROM too with --first-day=included\n"
    "  holidays YEAR [LAST_YEAR]\n"
    "                         every national holiday of those years, one\n"
    "                         yyyy/mm/dd<TAB>NAME line each, in date order\n"
    "  info DATE              the date, its weekday, its era date, and whether\n"
    "                         courts and offices are open (開庁日) or closed\n"
    "                         (閉庁日) that day, and why\n"
    "  Dates are read as START is. Write ./deadline for a file of that name.\n"
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
    for (const OptionSpec& option : kOptions) {
        std::string names =
            option.shortName.empty() ? "      " : "  " + std::string(option.shortName) + ", ";
        names += option.longName;
        if (!option.valueName.empty()) {
            names += "=" + std::string(option.valueName);
        }
        names.resize(std::max(names.size() + 2, kDescriptionColumn), ' ');
        text += names;
        for (const char c : option.description) {
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
    PeriodRules rules;
    bool longForm = false;  // add the weekday, the era date and why an end moved
    DaysCounted daysCounted = DaysCounted::All;
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
        const auto known = std::ranges::find_if(kOptions, [&](const OptionSpec& option) {
            return name == option.longName || (name == option.shortName && equals == name.npos);
        });
        if (known == std::end(kOptions)) {
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
        if (known->valueName.empty() && value) {
            return "option '" + std::string(name) + "' doesn't allow an argument";
        }
        if (!known->valueName.empty() && !value) {
            if (i + 1 == arguments.size()) {
                return "option '" + std::string(name) + "' requires an argument";
            }
            value = arguments[++i];
        }
        switch (known->option) {
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
            case Option::Long:
                request.longForm = true;
                break;
            case Option::FirstDay:
                if (*value != "excluded" && *value != "included") {
                    return "--first-day takes 'excluded' or 'included', not '" +
                           std::string(*value) + "'";
                }
                request.rules.firstDay =
                    *value == "included" ? FirstDay::Included : FirstDay::Excluded;
                break;
            case Option::Closed:
                if (*value != "court" && *value != "none") {
                    return "--closed takes 'court' or 'none', not '" + std::string(*value) + "'";
                }
                request.rules.closedDays = *value == "none" ? ClosedDays::None : ClosedDays::Court;
                break;
            case Option::OpenDays:
                request.daysCounted = DaysCounted::OpenOnly;
                break;
        }
    }
    return request;
}

// Writes one answer: a result on standard output, anything else on standard
// error, so that d=$(torvelin-calc ...) never holds a message.
template <class Value, class ValueText>
ExitStatus WriteAnswer(const Outcome<Value>& outcome, ValueText valueText,
                       const StandardStreams& streams) {
    const std::string text = AnswerText(outcome, valueText);
    if (!std::holds_alternative<Value>(outcome)) {
        Complain(streams.errors, text);
        return ExitStatus::SomeNotComputed;
    }
    OutputBuffer output(streams.output, false);
    output.Write(text);
    if (!text.empty() && !text.ends_with('\n')) {
        output.EndLine();
    }
    return Finish(output, streams.errors, ExitStatus::AllResults);
}

ExitStatus RunBatches(std::span<const std::string_view> names, InputEncoding encoding,
                      const LineAnswer& answer, const StandardStreams& streams) {
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
            allResults &= AnswerLines(lines, output, answer);
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

constexpr std::string_view kCommandNames[] = {"deadline", "days", "holidays", "info"};

bool IsCommandName(std::string_view word) {
    return std::ranges::find(kCommandNames, word) != std::end(kCommandNames);
}

// deadline, days, holidays and info, with the operands that follow the name.
ExitStatus RunCommand(std::string_view name, std::span<const std::string_view> operands,
                      const Request& request, const StandardStreams& streams) {
    HolidayCalendar calendar;
    const Form form = request.longForm ? Form::Long : Form::Short;
    const auto periodEndText = [form](const PeriodEnd& end) { return PeriodEndText(end, form); };
    const auto wrongCount = [&] {
        return UsageError(streams.errors, "wrong number of operands for " + std::string(name));
    };
    if (name == "deadline") {
        if (operands.empty()) {
            constexpr std::string_view kStandardInput[] = {"-"};
            const LineAnswer answer = [&](std::string_view line, OutputBuffer& output) {
                const auto [start, period] = SplitAtTab(line);
                const Outcome<PeriodEnd> end = Deadline(start, period, request.rules, calendar);
                output.Write(AnswerText(end, periodEndText));
                output.EndLine();
                return std::holds_alternative<PeriodEnd>(end);
            };
            return RunBatches(kStandardInput, request.encoding, answer, streams);
        }
        return operands.size() == 2
                   ? WriteAnswer(Deadline(operands[0], operands[1], request.rules, calendar),
                                 periodEndText, streams)
                   : wrongCount();
    }
    if (name == "days") {
        return operands.size() == 2
                   ? WriteAnswer(DaysFromTo(operands[0], operands[1],
                                            request.rules.firstDay.value_or(FirstDay::Excluded),
                                            request.daysCounted, calendar),
                                 DayCountText, streams)
                   : wrongCount();
    }
    if (name == "holidays") {
        if (operands.empty() || operands.size() > 2) {
            return wrongCount();
        }
        const std::optional<std::string_view> lastYear =
            operands.size() == 2 ? std::optional(operands[1]) : std::nullopt;
        return WriteAnswer(HolidaysOfYears(operands[0], lastYear, calendar), HolidayListText,
                           streams);
    }
    return operands.size() == 1 ? WriteAnswer(DayInfo(operands[0], calendar), DayInfoText, streams)
                                : wrongCount();
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
    constexpr std::string_view kStandardInput[] = {"-"};
    const std::span<const std::string_view> operands = request.operands;
    if (!operands.empty() && IsCommandName(operands[0])) {
        return RunCommand(operands[0], operands.subspan(1), request, streams);
    }
    if (operands.size() == 2 && (IsDateText(operands[0]) || IsNumberText(operands[1]))) {
        const Form form = request.longForm ? Form::Long : Form::Short;
        return WriteAnswer(
            Calculate(operands[0], operands[1]),
            [form](CalendarDate end) { return EndDateText(end, form); }, streams);
    }
    const LineAnswer answer = [longForm = request.longForm](std::string_view line,
                                                            OutputBuffer& output) {
        return AnswerLine(line, output, longForm);
    };
    return RunBatches(operands.empty() ? kStandardInput : operands, request.encoding, answer,
                      streams);
}

}  // namespace torvelin
