// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "format/answer_text.h"

namespace torvelin {
namespace {

std::int64_t Day(int year, int month, int day) {
    return DayNumberFromCivil({year, month, day});
}

TEST(AnswerText, WritesTheLongFormOfADayAndOfAMovedEnd) {
    HolidayCalendar calendar;
    EXPECT_EQ(EndDateText(CalendarDate(Day(1872, 12, 31)), Form::Long), "1872/12/31\t火\t");
    // 23:59:59.6 is the next day's midnight, in the date and in its weekday.
    EXPECT_EQ(EndDateText(CalendarDate(Day(2014, 2, 23) + 0.999995), Form::Long),
              "2014/02/24\t月\t平成26年2月24日");
    const auto end = [&](CivilDate start, Period period) {
        return PeriodEndText(EndOfPeriod(DayNumberFromCivil(start), period, FirstDay::Excluded,
                                         ClosedDays::Court, calendar),
                             Form::Long);
    };
    EXPECT_EQ(end({2024, 12, 28}, {1, PeriodUnit::Days}),
              "2025/01/06\t月\t令和7年1月6日\t2024/12/29は日曜日・年末年始の休日のため延長");
    EXPECT_EQ(end({2014, 1, 24}, {1, PeriodUnit::Months}), "2014/02/24\t月\t平成26年2月24日");
}

TEST(AnswerText, DescribesADayInFull) {
    HolidayCalendar calendar;
    const auto description = [&](std::int64_t day) {
        return DayDescription(FactsOfDay(day, calendar));
    };
    EXPECT_EQ(description(Day(2014, 2, 24)), "2014年2月24日（月）　平成26年2月24日");
    EXPECT_EQ(description(Day(2024, 12, 29)),
              "2024年12月29日（日）　令和6年12月29日　日曜日・年末年始の休日");
    EXPECT_EQ(description(Day(1872, 12, 10)), "1872年12月10日（火）");
    EXPECT_EQ(description(Day(100, 1, 2)), "100年1月2日（土）　土曜日・年末年始の休日");
    EXPECT_EQ(DayInfoText(FactsOfDay(Day(2014, 2, 24), calendar)),
              "2014/02/24\t月\t平成26年2月24日\t開庁日");
}

TEST(AnswerText, GivesTwoHolidaysOnOneDayOneLine) {
    const std::vector<Holiday> holidays{
        {{2876, 9, 21}, "敬老の日"}, {{2876, 9, 21}, "秋分の日"}, {{2876, 11, 3}, "文化の日"}};
    EXPECT_EQ(HolidayListText(holidays), "2876/09/21\t敬老の日・秋分の日\n2876/11/03\t文化の日\n");
}

TEST(AnswerText, WritesAValueOrWhatStoppedIt) {
    const auto text = [](const Outcome<std::int64_t>& outcome) {
        return AnswerText(outcome, DayCountText);
    };
    EXPECT_EQ(text(17), "17");
    EXPECT_EQ(text(WrongInput::EndDate), "「終期」の日付を正しく入力してください yyyy/mm/dd");
    EXPECT_EQ(text(ErrorNumber::Overflow),
              "error 6: " + std::string(DescriptionOf(ErrorNumber::Overflow)));
}

}  // namespace
}  // namespace torvelin
