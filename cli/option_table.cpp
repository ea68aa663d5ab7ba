// SPDX-License-Identifier: MIT
#include "cli/option_table.h"

#include <algorithm>
#include <optional>

#include "calc/text_scanner.h"
#include "cli/translation.h"

namespace torvelin {
namespace {

// Only these short options exist, so that a negative count such as "-2" stays
// an operand.
constexpr OptionRow kOptions[] = {
    {Option::Help, "-h", "--help", "", Translatable("display this help and exit")},
    {Option::Version, "-V", "--version", "", Translatable("output version information and exit")},
    {Option::Encoding, "", "--encoding", Translatable("NAME"),
     Translatable("read the input in NAME: utf-8 (the default) or cp932\n"
                  "(also called shift_jis or sjis); an input that\n"
                  "begins with a byte-order mark is read as the UTF-8\n"
                  "or UTF-16 it marks")},
    {Option::Long, "", "--long", "",
     Translatable("after each end date, a tab, its weekday and its era\n"
                  "date; for deadline, also from which day and why the\n"
                  "end was moved")},
    {Option::Format, "", "--format", Translatable("FORMAT"),
     Translatable("write each answer as a record that carries its\n"
                  "inputs: 'tsv' or 'csv' (RFC 4180), each with a\n"
                  "header line, or 'json', one object a line; for\n"
                  "deadline also 'ics', one iCalendar file (RFC 5545)\n"
                  "with an all-day event on each deadline's day (a\n"
                  "timed one in Japan time for a period in hours),\n"
                  "for a calendar program to import")},
    {Option::FirstDay, "", "--first-day", Translatable("WHEN"),
     Translatable("'included' counts the first day, 'excluded' leaves\n"
                  "it out; by default it counts when START is written\n"
                  "at 0:00 (a period that starts at midnight) and is\n"
                  "left out otherwise (Civil Code art. 140)")},
    {Option::Closed, "", "--closed", Translatable("DAYS"),
     Translatable("which days are closed: 'court' (the default), the\n"
                  "days courts and offices are closed, as the law\n"
                  "closed them on each day; 'bank', the days banks\n"
                  "are closed (Saturdays, Sundays, national holidays,\n"
                  "12/31 to 1/3); 'none', no day. An end on a closed\n"
                  "day moves to the next open day. With --before, a\n"
                  "day before a period moves to the open day before\n"
                  "only when this or --closed-file is given")},
    {Option::ClosedFile, "", "--closed-file", Translatable("FILE"),
     Translatable("add the closed days listed in FILE, one\n"
                  "yyyy/mm/dd<TAB>REASON or yyyy/mm/dd-yyyy/mm/dd<TAB>\n"
                  "REASON a line (# comments); may be given again.\n"
                  "~/.config/torvelin/closed-days.tsv (under\n"
                  "$XDG_CONFIG_HOME when set) is added too, when it\n"
                  "exists, unless --closed=none")},
    {Option::OpenDays, "", "--open-days", "",
     Translatable("count only the days courts and offices are open")},
    {Option::Before, "", "--before", "",
     Translatable("START is the day a period must end before: print the\n"
                  "last day on which an act can be done so that the\n"
                  "whole PERIOD lies between it and START, neither\n"
                  "counted")},
    {Option::Rule, "", "--rule", Translatable("KEY"),
     Translatable("count the statutory period KEY names (民訴285, or a\n"
                  "name such as 出生届 that names one rule) from DATE,\n"
                  "the day of its event, as its act counts and moves\n"
                  "it; several KEYs, separated by commas, answer one\n"
                  "line each. 'torvelin-calc rules' lists them")},
    {Option::Reach, "", "--reach", Translatable("AGE"),
     Translatable("print the day at whose end AGE is reached")},
    {Option::Case, "", "--case", Translatable("CASE"),
     Translatable("with --format=ics, the case number or name\n"
                  "(令和6年(ワ)第1234号) that each event's title starts\n"
                  "with; the same deadline of another case is another\n"
                  "event")},
    {Option::Remind, "", "--remind", Translatable("DAYS_BEFORE"),
     Translatable("with --format=ics, a reminder at 9:00 on the day so\n"
                  "many days before each deadline, the days separated\n"
                  "by commas (0 for the day itself, up to 999): '7,1'\n"
                  "by default, 'none' for no reminder")},
};

// A word that begins with '-' and is no option: "-" for standard input, and
// negative counts and periods such as "-2", "-0.5", "-.5" and "-３日".
bool IsDashOperand(std::string_view argument) {
    TextScanner afterDash(argument.substr(1));
    return afterDash.AtEnd() || afterDash.AtDigit() || afterDash.Peek() == U'.';
}

// "7,1" as the days before a deadline to be reminded on; "none" as none.
std::optional<std::vector<int>> ReminderDays(std::string_view text) {
    constexpr std::size_t kMostDigits = 3;  // up to 999 days
    std::vector<int> days;
    if (text == "none") {
        return days;
    }
    for (;;) {
        const std::size_t comma = text.find(',');
        const std::string_view digits = text.substr(0, comma);
        const bool allDigits =
            std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (digits.empty() || digits.size() > kMostDigits || !allDigits) {
            return std::nullopt;
        }
        int day = 0;
        for (const char c : digits) {
            day = day * 10 + (c - '0');
        }
        if (std::find(days.begin(), days.end(), day) != days.end()) {
            return std::nullopt;
        }
        days.push_back(day);
        if (comma == text.npos) {
            return days;
        }
        text.remove_prefix(comma + 1);
    }
}

// Sets what an option asks for; the message of a wrong value otherwise.
std::optional<std::string> Apply(Option option, std::string_view value, Request& request) {
    switch (option) {
        case Option::Help:
            request.help = true;
            break;
        case Option::Version:
            request.version = true;
            break;
        case Option::Encoding: {
            const std::optional<InputEncoding> encoding = EncodingNamed(value);
            if (!encoding) {
                return Filled(Translated("unknown encoding '{}'"), {value});
            }
            request.encoding = *encoding;
            break;
        }
        case Option::Long:
            request.longForm = true;
            break;
        case Option::Format:
            request.icalendar = value == "ics";
            request.format.reset();
            if (request.icalendar) {
                break;
            } else if (value == "tsv") {
                request.format = RecordFormat::Tsv;
            } else if (value == "csv") {
                request.format = RecordFormat::Csv;
            } else if (value == "json") {
                request.format = RecordFormat::Json;
            } else {
                return Filled(Translated("--format takes 'tsv', 'csv', 'json' or 'ics', not '{}'"),
                              {value});
            }
            break;
        case Option::Before:
            request.rules.direction = Direction::Before;
            break;
        case Option::Reach:
            request.reach = value;
            break;
        case Option::Case:
            request.caseText = value;
            break;
        case Option::Remind: {
            std::optional<std::vector<int>> days = ReminderDays(value);
            if (!days) {
                return Filled(Translated("--remind takes DAYS,DAYS,... (whole days from 0 to "
                                         "999, each once) or 'none', not '{}'"),
                              {value});
            }
            request.icalendarSettings.reminderDays = *std::move(days);
            break;
        }
        case Option::Rule:
            for (std::string_view names = value;;) {
                const std::size_t comma = names.find(',');
                const std::string_view name = names.substr(0, comma);
                if (name.empty()) {
                    return Filled(Translated("--rule takes KEY or KEY,KEY,..., not '{}'"), {value});
                }
                request.ruleNames.push_back(name);
                if (comma == names.npos) {
                    break;
                }
                names.remove_prefix(comma + 1);
            }
            break;
        case Option::FirstDay:
            if (value != "excluded" && value != "included") {
                return Filled(Translated("--first-day takes 'excluded' or 'included', not '{}'"),
                              {value});
            }
            request.rules.firstDay = value == "included" ? FirstDay::Included : FirstDay::Excluded;
            break;
        case Option::Closed: {
            const std::optional<CalendarKind> kind = CalendarKindFromName(value);
            if (!kind) {
                return Filled(Translated("--closed takes 'court', 'bank' or 'none', not '{}'"),
                              {value});
            }
            request.calendar = *kind;
            request.rules.calendarChosen = true;
            break;
        }
        case Option::ClosedFile:
            request.closedFiles.push_back(value);
            request.rules.calendarChosen = true;
            break;
        case Option::OpenDays:
            request.daysCounted = DaysCounted::OpenOnly;
            break;
    }
    request.given.push_back(option);
    return std::nullopt;
}

}  // namespace

std::span<const OptionRow> OptionTable() {
    return kOptions;
}

const OptionRow& OptionRowOf(Option option) {
    return *std::find_if(std::begin(kOptions), std::end(kOptions),
                         [&](const OptionRow& row) { return row.option == option; });
}

std::variant<Request, std::string> ReadArguments(std::span<const std::string_view> arguments) {
    Request request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--") {
            request.operands.insert(request.operands.end(), arguments.begin() + i + 1,
                                    arguments.end());
            break;
        }
        if (!argument.starts_with('-') || IsDashOperand(argument)) {
            request.operands.push_back(argument);  // also "": an empty spreadsheet cell
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const auto known =
            std::find_if(std::begin(kOptions), std::end(kOptions), [&](const OptionRow& option) {
                return name == option.longName || (name == option.shortName && equals == name.npos);
            });
        if (known == std::end(kOptions)) {
            return Filled(Translated("unrecognized option '{}'"), {argument});
        }
        std::string_view value;
        if (equals != name.npos) {
            if (known->valueName.empty()) {
                return Filled(Translated("option '{}' doesn't allow an argument"), {name});
            }
            value = argument.substr(equals + 1);
        } else if (!known->valueName.empty()) {
            if (i + 1 == arguments.size()) {
                return Filled(Translated("option '{}' requires an argument"), {name});
            }
            value = arguments[++i];
        }
        if (std::optional<std::string> wrong = Apply(known->option, value, request)) {
            return *std::move(wrong);
        }
    }
    return request;
}

}  // namespace torvelin
