// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "calc/date_text.h"
#include "calc/runtime_error.h"

namespace torvelin {
namespace {

TEST(DateText, ReadsTheWrittenAndTheEraForms) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"2014/2/24", "2014/02/24"}, {"100/01/01", "0100/01/01"}, {"9999/12/31", "9999/12/31"},
        {"2013-10-28", "2013/10/28"}, {"2013.10.28", "2013/10/28"}, {"2013年10月28日", "2013/10/28"},
        {"2016/2/29", "2016/02/29"}, {"2000/2/29", "2000/02/29"}, {"２０１３／１０／２８", "2013/10/28"},
        {"２０１３年１０月２８日", "2013/10/28"}, {"  2013/10/28\u3000 ", "2013/10/28"},
        {"2013/10/28 12:00", "2013/10/28 12:00:00"}, {"2013/10/28 6:05", "2013/10/28 6:05:00"},
        {"2013/10/28　０６：０５：０９", "2013/10/28 6:05:09"}, {"2013/10/28 0:00", "2013/10/28"},
        {"2013/10/28 23:59:59", "2013/10/28 23:59:59"}, {"2013/10/28 10:05", "2013/10/28 10:05:00"},
        // Era forms other than the era's own name and 元年 (those are read back every day
        // in holiday_calendar_test).
        {"H25/10/28", "2013/10/28"}, {"h25.10.28", "2013/10/28"}, {"Ｈ２５．１０．２８", "2013/10/28"},
        {"令和 ２年　３月　４日", "2020/03/04"}, {"R7-12-6", "2025/12/06"}, {"T15/12/24", "1926/12/24"},
        {"S64.1.7", "1989/01/07"}, {"r7981/12/31", "9999/12/31"},
        {"平成25年10月28日 9:30", "2013/10/28 9:30:00"},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        const std::optional<CalendarDate> date = ReadDateText(text);
        EXPECT_EQ(date ? DateToText(*date) : "(no date)", expected) << text;
    }
}

TEST(DateText, RejectsTextsThatNameNoDayInRange) {
    // clang-format off
    const char* const cases[] = {
        "", " ", "2013", "2013/10", "2013/02/30", "2013/13/01", "2013/00/10", "2013/10/00",
        "2015/2/29", "1900/2/29", "13/10/28", "99/12/31", "0099/12/31", "10000/1/1", "2013/10-28", "2013-10/28",
        "2013/1x/28", "2013/ 1/28", "201x/10/28", "2013/10/2:",
        "2013/10/28/", "2013//10/28", "02013/10/28", "2013/010/28", "2013/10/028", "2013年010月28日", "2013年10月028日", "2013/10/28x", "2013/10/28 12",
        "2013/10/28 24:00", "2013/10/28 12:60", "2013/10/28 12:5", "2013/10/28 12:00:60", "2013/10/28 012:00", "2013/10/28 12:000", "2013/10/28 12:00:000",
        "2013/10/2812:00", "2013年10月28", "2013年10/28", "+2013/10/28", "2013 /10/28",
        "Oct 28 2013", "明治5年12月31日", "M1/1/1", "明治45年7月30日", "大正元年7月29日",
        "大正15年12月25日", "昭和元年12月24日", "昭和64年1月8日", "平成元年1月7日",
        "平成31年5月1日", "令和元年4月30日", "令和0年5月1日", "令和7982/1/1", "X25/10/28",
        "平25年1月1日", "平成/25/10/28", "H/10/28", "2013元年1月1日", "2013/10/28\xFF", "\xE2\x80",
        // Overlong forms of '/' are not the character.
        "2013\xC0\xAF" "10/28", "2013\xE0\x80\xAF" "10/28",
    };
    // clang-format on
    for (const char* text : cases) {
        EXPECT_FALSE(IsDateText(text)) << text;
        EXPECT_EQ(ReadDateText(text), std::nullopt) << text;
    }
}

TEST(DateText, WritesTheTimeToTheNearestSecond) {
    const double second = 1.0 / 86400.0;
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {0.0, "1899/12/30"}, {0.5, "1899/12/30 12:00:00"},
        {41575.5 + 0.4 * second, "2013/10/28 12:00:00"},
        {41575.5 + 0.6 * second, "2013/10/28 12:00:01"},
        {41576.0 - 0.4 * second, "2013/10/29"},  // carried into the next day
        {-2.0 + 0.4 * second, "1899/12/30"},  // before day zero the time counts forward
        {kLastDayNumber + 1.0 - 0.4 * second, "9999/12/31 23:59:59"},
    };
    // clang-format on
    for (const auto& [serial, text] : cases) {
        EXPECT_EQ(DateToText(CalendarDate(serial)), text) << serial;
    }
}

TEST(DateText, AddDaysKeepsTheTimeAndStaysInTheRange) {
    // 1899/12/29 06:00 is -1.25, not -0.75.
    const CalendarDate early = ReadDateText("1899/12/29 6:00").value();
    EXPECT_DOUBLE_EQ(early.Serial(), -1.25);
    EXPECT_DOUBLE_EQ(ReadDateText("1899/12/30 12:00").value().Serial(), 0.5);
    EXPECT_EQ(DateToText(early), "1899/12/29 6:00:00");
    EXPECT_DOUBLE_EQ(AddDays(2, early).Serial(), 1.25);
    EXPECT_EQ(DateToText(AddDays(1, early)), "1899/12/30 6:00:00");
    // A time on the last day is in the range, the day after is not.
    const CalendarDate last = ReadDateText("9999/12/31 23:59").value();
    EXPECT_EQ(AddDays(0, last), last);
    EXPECT_THROW(AddDays(1, last), RuntimeError);
    EXPECT_THROW(AddDays(0, CalendarDate(1e10)), RuntimeError);
}

}  // namespace
}  // namespace torvelin
