// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "calc/outcome.h"
#include "law/civil_period.h"
#include "law/closed_day_calendar.h"
#include "law/holiday_calendar.h"
#include "law/statutory_rules.h"

namespace torvelin {

// The commands of the law, each from the texts a user typed (UTF-8) to a
// value, for every front end alike.

// How a period is counted: the Civil Code's rules where the user says nothing.
struct PeriodRules {
    // Unset: counted when the start is written at 0:00, left out otherwise.
    std::optional<FirstDay> firstDay = std::nullopt;
    // Whether the user chose the calendar: a day before a known day moves to
    // the open day before only then (art. 142 moves only a forward end).
    bool calendarChosen = false;
    Direction direction = Direction::After;
};

// Which days a span counts.
enum class DaysCounted { All, OpenOnly };

// A day with why courts and offices are closed on it (empty when open).
struct DayFacts {
    std::int64_t day;
    std::vector<std::string_view> closedReasons;
    std::vector<std::string_view> notes = {};  // 春分日は計算による, where it applies
};

// deadline START PERIOD: the end of the period, and where it was moved from;
// with Direction::Before, START is the known day and the answer the last day
// before the period.
Outcome<PeriodEnd> Deadline(std::string_view startText, std::string_view periodText,
                            const PeriodRules& rules, ClosedDayCalendar& calendar);

// deadline --rule=KEY DATE: the end of the rule's period from the day of its
// event, counted and moved as its act says. The calendar is the courts' with
// the user's own closed days: every provision that moves an end closes the
// same days today. A day before the rule took effect in this form is
// WrongInput::BeforeRuleInForce.
Outcome<PeriodEnd> DeadlineByRule(const StatutoryRule& rule, std::string_view eventText,
                                  ClosedDayCalendar& calendar);

// days FROM TO: how many days, or open days, from one date to the other.
Outcome<std::int64_t> DaysFromTo(std::string_view fromText, std::string_view toText,
                                 FirstDay firstDay, DaysCounted counted,
                                 ClosedDayCalendar& calendar);

// holidays YEAR [LAST_YEAR]: the national holidays of those years in date
// order; two holidays on one day are two entries.
Outcome<std::vector<Holiday>> HolidaysOfYears(std::string_view firstYearText,
                                              std::optional<std::string_view> lastYearText,
                                              HolidayCalendar& calendar);

// due DATE: the day, or the next open day when it is closed, as due dates
// move (General Act on National Taxes art. 10(2)).
Outcome<PeriodEnd> DueDate(std::string_view dateText, ClosedDayCalendar& calendar);

// age BIRTH [DATE]: the age during DATE, or during today when it is not given.
Outcome<std::int64_t> AgeOnDate(std::string_view birthText,
                                std::optional<std::string_view> dateText, std::int64_t today);

// age --reach AGE BIRTH: the day at whose end AGE is reached.
Outcome<std::int64_t> DayAgeReached(std::string_view birthText, std::string_view ageText);

// info DATE: the day and why it is closed.
Outcome<DayFacts> DayInfo(std::string_view dateText, ClosedDayCalendar& calendar);

// The same for a day already known. Throws RuntimeError 5 outside the range.
DayFacts FactsOfDay(std::int64_t day, ClosedDayCalendar& calendar);

}  // namespace torvelin
