// SPDX-License-Identifier: MIT
#include "cli/help_text.h"

#include <algorithm>
#include <string_view>

#include "calc/text_scanner.h"
#include "cli/command_table.h"
#include "cli/line_reader.h"
#include "cli/option_table.h"
#include "cli/translation.h"
#include "format/answer_text.h"
#include "law/statutory_rules.h"
#include "version.h"

namespace torvelin {
namespace {

constexpr std::size_t kDescriptionColumn = 25;
// Japanese has no blanks to break at: lines short enough for a manual
// page's indented paragraphs.
constexpr std::size_t kLineWidth = 64;
constexpr std::size_t kNoteIndent = 6;

constexpr std::string_view kIntroduction = Translatable(
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
    "file named like a number or beginning with a dash). With no operand, or\n"
    "where FILE is -, read standard input.\n"
    "\n"
    "Deadlines as Japanese law counts them (Civil Code articles 138 to 143):\n");

constexpr std::string_view kAfterCommands = Translatable(
    "  Dates are read as START is. Write ./deadline for a file of that name.\n"
    "\n"
    "Options:\n");

constexpr std::string_view kEndOfOptions = Translatable(
    "  --                     end the options; every later word is an operand\n"
    "\n"
    "Options each form takes (besides --help and --version):\n");

constexpr std::string_view kBatchFormat = Translatable(
    "\n"
    "Batch format:\n"
    "  Each input line is START<TAB>COUNT, ending in LF, CR LF or CR alone; a\n"
    "  UTF-8 byte-order mark before the first line is skipped. Every line gets\n"
    "  one output line, in order: the end date, the message about the wrong\n"
    "  input, or \"error N: DESCRIPTION\"; a bad line never stops the batch. A\n"
    "  blank line gets the message about the start date, but blank lines at the\n"
    "  end of an input are no records, so their answers wait for the next line\n"
    "  with text. A line longer than {} is a wrong input too: it gets\n"
    "  the message about the start date, and its text is not kept.\n"
    "  Output is UTF-8. It is written in blocks of whole lines, passed on\n"
    "  whenever the input has no more to read yet (so a program that writes one\n"
    "  line and waits gets its answer), and line by line to a terminal.\n");

constexpr std::string_view kCalendarFiles = Translatable(
    "\n"
    "Calendar files (deadline --format=ics):\n"
    "  One iCalendar file with an event for each deadline: all day on its last\n"
    "  day, or for a period in hours at its moment in Japan time. A batch writes\n"
    "  each event whole as its line is answered; a line with no deadline gets\n"
    "  no event, and its message goes to standard error with its line number.\n"
    "  The same question (the start's day, the rule or period, the direction,\n"
    "  the first day, the calendar and the case) keeps its UID, so that\n"
    "  importing it again updates its event. Each event is stamped with the\n"
    "  time SOURCE_DATE_EPOCH gives when it is set, else with the time now.\n");

constexpr std::string_view kCalendars = Translatable(
    "\n"
    "Calendars:\n"
    "  court  closes the days the law closed courts on each day: Sundays and\n"
    "         national holidays; 1/2 and 1/3 by custom before the Act on Court\n"
    "         Holidays (1988 Act No. 93), applied from 1989/01/01, which also\n"
    "         closed the second and fourth Saturdays and 12/29 to 1/3; every\n"
    "         Saturday by its amendment (1992 Act No. 30), applied from\n"
    "         1992/10/01. Neither act's first day could be settled from the\n"
    "         sources at hand: 1989/01/01 closes the same days as any first day\n"
    "         from 1988/12/25 to 1989/01/14, and 1992/10/01 is the last day the\n"
    "         amendment allowed, so Saturdays of 1992/05 to 09 may be shown open\n"
    "         that were closed, which can only make a deadline earlier.\n"
    "  bank   Saturdays, Sundays, national holidays and 12/31 to 1/3 (Banking\n"
    "         Act art. 15, its Enforcement Order art. 5); second Saturdays from\n"
    "         1983/08/13 and every Saturday from 1989/02/04, as chronologies\n"
    "         give them (the amending orders were not at hand).\n"
    "  none   no closed days.\n"
    "  The equinox days (春分の日, 秋分の日) are those declared for 1948 to 2027;\n"
    "  later ones are computed, checked against an independent computation\n"
    "  for every year to 2150, and answers that rest on them say so\n"
    "  (春分日は計算による).\n");

constexpr std::string_view kRulesHeading = Translatable(
    "\n"
    "Statutory periods (deadline --rule=KEY DATE, DATE the day of the event;\n"
    "'torvelin-calc rules' gives each rule's event, counting, act and quote):\n");

constexpr std::string_view kUnsettledHeading =
    Translatable("What the sources at hand could not settle about them:\n");

constexpr std::string_view kExitStatus = Translatable(
    "\n"
    "Exit status:\n"
    "  0  every calculation gave an end date\n"
    "  1  some calculation gave a message about its input or an error\n"
    "  2  the command line was wrong\n"
    "  3  an input could not be opened or read, or memory ran out while reading\n"
    "     it (the answers before it are written, the other inputs answered)\n"
    "  4  the output could not be written\n"
    "Where several apply, the highest. Where the output is a pipe that its\n"
    "reader has closed, the program ends at once by the signal SIGPIPE.\n"
    "\n"
    "Report bugs to the Torvelin developers <torvelin@users.noreply.invalid>.\n");

constexpr std::string_view kVersionNotice = Translatable(
    "Copyright (c) 2026 The Torvelin developers\n"
    "License MIT: <https://opensource.org/license/mit>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n");

// "  NAMES  DESCRIPTION", the description's further lines in its column.
std::string Entry(std::string names, std::string_view description) {
    const std::size_t width = DisplayWidth(names);
    if (width + 2 > kDescriptionColumn) {
        names += '\n';  // a long name gets a line of its own
        names.append(kDescriptionColumn, ' ');
    } else {
        names.append(kDescriptionColumn - width, ' ');
    }
    for (const char c : Translated(description)) {
        names += c;
        if (c == '\n') {
            names.append(kDescriptionColumn, ' ');
        }
    }
    return names + "\n";
}

std::string OptionNames(const OptionRow& option) {
    std::string names =
        option.shortName.empty() ? "      " : "  " + std::string(option.shortName) + ", ";
    names += option.longName;
    if (!option.valueName.empty()) {
        names += "=" + Translated(option.valueName);
    }
    return names;
}

std::string OptionsOf(const CommandForm& form) {
    std::string list;
    for (const OptionRow& option : OptionTable()) {
        if (form.options.Has(option.option)) {
            list += (list.empty() ? "" : ", ") + std::string(option.longName);
        }
    }
    return list.empty() ? Translated("none") : list;
}

// The text in lines of at most kLineWidth columns, the first starting at
// column `start`, each further one indented to `indent`; lines break between
// characters, as Japanese text does.
std::string Wrapped(std::string_view text, std::size_t start, std::size_t indent) {
    std::string lines;
    std::size_t width = start;
    while (!text.empty()) {
        // The program's own texts are UTF-8; a stray byte is taken alone.
        const std::size_t length = std::max<std::size_t>(1, Utf8SequenceLength(text));
        const std::string_view character = text.substr(0, length);
        const std::size_t columns = DisplayWidth(character);
        // Closing punctuation stays at the end of its line, as Japanese sets it.
        constexpr std::string_view kNoLineStart = "、。）」";
        const bool mayStartLine = length == 1 || kNoLineStart.find(character) == std::string::npos;
        if (width + columns > kLineWidth && mayStartLine) {
            lines += '\n';
            lines.append(indent, ' ');
            width = indent;
        }
        lines += character;
        width += columns;
        text.remove_prefix(length);
    }
    return lines + '\n';
}

// "  民訴285  控訴（2週間、民事訴訟法285条）" a rule, then what the sources
// could not settle about any of them.
std::string RulesText() {
    std::string text = Translated(kRulesHeading);
    std::string unsettled;
    std::size_t nameColumn = 0;  // two columns past the longest key
    for (const StatutoryRule& rule : StatutoryRules()) {
        nameColumn = std::max(nameColumn, DisplayWidth(rule.key) + 4);
    }
    for (const StatutoryRule& rule : StatutoryRules()) {
        std::string names = "  " + std::string(rule.key);
        names.append(nameColumn - DisplayWidth(names), ' ');
        // Blanks between the parts, where a manual page may break the line.
        text += names + std::string(rule.name) + " " + RulePeriodText(rule) + " " +
                std::string(rule.article) + "\n";
        if (!rule.unsettled.empty()) {
            // The key on a line of its own: the manual page counts columns in
            // bytes, and would not see Japanese text beside it as one entry.
            unsettled += "  " + std::string(rule.key) + "\n" + std::string(kNoteIndent, ' ') +
                         Wrapped(rule.unsettled, kNoteIndent, kNoteIndent);
        }
    }
    return unsettled.empty() ? text : text + Translated(kUnsettledHeading) + unsettled;
}

}  // namespace

std::string HelpText() {
    std::string text;
    for (const CommandForm& form : CommandTable()) {
        text += text.empty() ? Translated("Usage: ") : Translated("  or:  ");
        text += "torvelin-calc";
        text += form.name.empty() ? "" : " " + std::string(form.name);
        text += form.options.Empty() ? "" : " " + Translated("[OPTION]...");
        text += form.operands.empty() ? "" : " " + Translated(form.operands);
        text += '\n';
    }
    text += Translated(kIntroduction);
    for (const CommandForm& form : CommandTable()) {
        if (!form.description.empty()) {
            text += Entry("  " + FormLabel(form), form.description);
        }
    }
    text += Translated(kAfterCommands);
    for (const OptionRow& option : OptionTable()) {
        text += Entry(OptionNames(option), option.description);
    }
    text += Translated(kEndOfOptions);
    for (const CommandForm& form : CommandTable()) {
        text += Entry("  " + FormLabel(form), OptionsOf(form));
    }
    text +=
        Filled(Translated(kBatchFormat), {std::to_string(kMaxLineBytes / (1024 * 1024)) + " MiB"});
    return text + Translated(kCalendarFiles) + Translated(kCalendars) + RulesText() +
           Translated(kExitStatus);
}

std::string VersionText() {
    return "torvelin-calc " + std::string(kVersion) + "\n" + Translated(kVersionNotice);
}

}  // namespace torvelin
