// SPDX-License-Identifier: MIT
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "law/holiday_rules.h"

namespace torvelin {

// The days on which courts and administrative organs are closed: Saturdays,
// Sundays, national holidays (substitute and citizens' holidays included) and
// 12/29 to 1/3. Each year is worked out on first use and kept, so a query on
// a known year is a table lookup. Callers create one calendar and keep it;
// one calendar must not be used from two threads at once.
class HolidayCalendar {
public:
    HolidayCalendar();
    ~HolidayCalendar();
    HolidayCalendar(const HolidayCalendar&) = delete;
    HolidayCalendar& operator=(const HolidayCalendar&) = delete;

    // The national holidays of a year in date order. Throws RuntimeError 5
    // for a year outside 100..9999.
    const std::vector<Holiday>& HolidaysOf(int year);

    // Throws RuntimeError 5 for a day outside 0100/01/01..9999/12/31.
    bool IsClosed(std::int64_t dayNumber);

    // Why the day is closed, in the order weekday, holiday, year end, for
    // example {"日曜日", "年末年始の休日"}; empty when it is open.
    std::vector<std::string_view> ClosedReasons(std::int64_t dayNumber);

private:
    struct Year;
    struct DayInYear;
    const Year& YearOf(int year);
    DayInYear Locate(std::int64_t dayNumber);

    std::vector<std::unique_ptr<const Year>> years_;
};

}  // namespace torvelin
