// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>
#include <vector>

#include "calc/calendar_date.h"

namespace torvelin {

// A national holiday: a day and its name as the law gives it (UTF-8).
struct Holiday {
    CivilDate date;
    std::string_view name;

    friend bool operator==(const Holiday&, const Holiday&) = default;
};

// How a holiday rule finds its day in a year.
enum class HolidayDay {
    FixedDate,       // month/day
    NthMonday,       // the day-th Monday of month
    EquinoxOfMonth,  // 春分日 (month 3) or 秋分日 (month 9)
};

// One row of the law: a holiday as it held from firstYear to lastYear. A
// change of the law is a new row, never an edit to an old one.
struct HolidayRule {
    std::string_view name;
    int firstYear;
    int lastYear;
    HolidayDay kind;
    int month;
    int day;  // the day of the month, or which Monday
};

// The rows of the law on national holidays and of the special laws that
// declared single days, from the enactment on 1948/07/20.
const std::vector<HolidayRule>& NationalHolidayRules();

// The national holidays of a year in date order, the substitute holidays
// (振替休日) and citizens' holidays (国民の休日) included. Empty before 1948.
std::vector<Holiday> NationalHolidaysOf(int year);

}  // namespace torvelin
