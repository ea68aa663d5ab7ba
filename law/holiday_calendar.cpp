// SPDX-License-Identifier: MIT
#include "law/holiday_calendar.h"

#include "calc/runtime_error.h"
#include "calc/weekday.h"

namespace torvelin {

struct HolidayCalendar::Year {
    std::int64_t firstDay;
    std::vector<Holiday> holidays;
    std::bitset<366> closed;  // by day of the year, 0 for 1/1
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
    // set() checks the position: a day past the year's end is an error, not
    // a write beside the table.
    for (const Holiday& holiday : built->holidays) {
        built->closed.set(
            static_cast<std::size_t>(DayNumberFromCivil(holiday.date) - built->firstDay));
    }
    const std::int64_t nextYear = DayNumberFromCivil({year + 1, 1, 1});
    for (std::int64_t day = built->firstDay; day < nextYear; ++day) {
        const Weekday weekday = WeekdayOf(day);
        if (weekday == Weekday::Saturday || weekday == Weekday::Sunday ||
            IsYearEndHoliday(CivilFromDayNumber(day))) {
            built->closed.set(static_cast<std::size_t>(day - built->firstDay));
        }
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
