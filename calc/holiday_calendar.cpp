// SPDX-License-Identifier: MIT
#include "calc/holiday_calendar.h"

#include "calc/runtime_error.h"
#include "calc/weekday.h"

namespace torvelin {

struct HolidayCalendar::Year {
    std::int64_t firstDay;
    std::vector<Holiday> holidays;
    // For each day of the year, 1 + its index in holidays, or 0.
    std::array<std::uint8_t, 366> holidayByDay{};
    std::bitset<366> closed;
};

struct HolidayCalendar::DayInYear {
    const Year& year;
    int index;  // 0 for 1/1
};

namespace {

constexpr std::string_view kYearEndHolidays = "年末年始の休日";

bool IsYearEndHoliday(CivilDate date) {
    return (date.month == 12 && date.day >= 29) || (date.month == 1 && date.day <= 3);
}

}  // namespace

HolidayCalendar::HolidayCalendar() : years_(kLastCivilDate.year - kFirstCivilDate.year + 1) {}
HolidayCalendar::~HolidayCalendar() = default;

const HolidayCalendar::Year& HolidayCalendar::YearOf(int year) {
    if (year < kFirstCivilDate.year || year > kLastCivilDate.year) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    std::unique_ptr<const Year>& slot =
        years_[static_cast<std::size_t>(year - kFirstCivilDate.year)];
    if (slot) {
        return *slot;
    }
    auto built = std::make_unique<Year>();
    built->firstDay = DayNumberFromCivil({year, 1, 1});
    built->holidays = NationalHolidaysOf(year);
    for (std::size_t i = 0; i < built->holidays.size(); ++i) {
        const auto day = DayNumberFromCivil(built->holidays[i].date) - built->firstDay;
        // A day with two holidays is named by the first.
        if (built->holidayByDay[day] == 0) {
            built->holidayByDay[day] = static_cast<std::uint8_t>(i + 1);
        }
    }
    const std::int64_t days = IsLeapYear(year) ? 366 : 365;
    for (std::int64_t i = 0; i < days; ++i) {
        const std::int64_t day = built->firstDay + i;
        const Weekday weekday = WeekdayOf(day);
        built->closed[i] = weekday == Weekday::Saturday || weekday == Weekday::Sunday ||
                           built->holidayByDay[i] != 0 || IsYearEndHoliday(CivilFromDayNumber(day));
    }
    slot = std::move(built);
    return *slot;
}

HolidayCalendar::DayInYear HolidayCalendar::Locate(std::int64_t dayNumber) {
    if (!IsDayNumberInRange(dayNumber)) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    const Year& year = YearOf(CivilFromDayNumber(dayNumber).year);
    return {year, static_cast<int>(dayNumber - year.firstDay)};
}

const std::vector<Holiday>& HolidayCalendar::HolidaysOf(int year) {
    return YearOf(year).holidays;
}

std::string_view HolidayCalendar::HolidayName(std::int64_t dayNumber) {
    const DayInYear day = Locate(dayNumber);
    const int holiday = day.year.holidayByDay[day.index];
    return holiday == 0 ? std::string_view() : day.year.holidays[holiday - 1].name;
}

bool HolidayCalendar::IsClosed(std::int64_t dayNumber) {
    const DayInYear day = Locate(dayNumber);
    return day.year.closed[day.index];
}

std::vector<std::string_view> HolidayCalendar::ClosedReasons(std::int64_t dayNumber) {
    std::vector<std::string_view> reasons;
    const Weekday weekday = WeekdayOf(dayNumber);
    if (weekday == Weekday::Saturday) {
        reasons.push_back("土曜日");
    }
    if (weekday == Weekday::Sunday) {
        reasons.push_back("日曜日");
    }
    for (const Holiday& holiday : Locate(dayNumber).year.holidays) {
        if (DayNumberFromCivil(holiday.date) == dayNumber) {
            reasons.push_back(holiday.name);
        }
    }
    if (IsYearEndHoliday(CivilFromDayNumber(dayNumber))) {
        reasons.push_back(kYearEndHolidays);
    }
    return reasons;
}

}  // namespace torvelin
