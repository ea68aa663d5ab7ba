// SPDX-License-Identifier: MIT
#include "calc/calendar_date.h"

#include "calc/runtime_error.h"

namespace torvelin {

CalendarDate RoundedToSecond(CalendarDate date) {
    std::int64_t dayNumber = date.DayNumber();
    int seconds = static_cast<int>(date.TimeOfDay() * 86400.0 + 0.5);
    if (seconds == 86400) {
        if (dayNumber < kLastDayNumber) {
            ++dayNumber;
            seconds = 0;
        } else {
            seconds = 86399;
        }
    }
    return CalendarDate::FromDayAndTime(dayNumber, seconds / 86400.0);
}

CalendarDate AddDays(std::int32_t days, CalendarDate date) {
    if (!date.IsInRange()) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    const std::int64_t dayNumber = date.DayNumber() + days;
    if (!IsDayNumberInRange(dayNumber)) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    return CalendarDate::FromDayAndTime(dayNumber, date.TimeOfDay());
}

}  // namespace torvelin
