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
// The conversions shift the year to start in March, so that the leap day is
// the last day of its year and every month's offset is a linear formula.
constexpr std::int64_t DayNumberFromCivil(CivilDate date) {
    const std::int64_t year = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    // Unsigned within the era, as in CivilFromDayNumber.
    const auto yearOfEra = static_cast<std::uint32_t>(year - era * 400);           // [0, 399]
    const std::int64_t monthFromMarch = (date.month + 9) % 12;                     // [0, 11]
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;  // [0, 365]
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    constexpr std::int64_t kDaysFrom0000_03_01To1899_12_30 = 693899;
    return era * 146097 + dayOfEra - kDaysFrom0000_03_01To1899_12_30;
}

constexpr CivilDate CivilFromDayNumber(std::int64_t dayNumber) {
    const std::int64_t days = dayNumber + 693899;  // days since 0000/03/01
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    // Within an era the numbers are small and never negative: unsigned 32-bit
    // division by a constant is the cheapest, and a batch converts every answer.
    const auto dayOfEra = static_cast<std::uint32_t>(days - era * 146097);  // [0, 146096]
    const std::uint32_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // [0, 399]
    const std::uint32_t dayOfYear =
        dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);  // [0, 365]
    const std::uint32_t monthFromMarch = (5 * dayOfYear + 2) / 153;      // [0, 11]
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month =
        static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
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
