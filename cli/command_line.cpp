#include "cli/command_line.h"

#include <istream>
#include <ostream>
#include <string>

#include "calc/calculate.h"
#include "version.h"

namespace torvelin {
namespace {

constexpr std::string_view kUsage =
    "Usage: torvelin-calc START COUNT\n"
    "       torvelin-calc < LINES\n"
    "\n"
    "Prints the last day of a period of COUNT days that begins on START, the\n"
    "start day counted as day one (0 gives the day before START, negative counts\n"
    "go back). START is a date such as 2013/10/28, 2013年10月28日, 平成25年10月28日\n"
    "or H25.10.28, optionally followed by a time such as 12:00.\n"
    "\n"
    "Without arguments, reads lines of START<TAB>COUNT from standard input and\n"
    "writes one line for each: the end date, the message about the wrong input,\n"
    "or \"error N: DESCRIPTION\".\n"
    "\n"
    "Exit status: 0 when every line gave an end date, 1 when any gave a message\n"
    "or an error, 2 on a usage error.\n"
    "\n"
    "起算日と経過日数（初日算入）から終期暦日を表示します。\n";

// Writes one line for one calculation; returns whether it gave an end date.
bool CalculateLine(std::string_view start, std::string_view count, std::ostream& output) {
    const CalculationOutcome outcome = Calculate(start, count);
    if (outcome.error) {
        output << "error " << static_cast<int>(*outcome.error) << ": ";
    }
    output << outcome.text << '\n';
    return outcome.kind == CalculationOutcome::Kind::EndDate;
}

ExitStatus RunBatch(std::istream& input, std::ostream& output) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    bool allResults = true;
    std::string line;
    for (bool first = true; std::getline(input, line); first = false) {
        std::string_view view = line;
        if (first && view.starts_with(kByteOrderMark)) {
            view.remove_prefix(kByteOrderMark.size());  // spreadsheets save one
        }
        if (view.ends_with('\r')) {
            view.remove_suffix(1);
        }
        const std::size_t tab = view.find('\t');
        const std::string_view start = view.substr(0, tab);
        const std::string_view count =
            tab == std::string_view::npos ? std::string_view() : view.substr(tab + 1);
        allResults &= CalculateLine(start, count, output);
    }
    output.flush();
    return allResults ? ExitStatus::AllResults : ExitStatus::SomeNotComputed;
}

}  // namespace

ExitStatus RunCommandLine(std::span<const std::string_view> arguments, std::istream& input,
                          std::ostream& output, std::ostream& errors) {
    // A negative day count such as "-2" is an operand, so only words that
    // begin with "--" are options.
    if (arguments.size() == 1 && arguments[0] == "--help") {
        output << kUsage;
        return ExitStatus::AllResults;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        output << "torvelin-calc " << kVersion << '\n';
        return ExitStatus::AllResults;
    }
    if (!arguments.empty() && arguments[0] == "--") {
        arguments = arguments.subspan(1);
    } else {
        for (const std::string_view argument : arguments) {
            if (argument.starts_with("--")) {
                errors << "torvelin-calc: unknown option '" << argument << "'\n"
                       << "Try 'torvelin-calc --help'.\n";
                return ExitStatus::UsageError;
            }
        }
    }
    if (arguments.empty()) {
        return RunBatch(input, output);
    }
    if (arguments.size() == 2) {
        return CalculateLine(arguments[0], arguments[1], output) ? ExitStatus::AllResults
                                                                 : ExitStatus::SomeNotComputed;
    }
    errors << "torvelin-calc: expected START COUNT, or no arguments to read lines\n"
           << "Try 'torvelin-calc --help'.\n";
    return ExitStatus::UsageError;
}

}  // namespace torvelin
