// SPDX-License-Identifier: MIT
#include "format/answer_records.h"

#include "calc/era_date.h"
#include "calc/weekday.h"

namespace torvelin {
namespace {

// A record's inputs, with room for every field a record has.
Record Inputs(std::initializer_list<std::pair<std::string_view, std::string_view>> inputs) {
    Record record;
    record.reserve(12);
    for (const auto& [name, text] : inputs) {
        record.push_back({name, std::string(text)});
    }
    return record;
}

// The weekday and era date of a day, or two empty fields.
void AddDayFields(Record& record, std::optional<std::int64_t> day) {
    record.push_back(
        {"weekday", day ? std::optional(std::string(WeekdayName(WeekdayOf(*day)))) : std::nullopt});
    record.push_back({"era_date", day ? EraDateText(*day) : std::nullopt});
}

// The value's fields (filled by addValue, given the value or null), then the
// status and the message.
template <class Value, class AddValue>
Record Completed(Record record, const Outcome<Value>& outcome, AddValue addValue) {
    const Value* value = std::get_if<Value>(&outcome);
    addValue(record, value);
    const char* status = value                                         ? "ok"
                         : std::holds_alternative<WrongInput>(outcome) ? "input"
                                                                       : "error";
    record.push_back({"status", status});
    record.push_back(
        {"message", value ? std::nullopt : std::optional(AnswerText(outcome, [](const Value&) {
             return std::string();
         }))});
    return record;
}

// The fields of a period's end after the inputs.
Record WithPeriodEnd(Record inputs, const Outcome<PeriodEnd>& outcome) {
    return Completed(std::move(inputs), outcome, [](Record& record, const PeriodEnd* end) {
        const auto text = [end](auto write) {
            return end ? std::optional(write(*end)) : std::nullopt;
        };
        record.push_back(
            {"end", text([](const PeriodEnd& e) { return PeriodEndText(e, Form::Short); })});
        AddDayFields(record, end ? std::optional(end->day) : std::nullopt);
        record.push_back(
            {"unmoved_end", text([](const PeriodEnd& e) { return DayText(e.unmovedDay); })});
        record.push_back(
            {"rule", text([](const PeriodEnd& e) { return std::string(CountingRuleText(e)); })});
        record.push_back({"reason", text(ClosedDayText)});
        record.push_back(
            {"notes", text([](const PeriodEnd& e) { return JoinedWithDots(e.notes); })});
    });
}

}  // namespace

Record CalculationRecord(std::string_view startText, std::string_view countText,
                         const Outcome<CalendarDate>& outcome) {
    return Completed(
        Inputs({{"start", startText}, {"count", countText}}), outcome,
        [](Record& record, const CalendarDate* end) {
            record.push_back(
                {"end", end ? std::optional(EndDateText(*end, Form::Short)) : std::nullopt});
            AddDayFields(record,
                         end ? std::optional(RoundedToSecond(*end).DayNumber()) : std::nullopt);
        });
}

Record DeadlineRecord(std::string_view startText, std::string_view periodText,
                      const Outcome<PeriodEnd>& outcome) {
    return WithPeriodEnd(Inputs({{"start", startText}, {"period", periodText}}), outcome);
}

Record DueRecord(std::string_view dateText, const Outcome<PeriodEnd>& outcome) {
    return WithPeriodEnd(Inputs({{"date", dateText}}), outcome);
}

Record AgeRecord(std::string_view birthText, std::string_view dateText,
                 const Outcome<std::int64_t>& outcome) {
    return Completed(
        Inputs({{"birth", birthText}, {"date", dateText}}), outcome,
        [](Record& record, const std::int64_t* age) {
            record.push_back({"age", age ? std::optional(DayCountText(*age)) : std::nullopt, true});
        });
}

Record ReachRecord(std::string_view birthText, std::string_view ageText,
                   const Outcome<std::int64_t>& outcome) {
    return Completed(
        Inputs({{"birth", birthText}, {"age", ageText}}), outcome,
        [](Record& record, const std::int64_t* day) {
            record.push_back({"day", day ? std::optional(DayText(*day)) : std::nullopt});
            AddDayFields(record, day ? std::optional(*day) : std::nullopt);
        });
}

Record DaysRecord(std::string_view fromText, std::string_view toText,
                  const Outcome<std::int64_t>& outcome) {
    return Completed(
        Inputs({{"from", fromText}, {"to", toText}}), outcome,
        [](Record& record, const std::int64_t* days) {
            record.push_back(
                {"days", days ? std::optional(DayCountText(*days)) : std::nullopt, true});
        });
}

Record InfoRecord(std::string_view dateText, const Outcome<DayFacts>& outcome) {
    return Completed(
        Inputs({{"date", dateText}}), outcome, [](Record& record, const DayFacts* facts) {
            AddDayFields(record, facts ? std::optional(facts->day) : std::nullopt);
            record.push_back(
                {"closed",
                 facts ? std::optional(std::string(facts->closedReasons.empty() ? "false" : "true"))
                       : std::nullopt,
                 true});
            record.push_back({"reasons", facts ? std::optional(JoinedWithDots(facts->closedReasons))
                                               : std::nullopt});
            record.push_back(
                {"notes", facts ? std::optional(JoinedWithDots(facts->notes)) : std::nullopt});
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
        Record record{{"date", DayText(day)}};
        AddDayFields(record, day);
        record.push_back({"name", std::string(holiday.name)});
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace torvelin
