// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "calc/runtime_error.h"
#include "law/civil_period.h"
#include "law/period_text.h"

namespace torvelin {
namespace {

std::int64_t Day(int year, int month, int day) {
    return DayNumberFromCivil({year, month, day});
}

constexpr auto kIn = FirstDay::Included;
constexpr auto kOut = FirstDay::Excluded;
using enum PeriodUnit;

TEST(CivilPeriod, EndsEachUnitByTheCalendar) {
    // clang-format off
    const std::tuple<CivilDate, Period, FirstDay, CivilDate> cases[] = {
        // One month from 1/31 as its first day: no 2/31, so the month's last day.
        {{2023, 1, 31}, {1, Months}, kIn, {2023, 2, 28}},
        {{2024, 1, 31}, {1, Months}, kIn, {2024, 2, 29}},
        // Two months from 1/20: the day before 3/20.
        {{2024, 1, 20}, {2, Months}, kIn, {2024, 3, 19}},
        {{2024, 11, 30}, {14, Months}, kOut, {2026, 1, 31}},
        {{2024, 1, 10}, {10, Days}, kIn, {2024, 1, 19}},
        {{2024, 1, 10}, {2, Weeks}, kIn, {2024, 1, 23}},
        {{2023, 6, 10}, {1, Years}, kOut, {2024, 6, 10}},
        {{2023, 6, 10}, {1, Years}, kIn, {2024, 6, 9}},
        {{2024, 2, 29}, {1, Years}, kIn, {2025, 2, 28}},
        {{2024, 2, 28}, {1, Years}, kOut, {2025, 2, 28}},
        // Month ends: from 3/30, or from 3/29 with the first day left out,
        // 4/30 corresponds to the first day, so the period ends on 4/29.
        {{2024, 3, 29}, {1, Months}, kOut, {2024, 4, 29}},
        {{2024, 3, 30}, {1, Months}, kIn, {2024, 4, 29}},
        {{2024, 2, 29}, {4, Years}, kIn, {2028, 2, 28}},
    };
    // clang-format on
    for (const auto& [start, period, firstDay, last] : cases) {
        EXPECT_EQ(CivilFromDayNumber(LastDayOfPeriod(DayNumberFromCivil(start), period, firstDay)),
                  last)
            << start.year << "/" << start.month << "/" << start.day << " " << period.count;
    }
}

TEST(CivilPeriod, MovesAnEndOnAClosedDayToTheNextOpenDay) {
    ClosedDayCalendar court(CalendarKind::Court);
    ClosedDayCalendar none(CalendarKind::None);
    // Start, period, last day, the day it moves to and why ("" when kept).
    // clang-format off
    const std::tuple<CivilDate, Period, CivilDate, CivilDate, const char*> cases[] = {
        {{2024, 12, 20}, {10, Days}, {2024, 12, 30}, {2025, 1, 6}, "年末年始の休日"},
        {{2023, 10, 24}, {10, Days}, {2023, 11, 3}, {2023, 11, 6}, "文化の日"},  // Friday, then weekend
        {{2019, 4, 17}, {10, Days}, {2019, 4, 27}, {2019, 5, 7}, "土曜日"},  // the ten days of 2019
        {{2019, 4, 1}, {1, Months}, {2019, 5, 1}, {2019, 5, 7}, "天皇の即位の日"},
        {{2024, 10, 20}, {2, Weeks}, {2024, 11, 3}, {2024, 11, 5}, "日曜日"},
        {{2013, 1, 31}, {1, Months}, {2013, 2, 28}, {2013, 2, 28}, ""},
    };
    // clang-format on
    for (const auto& [start, period, unmoved, moved, reason] : cases) {
        const std::int64_t first = DayNumberFromCivil(start);
        const PeriodEnd end = EndOfPeriod(first, period, kOut, court);
        EXPECT_EQ(CivilFromDayNumber(end.unmovedDay), unmoved) << start.month;
        EXPECT_EQ(CivilFromDayNumber(end.day), moved) << start.month;
        EXPECT_EQ(end.unmovedDayReasons.empty() ? "" : end.unmovedDayReasons.front(), reason);
        EXPECT_EQ(end.Moved(), *reason != '\0');
        const PeriodEnd kept = EndOfPeriod(first, period, kOut, none);
        EXPECT_EQ(CivilFromDayNumber(kept.day), unmoved);
        EXPECT_FALSE(kept.Moved());
    }
}

TEST(CivilPeriod, RaisesError5OutsideTheRange) {
    ClosedDayCalendar court(CalendarKind::Court);
    ClosedDayCalendar none(CalendarKind::None);
    // clang-format off
    constexpr auto kNone = CalendarKind::None;
    const std::tuple<std::int64_t, Period, FirstDay, CalendarKind> cases[] = {
        {kLastDayNumber, {1, Days}, kOut, kNone}, {Day(9999, 12, 20), {1, Months}, kOut, kNone},
        {Day(9999, 1, 1), {1, Years}, kOut, kNone}, {Day(2024, 1, 1), {8000, Years}, kIn, kNone},
        {kFirstDayNumber - 1, {1, Days}, kOut, kNone},
        {Day(9999, 12, 21), {10, Days}, kOut, CalendarKind::Court},  // closed, no open day after
        {Day(2024, 1, 1), {0, Days}, kOut, kNone}, {Day(2024, 1, 1), {-3, Months}, kOut, kNone},
        {Day(2024, 1, 1), {kLastDayNumber, Days}, kIn, kNone},
    };
    // clang-format on
    for (const auto& [start, period, firstDay, closed] : cases) {
        try {
            EndOfPeriod(start, period, firstDay, closed == kNone ? none : court);
            ADD_FAILURE() << start << " " << period.count;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), ErrorNumber::InvalidArgument);
        }
    }
    EXPECT_EQ(LastDayOfPeriod(Day(9999, 12, 21), {10, Days}, kOut), kLastDayNumber);
    EXPECT_EQ(LastDayOfPeriod(Day(9999, 1, 1), {1, Years}, kIn), kLastDayNumber);
    EXPECT_EQ(LastDayOfPeriod(kFirstDayNumber, {1, Days}, kIn), kFirstDayNumber);
    // Every day of the calendar is one period.
    const std::int64_t allDays = kLastDayNumber - kFirstDayNumber + 1;
    EXPECT_EQ(LastDayOfPeriod(kFirstDayNumber, {allDays, Days}, kIn), kLastDayNumber);
}

TEST(CivilPeriod, CountsDaysAndOpenDaysBetweenTwoDates) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    EXPECT_EQ(DaysBetween(Day(2024, 1, 1), Day(2024, 12, 31), kIn), 366);
    EXPECT_EQ(DaysBetween(Day(2024, 12, 31), Day(2024, 1, 1), kOut), -365);
    EXPECT_EQ(DaysBetween(Day(2024, 1, 1), Day(2024, 1, 1), kIn), 1);
    // 12/27 and 1/6 are open, every day between is closed.
    const std::int64_t friday = Day(2024, 12, 27);
    const std::int64_t monday = Day(2025, 1, 6);
    EXPECT_EQ(OpenDaysBetween(friday, monday, kIn, calendar), 2);
    EXPECT_EQ(OpenDaysBetween(friday, friday, kIn, calendar), 1);
    // Back from Monday, left out: Friday is the one open day.
    EXPECT_EQ(OpenDaysBetween(monday, friday, kOut, calendar), -1);
    EXPECT_EQ(OpenDaysBetween(monday, Day(2024, 12, 26), kOut, calendar), -2);
    EXPECT_EQ(OpenDaysBetween(Day(2019, 4, 26), Day(2019, 5, 7), kIn, calendar), 2);
    EXPECT_THROW(OpenDaysBetween(kFirstDayNumber - 1, monday, kIn, calendar), RuntimeError);
}

TEST(PeriodText, ReadsCountAndUnit) {
    // clang-format off
    const std::pair<const char*, Period> cases[] = {
        {"10日", {10, Days}}, {"１０Ｄ", {10, Days}}, {"2週間", {2, Weeks}}, {"2週", {2, Weeks}},
        {"2w", {2, Weeks}}, {"3か月", {3, Months}}, {"3ヶ月", {3, Months}}, {"3ケ月", {3, Months}},
        {"3カ月", {3, Months}}, {"3ヵ月", {3, Months}}, {"3箇月", {3, Months}}, {"3M", {3, Months}},
        {"1年", {1, Years}}, {"１y", {1, Years}}, {" 1 年\u3000", {1, Years}},
        {"9999999d", {9999999, Days}}, {"00000001日", {1, Days}}, {"10日間", {10, Days}},
        {"3か月間", {3, Months}}, {"3月", {3, Months}}, {"1年間", {1, Years}},
        {"1年6か月", {18, Months}}, {"２年　３月", {27, Months}}, {"二週間", {2, Weeks}},
        {"三箇月", {3, Months}}, {"十四日", {14, Days}}, {"百二十日", {120, Days}},
        {"二千三百四十五日", {2345, Days}}, {"一二〇日", {120, Days}}, {"三万日", {30000, Days}},
        {"九百九十九万九千九百九十九日", {9999999, Days}}, {"九九九九九九九日", {9999999, Days}},
        {"5営業日", {5, OpenDays}},
        {"5開庁日", {5, OpenDays}}, {"5b", {5, OpenDays}}, {"48時間", {48, Hours}},
        {"48h", {48, Hours}}, {"000000001日", {1, Days}}, {"００１０d", {10, Days}},
    };
    // clang-format on
    for (const auto& [text, period] : cases) {
        const std::optional<Period> read = ReadPeriodText(text);
        EXPECT_TRUE(read && *read == period) << text;
    }
    for (const char* text :
         {"",        "10",         "日",         "0日",        "-3日",     "+3日",     "10か",
          "3か月後", "1.5年",      "12345678日", "10x",        "〇日",     "一二十日", "十百日",
          "十十日",  "一〇十日",   "二十三四日", "一万一二日", "一千万日", "万日",     "万三日",
          "1年2日",  "1か月6か月", "1年6",       "5営業",      "5開庁",    "48時",     "二十"}) {
        EXPECT_FALSE(ReadPeriodText(text)) << text;
    }
}

}  // namespace
}  // namespace torvelin
