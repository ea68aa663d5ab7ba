// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/input_decoder.h"
#include "format/icalendar.h"
#include "format/record_text.h"
#include "law/law_commands.h"

namespace torvelin {

enum class Option {
    Help,
    Version,
    Encoding,
    Long,
    Format,
    FirstDay,
    Closed,
    ClosedFile,
    OpenDays,
    Before,
    Rule,
    Reach,
    Case,
    Remind
};

// The options one command takes.
class OptionSet {
public:
    constexpr OptionSet(std::initializer_list<Option> options) {
        for (const Option option : options) {
            bits_ |= Bit(option);
        }
    }
    constexpr bool Has(Option option) const { return (bits_ & Bit(option)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }

private:
    static constexpr unsigned Bit(Option option) { return 1U << static_cast<unsigned>(option); }
    unsigned bits_ = 0;
};

struct OptionRow {
    Option option;
    std::string_view shortName;  // empty when there is none
    std::string_view longName;
    std::string_view valueName;    // empty for an option without a value
    std::string_view description;  // each further line after a '\n'
};

// Every option, in the order --help lists them.
std::span<const OptionRow> OptionTable();
// The table's entry for one option.
const OptionRow& OptionRowOf(Option option);

// What the command line asks for, its options read and its operands in order.
struct Request {
    bool help = false;
    bool version = false;
    InputEncoding encoding = InputEncoding::Utf8;
    PeriodRules rules;
    bool longForm = false;               // add the weekday, the era date and why an end moved
    std::optional<RecordFormat> format;  // answers as records, with their inputs
    bool icalendar = false;              // --format=ics: deadlines as calendar events
    std::string_view caseText;           // --case: the case each event is named by
    CalendarSettings icalendarSettings;  // --remind; the time of writing is the run's
    DaysCounted daysCounted = DaysCounted::All;
    CalendarKind calendar = CalendarKind::Court;
    std::vector<std::string_view> closedFiles;  // the user's own closed days
    std::string_view reach;                     // age --reach: the age whose day is asked for
    std::vector<std::string_view> ruleNames;    // deadline --rule: keys or names, in order
    std::vector<Option> given;                  // every option on the command line, in order
    std::vector<std::string_view> operands;
};

// The request, or the message of a usage error.
std::variant<Request, std::string> ReadArguments(std::span<const std::string_view> arguments);

}  // namespace torvelin
