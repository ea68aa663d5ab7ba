// SPDX-License-Identifier: MIT
#include "law/civil_period.h"

#include <algorithm>

#include "calc/runtime_error.h"

namespace torvelin {
namespace {

constexpr std::int64_t kDaysInRange = kLastDayNumber - kFirstDayNumber + 1;

std::int64_t CheckedDay(std::int64_t dayNumber) {
    if (!IsDayNumberInRange(dayNumber)) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    return dayNumber;
}

// The day before the day that corresponds to firstDay months later, or the
// last day of that month when it is shorter. The month may lie past 9999/12
// (a year from 9999/01/01 ends on 9999/12/31); the caller checks the range.
std::int64_t LastDayOfMonths(std::int64_t firstDay, std::int64_t months) {
    const CivilDate first = CivilFromDayNumber(firstDay);
    const std::int64_t monthIndex = first.year * 12LL + (first.month - 1) + months;
    const int year = static_cast<int>(monthIndex / 12);
    const int month = static_cast<int>(monthIndex % 12) + 1;
    if (first.day > DaysInMonth(year, month)) {
        return DayNumberFromCivil({year, month, DaysInMonth(year, month)});
    }
    return DayNumberFromCivil({year, month, first.day}) - 1;
}

}  // namespace

std::int64_t LastDayOfPeriod(std::int64_t startDay, Period period, FirstDay firstDay) {
    CheckedDay(startDay);
    if (period.count < 1 || period.count > kDaysInRange) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    const std::int64_t first = firstDay == FirstDay::Excluded ? startDay + 1 : startDay;
    switch (period.unit) {
        case PeriodUnit::Days:
            return CheckedDay(first + period.count - 1);
        case PeriodUnit::Weeks:
            return CheckedDay(first + period.count * 7 - 1);
        case PeriodUnit::Months:
            return CheckedDay(LastDayOfMonths(first, period.count));
        case PeriodUnit::Years:
            return CheckedDay(LastDayOfMonths(first, period.count * 12));
    }
    throw RuntimeError(ErrorNumber::InvalidArgument);
}

PeriodEnd EndOfPeriod(std::int64_t startDay, Period period, FirstDay firstDay,
                      ClosedDays closedDays, HolidayCalendar& calendar) {
    const std::int64_t last = LastDayOfPeriod(startDay, period, firstDay);
    PeriodEnd end{last, last, {}};
    if (closedDays == ClosedDays::Court && calendar.IsClosed(last)) {
        end.unmovedDayReasons = calendar.ClosedReasons(last);
        do {
            end.day = CheckedDay(end.day + 1);
        } while (calendar.IsClosed(end.day));
    }
    return end;
}

std::int64_t DaysBetween(std::int64_t fromDay, std::int64_t toDay, FirstDay firstDay) {
    const std::int64_t span = fromDay <= toDay ? toDay - fromDay : fromDay - toDay;
    return firstDay == FirstDay::Included ? span + 1 : span;
}

std::int64_t OpenDaysBetween(std::int64_t fromDay, std::int64_t toDay, FirstDay firstDay,
                             HolidayCalendar& calendar) {
    std::int64_t first = CheckedDay(std::min(fromDay, toDay));
    const std::int64_t last = CheckedDay(std::max(fromDay, toDay));
    if (firstDay == FirstDay::Excluded) {
        ++first;
    }
    std::int64_t open = 0;
    for (std::int64_t day = first; day <= last; ++day) {
        open += calendar.IsClosed(day) ? 0 : 1;
    }
    return open;
}

}  // namespace torvelin
