// SPDX-License-Identifier: MIT
#include "law/holiday_calendar.h"

#include "calc/runtime_error.h"

namespace torvelin {

HolidayCalendar::HolidayCalendar() = default;
HolidayCalendar::~HolidayCalendar() = default;

const std::vector<Holiday>& HolidayCalendar::HolidaysOf(int year) {
    if (year < kFirstCivilDate.year || year > kLastCivilDate.year) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    if (const auto known = years_.find(year); known != years_.end()) {
        return known->second;
    }
    return years_.emplace(year, NationalHolidaysOf(year)).first->second;
}

}  // namespace torvelin
