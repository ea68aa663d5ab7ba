// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdint>

namespace torvelin {

// A day on the proleptic Gregorian calendar.
struct CivilDate {
    int year;
    int month;  // 1..12
    int day;    // 1..31

    friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
};

constexpr bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

constexpr bool IsValidDayOfMonth(int year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

// Day numbers count from 1899/12/30, day 0 of the serial date value.
// The conversions are Neri and Schneider's ("Euclidean affine functions and
// their application to calendar algorithms", 2022): each step a
// multiplication or a shift of a 32-bit number, since a batch converts every
// answer several times. They count the year from March, so that the leap day
// is the last day of its year and every month's offset is a linear formula,
// and the days from 0000/03/01 moved back by whole 400-year cycles, so that
// no count is negative: they hold from about the year -32,800 to far past
// the calendar's range.
namespace civil_count {
inline constexpr std::uint32_t kCyclesBack = 82;
inline constexpr std::uint32_t kYearsBack = 400 * kCyclesBack;
// Day 0 counted from the start of the count.
inline constexpr std::int64_t kDaysBack = 146097 * std::int64_t{kCyclesBack} + 693899;
}  // namespace civil_count

constexpr std::int64_t DayNumberFromCivil(CivilDate date) {
    using namespace civil_count;
    const bool fromYearBefore = date.month <= 2;  // January and February
    const std::uint32_t year =
        static_cast<std::uint32_t>(date.year) + kYearsBack - (fromYearBefore ? 1 : 0);
    const std::uint32_t month = static_cast<std::uint32_t>(date.month) + (fromYearBefore ? 12 : 0);
    const std::uint32_t century = year / 100;
    const std::uint32_t yearDays = 1461 * year / 4 - century + century / 4;
    const std::uint32_t monthDays = (979 * month - 2919) / 32;  // March is month 3
    return static_cast<std::int64_t>(yearDays + monthDays) + date.day - 1 - kDaysBack;
}

constexpr CivilDate CivilFromDayNumber(std::int64_t dayNumber) {
    using namespace civil_count;
    const auto days = static_cast<std::uint32_t>(dayNumber + kDaysBack);
    const std::uint32_t quarterDays = 4 * days + 3;
    const std::uint32_t century = quarterDays / 146097;
    const std::uint32_t dayOfCentury = quarterDays % 146097 / 4;
    const std::uint64_t yearScaled = std::uint64_t{2939745} * (4 * dayOfCentury + 3);
    const auto yearOfCentury = static_cast<std::uint32_t>(yearScaled >> 32);
    const std::uint32_t dayOfYear = static_cast<std::uint32_t>(yearScaled) / 2939745 / 4;
    const std::uint32_t monthScaled = 2141 * dayOfYear + 197913;  // March is month 3
    const std::uint32_t month = monthScaled >> 16;
    const std::uint32_t day = (monthScaled & 0xFFFF) / 2141 + 1;
    const bool inYearAfter = dayOfYear >= 306;  // January and February
    return {static_cast<int>(100 * century + yearOfCentury + (inYearAfter ? 1 : 0)) -
                static_cast<int>(kYearsBack),
            static_cast<int>(inYearAfter ? month - 12 : month), static_cast<int>(day)};
}

inline constexpr CivilDate kFirstCivilDate{100, 1, 1};
inline constexpr CivilDate kLastCivilDate{9999, 12, 31};
inline constexpr std::int64_t kFirstDayNumber = DayNumberFromCivil(kFirstCivilDate);
inline constexpr std::int64_t kLastDayNumber = DayNumberFromCivil(kLastCivilDate);

static_assert(DayNumberFromCivil({1899, 12, 30}) == 0);
static_assert(DayNumberFromCivil({1970, 1, 1}) == 25569);
static_assert(CivilFromDayNumber(0) == CivilDate{1899, 12, 30});

constexpr bool IsDayNumberInRange(std::int64_t dayNumber) {
    return dayNumber >= kFirstDayNumber && dayNumber <= kLastDayNumber;
}

// A date and time of day as a serial number of days: 0.0 is 1899/12/30 at
// midnight, the whole part counts days and the fraction is the time of day.
// Before day 0 the whole part is negative while the fraction still counts
// forward from midnight, so -1.25 is 1899/12/29 at 06:00; the day and the time
// must therefore be taken apart, never added as raw numbers.
class CalendarDate {
public:
    constexpr CalendarDate() = default;
    constexpr explicit CalendarDate(double serial) : serial_(serial) {}

    // timeOfDay is the fraction of the day, in [0, 1).
    static constexpr CalendarDate FromDayAndTime(std::int64_t dayNumber, double timeOfDay) {
        const double day = static_cast<double>(dayNumber);
        return CalendarDate(dayNumber < 0 ? day - timeOfDay : day + timeOfDay);
    }

    constexpr double Serial() const { return serial_; }
    std::int64_t DayNumber() const { return static_cast<std::int64_t>(std::trunc(serial_)); }
    double TimeOfDay() const { return std::fabs(serial_ - std::trunc(serial_)); }

    // Whether the value names a moment between 0100/01/01 and 9999/12/31.
    bool IsInRange() const {
        return std::isfinite(serial_) && std::trunc(serial_) >= kFirstDayNumber &&
               std::trunc(serial_) <= kLastDayNumber;
    }

    friend constexpr bool operator==(CalendarDate, CalendarDate) = default;

private:
    double serial_ = 0.0;
};

// The same moment to the nearest second. A time that rounds up to midnight
// is the next day's start, except on the last day, which keeps 23:59:59.
// Every date is rounded once, so that its text and its day always agree.
CalendarDate RoundedToSecond(CalendarDate date);

// Adds whole days, keeping the time of day. Throws RuntimeError 5 when the
// date or the result lies outside 0100/01/01 .. 9999/12/31.
CalendarDate AddDays(std::int32_t days, CalendarDate date);

}  // namespace torvelin
