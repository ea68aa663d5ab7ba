// SPDX-License-Identifier: MIT
#include "cli/command_table.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>

#include "calc/calculate.h"
#include "calc/date_text.h"
#include "calc/number_text.h"
#include "cli/answer_writing.h"
#include "cli/batch.h"
#include "cli/translation.h"
#include "format/answer_records.h"
#include "format/answer_text.h"
#include "format/icalendar.h"
#include "law/closed_day_file.h"
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
bool NoOrOneOperand(Operands operands) {
    return operands.size() <= 1;
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

// Writes a record's line without its final line feed, which the output adds
// (CSV's CR stays), as addFields gives its fields.
template <class AddFields>
void WriteRecord(OutputBuffer& output, RecordFormat format, AddFields addFields) {
    output.WriteWith([&](std::string& out) {
        WithRecordWriter(out, format, [&](auto& writer) {
            addFields(writer);
            writer.End();
        });
        out.pop_back();
    });
}

// One answer: as a record with its header where a format is asked for (on
// standard output, whatever the outcome), else as text.
template <class Value, class ValueText>
ExitStatus WriteOne(const Request& request, const Outcome<Value>& outcome, ValueText valueText,
                    const Record& record, const StandardStreams& streams) {
    if (!request.format) {
        return WriteAnswer(outcome, valueText, streams);
    }
    const bool isResult = std::holds_alternative<Value>(outcome);
    return WriteRecordsText(
        isResult, HeaderLine(record, *request.format) + RecordLine(record, *request.format),
        streams);
}

// The header line a batch of records starts with, from a record of its kind.
std::string BatchHeader(const Request& request, const Record& example) {
    return request.format ? HeaderLine(example, *request.format) : std::string();
}

// The deadlines of one question as calendar events, and the messages of
// the answers that gave none.
struct CalendarAnswers {
    std::vector<DeadlineEvent> events;
    std::vector<std::string> messages;
};

CalendarAnswers DeadlineCalendarAnswers(const Request& request, std::string_view start,
                                        std::string_view period, ClosedDayCalendar& calendar) {
    const Outcome<PeriodEnd> end = Deadline(start, period, request.rules, calendar);
    CalendarAnswers answers;
    if (std::optional<DeadlineEvent> event =
            DeadlineEventOf(start, period, request.caseText, end)) {
        answers.events.push_back(*std::move(event));
    } else {
        answers.messages.push_back(AnswerText(end, [](const PeriodEnd&) { return ""; }));
    }
    return answers;
}

// The messages of the rules' answers that are no deadline: a date that does
// not read is told once, not once a rule; what one rule alone refuses is
// told with its key.
std::vector<std::string> RuleMessages(const std::vector<const StatutoryRule*>& rules,
                                      const std::vector<Outcome<PeriodEnd>>& ends) {
    std::vector<std::string> messages;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        if (std::holds_alternative<PeriodEnd>(ends[i])) {
            continue;
        }
        const std::string message = AnswerText(ends[i], [](const PeriodEnd&) { return ""; });
        const bool dateWrong = ends[i] == Outcome<PeriodEnd>(WrongInput::Date);
        std::string line =
            rules.size() == 1 || dateWrong ? message : std::string(rules[i]->key) + ": " + message;
        if (std::find(messages.begin(), messages.end(), line) == messages.end()) {
            messages.push_back(std::move(line));
        }
    }
    return messages;
}

std::vector<Outcome<PeriodEnd>> RuleDeadlines(const std::vector<const StatutoryRule*>& rules,
                                              std::string_view date, ClosedDayCalendar& calendar) {
    std::vector<Outcome<PeriodEnd>> ends;
    for (const StatutoryRule* rule : rules) {
        ends.push_back(DeadlineByRule(*rule, date, calendar));
    }
    return ends;
}

CalendarAnswers RuleCalendarAnswers(const Request& request,
                                    const std::vector<const StatutoryRule*>& rules,
                                    std::string_view date, ClosedDayCalendar& calendar) {
    const std::vector<Outcome<PeriodEnd>> ends = RuleDeadlines(rules, date, calendar);
    CalendarAnswers answers{{}, RuleMessages(rules, ends)};
    for (const Outcome<PeriodEnd>& end : ends) {
        if (std::optional<DeadlineEvent> event = DeadlineEventOf(date, "", request.caseText, end)) {
            answers.events.push_back(*std::move(event));
        }
    }
    return answers;
}

// One question's calendar, after the messages of what gave no deadline; no
// deadline, no calendar.
ExitStatus WriteCalendar(const Request& request, const CalendarAnswers& answers,
                         const StandardStreams& streams) {
    for (const std::string& message : answers.messages) {
        Complain(streams.errors, message);
    }
    return WriteRecordsText(answers.messages.empty(),
                            CalendarText(answers.events, request.icalendarSettings), streams);
}

// A batch as one calendar: each line's events go out whole as they are
// answered, so that a run killed on the way leaves no half of one, and the
// calendar's end after the last. A line with no deadline is told on
// standard error with its number.
template <class AnswerLine>
ExitStatus RunCalendarBatch(const Request& request, const StandardStreams& streams,
                            AnswerLine answerLine) {
    CalendarWriter writer(request.icalendarSettings);
    std::size_t lineNumber = 0;  // each line is answered once, in order
    const LineAnswer answer = [&](std::string_view line, OutputBuffer& output) {
        ++lineNumber;
        const CalendarAnswers answers = answerLine(line);
        for (const DeadlineEvent& event : answers.events) {
            bool written = false;
            output.WriteWith([&](std::string& out) {
                const std::size_t before = out.size();
                writer.AppendEvent(out, event);
                written = out.size() > before;
                if (written) {
                    out.pop_back();  // the line feed EndLine adds
                }
            });
            if (written) {
                output.EndLine();
            }
        }
        if (!answers.messages.empty()) {
            output.Flush();  // keeps the events before the message on a shared terminal
        }
        for (const std::string& message : answers.messages) {
            Complain(streams.errors, Translated("standard input") + ":" +
                                         std::to_string(lineNumber) + ": " + message);
        }
        return answers.messages.empty();
    };
    return RunBatches(kStandardInput, request.encoding, answer, streams, {},
                      [&writer](OutputBuffer& output) {
                          output.WriteWith([&writer](std::string& out) { writer.AppendEnd(out); });
                      });
}

ExitStatus RunCalculation(Operands operands, const Request& request,
                          const StandardStreams& streams) {
    const Form form = request.longForm ? Form::Long : Form::Short;
    const Outcome<CalendarDate> outcome = Calculate(operands[0], operands[1]);
    return WriteOne(
        request, outcome, [form](CalendarDate end) { return EndDateText(end, form); },
        CalculationRecord(operands[0], operands[1], outcome), streams);
}

ExitStatus RunCalculationBatch(Operands operands, const Request& request,
                               const StandardStreams& streams) {
    const LineAnswer answer = [&](std::string_view line, OutputBuffer& output) {
        if (!request.format) {
            return AnswerLine(line, output, request.longForm);
        }
        // Named, not bound: a lambda below uses them.
        const std::pair<std::string_view, std::string_view> texts = SplitAtTab(line);
        const std::string_view start = texts.first;
        const std::string_view count = texts.second;
        const Outcome<CalendarDate> outcome = Calculate(start, count);
        WriteRecord(output, *request.format,
                    [&](auto& fields) { CalculationFields(fields, start, count, outcome); });
        output.EndLine();
        return std::holds_alternative<CalendarDate>(outcome);
    };
    return RunBatches(operands.empty() ? kStandardInput : operands, request.encoding, answer,
                      streams,
                      BatchHeader(request, CalculationRecord("", "", WrongInput::StartDate)));
}

// The calendar the request chose, with the user's own closed days; null
// after complaining when a closed-day file does not read.
std::unique_ptr<ClosedDayCalendar> CalendarFor(const Request& request,
                                               const StandardStreams& streams) {
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string_view>(value) : std::nullopt;
    };
    auto built = CalendarWithOwnDays(request.calendar, request.closedFiles,
                                     variable("XDG_CONFIG_HOME"), variable("HOME"));
    if (auto* error = std::get_if<ClosedDayFileError>(&built)) {
        Complain(streams.errors, ErrorText(*error));
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<ClosedDayCalendar>>(built));
}

// Runs answer with the calendar the request chose, or ends with status 3
// after CalendarFor complained about a closed-day file.
template <class Answer>
ExitStatus WithCalendar(const Request& request, const StandardStreams& streams, Answer answer) {
    const std::unique_ptr<ClosedDayCalendar> calendar = CalendarFor(request, streams);
    return calendar ? answer(*calendar) : ExitStatus::InputFailed;
}

ExitStatus RunDeadline(Operands operands, const Request& request, const StandardStreams& streams) {
    return WithCalendar(request, streams, [&](ClosedDayCalendar& calendar) {
        if (request.icalendar) {
            return WriteCalendar(
                request, DeadlineCalendarAnswers(request, operands[0], operands[1], calendar),
                streams);
        }
        const Outcome<PeriodEnd> outcome =
            Deadline(operands[0], operands[1], request.rules, calendar);
        return WriteOne(request, outcome, PeriodEndWriter(request),
                        DeadlineRecord(operands[0], operands[1], outcome), streams);
    });
}

ExitStatus RunDeadlineBatch(Operands, const Request& request, const StandardStreams& streams) {
    return WithCalendar(request, streams, [&](ClosedDayCalendar& calendar) {
        if (request.icalendar) {
            return RunCalendarBatch(request, streams, [&](std::string_view line) {
                const auto [start, period] = SplitAtTab(line);
                return DeadlineCalendarAnswers(request, start, period, calendar);
            });
        }
        const LineAnswer answer = [&](std::string_view line, OutputBuffer& output) {
            const std::pair<std::string_view, std::string_view> texts = SplitAtTab(line);
            const std::string_view start = texts.first;
            const std::string_view period = texts.second;
            const Outcome<PeriodEnd> end = Deadline(start, period, request.rules, calendar);
            if (request.format) {
                WriteRecord(output, *request.format,
                            [&](auto& fields) { DeadlineFields(fields, start, period, end); });
            } else {
                output.WriteWith([&](std::string& out) {
                    AppendAnswerText(
                        out, end, [&request](std::string& text, const PeriodEnd& value) {
                            AppendPeriodEndText(text, value,
                                                request.longForm ? Form::Long : Form::Short);
                        });
                });
            }
            output.EndLine();
            return std::holds_alternative<PeriodEnd>(end);
        };
        return RunBatches(kStandardInput, request.encoding, answer, streams,
                          BatchHeader(request, DeadlineRecord("", "", WrongInput::StartDate)));
    });
}

// The rules --rule names, in order; empty after a usage error about a name
// that names no rule or more than one.
std::vector<const StatutoryRule*> RulesOf(const Request& request, const StandardStreams& streams) {
    std::vector<const StatutoryRule*> rules;
    for (const std::string_view name : request.ruleNames) {
        const std::vector<const StatutoryRule*> named = RulesNamed(name);
        if (named.size() == 1) {
            rules.push_back(named.front());
            continue;
        }
        if (named.empty()) {
            UsageError(streams.errors,
                       Filled(Translated("no rule is named '{}'; 'torvelin-calc rules' lists them"),
                              {name}));
            return {};
        }
        std::string keys;
        for (const StatutoryRule* rule : named) {
            keys += (keys.empty() ? "" : ", ") + std::string(rule->key) + " (" +
                    std::string(rule->name) + ")";
        }
        UsageError(streams.errors,
                   Filled(Translated("'{}' names more than one rule: {}"), {name, keys}));
        return {};
    }
    return rules;
}

// Writes one answer to a rule: a record, or the end date as --long asks.
void WriteRuleAnswer(OutputBuffer& output, const Request& request, const StatutoryRule& rule,
                     std::string_view date, const Outcome<PeriodEnd>& end) {
    if (request.format) {
        WriteRecord(output, *request.format,
                    [&](auto& fields) { RuleDeadlineFields(fields, rule, date, end); });
    } else {
        output.WriteWith([&](std::string& out) {
            AppendAnswerText(out, end, [&request](std::string& text, const PeriodEnd& value) {
                AppendPeriodEndText(text, value, request.longForm ? Form::Long : Form::Short);
            });
        });
    }
    output.EndLine();
}

ExitStatus RunRuleDeadline(Operands operands, const Request& request,
                           const StandardStreams& streams) {
    const std::vector<const StatutoryRule*> rules = RulesOf(request, streams);
    if (rules.empty()) {
        return ExitStatus::UsageError;
    }
    return WithCalendar(request, streams, [&](ClosedDayCalendar& calendar) {
        if (request.icalendar) {
            return WriteCalendar(
                request, RuleCalendarAnswers(request, rules, operands[0], calendar), streams);
        }
        const std::vector<Outcome<PeriodEnd>> ends = RuleDeadlines(rules, operands[0], calendar);
        const bool allResults = std::all_of(
            ends.begin(), ends.end(),
            [](const Outcome<PeriodEnd>& end) { return std::holds_alternative<PeriodEnd>(end); });
        OutputBuffer output(streams.output);
        if (request.format) {
            output.Write(
                HeaderLine(RuleDeadlineRecord(*rules.front(), "", ends.front()), *request.format));
        }
        for (std::size_t i = 0; i < rules.size(); ++i) {
            if (request.format || std::holds_alternative<PeriodEnd>(ends[i])) {
                WriteRuleAnswer(output, request, *rules[i], operands[0], ends[i]);
            }
        }
        if (!request.format) {
            for (const std::string& message : RuleMessages(rules, ends)) {
                Complain(streams.errors, message);
            }
        }
        return Finish(output, streams.errors,
                      allResults ? ExitStatus::AllResults : ExitStatus::SomeNotComputed);
    });
}

ExitStatus RunRuleDeadlineBatch(Operands, const Request& request, const StandardStreams& streams) {
    const std::vector<const StatutoryRule*> rules = RulesOf(request, streams);
    if (rules.empty()) {
        return ExitStatus::UsageError;
    }
    return WithCalendar(request, streams, [&](ClosedDayCalendar& calendar) {
        if (request.icalendar) {
            return RunCalendarBatch(request, streams, [&](std::string_view line) {
                return RuleCalendarAnswers(request, rules, line, calendar);
            });
        }
        const LineAnswer answer = [&](std::string_view line, OutputBuffer& output) {
            bool allResults = true;
            for (const StatutoryRule* rule : rules) {
                const Outcome<PeriodEnd> end = DeadlineByRule(*rule, line, calendar);
                WriteRuleAnswer(output, request, *rule, line, end);
                allResults &= std::holds_alternative<PeriodEnd>(end);
            }
            return allResults;
        };
        const std::string header =
            request.format ? HeaderLine(RuleDeadlineRecord(*rules.front(), "", WrongInput::Date),
                                        *request.format)
                           : std::string();
        return RunBatches(kStandardInput, request.encoding, answer, streams, header);
    });
}

ExitStatus RunRules(Operands operands, const Request& request, const StandardStreams& streams) {
    const std::string_view word = operands.empty() ? std::string_view() : operands[0];
    const std::vector<const StatutoryRule*> rules = RulesMatching(word);
    if (rules.empty()) {
        Complain(streams.errors, Filled(Translated("no rule holds '{}'"), {word}));
        return ExitStatus::SomeNotComputed;
    }
    if (!request.format) {
        return WriteAnswerText(true, RuleListText(rules), streams);
    }
    const std::vector<Record> records = RuleRecords(rules);
    std::string text = HeaderLine(records.front(), *request.format);
    for (const Record& record : records) {
        text += RecordLine(record, *request.format);
    }
    return WriteRecordsText(true, text, streams);
}

ExitStatus RunDays(Operands operands, const Request& request, const StandardStreams& streams) {
    return WithCalendar(request, streams, [&](ClosedDayCalendar& calendar) {
        const Outcome<std::int64_t> outcome = DaysFromTo(
            operands[0], operands[1], request.rules.firstDay.value_or(FirstDay::Excluded),
            request.daysCounted, calendar);
        return WriteOne(request, outcome, DayCountText,
                        DaysRecord(operands[0], operands[1], outcome), streams);
    });
}

ExitStatus RunHolidays(Operands operands, const Request& request, const StandardStreams& streams) {
    HolidayCalendar calendar;
    const std::optional<std::string_view> lastYear =
        operands.size() == 2 ? std::optional(operands[1]) : std::nullopt;
    const Outcome<std::vector<Holiday>> outcome = HolidaysOfYears(operands[0], lastYear, calendar);
    const auto* holidays = std::get_if<std::vector<Holiday>>(&outcome);
    if (!request.format || !holidays) {
        return WriteAnswer(outcome, HolidayListText, streams);
    }
    // No holidays, no lines: not even the header, as without --format.
    const std::vector<Record> records = HolidayRecords(*holidays);
    std::string text = records.empty() ? "" : HeaderLine(records.front(), *request.format);
    for (const Record& record : records) {
        text += RecordLine(record, *request.format);
    }
    return WriteRecordsText(true, text, streams);
}

ExitStatus RunInfo(Operands operands, const Request& request, const StandardStreams& streams) {
    return WithCalendar(request, streams, [&](ClosedDayCalendar& calendar) {
        const Outcome<DayFacts> outcome = DayInfo(operands[0], calendar);
        return WriteOne(request, outcome, DayInfoText, InfoRecord(operands[0], outcome), streams);
    });
}

ExitStatus RunDue(Operands operands, const Request& request, const StandardStreams& streams) {
    return WithCalendar(request, streams, [&](ClosedDayCalendar& calendar) {
        const Outcome<PeriodEnd> outcome = DueDate(operands[0], calendar);
        return WriteOne(request, outcome, PeriodEndWriter(request), DueRecord(operands[0], outcome),
                        streams);
    });
}

// Today in the local time zone, as a day number.
std::int64_t Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DayNumberFromCivil({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

// When a calendar is written: SOURCE_DATE_EPOCH's time when set, else now.
std::optional<std::int64_t> CreationTimeNow() {
    const char* variable = std::getenv("SOURCE_DATE_EPOCH");
    return CalendarCreationTime(variable ? std::optional<std::string_view>(variable) : std::nullopt,
                                static_cast<std::int64_t>(std::time(nullptr)));
}

ExitStatus RunAge(Operands operands, const Request& request, const StandardStreams& streams) {
    if (!request.reach.empty()) {
        const Outcome<std::int64_t> day = DayAgeReached(operands[0], request.reach);
        if (operands.size() != 1) {
            return UsageError(streams.errors, Translated("age --reach=AGE takes BIRTH alone"));
        }
        return WriteOne(request, day, DayText, ReachRecord(operands[0], request.reach, day),
                        streams);
    }
    const std::optional<std::string_view> date =
        operands.size() == 2 ? std::optional(operands[1]) : std::nullopt;
    const Outcome<std::int64_t> age = AgeOnDate(operands[0], date, Today());
    return WriteOne(request, age, DayCountText, AgeRecord(operands[0], date.value_or(""), age),
                    streams);
}

using enum Option;

constexpr CommandForm kForms[] = {
    {"", Translatable("START COUNT"), "", {Long, Format}, StartAndCount, RunCalculation},
    {"", Translatable("[FILE]..."), "", {Encoding, Long, Format}, AnyOperands, RunCalculationBatch},
    {"deadline",
     Translatable("START PERIOD"),
     Translatable("the last day of PERIOD from START: 10日 (10日間),\n"
                  "2週間, 3か月 (ヶ月, ケ月, カ月, 箇月, 3月), 1年,\n"
                  "1年6か月, 5営業日 (開庁日), 48時間, or 10d, 2w, 3m,\n"
                  "1y, 5b, 48h; the count also in kanji (十四日). The\n"
                  "first day is left out unless START is written at\n"
                  "0:00; a period in weeks, months or years ends on\n"
                  "the day before the day that corresponds to its\n"
                  "start (the month's last day where there is none);\n"
                  "an end on a Saturday, Sunday, national holiday or\n"
                  "12/29 to 1/3 moves to the next day that is none\n"
                  "of these (art. 142); open days are counted on the\n"
                  "same calendar; hours run from START's time and\n"
                  "never move. With --before, counted back from START\n"
                  "(a closed answer stays unless --closed is given)."),
     {Long, Format, FirstDay, Closed, ClosedFile, Before, Case, Remind},
     TwoOperands,
     RunDeadline},
    {"deadline",
     "",
     Translatable("answers START<TAB>PERIOD lines from standard\n"
                  "input, one line each"),
     {Encoding, Long, Format, FirstDay, Closed, ClosedFile, Before, Case, Remind},
     NoOperand,
     RunDeadlineBatch},
    {"deadline",
     Translatable("--rule=KEY DATE"),
     Translatable("the deadline of the statutory period KEY from\n"
                  "DATE, the day of the event that starts it (判決書の\n"
                  "送達を受けた日): the rule fixes the period, the\n"
                  "direction, how the first day counts and what\n"
                  "moves the end; --closed-file still adds closed\n"
                  "days. 'torvelin-calc rules' lists the rules"),
     {Long, Format, ClosedFile, Rule, Case, Remind},
     OneOperand,
     RunRuleDeadline,
     true},
    {"deadline",
     Translatable("--rule=KEY"),
     Translatable("answers one DATE a line from standard input, one\n"
                  "line each for each rule"),
     {Encoding, Long, Format, ClosedFile, Rule, Case, Remind},
     NoOperand,
     RunRuleDeadlineBatch,
     true},
    {"rules",
     Translatable("[WORD]"),
     Translatable("the statutory periods, one line each: key, name,\n"
                  "event, period, how the first day counts, what moves\n"
                  "the end, and the act and article; with WORD, those\n"
                  "whose key, name, event or act holds it"),
     {Format},
     NoOrOneOperand,
     RunRules},
    {"days",
     Translatable("FROM TO"),
     Translatable("the number of days from FROM to TO: TO counted,\n"
                  "FROM too with --first-day=included; negative when\n"
                  "TO comes before FROM"),
     {Format, FirstDay, OpenDays, Closed, ClosedFile},
     TwoOperands,
     RunDays},
    {"holidays",
     Translatable("YEAR [LAST_YEAR]"),
     Translatable("every national holiday of those years, one\n"
                  "yyyy/mm/dd<TAB>NAME line each, in date order"),
     {Format},
     OneOrTwoOperands,
     RunHolidays},
    {"info",
     Translatable("DATE"),
     Translatable("the date, its weekday, its era date, and whether\n"
                  "courts and offices are open (開庁日) or closed\n"
                  "(閉庁日) that day, and why"),
     {Format, Closed, ClosedFile},
     OneOperand,
     RunInfo},
    {"due",
     Translatable("DATE"),
     Translatable("DATE, or the next open day when courts and offices\n"
                  "are closed on it, as a due date moves (General Act\n"
                  "on National Taxes art. 10(2))"),
     {Long, Format, Closed, ClosedFile},
     OneOperand,
     RunDue},
    {"age",
     Translatable("BIRTH [DATE]"),
     Translatable("the age on DATE (today by default), counted from\n"
                  "the day of birth as the Act on Age Calculation\n"
                  "does: a year of age is reached at the end of the\n"
                  "day before each birthday. With --reach=AGE, the day\n"
                  "at whose end AGE is reached"),
     {Format, Reach},
     OneOrTwoOperands,
     RunAge},
};

bool IsCommandName(std::string_view word) {
    return !word.empty() && std::any_of(std::begin(kForms), std::end(kForms),
                                        [&](const CommandForm& form) { return form.name == word; });
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
    return label.append(form.operands.empty() ? "" : Translated(form.operands));
}

ExitStatus RunRequest(const Request& request, const StandardStreams& streams) {
    Operands operands = request.operands;
    std::string_view name;
    if (!operands.empty() && IsCommandName(operands[0])) {
        name = operands[0];
        operands = operands.subspan(1);
    }
    const bool byRule = !request.ruleNames.empty();
    const auto fits = [&](const CommandForm& candidate) {
        return candidate.name == name && candidate.fits(operands);
    };
    auto form =
        std::find_if(std::begin(kForms), std::end(kForms), [&](const CommandForm& candidate) {
            return fits(candidate) && candidate.byRule == byRule;
        });
    if (form == std::end(kForms) && byRule) {
        // The form the operands call without --rule, so that the message
        // names the option that does not apply.
        form = std::find_if(std::begin(kForms), std::end(kForms), fits);
    }
    if (byRule && form != std::end(kForms) && form->name == "deadline" && !form->byRule) {
        return UsageError(
            streams.errors,
            Translated("--rule fixes the period: deadline --rule=KEY takes DATE alone"));
    }
    if (form == std::end(kForms)) {
        return UsageError(streams.errors,
                          Filled(Translated("wrong number of operands for {}"), {name}));
    }
    for (const Option option : request.given) {
        if (!form->options.Has(option)) {
            return UsageError(streams.errors,
                              Filled(Translated("option '{}' does not apply to {}"),
                                     {OptionRowOf(option).longName, FormLabel(*form)}));
        }
    }
    if (request.icalendar && form->name != "deadline") {
        return UsageError(streams.errors, Translated("--format=ics applies to deadline only"));
    }
    const bool calendarOptions =
        std::find_if(request.given.begin(), request.given.end(), [](Option option) {
            return option == Option::Case || option == Option::Remind;
        }) != request.given.end();
    if (calendarOptions && !request.icalendar) {
        return UsageError(streams.errors,
                          Translated("--case and --remind apply only with --format=ics"));
    }
    if (request.longForm && (request.format || request.icalendar)) {
        return UsageError(streams.errors,
                          Translated("--long and --format cannot be given together"));
    }
    if (!request.icalendar) {
        return form->run(operands, request, streams);
    }
    const std::optional<std::int64_t> created = CreationTimeNow();
    if (!created) {
        return UsageError(
            streams.errors,
            Filled(Translated("SOURCE_DATE_EPOCH holds no time of 1970 to 9999 in seconds: '{}'"),
                   {std::getenv("SOURCE_DATE_EPOCH")}));
    }
    Request stamped = request;
    stamped.icalendarSettings.createdAt = *created;
    return form->run(operands, stamped, streams);
}

}  // namespace torvelin
