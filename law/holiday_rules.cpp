// SPDX-License-Identifier: MIT
#include "law/holiday_rules.h"

#include <algorithm>
#include <limits>

#include "calc/weekday.h"
#include "law/equinox_day.h"

namespace torvelin {
namespace {

constexpr int kForever = std::numeric_limits<int>::max();

// Monday is day 1 of the week: the first Monday falls on 1 + (8 - weekday of
// the 1st) % 7.
CivilDate NthMonday(int year, int month, int n) {
    const int firstWeekday = static_cast<int>(WeekdayOf(CivilDate{year, month, 1}));
    return {year, month, 1 + (8 - firstWeekday) % 7 + 7 * (n - 1)};
}

CivilDate DayOfRule(const HolidayRule& rule, int year) {
    switch (rule.kind) {
        case HolidayDay::FixedDate:
            return {year, rule.month, rule.day};
        case HolidayDay::NthMonday:
            return NthMonday(year, rule.month, rule.day);
        case HolidayDay::EquinoxOfMonth:
            return EquinoxDay(year, rule.month == 3 ? Equinox::Vernal : Equinox::Autumnal);
    }
    return {year, rule.month, rule.day};
}

// Since 1973/04/12 a holiday on a Sunday gives a substitute day off.
constexpr std::int64_t kFirstSubstituteHoliday = DayNumberFromCivil({1973, 4, 12});
// Since 1985/12/27 a day between two holidays is a day off.
constexpr std::int64_t kFirstCitizensHoliday = DayNumberFromCivil({1985, 12, 27});
// The amendment in force from 2007/01/01 changed both rules.
constexpr std::int64_t kRevision2007 = DayNumberFromCivil({2007, 1, 1});

constexpr std::string_view kSubstituteHoliday = "振替休日";
constexpr std::string_view kCitizensHoliday = "国民の休日";

}  // namespace

const std::vector<HolidayRule>& NationalHolidayRules() {
    using enum HolidayDay;
    // clang-format off
    static const std::vector<HolidayRule> kRules{
        {"元日", 1949, kForever, FixedDate, 1, 1},
        {"成人の日", 1949, 1999, FixedDate, 1, 15},
        {"成人の日", 2000, kForever, NthMonday, 1, 2},
        {"建国記念の日", 1967, kForever, FixedDate, 2, 11},
        {"天皇誕生日", 2020, kForever, FixedDate, 2, 23},
        {"春分の日", 1949, kForever, EquinoxOfMonth, 3, 0},
        {"天皇誕生日", 1949, 1988, FixedDate, 4, 29},
        {"みどりの日", 1989, 2006, FixedDate, 4, 29},
        {"昭和の日", 2007, kForever, FixedDate, 4, 29},
        {"憲法記念日", 1949, kForever, FixedDate, 5, 3},
        {"みどりの日", 2007, kForever, FixedDate, 5, 4},
        {"こどもの日", 1949, kForever, FixedDate, 5, 5},
        {"海の日", 1996, 2002, FixedDate, 7, 20},
        {"海の日", 2003, 2019, NthMonday, 7, 3},
        {"海の日", 2020, 2020, FixedDate, 7, 23},
        {"海の日", 2021, 2021, FixedDate, 7, 22},
        {"海の日", 2022, kForever, NthMonday, 7, 3},
        {"山の日", 2016, 2019, FixedDate, 8, 11},
        {"山の日", 2020, 2020, FixedDate, 8, 10},
        {"山の日", 2021, 2021, FixedDate, 8, 8},
        {"山の日", 2022, kForever, FixedDate, 8, 11},
        {"敬老の日", 1966, 2002, FixedDate, 9, 15},
        {"敬老の日", 2003, kForever, NthMonday, 9, 3},
        {"秋分の日", 1948, kForever, EquinoxOfMonth, 9, 0},
        {"体育の日", 1966, 1999, FixedDate, 10, 10},
        {"体育の日", 2000, 2019, NthMonday, 10, 2},
        {"スポーツの日", 2020, 2020, FixedDate, 7, 24},
        {"スポーツの日", 2021, 2021, FixedDate, 7, 23},
        {"スポーツの日", 2022, kForever, NthMonday, 10, 2},
        {"文化の日", 1948, kForever, FixedDate, 11, 3},
        {"勤労感謝の日", 1948, kForever, FixedDate, 11, 23},
        {"天皇誕生日", 1989, 2018, FixedDate, 12, 23},
        // The days declared once by special laws.
        {"皇太子明仁親王の結婚の儀", 1959, 1959, FixedDate, 4, 10},
        {"昭和天皇の大喪の礼", 1989, 1989, FixedDate, 2, 24},
        {"即位礼正殿の儀", 1990, 1990, FixedDate, 11, 12},
        {"皇太子徳仁親王の結婚の儀", 1993, 1993, FixedDate, 6, 9},
        {"天皇の即位の日", 2019, 2019, FixedDate, 5, 1},
        {"即位礼正殿の儀", 2019, 2019, FixedDate, 10, 22},
    };
    // clang-format on
    return kRules;
}

std::vector<Holiday> NationalHolidaysOf(int year) {
    std::vector<Holiday> holidays;
    for (const HolidayRule& rule : NationalHolidayRules()) {
        if (year >= rule.firstYear && year <= rule.lastYear) {
            holidays.push_back({DayOfRule(rule, year), rule.name});
        }
    }
    const auto byDay = [](const Holiday& a, const Holiday& b) {
        return DayNumberFromCivil(a.date) < DayNumberFromCivil(b.date);
    };
    std::sort(holidays.begin(), holidays.end(), byDay);

    // The substitute and citizens' holidays follow from the named holidays
    // alone, so both are found before either is added.
    const auto isNamedHoliday = [&holidays](std::int64_t day) {
        return std::any_of(holidays.begin(), holidays.end(), [day](const Holiday& holiday) {
            return DayNumberFromCivil(holiday.date) == day;
        });
    };
    std::vector<Holiday> daysOff;
    for (const Holiday& holiday : holidays) {
        const std::int64_t day = DayNumberFromCivil(holiday.date);
        if (day < kFirstSubstituteHoliday || WeekdayOf(day) != Weekday::Sunday) {
            continue;
        }
        // Before 2007 only the Monday; since then the first day after that is
        // not itself a holiday.
        std::int64_t substitute = day + 1;
        while (day >= kRevision2007 && isNamedHoliday(substitute)) {
            ++substitute;
        }
        if (!isNamedHoliday(substitute)) {
            daysOff.push_back({CivilFromDayNumber(substitute), kSubstituteHoliday});
        }
    }
    const auto isDayOffAlready = [&daysOff](std::int64_t day) {
        return std::any_of(daysOff.begin(), daysOff.end(), [day](const Holiday& holiday) {
            return DayNumberFromCivil(holiday.date) == day;
        });
    };
    for (const Holiday& holiday : holidays) {
        const std::int64_t between = DayNumberFromCivil(holiday.date) + 1;
        if (isNamedHoliday(between) || !isNamedHoliday(between + 1) ||
            between < kFirstCitizensHoliday || isDayOffAlready(between)) {
            continue;
        }
        // Before 2007 a Sunday between two holidays stayed a plain Sunday.
        if (between < kRevision2007 && WeekdayOf(between) == Weekday::Sunday) {
            continue;
        }
        daysOff.push_back({CivilFromDayNumber(between), kCitizensHoliday});
    }
    holidays.insert(holidays.end(), daysOff.begin(), daysOff.end());
    std::sort(holidays.begin(), holidays.end(), byDay);
    return holidays;
}

}  // namespace torvelin
