// SPDX-License-Identifier: MIT
// Every day of the supported range, against std::chrono's calendar.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "calc/calendar_date.h"
#include "calc/date_text.h"
#include "calc/runtime_error.h"

namespace torvelin {
namespace {

using namespace std::chrono;

TEST(CalendarSweep, EveryDayIsWrittenAndReadBackAsTheReferenceCalendarSaysIt) {
    constexpr sys_days kDayZero = 1899y / December / 30;
    const sys_days first = year{100} / January / 1;
    const sys_days last = year{9999} / December / 31;
    ASSERT_EQ(kFirstDayNumber, (first - kDayZero).count());
    ASSERT_EQ(kLastDayNumber, (last - kDayZero).count());

    int failures = 0;
    for (sys_days day = first; day <= last && failures < 10; day += days{1}) {
        const std::int64_t dayNumber = (day - kDayZero).count();
        const year_month_day reference{day};
        char expected[16];
        std::snprintf(expected, sizeof expected, "%04d/%02u/%02u",
                      static_cast<int>(reference.year()), static_cast<unsigned>(reference.month()),
                      static_cast<unsigned>(reference.day()));
        const CalendarDate date(static_cast<double>(dayNumber));
        const std::string written = DateToText(date);
        // The day after a month's last day is no date of that month.
        char pastMonthEnd[16];
        std::snprintf(pastMonthEnd, sizeof pastMonthEnd, "%04d/%02u/%02u",
                      static_cast<int>(reference.year()), static_cast<unsigned>(reference.month()),
                      static_cast<unsigned>(reference.day()) + 1);
        const bool monthEnd = year_month_day{day + days{1}}.day() == std::chrono::day{1};
        if (written != expected || ReadDateText(written) != date ||
            (monthEnd && IsDateText(pastMonthEnd)) ||
            DayNumberFromCivil(CivilFromDayNumber(dayNumber)) != dayNumber) {
            ++failures;
            ADD_FAILURE() << "day " << dayNumber << ": expected " << expected << ", wrote "
                          << written;
        }
    }
    for (const double serial : {kFirstDayNumber - 1.0, kLastDayNumber + 1.0, 1e300, std::nan("")}) {
        EXPECT_FALSE(CalendarDate(serial).IsInRange()) << serial;
        EXPECT_THROW(DateToText(CalendarDate(serial)), RuntimeError) << serial;
    }
}

}  // namespace
}  // namespace torvelin
