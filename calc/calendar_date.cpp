// SPDX-License-Identifier: MIT
#include "calc/calendar_date.h"

#include "calc/runtime_error.h"

namespace torvelin {

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
