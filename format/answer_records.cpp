// SPDX-License-Identifier: MIT
#include "format/answer_records.h"

#include "calc/era_date.h"
#include "calc/weekday.h"

namespace torvelin {
namespace {

using Text = std::optional<std::string_view>;

// The weekday and era date of a day, or two empty fields.
void AddDayFields(FieldSink& sink, std::optional<std::int64_t> day) {
    sink.Add("weekday", day ? Text(WeekdayName(WeekdayOf(*day))) : std::nullopt);
    const std::optional<std::string> era = day ? EraDateText(*day) : std::nullopt;
    sink.Add("era_date", era);
}

// The inputs, the value's fields (added by addValue, given the value or
// null), then the status and the message.
template <class Value, class AddValue>
void AddFields(FieldSink& sink, std::initializer_list<std::pair<std::string_view, Text>> inputs,
               const Outcome<Value>& outcome, AddValue addValue) {
    for (const auto& [name, text] : inputs) {
        sink.Add(name, text);
    }
    const Value* value = std::get_if<Value>(&outcome);
    addValue(value);
    const char* status = value                                         ? "ok"
                         : std::holds_alternative<WrongInput>(outcome) ? "input"
                                                                       : "error";
    sink.Add("status", status);
    const std::optional<std::string> message =
        value ? std::nullopt
              : std::optional(AnswerText(outcome, [](const Value&) { return std::string(); }));
    sink.Add("message", message);
}

// The fields of a period's end after the inputs.
void AddPeriodEndFields(FieldSink& sink,
                        std::initializer_list<std::pair<std::string_view, Text>> inputs,
                        const Outcome<PeriodEnd>& outcome) {
    AddFields(sink, inputs, outcome, [&sink](const PeriodEnd* end) {
        const auto text = [end](auto write) {
            return end ? std::optional(write(*end)) : std::nullopt;
        };
        sink.Add("end", text([](const PeriodEnd& e) { return PeriodEndText(e, Form::Short); }));
        AddDayFields(sink, end ? std::optional(end->day) : std::nullopt);
        sink.Add("unmoved_end", text([](const PeriodEnd& e) { return DayText(e.unmovedDay); }));
        sink.Add("rule", text(CountingRuleText));
        sink.Add("reason", text(ClosedDayText));
        sink.Add("notes", text([](const PeriodEnd& e) { return JoinedWithDots(e.notes); }));
    });
}

// A Record of the fields that addFields gives a sink.
template <class AddFields>
Record Collected(AddFields addFields) {
    RecordCollector collector;
    addFields(collector);
    return std::move(collector).Collected();
}

}  // namespace

void CalculationFields(FieldSink& sink, std::string_view startText, std::string_view countText,
                       const Outcome<CalendarDate>& outcome) {
    AddFields(sink, {{"start", startText}, {"count", countText}}, outcome,
              [&sink](const CalendarDate* end) {
                  sink.Add("end",
                           end ? std::optional(EndDateText(*end, Form::Short)) : std::nullopt);
                  AddDayFields(
                      sink, end ? std::optional(RoundedToSecond(*end).DayNumber()) : std::nullopt);
              });
}

void DeadlineFields(FieldSink& sink, std::string_view startText, std::string_view periodText,
                    const Outcome<PeriodEnd>& outcome) {
    AddPeriodEndFields(sink, {{"start", startText}, {"period", periodText}}, outcome);
}

Record CalculationRecord(std::string_view startText, std::string_view countText,
                         const Outcome<CalendarDate>& outcome) {
    return Collected(
        [&](FieldSink& sink) { CalculationFields(sink, startText, countText, outcome); });
}

Record DeadlineRecord(std::string_view startText, std::string_view periodText,
                      const Outcome<PeriodEnd>& outcome) {
    return Collected(
        [&](FieldSink& sink) { DeadlineFields(sink, startText, periodText, outcome); });
}

Record DueRecord(std::string_view dateText, const Outcome<PeriodEnd>& outcome) {
    return Collected([&](FieldSink& sink) {
        AddPeriodEndFields(sink, {{"date", dateText}}, outcome);
    });
}

Record AgeRecord(std::string_view birthText, std::string_view dateText,
                 const Outcome<std::int64_t>& outcome) {
    return Collected([&](FieldSink& sink) {
        AddFields(sink, {{"birth", birthText}, {"date", dateText}}, outcome,
                  [&sink](const std::int64_t* age) {
                      sink.Add("age", age ? std::optional(DayCountText(*age)) : std::nullopt, true);
                  });
    });
}

Record ReachRecord(std::string_view birthText, std::string_view ageText,
                   const Outcome<std::int64_t>& outcome) {
    return Collected([&](FieldSink& sink) {
        AddFields(sink, {{"birth", birthText}, {"age", ageText}}, outcome,
                  [&sink](const std::int64_t* day) {
                      sink.Add("day", day ? std::optional(DayText(*day)) : std::nullopt);
                      AddDayFields(sink, day ? std::optional(*day) : std::nullopt);
                  });
    });
}

Record DaysRecord(std::string_view fromText, std::string_view toText,
                  const Outcome<std::int64_t>& outcome) {
    return Collected([&](FieldSink& sink) {
        AddFields(
            sink, {{"from", fromText}, {"to", toText}}, outcome, [&sink](const std::int64_t* days) {
                sink.Add("days", days ? std::optional(DayCountText(*days)) : std::nullopt, true);
            });
    });
}

Record InfoRecord(std::string_view dateText, const Outcome<DayFacts>& outcome) {
    return Collected([&](FieldSink& sink) {
        AddFields(sink, {{"date", dateText}}, outcome, [&sink](const DayFacts* facts) {
            AddDayFields(sink, facts ? std::optional(facts->day) : std::nullopt);
            sink.Add("closed",
                     facts ? Text(facts->closedReasons.empty() ? "false" : "true") : std::nullopt,
                     true);
            sink.Add("reasons",
                     facts ? std::optional(JoinedWithDots(facts->closedReasons)) : std::nullopt);
            sink.Add("notes", facts ? std::optional(JoinedWithDots(facts->notes)) : std::nullopt);
        });
    });
}

std::vector<Record> HolidayRecords(const std::vector<Holiday>& holidays) {
    std::vector<Record> records;
    for (const Holiday& holiday : holidays) {
        const std::int64_t day = DayNumberFromCivil(holiday.date);
        if (!records.empty() && records.back().front().value == DayText(day)) {
            *records.back().back().value += "・" + std::string(holiday.name);
            continue;
        }
        records.push_back(Collected([&](FieldSink& sink) {
            sink.Add("date", DayText(day));
            AddDayFields(sink, day);
            sink.Add("name", holiday.name);
        }));
    }
    return records;
}

}  // namespace torvelin
