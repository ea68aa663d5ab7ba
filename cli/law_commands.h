// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "law/civil_period.h"
#include "law/holiday_calendar.h"

namespace torvelin {

// How the law's periods are counted, as the command line's options set it.
struct PeriodRules {
    FirstDay firstDay = FirstDay::Excluded;  // the Civil Code's default
    ClosedDays closedDays = ClosedDays::Court;
    bool openDaysOnly = false;  // days: count only the days courts and offices are open
    bool longForm = false;      // add the weekday, the era date and why an end moved
};

// One answer of a command: its line of output, or, where it gave no result,
// the message about the wrong input or "error N: DESCRIPTION".
struct CommandAnswer {
    bool computed;
    std::string text;  // UTF-8, without the line break
};

// START COUNT: the end date, in the long form followed by its weekday and era
// date.
CommandAnswer AnswerCalculation(std::string_view startText, std::string_view dayCountText,
                                bool longForm);

// deadline START PERIOD: the last day of the period, "yyyy/mm/dd".
CommandAnswer AnswerDeadline(std::string_view startText, std::string_view periodText,
                             const PeriodRules& rules, HolidayCalendar& calendar);

// days FROM TO: the number of days, or of open days, from one date to the other.
CommandAnswer AnswerDays(std::string_view fromText, std::string_view toText,
                         const PeriodRules& rules, HolidayCalendar& calendar);

// holidays YEAR [LAST_YEAR]: one "yyyy/mm/dd<TAB>name" line per national
// holiday, in date order, each line ending in a line break.
CommandAnswer AnswerHolidays(std::string_view firstYearText,
                             std::optional<std::string_view> lastYearText,
                             HolidayCalendar& calendar);

// info DATE: the date, its weekday, its era date, and whether courts and
// offices are closed that day and why.
CommandAnswer AnswerInfo(std::string_view dateText, HolidayCalendar& calendar);

}  // namespace torvelin
