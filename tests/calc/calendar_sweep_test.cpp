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
        const int y = static_cast<int>(reference.year());
        const int m = static_cast<int>(static_cast<unsigned>(reference.month()));
        const int d = static_cast<int>(static_cast<unsigned>(reference.day()));
        char expected[16];
        std::snprintf(expected, sizeof expected, "%04d/%02d/%02d", y, m, d);
        const CalendarDate date(static_cast<double>(dayNumber));
        const std::string written = DateToText(date);
        // The day after a month's last day is no date of that month.
        const bool monthEnd = year_month_day{day + days{1}}.day() == std::chrono::day{1};
        if (written != expected || ReadDateText(written) != date ||
            IsValidDayOfMonth(y, m, d + 1) == monthEnd ||
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
