// SPDX-License-Identifier: MIT
#include "law/holiday_calendar.h"

#include "calc/runtime_error.h"

namespace torvelin {

HolidayCalendar::HolidayCalendar() : years_(kLastCivilDate.year - kFirstCivilDate.year + 1) {}
HolidayCalendar::~HolidayCalendar() = default;

const std::vector<Holiday>& HolidayCalendar::HolidaysOf(int year) {
    if (year < kFirstCivilDate.year || year > kLastCivilDate.year) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    auto& slot = years_[static_cast<std::size_t>(year - kFirstCivilDate.year)];
    if (!slot) {
        slot = std::make_unique<const std::vector<Holiday>>(NationalHolidaysOf(year));
    }
    return *slot;
}

}  // namespace torvelin
