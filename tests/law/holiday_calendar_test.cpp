// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "calc/date_text.h"
#include "calc/era_date.h"
#include "calc/runtime_error.h"
#include "law/closed_day_calendar.h"
#include "law/equinox_day.h"
#include "law/holiday_calendar.h"

namespace torvelin {
namespace {

std::int64_t Day(int year, int month, int day) {
    return DayNumberFromCivil({year, month, day});
}

TEST(EraDate, WritesEachEraAndReadsBackEveryDay) {
    // clang-format off
    const std::pair<CivilDate, const char*> eras[] = {
        {{1873, 1, 1}, "明治6年1月1日"}, {{1912, 7, 29}, "明治45年7月29日"}, {{1912, 7, 30}, "大正元年7月30日"},
        {{1926, 12, 25}, "昭和元年12月25日"}, {{1989, 1, 7}, "昭和64年1月7日"}, {{1989, 1, 8}, "平成元年1月8日"},
        {{2019, 4, 30}, "平成31年4月30日"}, {{2019, 5, 1}, "令和元年5月1日"},
        {{2118, 1, 1}, "令和100年1月1日"}, {{9999, 12, 31}, "令和7981年12月31日"},
    };
    // clang-format on
    for (const auto& [date, text] : eras) {
        EXPECT_EQ(EraDateText(DayNumberFromCivil(date)).value_or("(none)"), text);
    }
    EXPECT_FALSE(EraDateText(Day(1872, 12, 31)));
    EXPECT_FALSE(EraDateText(kLastDayNumber + 1));
    for (std::int64_t day = Day(1873, 1, 1); day <= Day(2100, 12, 31); ++day) {
        const std::optional<CalendarDate> read = ReadDateText(*EraDateText(day));
        ASSERT_TRUE(read && read->DayNumber() == day) << *EraDateText(day);
    }
}

// Which days are holidays, and their names, is checked year by year against
// holidays_reference.py; here, what the calendar answers about any day.
TEST(HolidayCalendar, GivesEveryReasonADayIsClosed) {
    HolidayCalendar holidays;
    ClosedDayCalendar calendar(CalendarKind::Court);
    // clang-format off
    const std::pair<CivilDate, std::vector<std::string_view>> cases[] = {
        {{2024, 12, 27}, {}}, {{2024, 12, 28}, {"土曜日"}}, {{2024, 12, 29}, {"日曜日", "年末年始の休日"}},
        {{2025, 1, 1}, {"元日", "年末年始の休日"}}, {{2025, 1, 3}, {"年末年始の休日"}},
        {{2025, 1, 4}, {"土曜日"}}, {{2024, 11, 4}, {"振替休日"}},
        {{2876, 9, 21}, {"敬老の日", "秋分の日"}},  // the first year the two fall on one day
    };
    // clang-format on
    for (const auto& [date, reasons] : cases) {
        const std::int64_t day = DayNumberFromCivil(date);
        EXPECT_EQ(calendar.ClosedReasons(day), reasons) << date.month << "/" << date.day;
        EXPECT_EQ(calendar.IsClosed(day), !reasons.empty()) << date.month << "/" << date.day;
    }
    EXPECT_TRUE(holidays.HolidaysOf(1947).empty());
    EXPECT_EQ(&holidays.HolidaysOf(2019), &holidays.HolidaysOf(2019));  // kept, not recomputed
    EXPECT_FALSE(calendar.IsClosed(Day(100, 1, 4)));                    // a Monday

    EXPECT_THROW(calendar.IsClosed(kFirstDayNumber - 1), RuntimeError);
    EXPECT_THROW(calendar.IsClosed(kLastDayNumber + 1), RuntimeError);
    EXPECT_THROW(holidays.HolidaysOf(99), RuntimeError);
    EXPECT_THROW(holidays.HolidaysOf(10000), RuntimeError);
    EXPECT_NO_THROW(holidays.HolidaysOf(9999));
}

// The declared days are the law's; the computation only follows them.
TEST(EquinoxDay, HolidaysTakeTheDeclaredDays) {
    HolidayCalendar calendar;
    for (int year = kFirstDeclaredEquinoxYear + 1; year <= kLastDeclaredEquinoxYear; ++year) {
        for (const auto& [equinox, name] :
             {std::pair{Equinox::Vernal, "春分の日"}, std::pair{Equinox::Autumnal, "秋分の日"}}) {
            const Holiday declared{*DeclaredEquinoxDay(year, equinox), name};
            const auto& holidays = calendar.HolidaysOf(year);
            EXPECT_EQ(std::count(holidays.begin(), holidays.end(), declared), 1) << year;
        }
    }
    EXPECT_FALSE(DeclaredEquinoxDay(kLastDeclaredEquinoxYear + 1, Equinox::Vernal));
}

// Published moments in JST; the computation claims to be within about a
// minute.
TEST(EquinoxDay, ComputesTheMomentAndTheDeclaredDays) {
    const std::tuple<Equinox, CivilDate, int> moments[] = {
        {Equinox::Vernal, {2000, 3, 20}, 16 * 60 + 35},
        {Equinox::Autumnal, {2008, 9, 23}, 45},
        {Equinox::Autumnal, {2024, 9, 22}, 21 * 60 + 44},
    };
    for (const auto& [equinox, date, minutes] : moments) {
        EXPECT_NEAR(ComputedEquinoxMoment(date.year, equinox),
                    DayNumberFromCivil(date) + minutes / 1440.0, 2 / 1440.0)
            << date.year;
    }
    // The same method worked out by equinox_reference.py: every constant is
    // the published one, to a millisecond.
    std::ifstream reference(TORVELIN_EQUINOX_MOMENTS);
    int year = 0, years = 0;
    for (double march, september; reference >> year >> march >> september; ++years) {
        EXPECT_NEAR(ComputedEquinoxMoment(year, Equinox::Vernal), march, 1e-8) << year;
        EXPECT_NEAR(ComputedEquinoxMoment(year, Equinox::Autumnal), september, 1e-8) << year;
    }
    EXPECT_GT(years, 200);
    // The declared days were found apart from the computation: the years where
    // the computation misses a declared day, none today.
    std::vector<int> missed;
    for (year = kFirstDeclaredEquinoxYear; year <= kLastDeclaredEquinoxYear; ++year) {
        for (const Equinox equinox : {Equinox::Vernal, Equinox::Autumnal}) {
            if (DayNumberFromCivil(*DeclaredEquinoxDay(year, equinox)) !=
                ComputedEquinoxDayNumber(year, equinox)) {
                missed.push_back(year);
            }
        }
    }
    EXPECT_EQ(missed, std::vector<int>{});
    // Past them, a day next to a computed equinox is noted, whatever the
    // equinox's day in that year; a day two off is not.
    for (year = kLastDeclaredEquinoxYear + 1; year <= kLastCivilDate.year; ++year) {
        for (const Equinox equinox : {Equinox::Vernal, Equinox::Autumnal}) {
            const std::int64_t day = ComputedEquinoxDayNumber(year, equinox);
            ASSERT_EQ(ComputedEquinoxNotes(day - 1, day - 1).size(), 1U) << year;
            ASSERT_EQ(ComputedEquinoxNotes(day + 1, day + 1).size(), 1U) << year;
            ASSERT_EQ(ComputedEquinoxNotes(day - 2, day - 2).size(), 0U) << year;
            ASSERT_EQ(ComputedEquinoxNotes(day + 2, day + 2).size(), 0U) << year;
        }
    }
}

}  // namespace
}  // namespace torvelin
