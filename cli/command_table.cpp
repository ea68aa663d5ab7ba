// SPDX-License-Identifier: MIT
#include "cli/command_table.h"

#include <algorithm>
#include <optional>

#include "calc/calculate.h"
#include "calc/date_text.h"
#include "calc/number_text.h"
#include "cli/answer_writing.h"
#include "cli/batch.h"
#include "format/answer_text.h"
#include "law/law_commands.h"

namespace torvelin {
namespace {

constexpr std::string_view kStandardInput[] = {"-"};

bool NoOperand(Operands operands) {
    return operands.empty();
}
bool OneOperand(Operands operands) {
    return operands.size() == 1;
}
bool TwoOperands(Operands operands) {
    return operands.size() == 2;
}
bool OneOrTwoOperands(Operands operands) {
    return OneOperand(operands) || TwoOperands(operands);
}
bool AnyOperands(Operands) {
    return true;
}

// Two operands are START COUNT when either reads as what it should be, so that
// a mistyped date still gets its message instead of being opened as a file.
bool StartAndCount(Operands operands) {
    return TwoOperands(operands) && (IsDateText(operands[0]) || IsNumberText(operands[1]));
}

// Writes a period's end, short or long as the request asks.
auto PeriodEndWriter(const Request& request) {
    return [form = request.longForm ? Form::Long : Form::Short](const PeriodEnd& end) {
        return PeriodEndText(end, form);
    };
}

ExitStatus RunCalculation(Operands operands, const Request& request,
                          const StandardStreams& streams) {
    const Form form = request.longForm ? Form::Long : Form::Short;
    return WriteAnswer(
        Calculate(operands[0], operands[1]),
        [form](CalendarDate end) { return EndDateText(end, form); }, streams);
}

ExitStatus RunCalculationBatch(Operands operands, const Request& request,
                               const StandardStreams& streams) {
    const LineAnswer answer = [longForm = request.longForm](std::string_view line,
                                                            OutputBuffer& output) {
        return AnswerLine(line, output, longForm);
    };
    return RunBatches(operands.empty() ? kStandardInput : operands, request.encoding, answer,
                      streams);
}

ExitStatus RunDeadline(Operands operands, const Request& request, const StandardStreams& streams) {
    HolidayCalendar calendar;
    return WriteAnswer(Deadline(operands[0], operands[1], request.rules, calendar),
                       PeriodEndWriter(request), streams);
}

ExitStatus RunDeadlineBatch(Operands, const Request& request, const StandardStreams& streams) {
    HolidayCalendar calendar;
    const LineAnswer answer = [&](std::string_view line, OutputBuffer& output) {
        const auto [start, period] = SplitAtTab(line);
        const Outcome<PeriodEnd> end = Deadline(start, period, request.rules, calendar);
        output.Write(AnswerText(end, PeriodEndWriter(request)));
        output.EndLine();
        return std::holds_alternative<PeriodEnd>(end);
    };
    return RunBatches(kStandardInput, request.encoding, answer, streams);
}

ExitStatus RunDays(Operands operands, const Request& request, const StandardStreams& streams) {
    HolidayCalendar calendar;
    return WriteAnswer(
        DaysFromTo(operands[0], operands[1], request.rules.firstDay.value_or(FirstDay::Excluded),
                   request.daysCounted, calendar),
        DayCountText, streams);
}

ExitStatus RunHolidays(Operands operands, const Request&, const StandardStreams& streams) {
    HolidayCalendar calendar;
    const std::optional<std::string_view> lastYear =
        operands.size() == 2 ? std::optional(operands[1]) : std::nullopt;
    return WriteAnswer(HolidaysOfYears(operands[0], lastYear, calendar), HolidayListText, streams);
}

ExitStatus RunInfo(Operands operands, const Request&, const StandardStreams& streams) {
    HolidayCalendar calendar;
    return WriteAnswer(DayInfo(operands[0], calendar), DayInfoText, streams);
}

using enum Option;

constexpr CommandForm kForms[] = {
    {"", "START COUNT", "", {Long}, StartAndCount, RunCalculation},
    {"", "[FILE]...", "", {Encoding, Long}, AnyOperands, RunCalculationBatch},
    {"deadline",
     "START PERIOD",
     "the last day of PERIOD from START: 10日, 2週間,\n"
     "3か月 (ヶ月, ケ月, カ月, 箇月), 1年, or 10d, 2w, 3m,\n"
     "1y. The first day is left out, a period in weeks,\n"
     "months or years ends on the day before the day\n"
     "that corresponds to its start (the month's last\n"
     "day where there is none), and an end on a\n"
     "Saturday, Sunday, national holiday or 12/29 to\n"
     "1/3 moves to the next day that is none of these.",
     {Long, FirstDay, Closed},
     TwoOperands,
     RunDeadline},
    {"deadline",
     "",
     "answers START<TAB>PERIOD lines from standard\n"
     "input, one line each",
     {Encoding, Long, FirstDay, Closed},
     NoOperand,
     RunDeadlineBatch},
    {"days",
     "FROM TO",
     "the number of days from FROM to TO: TO counted,\n"
     "FROM too with --first-day=included",
     {FirstDay, OpenDays},
     TwoOperands,
     RunDays},
    {"holidays",
     "YEAR [LAST_YEAR]",
     "every national holiday of those years, one\n"
     "yyyy/mm/dd<TAB>NAME line each, in date order",
     {},
     OneOrTwoOperands,
     RunHolidays},
    {"info",
     "DATE",
     "the date, its weekday, its era date, and whether\n"
     "courts and offices are open (開庁日) or closed\n"
     "(閉庁日) that day, and why",
     {},
     OneOperand,
     RunInfo},
};

bool IsCommandName(std::string_view word) {
    return !word.empty() && std::ranges::find(kForms, word, &CommandForm::name) != std::end(kForms);
}

}  // namespace

std::span<const CommandForm> CommandTable() {
    return kForms;
}

std::string FormLabel(const CommandForm& form) {
    std::string label(form.name);
    if (!label.empty() && !form.operands.empty()) {
        label += ' ';
    }
    return label.append(form.operands);
}

ExitStatus RunRequest(const Request& request, const StandardStreams& streams) {
    Operands operands = request.operands;
    std::string_view name;
    if (!operands.empty() && IsCommandName(operands[0])) {
        name = operands[0];
        operands = operands.subspan(1);
    }
    const auto form = std::ranges::find_if(kForms, [&](const CommandForm& candidate) {
        return candidate.name == name && candidate.fits(operands);
    });
    if (form == std::end(kForms)) {
        return UsageError(streams.errors, "wrong number of operands for " + std::string(name));
    }
    for (const Option option : request.given) {
        if (!form->options.Has(option)) {
            return UsageError(streams.errors, "option '" + std::string(SpecOf(option).longName) +
                                                  "' does not apply to " + FormLabel(*form));
        }
    }
    return form->run(operands, request, streams);
}

}  // namespace torvelin
