// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>
#include <variant>
#include <vector>

#include "calc/calendar_date.h"
#include "law/equinox_day.h"

namespace torvelin {

// A national holiday: a day and its name as the law gives it (UTF-8).
struct Holiday {
    CivilDate date;
    std::string_view name;

    friend bool operator==(const Holiday&, const Holiday&) = default;
};

// How a row of the law finds its day in a year.
struct FixedDate {
    int month;
    int day;
};
struct NthMonday {
    int month;
    int n;  // 1 for the first Monday of the month
};
struct EquinoxDate {
    Equinox equinox;  // 春分日 or 秋分日
};
using HolidayDay = std::variant<FixedDate, NthMonday, EquinoxDate>;

// An act as it is cited, and the day it took effect.
struct Act {
    std::string_view title;
    CivilDate inForce;
};

// One row of the law: a holiday as it held for the days from `from` to
// `until`, both included. A change of the law is a new row, never an edit to
// an old one.
struct HolidayRule {
    std::string_view name;
    HolidayDay day;
    CivilDate from;
    CivilDate until;
    Act act;
};

// The rows of the law on national holidays and of the special laws that
// declared single days, from the enactment on 1948/07/20.
const std::vector<HolidayRule>& NationalHolidayRules();

// The national holidays of a year in date order, the substitute holidays
// (振替休日) and citizens' holidays (国民の休日) included. Two holidays on
// one day are two entries, next to each other. Empty before 1948.
std::vector<Holiday> NationalHolidaysOf(int year);

}  // namespace torvelin
