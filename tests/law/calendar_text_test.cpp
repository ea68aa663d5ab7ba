// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "law/calendar_text.h"

namespace torvelin {
namespace {

std::int64_t Day(int year, int month, int day) {
    return DayNumberFromCivil({year, month, day});
}

TEST(CalendarText, WritesTheLongFormOfADayAndOfAMovedEnd) {
    HolidayCalendar calendar;
    EXPECT_EQ(LongDayText(Day(1872, 12, 31)), "火\t");
    const auto end = [&](CivilDate start, Period period) {
        return LongPeriodEndText(EndOfPeriod(DayNumberFromCivil(start), period, FirstDay::Excluded,
                                             ClosedDays::Court, calendar));
    };
    EXPECT_EQ(end({2024, 12, 28}, {1, PeriodUnit::Days}),
              "月\t令和7年1月6日\t2024/12/29は日曜日・年末年始の休日のため延長");
    EXPECT_EQ(end({2014, 1, 24}, {1, PeriodUnit::Months}), "月\t平成26年2月24日");
}

TEST(CalendarText, DescribesADayInFull) {
    HolidayCalendar calendar;
    EXPECT_EQ(DayDescription(Day(2014, 2, 24), calendar), "2014年2月24日（月）　平成26年2月24日");
    EXPECT_EQ(DayDescription(Day(2024, 12, 29), calendar),
              "2024年12月29日（日）　令和6年12月29日　日曜日・年末年始の休日");
    EXPECT_EQ(DayDescription(Day(1872, 12, 10), calendar), "1872年12月10日（火）");
    EXPECT_EQ(DayDescription(Day(100, 1, 2), calendar),
              "100年1月2日（土）　土曜日・年末年始の休日");
    EXPECT_EQ(DayInfoText(Day(2014, 2, 24), calendar), "2014/02/24\t月\t平成26年2月24日\t開庁日");
}

}  // namespace
}  // namespace torvelin
