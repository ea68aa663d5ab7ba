// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>
#include <variant>

#include "format/answer_text.h"
#include "format/record_text.h"

namespace torvelin {

// Each command's answer as a record: its inputs, the fields of its value
// (empty when there is none), then "status" (ok, input or error) and
// "message" (what asks for the input again, or the error line). Every record
// of one command has the same fields, so CSV and TSV columns stay in place.

// A batch gives its fields straight to a RecordWriter: CalculationFields
// and DeadlineFields are CalculationRecord and DeadlineRecord field by field.
template <class Sink>
void CalculationFields(Sink& sink, std::string_view startText, std::string_view countText,
                       const Outcome<CalendarDate>& outcome);
template <class Sink>
void DeadlineFields(Sink& sink, std::string_view startText, std::string_view periodText,
                    const Outcome<PeriodEnd>& outcome);
template <class Sink>
void RuleDeadlineFields(Sink& sink, const StatutoryRule& rule, std::string_view dateText,
                        const Outcome<PeriodEnd>& outcome);

// START COUNT: start, count, end, weekday, era_date.
Record CalculationRecord(std::string_view startText, std::string_view countText,
                         const Outcome<CalendarDate>& outcome);

// deadline: start, period, end, weekday, era_date, unmoved_end, rule, reason,
// notes.
Record DeadlineRecord(std::string_view startText, std::string_view periodText,
                      const Outcome<PeriodEnd>& outcome);

// deadline --rule: key, name, article, then the fields of a deadline, the
// rule's period as its period, then move (what moves its end, or 延長しない).
Record RuleDeadlineRecord(const StatutoryRule& rule, std::string_view dateText,
                          const Outcome<PeriodEnd>& outcome);

// A case's list of deadlines, one record each, rules and free periods alike:
// case, key, name, article (empty for a free period), then the fields of a
// deadline, then move (empty for a free period).
Record ListedDeadlineRecord(std::string_view caseText, const StatutoryRule* rule,
                            std::string_view startText, std::string_view periodText,
                            const Outcome<PeriodEnd>& outcome);

// rules: one record a rule: key, name, field, event, period, direction
// (after or before), counting, move, act, article, in_force, quote,
// borrowed, unsettled.
std::vector<Record> RuleRecords(const std::vector<const StatutoryRule*>& rules);

// due: date, then the fields of a deadline from end to notes.
Record DueRecord(std::string_view dateText, const Outcome<PeriodEnd>& outcome);

// age: birth, date (empty for today), age.
Record AgeRecord(std::string_view birthText, std::string_view dateText,
                 const Outcome<std::int64_t>& outcome);

// age --reach: birth, age, day.
Record ReachRecord(std::string_view birthText, std::string_view ageText,
                   const Outcome<std::int64_t>& outcome);

// days: from, to, days.
Record DaysRecord(std::string_view fromText, std::string_view toText,
                  const Outcome<std::int64_t>& outcome);

// info: date, weekday, era_date, closed, reasons, notes.
Record InfoRecord(std::string_view dateText, const Outcome<DayFacts>& outcome);

// One record a holiday: date, weekday, name (two on one day share it).
std::vector<Record> HolidayRecords(const std::vector<Holiday>& holidays);

}  // namespace torvelin
