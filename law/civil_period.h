// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "calc/calendar_date.h"
#include "law/closed_day_calendar.h"

namespace torvelin {

struct StatutoryRule;

enum class PeriodUnit {
    Days,
    Weeks,
    Months,
    Years,
    OpenDays,  // days on which the calendar's offices are open
    Hours,     // counted from the moment of the start, never moved
};

// A period of count units; count is at least 1.
struct Period {
    std::int64_t count;
    PeriodUnit unit;

    friend bool operator==(const Period&, const Period&) = default;
};

// Whether the start day is counted (a period that starts at midnight) or
// left out (the rule for every other period).
enum class FirstDay { Excluded, Included };

// Which rule decided the first day (Civil Code art. 140).
enum class FirstDayRule {
    AsGiven,           // the user said whether it counts
    LeftOut,           // the main rule: the first day is not counted
    StartsAtMidnight,  // the proviso: a period starting at 0:00 counts it
};

// Which way a period runs from its known day.
enum class Direction {
    After,   // the period starts on the known day and its end is the answer
    Before,  // the period ends the day before the known day; the answer is the
             // last day before it on which an act can still be done
    Fixed,   // no period: a due date, which only moves past closed days
};

struct PeriodEnd {
    std::int64_t day;         // the answer: the end of the period, or the day before it
    std::int64_t unmovedDay;  // the same before moving past closed days
    // Why unmovedDay is closed: for an end moved past closed days, and for
    // any day before a period, moved or not.
    std::vector<std::string_view> unmovedDayReasons;
    std::optional<CalendarDate> moment = {};  // where a period in hours ends
    Direction direction = Direction::After;
    FirstDay firstDay = FirstDay::Excluded;  // as the period was counted
    FirstDayRule firstDayRule = FirstDayRule::AsGiven;
    CalendarKind calendar = CalendarKind::Court;  // the calendar it was counted against
    std::string_view movedBy = {};                // the provision that moved it, if moved
    std::vector<std::string_view> notes = {};  // what the answer rests on: 春分日は計算による
    const StatutoryRule* rule = nullptr;       // the statutory period it was counted by, if any

    bool Moved() const { return day != unmovedDay; }
    friend bool operator==(const PeriodEnd&, const PeriodEnd&) = default;
};

// The last day of the period by the calendar, not moved: a period in days ends
// on its count-th day; one in weeks, months or years on the day before the
// day of the last week, month or year that corresponds to its first day, or on
// the last day of that month when it has no such day. Throws RuntimeError 5
// for a count below 1 or a day outside 0100/01/01..9999/12/31.
std::int64_t LastDayOfPeriod(std::int64_t startDay, Period period, FirstDay firstDay);

// The end of the period, moved to the next open day when it falls on a closed
// day of the calendar (Civil Code art. 142). A period in open days
// ends on its count-th open day. Throws as LastDayOfPeriod does, and when the
// next open day lies after 9999/12/31. For a period in hours, see EndOfHours.
PeriodEnd EndOfPeriod(std::int64_t startDay, Period period, FirstDay firstDay,
                      ClosedDayCalendar& calendar);

// A day moved to the next open day of the calendar when it is closed, as a
// due date is (General Act on National Taxes art. 10(2)). Throws
// RuntimeError 5 outside the range.
PeriodEnd MovedToOpenDay(std::int64_t day, ClosedDayCalendar& calendar);

// A period in hours from a moment (art. 139): it ends that many hours later,
// on whatever day that is. Throws RuntimeError 5 outside the range.
PeriodEnd EndOfHours(CalendarDate start, std::int64_t hours);

// Whether a day before a period that falls on a closed day moves to the open
// day before it.
enum class MoveEarlier { No, Yes };

// The last day on which an act can be done so that the whole period, counted
// forward from the day after it as EndOfPeriod counts, lies between it and
// the given day, neither counted. Open days are those of the calendar. Art. 142
// moves only the end of a forward period, so a closed answer stays, its
// reasons given, unless moving is asked for. In hours, the moment that many
// hours before. Throws RuntimeError 5 outside the range.
PeriodEnd LastDayBeforePeriod(CalendarDate day, Period period, MoveEarlier move,
                              ClosedDayCalendar& calendar);

// The days from one date to another: the last counted, the first counted or
// left out. Negative when toDay comes before fromDay: -17 is 17 days back.
std::int64_t DaysBetween(std::int64_t fromDay, std::int64_t toDay, FirstDay firstDay);

// How many of the days counted by DaysBetween are open days, with its sign.
// Throws RuntimeError 5 for a day outside the range.
std::int64_t OpenDaysBetween(std::int64_t fromDay, std::int64_t toDay, FirstDay firstDay,
                             ClosedDayCalendar& calendar);

}  // namespace torvelin
