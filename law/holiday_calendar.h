// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "law/holiday_rules.h"

namespace torvelin {

// The national holidays of each year, worked out on first use and kept.
// Which days are closed is the business of ClosedDayCalendar. One calendar
// must not be used from two threads at once.
class HolidayCalendar {
public:
    HolidayCalendar();
    ~HolidayCalendar();
    HolidayCalendar(const HolidayCalendar&) = delete;
    HolidayCalendar& operator=(const HolidayCalendar&) = delete;

    // The national holidays of a year in date order. Throws RuntimeError 5
    // for a year outside 100..9999.
    const std::vector<Holiday>& HolidaysOf(int year);

private:
    std::map<int, const std::vector<Holiday>> years_;  // by year, as first asked about
};

}  // namespace torvelin
