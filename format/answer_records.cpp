// SPDX-License-Identifier: MIT
#include "format/answer_records.h"

#include <algorithm>

#include "calc/date_text.h"
#include "calc/era_date.h"
#include "calc/weekday.h"

namespace torvelin {
namespace {

// The fields' names, each made once with its JSON key.
namespace field {
constexpr FieldName kAct("act");
constexpr FieldName kAge("age");
constexpr FieldName kArticle("article");
constexpr FieldName kBirth("birth");
constexpr FieldName kCase("case");
constexpr FieldName kBorrowed("borrowed");
constexpr FieldName kClosed("closed");
constexpr FieldName kCount("count");
constexpr FieldName kCounting("counting");
constexpr FieldName kDate("date");
constexpr FieldName kDay("day");
constexpr FieldName kDays("days");
constexpr FieldName kDirection("direction");
constexpr FieldName kEnd("end");
constexpr FieldName kEraDate("era_date");
constexpr FieldName kEvent("event");
constexpr FieldName kField("field");
constexpr FieldName kFrom("from");
constexpr FieldName kInForce("in_force");
constexpr FieldName kKey("key");
constexpr FieldName kMessage("message");
constexpr FieldName kMove("move");
constexpr FieldName kName("name");
constexpr FieldName kNotes("notes");
constexpr FieldName kPeriod("period");
constexpr FieldName kQuote("quote");
constexpr FieldName kReason("reason");
constexpr FieldName kReasons("reasons");
constexpr FieldName kRule("rule");
constexpr FieldName kStart("start");
constexpr FieldName kStatus("status");
constexpr FieldName kTo("to");
constexpr FieldName kUnmovedEnd("unmoved_end");
constexpr FieldName kUnsettled("unsettled");
constexpr FieldName kWeekday("weekday");
}  // namespace field

using Text = std::optional<std::string_view>;

// An input a record carries, by name.
struct Input {
    const FieldName& name;
    std::string_view text;
};

// A field that append writes from the value straight into the record, or an
// empty one when there is no value.
template <class Sink, class Value, class Append>
void AddAppended(Sink& sink, const FieldName& name, FieldText text, const Value* value,
                 Append append) {
    if (value) {
        sink.AddWritten(name, text, [&](std::string& out) { append(out, *value); });
    } else {
        sink.AddNull(name, text);
    }
}

// The weekday and era date of a day, or two empty fields. Values that may
// be missing come as pointers, not optionals, which a batch would build and
// read back on every line.
template <class Sink>
void AddDayFields(Sink& sink, const std::int64_t* day) {
    AddAppended(sink, field::kWeekday, FieldText::Plain, day,
                [](std::string& out, std::int64_t d) { out += WeekdayName(WeekdayOf(d)); });
    AddAppended(sink, field::kEraDate, FieldText::Plain, day && HasEraDate(*day) ? day : nullptr,
                AppendEraDateText);
}

// The inputs, the value's fields (added by addValue, given the value or
// null), then the status and the message.
template <class Sink, class Value, class AddValue>
void AddFields(Sink& sink, std::initializer_list<Input> inputs, const Outcome<Value>& outcome,
               AddValue addValue) {
    // Unrolled, so that each name is known where its key is copied: a copy
    // whose size the compiler sees is written inline, any other is a call.
#pragma GCC unroll 4
    for (const auto& [name, text] : inputs) {
        sink.Add(name, text, FieldText::Any);
    }
    const Value* value = std::get_if<Value>(&outcome);
    addValue(value);
    // Each status its own literal, copied with a size the compiler sees.
    if (value) {
        sink.Add(field::kStatus, "ok", FieldText::Plain);
        sink.AddNull(field::kMessage, FieldText::Any);
        return;
    }
    sink.Add(field::kStatus, std::holds_alternative<WrongInput>(outcome) ? "input" : "error",
             FieldText::Plain);
    sink.Add(field::kMessage, AnswerText(outcome, [](const Value&) { return std::string(); }),
             FieldText::Any);
}

// The fields of a period's end after the inputs, then, where a record of
// rules has one, what moves the end.
template <class Sink>
void AddPeriodEndFields(Sink& sink, std::initializer_list<Input> inputs,
                        const Outcome<PeriodEnd>& outcome,
                        std::optional<std::string_view> move = std::nullopt) {
    AddFields(sink, inputs, outcome, [&sink, move](const PeriodEnd* end) {
        AddAppended(
            sink, field::kEnd, FieldText::Plain, end,
            [](std::string& out, const PeriodEnd& e) { AppendPeriodEndText(out, e, Form::Short); });
        AddDayFields(sink, end ? &end->day : nullptr);
        AddAppended(
            sink, field::kUnmovedEnd, FieldText::Plain, end,
            [](std::string& out, const PeriodEnd& e) { AppendDayToText(out, e.unmovedDay); });
        AddAppended(sink, field::kRule, FieldText::Plain, end, AppendCountingRuleText);
        // Around the reasons the text is the program's own; a reason from the
        // user's own closed days may need care.
        const bool plainReasons = end && std::all_of(end->unmovedDayReasons.begin(),
                                                     end->unmovedDayReasons.end(), NeedsNoCare);
        AddAppended(sink, field::kReason, plainReasons ? FieldText::Plain : FieldText::Any, end,
                    AppendClosedDayText);
        AddAppended(
            sink, field::kNotes, FieldText::Plain, end,
            [](std::string& out, const PeriodEnd& e) { AppendJoinedWithDots(out, e.notes); });
        if (move) {
            sink.Add(field::kMove, *move, FieldText::Plain);
        }
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
    AddFields(sink, {{field::kStart, startText}, {field::kCount, countText}}, outcome,
              [&sink](const CalendarDate* end) {
                  AddAppended(
                      sink, field::kEnd, FieldText::Plain, end,
                      [](std::string& out, CalendarDate e) { out += EndDateText(e, Form::Short); });
                  if (end) {
                      const std::int64_t day = RoundedToSecond(*end).DayNumber();
                      AddDayFields(sink, &day);
                  } else {
                      AddDayFields(sink, nullptr);
                  }
              });
}

template <class Sink>
void DeadlineFields(Sink& sink, std::string_view startText, std::string_view periodText,
                    const Outcome<PeriodEnd>& outcome) {
    AddPeriodEndFields(sink, {{field::kStart, startText}, {field::kPeriod, periodText}}, outcome);
}

template <class Sink>
void RuleDeadlineFields(Sink& sink, const StatutoryRule& rule, std::string_view dateText,
                        const Outcome<PeriodEnd>& outcome) {
    sink.Add(field::kKey, rule.key, FieldText::Plain);
    sink.Add(field::kName, rule.name, FieldText::Plain);
    sink.Add(field::kArticle, rule.article, FieldText::Plain);
    const std::string period = PeriodText(rule.period);
    AddPeriodEndFields(sink, {{field::kStart, dateText}, {field::kPeriod, period}}, outcome,
                       RuleMoveText(rule));
}

// The writers a batch uses, one a format.
template void CalculationFields(RecordWriter<RecordFormat::Tsv>&, std::string_view,
                                std::string_view, const Outcome<CalendarDate>&);
template void DeadlineFields(RecordWriter<RecordFormat::Tsv>&, std::string_view, std::string_view,
                             const Outcome<PeriodEnd>&);
template void CalculationFields(RecordWriter<RecordFormat::Csv>&, std::string_view,
                                std::string_view, const Outcome<CalendarDate>&);
template void DeadlineFields(RecordWriter<RecordFormat::Csv>&, std::string_view, std::string_view,
                             const Outcome<PeriodEnd>&);
template void RuleDeadlineFields(RecordWriter<RecordFormat::Tsv>&, const StatutoryRule&,
                                 std::string_view, const Outcome<PeriodEnd>&);
template void RuleDeadlineFields(RecordWriter<RecordFormat::Csv>&, const StatutoryRule&,
                                 std::string_view, const Outcome<PeriodEnd>&);
template void RuleDeadlineFields(RecordWriter<RecordFormat::Json>&, const StatutoryRule&,
                                 std::string_view, const Outcome<PeriodEnd>&);
template void CalculationFields(RecordWriter<RecordFormat::Json>&, std::string_view,
                                std::string_view, const Outcome<CalendarDate>&);
template void DeadlineFields(RecordWriter<RecordFormat::Json>&, std::string_view, std::string_view,
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

Record RuleDeadlineRecord(const StatutoryRule& rule, std::string_view dateText,
                          const Outcome<PeriodEnd>& outcome) {
    return Collected(
        [&](RecordCollector& sink) { RuleDeadlineFields(sink, rule, dateText, outcome); });
}

Record ListedDeadlineRecord(std::string_view caseText, const StatutoryRule* rule,
                            std::string_view startText, std::string_view periodText,
                            const Outcome<PeriodEnd>& outcome) {
    return Collected([&](RecordCollector& sink) {
        sink.Add(field::kCase, caseText, FieldText::Any);
        sink.Add(field::kKey, rule ? rule->key : "", FieldText::Plain);
        sink.Add(field::kName, rule ? rule->name : "", FieldText::Plain);
        sink.Add(field::kArticle, rule ? rule->article : "", FieldText::Plain);
        AddPeriodEndFields(sink, {{field::kStart, startText}, {field::kPeriod, periodText}},
                           outcome, rule ? RuleMoveText(*rule) : std::string_view());
    });
}

std::vector<Record> RuleRecords(const std::vector<const StatutoryRule*>& rules) {
    std::vector<Record> records;
    for (const StatutoryRule* rule : rules) {
        records.push_back(Collected([rule](RecordCollector& sink) {
            const auto add = [&sink](const FieldName& name, std::string_view text) {
                sink.Add(name, text, FieldText::Any);
            };
            add(field::kKey, rule->key);
            add(field::kName, rule->name);
            add(field::kField, LawFieldName(rule->field));
            add(field::kEvent, rule->event);
            add(field::kPeriod, PeriodText(rule->period));
            add(field::kDirection, rule->direction == Direction::Before ? "before" : "after");
            add(field::kCounting, RuleCountingText(*rule));
            add(field::kMove, RuleMoveText(*rule));
            add(field::kAct, rule->act.title);
            add(field::kArticle, rule->article);
            add(field::kInForce,
                HasDayInForce(*rule) ? DayText(DayNumberFromCivil(rule->act.inForce)) : "");
            add(field::kQuote, rule->quote);
            add(field::kBorrowed, rule->borrowed);
            add(field::kUnsettled, rule->unsettled);
        }));
    }
    return records;
}

Record DueRecord(std::string_view dateText, const Outcome<PeriodEnd>& outcome) {
    return Collected([&](RecordCollector& sink) {
        AddPeriodEndFields(sink, {{field::kDate, dateText}}, outcome);
    });
}

Record AgeRecord(std::string_view birthText, std::string_view dateText,
                 const Outcome<std::int64_t>& outcome) {
    return Collected([&](RecordCollector& sink) {
        AddFields(sink, {{field::kBirth, birthText}, {field::kDate, dateText}}, outcome,
                  [&sink](const std::int64_t* age) {
                      sink.AddOptional(field::kAge,
                                       age ? std::optional(DayCountText(*age)) : std::nullopt,
                                       FieldText::Number);
                  });
    });
}

Record ReachRecord(std::string_view birthText, std::string_view ageText,
                   const Outcome<std::int64_t>& outcome) {
    return Collected([&](RecordCollector& sink) {
        AddFields(sink, {{field::kBirth, birthText}, {field::kAge, ageText}}, outcome,
                  [&sink](const std::int64_t* day) {
                      sink.AddOptional(field::kDay,
                                       day ? std::optional(DayText(*day)) : std::nullopt,
                                       FieldText::Plain);
                      AddDayFields(sink, day);
                  });
    });
}

Record DaysRecord(std::string_view fromText, std::string_view toText,
                  const Outcome<std::int64_t>& outcome) {
    return Collected([&](RecordCollector& sink) {
        AddFields(sink, {{field::kFrom, fromText}, {field::kTo, toText}}, outcome,
                  [&sink](const std::int64_t* days) {
                      sink.AddOptional(field::kDays,
                                       days ? std::optional(DayCountText(*days)) : std::nullopt,
                                       FieldText::Number);
                  });
    });
}

Record InfoRecord(std::string_view dateText, const Outcome<DayFacts>& outcome) {
    return Collected([&](RecordCollector& sink) {
        AddFields(sink, {{field::kDate, dateText}}, outcome, [&sink](const DayFacts* facts) {
            AddDayFields(sink, facts ? &facts->day : nullptr);
            sink.AddOptional(
                field::kClosed,
                facts ? Text(facts->closedReasons.empty() ? "false" : "true") : std::nullopt,
                FieldText::Number);
            sink.AddOptional(
                field::kReasons,
                facts ? std::optional(JoinedWithDots(facts->closedReasons)) : std::nullopt,
                FieldText::Any);
            sink.AddOptional(field::kNotes,
                             facts ? std::optional(JoinedWithDots(facts->notes)) : std::nullopt,
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
            sink.Add(field::kDate, DayText(day), FieldText::Plain);
            AddDayFields(sink, &day);
            sink.Add(field::kName, holiday.name, FieldText::Any);
        }));
    }
    return records;
}

}  // namespace torvelin
