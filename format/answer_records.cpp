// SPDX-License-Identifier: MIT
#include "format/answer_records.h"

#include "calc/era_date.h"
#include "calc/weekday.h"

namespace torvelin {
namespace {

using Text = std::optional<std::string_view>;

// A field that append writes from the value straight into the record, or an
// empty one when there is no value.
template <class Sink, class Value, class Append>
void AddAppended(Sink& sink, std::string_view name, FieldText text, const Value* value,
                 Append append) {
    if (value) {
        sink.AddWritten(name, text, [&](std::string& out) { append(out, *value); });
    } else {
        sink.Add(name, std::nullopt, text);
    }
}

// The weekday and era date of a day, or two empty fields.
template <class Sink>
void AddDayFields(Sink& sink, std::optional<std::int64_t> day) {
    sink.Add("weekday", day ? Text(WeekdayName(WeekdayOf(*day))) : std::nullopt, FieldText::Plain);
    AddAppended(sink, "era_date", FieldText::Plain, day && HasEraDate(*day) ? &*day : nullptr,
                AppendEraDateText);
}

// The inputs, the value's fields (added by addValue, given the value or
// null), then the status and the message.
template <class Sink, class Value, class AddValue>
void AddFields(Sink& sink, std::initializer_list<std::pair<std::string_view, Text>> inputs,
               const Outcome<Value>& outcome, AddValue addValue) {
    for (const auto& [name, text] : inputs) {
        sink.Add(name, text, FieldText::Any);
    }
    const Value* value = std::get_if<Value>(&outcome);
    addValue(value);
    const char* status = value                                         ? "ok"
                         : std::holds_alternative<WrongInput>(outcome) ? "input"
                                                                       : "error";
    sink.Add("status", status, FieldText::Plain);
    const std::optional<std::string> message =
        value ? std::nullopt
              : std::optional(AnswerText(outcome, [](const Value&) { return std::string(); }));
    sink.Add("message", message, FieldText::Any);
}

// The fields of a period's end after the inputs.
template <class Sink>
void AddPeriodEndFields(Sink& sink, std::initializer_list<std::pair<std::string_view, Text>> inputs,
                        const Outcome<PeriodEnd>& outcome) {
    AddFields(sink, inputs, outcome, [&sink](const PeriodEnd* end) {
        const auto text = [end](auto write) {
            return end ? std::optional(write(*end)) : std::nullopt;
        };
        AddAppended(sink, "end", FieldText::Plain, end, [](std::string& out, const PeriodEnd& e) {
            AppendPeriodEndText(out, e, Form::Short);
        });
        AddDayFields(sink, end ? std::optional(end->day) : std::nullopt);
        AddAppended(sink, "unmoved_end", FieldText::Plain, end,
                    [](std::string& out, const PeriodEnd& e) { out += DayText(e.unmovedDay); });
        sink.Add("rule", text(CountingRuleText), FieldText::Plain);
        AddAppended(sink, "reason", FieldText::Any, end, AppendClosedDayText);
        AddAppended(sink, "notes", FieldText::Any, end, [](std::string& out, const PeriodEnd& e) {
            AppendJoinedWithDots(out, e.notes);
        });
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

template <class Sink>
void CalculationFields(Sink& sink, std::string_view startText, std::string_view countText,
                       const Outcome<CalendarDate>& outcome) {
    AddFields(sink, {{"start", startText}, {"count", countText}}, outcome,
              [&sink](const CalendarDate* end) {
                  sink.Add("end",
                           end ? std::optional(EndDateText(*end, Form::Short)) : std::nullopt,
                           FieldText::Plain);
                  AddDayFields(
                      sink, end ? std::optional(RoundedToSecond(*end).DayNumber()) : std::nullopt);
              });
}

template <class Sink>
void DeadlineFields(Sink& sink, std::string_view startText, std::string_view periodText,
                    const Outcome<PeriodEnd>& outcome) {
    AddPeriodEndFields(sink, {{"start", startText}, {"period", periodText}}, outcome);
}

template void CalculationFields(RecordWriter&, std::string_view, std::string_view,
                                const Outcome<CalendarDate>&);
template void DeadlineFields(RecordWriter&, std::string_view, std::string_view,
                             const Outcome<PeriodEnd>&);

Record CalculationRecord(std::string_view startText, std::string_view countText,
                         const Outcome<CalendarDate>& outcome) {
    return Collected(
        [&](RecordCollector& sink) { CalculationFields(sink, startText, countText, outcome); });
}

Record DeadlineRecord(std::string_view startText, std::string_view periodText,
                      const Outcome<PeriodEnd>& outcome) {
    return Collected(
        [&](RecordCollector& sink) { DeadlineFields(sink, startText, periodText, outcome); });
}

Record DueRecord(std::string_view dateText, const Outcome<PeriodEnd>& outcome) {
    return Collected([&](RecordCollector& sink) {
        AddPeriodEndFields(sink, {{"date", dateText}}, outcome);
    });
}

Record AgeRecord(std::string_view birthText, std::string_view dateText,
                 const Outcome<std::int64_t>& outcome) {
    return Collected([&](RecordCollector& sink) {
        AddFields(sink, {{"birth", birthText}, {"date", dateText}}, outcome,
                  [&sink](const std::int64_t* age) {
                      sink.Add("age", age ? std::optional(DayCountText(*age)) : std::nullopt,
                               FieldText::Number);
                  });
    });
}

Record ReachRecord(std::string_view birthText, std::string_view ageText,
                   const Outcome<std::int64_t>& outcome) {
    return Collected([&](RecordCollector& sink) {
        AddFields(sink, {{"birth", birthText}, {"age", ageText}}, outcome,
                  [&sink](const std::int64_t* day) {
                      sink.Add("day", day ? std::optional(DayText(*day)) : std::nullopt,
                               FieldText::Plain);
                      AddDayFields(sink, day ? std::optional(*day) : std::nullopt);
                  });
    });
}

Record DaysRecord(std::string_view fromText, std::string_view toText,
                  const Outcome<std::int64_t>& outcome) {
    return Collected([&](RecordCollector& sink) {
        AddFields(sink, {{"from", fromText}, {"to", toText}}, outcome,
                  [&sink](const std::int64_t* days) {
                      sink.Add("days", days ? std::optional(DayCountText(*days)) : std::nullopt,
                               FieldText::Number);
                  });
    });
}

Record InfoRecord(std::string_view dateText, const Outcome<DayFacts>& outcome) {
    return Collected([&](RecordCollector& sink) {
        AddFields(sink, {{"date", dateText}}, outcome, [&sink](const DayFacts* facts) {
            AddDayFields(sink, facts ? std::optional(facts->day) : std::nullopt);
            sink.Add("closed",
                     facts ? Text(facts->closedReasons.empty() ? "false" : "true") : std::nullopt,
                     FieldText::Number);
            sink.Add("reasons",
                     facts ? std::optional(JoinedWithDots(facts->closedReasons)) : std::nullopt,
                     FieldText::Any);
            sink.Add("notes", facts ? std::optional(JoinedWithDots(facts->notes)) : std::nullopt,
                     FieldText::Any);
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
        records.push_back(Collected([&](RecordCollector& sink) {
            sink.Add("date", DayText(day), FieldText::Plain);
            AddDayFields(sink, day);
            sink.Add("name", holiday.name, FieldText::Any);
        }));
    }
    return records;
}

}  // namespace torvelin
