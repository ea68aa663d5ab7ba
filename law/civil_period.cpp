// SPDX-License-Identifier: MIT
#include "law/civil_period.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

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

// The last day from which a period of months, its first day left out, ends
// before the given day. The end moves with the first day but skips the days
// that shorter months lack, so the day is found near the corresponding day of
// the month by checking the forward rule itself.
std::int64_t LastDayBeforeMonths(std::int64_t day, std::int64_t months) {
    const CivilDate date = CivilFromDayNumber(day);
    const std::int64_t monthIndex = date.year * 12LL + (date.month - 1) - months;
    const int year = static_cast<int>(monthIndex / 12);
    const int month = static_cast<int>(monthIndex % 12) + 1;
    std::int64_t answer =
        DayNumberFromCivil({year, month, std::min(date.day, DaysInMonth(year, month))});
    while (LastDayOfMonths(answer + 1, months) >= day) {
        --answer;
    }
    return answer;
}

// A count of days larger than the calendar holds could only overflow; hours
// are split into days before they are counted.
void CheckCount(Period period) {
    if (period.count < 1 || (period.unit != PeriodUnit::Hours && period.count > kDaysInRange)) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
}

// The count-th open day from first on, going by step (+1 or -1).
std::int64_t NthOpenDay(std::int64_t first, std::int64_t count, int step,
                        ClosedDayCalendar& calendar) {
    std::int64_t day = CheckedDay(first);
    for (;; day = CheckedDay(day + step)) {
        if (!calendar.IsClosed(day)) {
            if (--count == 0) {
                return day;
            }
        }
    }
}

// The moment hours after (or before, for a negative count) start.
CalendarDate MomentHoursFrom(CalendarDate start, std::int64_t hours) {
    // Whole days apart, so that no count of hours overflows the seconds.
    const std::int64_t seconds =
        std::lround(RoundedToSecond(start).TimeOfDay() * 86400.0) + hours % 24 * 3600;
    // Rounded down: a moment before midnight belongs to the day before.
    const auto daysOver =
        static_cast<std::int64_t>(std::floor(static_cast<double>(seconds) / 86400.0));
    const std::int64_t day = CheckedDay(start.DayNumber() + hours / 24 + daysOver);
    return CalendarDate::FromDayAndTime(day,
                                        static_cast<double>(seconds - daysOver * 86400) / 86400.0);
}

}  // namespace

std::int64_t LastDayOfPeriod(std::int64_t startDay, Period period, FirstDay firstDay) {
    CheckedDay(startDay);
    CheckCount(period);
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
        case PeriodUnit::OpenDays:
        case PeriodUnit::Hours:
            break;  // they need the calendar or the moment: EndOfPeriod, EndOfHours
    }
    throw RuntimeError(ErrorNumber::InternalError);
}

PeriodEnd EndOfPeriod(std::int64_t startDay, Period period, FirstDay firstDay,
                      ClosedDayCalendar& calendar) {
    std::int64_t last = 0;
    if (period.unit == PeriodUnit::OpenDays) {
        CheckedDay(startDay);
        CheckCount(period);
        last = NthOpenDay(firstDay == FirstDay::Excluded ? startDay + 1 : startDay, period.count, 1,
                          calendar);
    } else {
        last = LastDayOfPeriod(startDay, period, firstDay);
    }
    PeriodEnd end = MovedToOpenDay(last, calendar);
    end.firstDay = firstDay;
    if (end.Moved()) {
        // Periods of court proceedings end on the court's open days; others on
        // the days the Civil Code's custom of closed days leaves.
        end.movedBy = calendar.Kind() == CalendarKind::Court ? "民事訴訟法95条3項" : "民法142条";
    }
    return end;
}

PeriodEnd MovedToOpenDay(std::int64_t day, ClosedDayCalendar& calendar) {
    PeriodEnd end{CheckedDay(day), day, {}};
    end.calendar = calendar.Kind();
    if (calendar.IsClosed(day)) {
        end.unmovedDayReasons = calendar.ClosedReasons(day);
        do {
            end.day = CheckedDay(end.day + 1);
        } while (calendar.IsClosed(end.day));
    }
    return end;
}

PeriodEnd EndOfHours(CalendarDate start, std::int64_t hours) {
    CheckCount({hours, PeriodUnit::Hours});
    const CalendarDate moment = MomentHoursFrom(start, hours);
    return {
        moment.DayNumber(),    moment.DayNumber(), {}, moment, Direction::After, FirstDay::Excluded,
        FirstDayRule::AsGiven, CalendarKind::None};
}

PeriodEnd LastDayBeforePeriod(CalendarDate day, Period period, MoveEarlier move,
                              ClosedDayCalendar& calendar) {
    CheckCount(period);
    if (period.unit == PeriodUnit::Hours) {
        const CalendarDate moment = MomentHoursFrom(day, -period.count);
        return {moment.DayNumber(),
                moment.DayNumber(),
                {},
                moment,
                Direction::Before,
                FirstDay::Excluded,
                FirstDayRule::AsGiven,
                CalendarKind::None};
    }
    const std::int64_t lastOfPeriod = CheckedDay(CheckedDay(day.DayNumber()) - 1);
    std::int64_t answer = lastOfPeriod;  // each unit but hours, answered above, sets it
    switch (period.unit) {
        case PeriodUnit::Days:
            answer = lastOfPeriod - period.count;
            break;
        case PeriodUnit::Weeks:
            answer = lastOfPeriod - period.count * 7;
            break;
        case PeriodUnit::Months:
            answer = LastDayBeforeMonths(lastOfPeriod + 1, period.count);
            break;
        case PeriodUnit::Years:
            answer = LastDayBeforeMonths(lastOfPeriod + 1, period.count * 12);
            break;
        case PeriodUnit::OpenDays:
            answer = NthOpenDay(lastOfPeriod, period.count, -1, calendar) - 1;
            break;
        case PeriodUnit::Hours:
            break;
    }
    PeriodEnd end{CheckedDay(answer), answer, {}, {}, Direction::Before};
    end.calendar = calendar.Kind();
    end.unmovedDayReasons = calendar.ClosedReasons(answer);
    if (move == MoveEarlier::Yes) {
        while (calendar.IsClosed(end.day)) {
            end.day = CheckedDay(end.day - 1);
        }
    }
    return end;
}

std::int64_t DaysBetween(std::int64_t fromDay, std::int64_t toDay, FirstDay firstDay) {
    const std::int64_t span = std::abs(toDay - fromDay);
    const std::int64_t days = firstDay == FirstDay::Included ? span + 1 : span;
    return toDay < fromDay ? -days : days;
}

std::int64_t OpenDaysBetween(std::int64_t fromDay, std::int64_t toDay, FirstDay firstDay,
                             ClosedDayCalendar& calendar) {
    std::int64_t first = CheckedDay(std::min(fromDay, toDay));
    std::int64_t last = CheckedDay(std::max(fromDay, toDay));
    // The day counted from is left out, at whichever end it lies.
    if (firstDay == FirstDay::Excluded) {
        if (fromDay <= toDay) {
            ++first;
        } else {
            --last;
        }
    }
    std::int64_t open = 0;
    for (std::int64_t day = first; day <= last; ++day) {
        open += calendar.IsClosed(day) ? 0 : 1;
    }
    return toDay < fromDay ? -open : open;
}

}  // namespace torvelin
