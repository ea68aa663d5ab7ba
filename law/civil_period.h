// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "law/holiday_calendar.h"

namespace torvelin {

enum class PeriodUnit { Days, Weeks, Months, Years };

// A period of count units; count is at least 1.
struct Period {
    std::int64_t count;
    PeriodUnit unit;

    friend bool operator==(const Period&, const Period&) = default;
};

// Whether the start day is counted (a period that starts at midnight) or
// left out (the rule for every other period).
enum class FirstDay { Excluded, Included };

// Which days off move the end of a period to the next day.
enum class ClosedDays { Court, None };

struct PeriodEnd {
    std::int64_t day;                                 // the last day of the period
    std::int64_t unmovedDay;                          // the last day before moving past closed days
    std::vector<std::string_view> unmovedDayReasons;  // why unmovedDay was closed

    bool Moved() const { return day != unmovedDay; }
};

// The last day of the period by the calendar, not moved: a period in days ends
// on its count-th day; one in weeks, months or years on the day before the
// day of the last week, month or year that corresponds to its first day, or on
// the last day of that month when it has no such day. Throws RuntimeError 5
// for a count below 1 or a day outside 0100/01/01..9999/12/31.
std::int64_t LastDayOfPeriod(std::int64_t startDay, Period period, FirstDay firstDay);

// The end of the period, moved to the next open day when it falls on a closed
// day and closedDays is Court. Throws as LastDayOfPeriod does, and when the
// next open day lies after 9999/12/31.
PeriodEnd EndOfPeriod(std::int64_t startDay, Period period, FirstDay firstDay,
                      ClosedDays closedDays, HolidayCalendar& calendar);

// The days from one date to another: both ends counted, or the first left
// out. The earlier date is always the first, whichever order they come in.
std::int64_t DaysBetween(std::int64_t fromDay, std::int64_t toDay, FirstDay firstDay);

// How many of the days counted by DaysBetween are open days. Throws
// RuntimeError 5 for a day outside the range.
std::int64_t OpenDaysBetween(std::int64_t fromDay, std::int64_t toDay, FirstDay firstDay,
                             HolidayCalendar& calendar);

}  // namespace torvelin
