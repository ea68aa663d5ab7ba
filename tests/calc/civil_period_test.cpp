#include <gtest/gtest.h>

#include "calc/civil_period.h"
#include "calc/period_text.h"
#include "calc/runtime_error.h"

namespace torvelin {
namespace {

std::int64_t Day(int year, int month, int day) {
    return DayNumberFromCivil({year, month, day});
}

struct PeriodCase {
    CivilDate start;
    Period period;
    FirstDay firstDay;
    CivilDate last;
};

TEST(CivilPeriod, EndsEachUnitByTheCalendar) {
    constexpr auto kIn = FirstDay::Included;
    constexpr auto kOut = FirstDay::Excluded;
    using enum PeriodUnit;
    // clang-format off
    const PeriodCase cases[] = {
        // One month from 1/31 as its first day: no 2/31, so the month's last day.
        {{2023, 1, 31}, {1, Months}, kIn, {2023, 2, 28}},
        {{2024, 1, 31}, {1, Months}, kIn, {2024, 2, 29}},
        // Two months from 1/20: the day before 3/20.
        {{2024, 1, 20}, {2, Months}, kIn, {2024, 3, 19}},
        {{2013, 1, 31}, {1, Months}, kOut, {2013, 2, 28}},
        {{2024, 1, 15}, {3, Months}, kOut, {2024, 4, 15}},
        {{2024, 1, 15}, {3, Months}, kIn, {2024, 4, 14}},
        {{2024, 3, 31}, {1, Months}, kIn, {2024, 4, 30}},
        {{2024, 11, 30}, {14, Months}, kOut, {2026, 1, 31}},
        {{2024, 1, 10}, {10, Days}, kOut, {2024, 1, 20}},
        {{2024, 1, 10}, {10, Days}, kIn, {2024, 1, 19}},
        {{2024, 1, 10}, {1, Days}, kIn, {2024, 1, 10}},
        {{2024, 1, 10}, {2, Weeks}, kOut, {2024, 1, 24}},
        {{2024, 1, 10}, {2, Weeks}, kIn, {2024, 1, 23}},
        {{2023, 6, 10}, {1, Years}, kOut, {2024, 6, 10}},
        {{2023, 6, 10}, {1, Years}, kIn, {2024, 6, 9}},
        {{2024, 2, 29}, {1, Years}, kIn, {2025, 2, 28}},
        {{2024, 2, 29}, {4, Years}, kIn, {2028, 2, 28}},
        {{2024, 2, 28}, {1, Years}, kOut, {2025, 2, 28}},
    };
    // clang-format on
    for (const PeriodCase& c : cases) {
        EXPECT_EQ(
            CivilFromDayNumber(LastDayOfPeriod(DayNumberFromCivil(c.start), c.period, c.firstDay)),
            c.last)
            << c.start.year << "/" << c.start.month << "/" << c.start.day << " " << c.period.count;
    }
}

struct MoveCase {
    CivilDate start;
    Period period;
    CivilDate unmoved;
    CivilDate end;
    const char* reason;
};

TEST(CivilPeriod, MovesAnEndOnAClosedDayToTheNextOpenDay) {
    HolidayCalendar calendar;
    // clang-format off
    const MoveCase cases[] = {
        {{2024, 12, 20}, {10, PeriodUnit::Days}, {2024, 12, 30}, {2025, 1, 6}, "年末年始の休日"},
        // A Friday holiday, then the weekend.
        {{2023, 10, 24}, {10, PeriodUnit::Days}, {2023, 11, 3}, {2023, 11, 6}, "文化の日"},
        // Over the ten days off of 2019.
        {{2019, 4, 17}, {10, PeriodUnit::Days}, {2019, 4, 27}, {2019, 5, 7}, "土曜日"},
        {{2019, 4, 1}, {1, PeriodUnit::Months}, {2019, 5, 1}, {2019, 5, 7}, "天皇の即位の日"},
        {{2024, 10, 20}, {2, PeriodUnit::Weeks}, {2024, 11, 3}, {2024, 11, 5}, "日曜日"},
        {{2013, 1, 31}, {1, PeriodUnit::Months}, {2013, 2, 28}, {2013, 2, 28}, ""},
    };
    // clang-format on
    for (const MoveCase& c : cases) {
        const PeriodEnd end = EndOfPeriod(DayNumberFromCivil(c.start), c.period, FirstDay::Excluded,
                                          ClosedDays::Court, calendar);
        EXPECT_EQ(CivilFromDayNumber(end.unmovedDay), c.unmoved) << c.start.month;
        EXPECT_EQ(CivilFromDayNumber(end.day), c.end) << c.start.month;
        EXPECT_EQ(end.unmovedDayReasons.empty() ? "" : end.unmovedDayReasons.front(), c.reason);
        EXPECT_EQ(end.Moved(), *c.reason != '\0');

        const PeriodEnd kept = EndOfPeriod(DayNumberFromCivil(c.start), c.period,
                                           FirstDay::Excluded, ClosedDays::None, calendar);
        EXPECT_EQ(CivilFromDayNumber(kept.day), c.unmoved);
        EXPECT_FALSE(kept.Moved());
    }
}

TEST(CivilPeriod, RaisesError5OutsideTheRange) {
    HolidayCalendar calendar;
    const auto expectError5 = [&](std::int64_t start, Period period, FirstDay firstDay,
                                  ClosedDays closed) {
        try {
            EndOfPeriod(start, period, firstDay, closed, calendar);
            ADD_FAILURE() << start << " " << period.count;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), ErrorNumber::InvalidArgument);
        }
    };
    using enum PeriodUnit;
    expectError5(kLastDayNumber, {1, Days}, FirstDay::Excluded, ClosedDays::None);
    expectError5(Day(9999, 12, 20), {1, Months}, FirstDay::Excluded, ClosedDays::None);
    expectError5(Day(9999, 1, 1), {1, Years}, FirstDay::Excluded, ClosedDays::None);
    expectError5(Day(2024, 1, 1), {8000, Years}, FirstDay::Included, ClosedDays::None);
    expectError5(kFirstDayNumber - 1, {1, Days}, FirstDay::Excluded, ClosedDays::None);
    // 9999/12/31 is closed and there is no next open day.
    expectError5(Day(9999, 12, 21), {10, Days}, FirstDay::Excluded, ClosedDays::Court);
    // A period is at least one unit long.
    expectError5(Day(2024, 1, 1), {0, Days}, FirstDay::Excluded, ClosedDays::None);
    expectError5(Day(2024, 1, 1), {-3, Months}, FirstDay::Excluded, ClosedDays::None);
    expectError5(Day(2024, 1, 1), {kLastDayNumber, Days}, FirstDay::Included, ClosedDays::None);

    EXPECT_EQ(LastDayOfPeriod(Day(9999, 12, 21), {10, Days}, FirstDay::Excluded), kLastDayNumber);
    EXPECT_EQ(LastDayOfPeriod(Day(9999, 1, 1), {1, Years}, FirstDay::Included), kLastDayNumber);
    EXPECT_EQ(LastDayOfPeriod(kFirstDayNumber, {1, Days}, FirstDay::Included), kFirstDayNumber);
}

TEST(CivilPeriod, CountsDaysAndOpenDaysBetweenTwoDates) {
    HolidayCalendar calendar;
    EXPECT_EQ(DaysBetween(Day(2024, 1, 1), Day(2024, 12, 31), FirstDay::Included), 366);
    EXPECT_EQ(DaysBetween(Day(2024, 1, 1), Day(2024, 12, 31), FirstDay::Excluded), 365);
    EXPECT_EQ(DaysBetween(Day(2024, 12, 31), Day(2024, 1, 1), FirstDay::Excluded), 365);
    EXPECT_EQ(DaysBetween(Day(2024, 1, 1), Day(2024, 1, 1), FirstDay::Included), 1);

    // 12/27 and 1/6 are open, every day between is closed.
    const std::int64_t friday = Day(2024, 12, 27);
    const std::int64_t monday = Day(2025, 1, 6);
    EXPECT_EQ(OpenDaysBetween(friday, monday, FirstDay::Included, calendar), 2);
    EXPECT_EQ(OpenDaysBetween(friday, monday, FirstDay::Excluded, calendar), 1);
    EXPECT_EQ(OpenDaysBetween(monday, friday, FirstDay::Excluded, calendar), 1);
    EXPECT_EQ(OpenDaysBetween(Day(2019, 4, 26), Day(2019, 5, 7), FirstDay::Included, calendar), 2);
    EXPECT_EQ(OpenDaysBetween(Day(2025, 1, 6), Day(2025, 1, 10), FirstDay::Included, calendar), 5);
    EXPECT_THROW(OpenDaysBetween(kFirstDayNumber - 1, monday, FirstDay::Included, calendar),
                 RuntimeError);
}

TEST(PeriodText, ReadsCountAndUnit) {
    using enum PeriodUnit;
    const std::pair<const char*, Period> cases[] = {
        {"10日", {10, Days}},        {"10d", {10, Days}},           {"１０Ｄ", {10, Days}},
        {"2週間", {2, Weeks}},       {"2週", {2, Weeks}},           {"2w", {2, Weeks}},
        {"3か月", {3, Months}},      {"3ヶ月", {3, Months}},        {"3ケ月", {3, Months}},
        {"3カ月", {3, Months}},      {"3ヵ月", {3, Months}},        {"3箇月", {3, Months}},
        {"3M", {3, Months}},         {"1年", {1, Years}},           {"１y", {1, Years}},
        {" 1 年\u3000", {1, Years}}, {"9999999d", {9999999, Days}},
    };
    for (const auto& [text, period] : cases) {
        const std::optional<Period> read = ReadPeriodText(text);
        EXPECT_TRUE(read && *read == period) << text;
    }
    for (const char* text : {"", "10", "日", "0日", "-3日", "+3日", "10か", "10月", "3か月後",
                             "1.5年", "12345678日", "10x"}) {
        EXPECT_FALSE(ReadPeriodText(text)) << text;
    }
}

}  // namespace
}  // namespace torvelin
