// SPDX-License-Identifier: MIT
// The web page's calls into the core: each takes what the user typed (UTF-8)
// and answers with one JSON object, every date and text in it written by the
// core, so that the page only shows them. Each answer is a string the caller
// frees with free(). Only the last calendar is kept from one call to the
// next, and only to be quicker: the answers are those of a fresh one.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <emscripten/emscripten.h>

#include "calc/calculate.h"
#include "calc/date_text.h"
#include "calc/era_date.h"
#include "calc/weekday.h"
#include "format/answer_records.h"
#include "format/answer_text.h"
#include "format/deadline_question.h"
#include "format/icalendar.h"
#include "format/record_text.h"
#include "law/closed_day_file.h"
#include "law/statutory_rules.h"

namespace torvelin {
namespace {

// A JSON object written member by member.
class JsonObject {
public:
    JsonObject& Text(std::string_view name, std::string_view value) {
        Key(name);
        out_ += '"';
        const std::size_t start = out_.size();
        out_ += value;
        // The core's escaping and UTF-8 repair, as its JSON records have them.
        if (CarefreeLength(value, RecordFormat::Json) != value.size()) {
            RewriteWithCare(out_, start, RecordFormat::Json);
        }
        out_ += '"';
        return *this;
    }
    JsonObject& Number(std::string_view name, std::int64_t value) {
        Key(name);
        out_ += std::to_string(value);
        return *this;
    }
    JsonObject& Bool(std::string_view name, bool value) {
        Key(name);
        out_ += value ? "true" : "false";
        return *this;
    }
    // A value already written as JSON.
    JsonObject& Raw(std::string_view name, std::string_view json) {
        Key(name);
        out_ += json;
        return *this;
    }
    std::string Done() {
        out_ += '}';
        return std::move(out_);
    }

private:
    void Key(std::string_view name) {
        out_ += out_.size() > 1 ? ",\"" : "\"";
        out_ += name;
        out_ += "\":";
    }
    std::string out_ = "{";
};

std::string JsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (const std::string& item : items) {
        out += out.size() > 1 ? "," : "";
        out += item;
    }
    return out + ']';
}

// A JSON record line of the core's without its line end.
std::string JsonRecord(const Record& record) {
    std::string line = RecordLine(record, RecordFormat::Json);
    line.pop_back();
    return line;
}

char* Returned(const std::string& json) {
    char* text = static_cast<char*>(std::malloc(json.size() + 1));
    if (text) {
        std::memcpy(text, json.c_str(), json.size() + 1);
    }
    return text;
}

// The page's choices, in the order of its selects.
constexpr PeriodUnit kUnits[] = {PeriodUnit::Days,  PeriodUnit::Weeks,    PeriodUnit::Months,
                                 PeriodUnit::Years, PeriodUnit::OpenDays, PeriodUnit::Hours};
constexpr std::optional<FirstDay> kFirstDays[] = {std::nullopt, FirstDay::Included,
                                                  FirstDay::Excluded};
constexpr CalendarKind kCalendars[] = {CalendarKind::Court, CalendarKind::Bank, CalendarKind::None};

template <class Choice, std::size_t N>
Choice Chosen(const Choice (&choices)[N], int index) {
    return choices[index >= 0 && static_cast<std::size_t>(index) < N ? index : 0];
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// The one rule a text names, or null.
const StatutoryRule* RuleOf(std::string_view text) {
    const std::vector<const StatutoryRule*> named = RulesNamed(text);
    return named.size() == 1 ? named.front() : nullptr;
}

// Which field of the page a wrong input was typed in.
std::string_view FieldOf(WrongInput input) {
    switch (input) {
        case WrongInput::TimeOfDay:
            return "time";
        case WrongInput::Period:
            return "period";
        default:
            return "start";
    }
}

// One letter a day: outside, the known day, counted, passed over, the end.
char MarkLetter(DayMark mark) {
    switch (mark) {
        case DayMark::Known:
            return 'k';
        case DayMark::Counted:
            return 'c';
        case DayMark::PassedOver:
            return 'p';
        case DayMark::End:
            return 'e';
        case DayMark::Outside:
            break;
    }
    return '-';
}

// The months of the answer, each with its title, the weekday its first day
// falls on (0 for Sunday), its days' marks as MarkLetter writes them, and
// the description of each closed day by its index in the month.
std::string MonthsJson(const std::vector<MarkedMonth>& months, ClosedDayCalendar& calendar) {
    std::vector<std::string> shown;
    for (const MarkedMonth& month : months) {
        const std::int64_t dayOne = DayNumberFromCivil({month.year, month.month, 1});
        std::string marks;
        JsonObject closed;
        for (int day = 0; day < DaysInMonth(month.year, month.month); ++day) {
            marks += MarkLetter(month.marks[day]);
            if (month.closed[day]) {
                closed.Text(std::to_string(day),
                            DayDescription(FactsOfDay(dayOne + day, calendar)));
            }
        }
        shown.push_back(JsonObject()
                            .Text("title", std::to_string(month.year) + "年" +
                                               std::to_string(month.month) + "月")
                            .Number("firstWeekday", static_cast<int>(WeekdayOf(dayOne)))
                            .Text("marks", marks)
                            .Raw("closed", closed.Done())
                            .Done());
    }
    return JsonArray(shown);
}

// A deadline of a case's list as a record: the case, then the fields of a rule
// deadline; a period the user gave has no key, name, article or move.
Record CaseRecord(std::string_view caseText, const DeadlineQuestion& question,
                  const Outcome<PeriodEnd>& end) {
    Record record = question.rule
                        ? RuleDeadlineRecord(*question.rule, StartTextOf(question), end)
                        : DeadlineRecord(StartTextOf(question), PeriodTextOf(question), end);
    if (!question.rule) {
        const std::size_t statusAt = record.size() - 2;
        record.insert(record.begin() + static_cast<std::ptrdiff_t>(statusAt),
                      Field{"move", std::nullopt, FieldText::Plain});
        for (const char* name : {"article", "name", "key"}) {
            record.insert(record.begin(), Field{name, std::nullopt, FieldText::Plain});
        }
    }
    record.insert(record.begin(), Field{"case", std::string(caseText), FieldText::Any});
    return record;
}

// A question as the page asks it: the deadline window's, with the user's
// closed-day file and the case.
struct PageQuestion {
    DeadlineQuestion question;
    std::string_view closedDays;      // the file's bytes
    std::string_view closedFileName;  // empty: no file
    std::string_view caseText;
};

// The question's answer with the calendar it was counted on, which its
// reasons point into; or why the closed-day file does not read.
struct Counted {
    std::shared_ptr<ClosedDayCalendar> calendar;
    DeadlineAnswer answer;
    std::optional<ClosedDayFileError> fileError;
};

// The calendar of the last question, kept for the next: working out a year's
// closed days takes far longer than a deadline, and a user types question
// after question on one calendar. The same kind and file is the same calendar.
struct KeptCalendar {
    CalendarKind kind = CalendarKind::Court;
    std::string fileName;
    std::string fileText;
    std::shared_ptr<ClosedDayCalendar> calendar;
};

std::variant<std::shared_ptr<ClosedDayCalendar>, ClosedDayFileError> CalendarOf(
    CalendarKind kind, std::string_view fileName, std::string_view fileText) {
    static KeptCalendar kept;
    if (kept.calendar && kept.kind == kind && kept.fileName == fileName &&
        kept.fileText == fileText) {
        return kept.calendar;
    }
    std::vector<OwnClosedDays> ownDays;
    if (!fileName.empty()) {
        ClosedDayFileResult read = ReadClosedDayText(fileText, fileName);
        if (auto* error = std::get_if<ClosedDayFileError>(&read)) {
            return std::move(*error);
        }
        ownDays = std::move(std::get<std::vector<OwnClosedDays>>(read));
    }
    kept = {kind, std::string(fileName), std::string(fileText),
            std::make_shared<ClosedDayCalendar>(kind, std::move(ownDays))};
    return kept.calendar;
}

Counted Count(const PageQuestion& asked) {
    const DeadlineQuestion& question = asked.question;
    // A rule counts on the courts' calendar with the user's own days.
    auto calendar = CalendarOf(question.rule ? CalendarKind::Court : question.calendar,
                               asked.closedFileName, asked.closedDays);
    Counted counted;
    if (auto* error = std::get_if<ClosedDayFileError>(&calendar)) {
        counted.fileError = std::move(*error);
        return counted;
    }
    counted.calendar = std::get<std::shared_ptr<ClosedDayCalendar>>(std::move(calendar));
    counted.answer = AnswerTo(question, *counted.calendar);
    return counted;
}

std::optional<DeadlineEvent> EventOf(const PageQuestion& asked, const Outcome<PeriodEnd>& end) {
    const DeadlineQuestion& question = asked.question;
    return DeadlineEventOf(StartTextOf(question), question.rule ? "" : PeriodTextOf(question),
                           asked.caseText, end);
}

std::string DeadlineJson(const PageQuestion& asked) {
    JsonObject json;
    const Counted counted = Count(asked);
    if (counted.fileError) {
        // No answer while the file of closed days does not read.
        return json.Text("status", "file")
            .Text("field", "closedFile")
            .Text("message", ErrorText(*counted.fileError))
            .Done();
    }
    const DeadlineQuestion& question = asked.question;
    const DeadlineAnswer& answer = counted.answer;
    json.Text("start", StartTextOf(question)).Text("period", PeriodTextOf(question));
    if (const auto* wrong = std::get_if<WrongInput>(&answer.end)) {
        const std::string_view field = FieldOf(*wrong);
        // A field not yet typed in is not wrong, only unanswered.
        const bool blank = field == "start"    ? IsBlank(question.startText)
                           : field == "period" ? IsBlank(question.countText) && !question.rule
                                               : false;
        return json.Text("status", "input")
            .Text("field", field)
            .Text("message", blank ? std::string_view() : MessageFor(*wrong))
            .Done();
    }
    if (const auto* error = std::get_if<ErrorNumber>(&answer.end)) {
        return json.Text("status", "error").Text("message", ErrorLine(*error)).Done();
    }
    const PeriodEnd& end = std::get<PeriodEnd>(answer.end);
    const std::string description = DayDescription(FactsOfDay(end.day, *counted.calendar));
    const std::size_t afterDate = description.find("\u3000");
    return json.Text("status", "ok")
        .Text("end", EndDateCopyText(end))
        .Text("details", afterDate == std::string::npos ? "" : description.substr(afterDate + 3))
        .Text("rule", end.rule ? RuleTitle(*end.rule) : "")
        .Text("key", end.rule ? end.rule->key : "")
        .Text("article", end.rule ? end.rule->article : "")
        .Text("quote", end.rule ? end.rule->quote : "")
        .Text("counting", CountingRuleText(end))
        .Text("moved", ClosedDayText(end))
        .Text("notes", JoinedWithDots(end.notes))
        .Text("days", PeriodDaysText(answer))
        .Text("line", PeriodEndText(end, Form::Long))
        .Raw("months", MonthsJson(answer.months, *counted.calendar))
        .Done();
}

// The files of an answer, as torvelin-calc writes them: its CSV record with
// the header, the line of a case's list and that list's header, and a
// calendar file with its event (empty without a deadline).
std::string FilesJson(const PageQuestion& asked, std::int64_t createdAt) {
    const Counted counted = Count(asked);
    if (counted.fileError) {
        return JsonObject().Text("status", "file").Done();
    }
    const DeadlineQuestion& question = asked.question;
    const Outcome<PeriodEnd>& end = counted.answer.end;
    const Record record = question.rule
                              ? RuleDeadlineRecord(*question.rule, StartTextOf(question), end)
                              : DeadlineRecord(StartTextOf(question), PeriodTextOf(question), end);
    const Record listRecord = CaseRecord(asked.caseText, question, end);
    std::vector<DeadlineEvent> events;
    if (std::optional<DeadlineEvent> event = EventOf(asked, end)) {
        events.push_back(*std::move(event));
    }
    CalendarSettings settings;
    settings.createdAt = createdAt;
    return JsonObject()
        .Text("status", std::holds_alternative<PeriodEnd>(end) ? "ok" : "input")
        .Text("csv", HeaderLine(record, RecordFormat::Csv) + RecordLine(record, RecordFormat::Csv))
        .Text("listHeader", HeaderLine(listRecord, RecordFormat::Csv))
        .Text("listRecord", RecordLine(listRecord, RecordFormat::Csv))
        .Text("ics", CalendarText(events, settings))
        .Done();
}

// The page's question from the arguments of a call: unit, direction,
// firstDay and calendar are the indexes of the page's selects; a rule (a key
// or a name that names one) fixes the period, direction, first day and
// calendar.
PageQuestion QuestionOf(const char* start, const char* time, const char* count, int unit,
                        int direction, int firstDay, int calendar, const char* rule,
                        const char* closedDays, int closedDaysSize, const char* closedFileName,
                        const char* caseText) {
    PageQuestion asked;
    DeadlineQuestion& question = asked.question;
    question.startText = start;
    question.timeText = time;
    question.countText = count;
    question.unit = Chosen(kUnits, unit);
    question.direction = direction == 1 ? Direction::Before : Direction::After;
    question.firstDay = Chosen(kFirstDays, firstDay);
    question.calendar = Chosen(kCalendars, calendar);
    question.hasClosedDayFiles = *closedFileName != '\0';
    question.rule = *rule ? RuleOf(rule) : nullptr;
    asked.closedDays = std::string_view(closedDays, static_cast<std::size_t>(closedDaysSize));
    asked.closedFileName = closedFileName;
    asked.caseText = caseText;
    return asked;
}

}  // namespace

// A calendar file of a case's list, written event by event as the page
// hands the list's questions over.
struct ListCalendar {
    CalendarWriter writer;
    std::string text;
};

}  // namespace torvelin

using namespace torvelin;

extern "C" {

// The deadline window's question, as QuestionOf reads it; the closed-day
// file's bytes are read as torvelin-calc reads them when a name is given.
EMSCRIPTEN_KEEPALIVE char* torvelin_deadline(const char* start, const char* time, const char* count,
                                             int unit, int direction, int firstDay, int calendar,
                                             const char* rule, const char* closedDays,
                                             int closedDaysSize, const char* closedFileName,
                                             const char* caseText) {
    try {
        return Returned(
            DeadlineJson(QuestionOf(start, time, count, unit, direction, firstDay, calendar, rule,
                                    closedDays, closedDaysSize, closedFileName, caseText)));
    } catch (const RuntimeError& error) {
        return Returned(
            JsonObject().Text("status", "error").Text("message", ErrorLine(error.Number())).Done());
    }
}

// The same question's files, written when the user asks for them rather than
// on every recalculation; createdAt (UTC seconds) stamps the calendar file.
EMSCRIPTEN_KEEPALIVE char* torvelin_deadline_files(const char* start, const char* time,
                                                   const char* count, int unit, int direction,
                                                   int firstDay, int calendar, const char* rule,
                                                   const char* closedDays, int closedDaysSize,
                                                   const char* closedFileName, const char* caseText,
                                                   double createdAt) {
    try {
        return Returned(
            FilesJson(QuestionOf(start, time, count, unit, direction, firstDay, calendar, rule,
                                 closedDays, closedDaysSize, closedFileName, caseText),
                      static_cast<std::int64_t>(createdAt)));
    } catch (const RuntimeError& error) {
        return Returned(JsonObject().Text("status", "error").Done());
    }
}

// The calendar file of a list: opened, a question added for each entry (one
// with no deadline adds nothing), then closed, which gives its text (empty
// for no event) and frees the writer.
EMSCRIPTEN_KEEPALIVE ListCalendar* torvelin_calendar_open(double createdAt) {
    CalendarSettings settings;
    settings.createdAt = static_cast<std::int64_t>(createdAt);
    return new ListCalendar{CalendarWriter(std::move(settings)), {}};
}

EMSCRIPTEN_KEEPALIVE void torvelin_calendar_add(ListCalendar* list, const char* start,
                                                const char* time, const char* count, int unit,
                                                int direction, int firstDay, int calendar,
                                                const char* rule, const char* closedDays,
                                                int closedDaysSize, const char* closedFileName,
                                                const char* caseText) {
    const PageQuestion asked =
        QuestionOf(start, time, count, unit, direction, firstDay, calendar, rule, closedDays,
                   closedDaysSize, closedFileName, caseText);
    try {
        const Counted counted = Count(asked);
        if (counted.calendar) {
            if (std::optional<DeadlineEvent> event = EventOf(asked, counted.answer.end)) {
                list->writer.AppendEvent(list->text, *event);
            }
        }
    } catch (const RuntimeError&) {
        // An entry past the calendar's range has no event, as a wrong one has none.
    }
}

EMSCRIPTEN_KEEPALIVE char* torvelin_calendar_close(ListCalendar* list) {
    list->writer.AppendEnd(list->text);
    char* text = Returned(list->text);
    delete list;
    return text;
}

// The rule a text names, with what it fixes: its period, direction (0 after,
// 1 before), first day (the page's index) and event; or why no one rule.
EMSCRIPTEN_KEEPALIVE char* torvelin_rule_named(const char* text) {
    const std::vector<const StatutoryRule*> named = RulesNamed(text);
    JsonObject json;
    if (named.size() != 1) {
        std::string message = "「" + std::string(text) + "」";
        if (named.empty()) {
            message += "という手続はありません";
        } else {
            message += "に当たる手続が複数あります：";
            for (const StatutoryRule* rule : named) {
                message += std::string(rule == named.front() ? "" : "、") + std::string(rule->key) +
                           "（" + std::string(rule->name) + "）";
            }
        }
        return Returned(json.Text("status", "input").Text("message", message).Done());
    }
    const StatutoryRule& rule = *named.front();
    return Returned(json.Text("status", "ok")
                        .Text("key", rule.key)
                        .Text("title", RuleTitle(rule))
                        .Text("event", rule.event)
                        .Text("eventGroup", rule.eventGroup)
                        .Text("period", PeriodText(rule.period))
                        .Number("direction", rule.direction == Direction::Before ? 1 : 0)
                        .Number("firstDay", FirstDayOf(rule.counting) == FirstDay::Included ? 1 : 2)
                        .Text("counting", RuleCountingText(rule))
                        .Text("move", RuleMoveText(rule))
                        .Text("article", rule.article)
                        .Text("quote", rule.quote)
                        .Done());
}

// Every rule as torvelin-calc rules --format=json writes it, in its order.
EMSCRIPTEN_KEEPALIVE char* torvelin_rules() {
    std::vector<std::string> rules;
    for (const Record& record : RuleRecords(RulesMatching(""))) {
        rules.push_back(JsonRecord(record));
    }
    return Returned(JsonArray(rules));
}

// The main window's Calculate: the start counted as day one.
EMSCRIPTEN_KEEPALIVE char* torvelin_calculate(const char* start, const char* count) {
    const Outcome<CalendarDate> outcome = Calculate(start, count);
    JsonObject json;
    if (const auto* wrong = std::get_if<WrongInput>(&outcome)) {
        return Returned(json.Text("status", "input")
                            .Text("field", *wrong == WrongInput::DayCount ? "count" : "start")
                            .Text("message", MessageFor(*wrong))
                            .Done());
    }
    if (const auto* error = std::get_if<ErrorNumber>(&outcome)) {
        return Returned(json.Text("status", "error").Text("message", ErrorLine(*error)).Done());
    }
    const CalendarDate end = std::get<CalendarDate>(outcome);
    const std::int64_t day = RoundedToSecond(end).DayNumber();
    return Returned(json.Text("status", "ok")
                        .Text("end", EndDateText(end, Form::Short))
                        .Text("weekday", WeekdayName(WeekdayOf(day)))
                        .Text("eraDate", EraDateText(day).value_or(""))
                        .Text("line", EndDateText(end, Form::Long))
                        .Done());
}

}  // extern "C"
