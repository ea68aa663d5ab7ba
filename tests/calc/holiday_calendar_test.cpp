// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "calc/date_text.h"
#include "calc/equinox_day.h"
#include "calc/era_date.h"
#include "calc/holiday_calendar.h"
#include "calc/runtime_error.h"

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
        {{9999, 12, 31}, "令和7981年12月31日"},
    };
    // clang-format on
    for (const auto& [date, text] : eras) {
        EXPECT_EQ(EraDateText(DayNumberFromCivil(date)).value_or("(none)"), text);
    }
    EXPECT_FALSE(EraDateText(Day(1872, 12, 31)));
    for (std::int64_t day = Day(1873, 1, 1); day <= Day(2100, 12, 31); ++day) {
        const std::optional<CalendarDate> read = ReadDateText(*EraDateText(day));
        ASSERT_TRUE(read && read->DayNumber() == day) << *EraDateText(day);
    }
}

// One case for each provision of the law and each change to it: the day and
// the holiday it makes, or "" for a day the change left a working day. Every
// year is also checked against holidays_reference.py.
TEST(HolidayCalendar, FollowsEachChangeOfTheLaw) {
    HolidayCalendar calendar;
    // clang-format off
    const std::pair<CivilDate, const char*> cases[] = {
        {{1948, 5, 3}, ""}, {{1948, 9, 23}, "秋分の日"},                  // enacted 1948/07/20
        {{1966, 9, 15}, "敬老の日"}, {{1967, 2, 11}, "建国記念の日"},       // 1966, 1967
        {{1989, 4, 29}, "みどりの日"}, {{1989, 12, 23}, "天皇誕生日"},      // 1989
        {{1996, 7, 20}, "海の日"}, {{2000, 1, 10}, "成人の日"}, {{2000, 10, 9}, "体育の日"},
        {{2003, 7, 21}, "海の日"}, {{2004, 9, 20}, "敬老の日"},             // Mondays from 2003
        {{2007, 4, 29}, "昭和の日"}, {{2007, 5, 4}, "みどりの日"}, {{2016, 8, 11}, "山の日"},
        {{2019, 12, 23}, ""}, {{2020, 2, 23}, "天皇誕生日"}, {{2022, 10, 10}, "スポーツの日"},
        {{2020, 7, 24}, "スポーツの日"}, {{2020, 8, 11}, ""}, {{2021, 8, 9}, "振替休日"},  // Olympics
        {{1959, 4, 10}, "皇太子明仁親王の結婚の儀"}, {{1989, 2, 24}, "昭和天皇の大喪の礼"},
        {{1990, 11, 12}, "即位礼正殿の儀"}, {{1993, 6, 9}, "皇太子徳仁親王の結婚の儀"},
        {{2019, 5, 1}, "天皇の即位の日"}, {{2019, 10, 22}, "即位礼正殿の儀"},
        // 振替休日 from 1973/04/12, from 2007 the next day that is not a holiday.
        {{1973, 2, 12}, ""}, {{1973, 4, 30}, "振替休日"}, {{2008, 5, 6}, "振替休日"},
        // 国民の休日 from 1985/12/27; to 2006 not on a Sunday or a 振替休日.
        {{1985, 5, 4}, ""}, {{1986, 5, 4}, ""}, {{1987, 5, 4}, "振替休日"}, {{1988, 5, 4}, "国民の休日"},
        {{2009, 9, 22}, "国民の休日"},
        // Equinoxes as declared and as computed.
        {{1979, 9, 24}, "秋分の日"}, {{2092, 3, 19}, "春分の日"}, {{2103, 9, 24}, "秋分の日"},
    };
    // clang-format on
    for (const auto& [date, name] : cases) {
        EXPECT_EQ(calendar.HolidayName(DayNumberFromCivil(date)), name)
            << date.year << "/" << date.month << "/" << date.day;
    }
}

TEST(HolidayCalendar, GivesEveryReasonADayIsClosed) {
    HolidayCalendar calendar;
    // clang-format off
    const std::pair<CivilDate, std::vector<std::string_view>> cases[] = {
        {{2024, 12, 27}, {}}, {{2024, 12, 28}, {"土曜日"}}, {{2024, 12, 29}, {"日曜日", "年末年始の休日"}},
        {{2025, 1, 1}, {"元日", "年末年始の休日"}}, {{2025, 1, 3}, {"年末年始の休日"}},
        {{2025, 1, 4}, {"土曜日"}}, {{2024, 11, 4}, {"振替休日"}},
    };
    // clang-format on
    for (const auto& [date, reasons] : cases) {
        const std::int64_t day = DayNumberFromCivil(date);
        EXPECT_EQ(calendar.ClosedReasons(day), reasons) << date.month << "/" << date.day;
        EXPECT_EQ(calendar.IsClosed(day), !reasons.empty()) << date.month << "/" << date.day;
    }
    EXPECT_TRUE(calendar.HolidaysOf(1947).empty());
    EXPECT_EQ(&calendar.HolidaysOf(2019), &calendar.HolidaysOf(2019));  // kept, not recomputed
    EXPECT_TRUE(calendar.IsClosed(kFirstDayNumber));                    // a Friday, but 1/1
    EXPECT_FALSE(calendar.IsClosed(Day(100, 1, 4)));                    // a Monday

    try {
        calendar.IsClosed(kLastDayNumber + 1);
        ADD_FAILURE();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), ErrorNumber::InvalidArgument);
    }
    for (const std::int64_t day : {kFirstDayNumber - 1, kLastDayNumber + 1}) {
        EXPECT_THROW(calendar.HolidayName(day), RuntimeError);
        EXPECT_THROW(calendar.IsClosed(day), RuntimeError);
    }
    EXPECT_THROW(calendar.HolidaysOf(99), RuntimeError);
    EXPECT_THROW(calendar.HolidaysOf(10000), RuntimeError);
    EXPECT_NO_THROW(calendar.HolidaysOf(9999));
}

// Published moments in JST; the computation claims to be within about a
// minute. The declared days were found apart from the computation, so the two
// must agree on every declared year.
TEST(EquinoxDay, ComputesTheMomentAndAgreesWithTheDeclaredDays) {
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
    for (int year = kFirstDeclaredEquinoxYear; year <= kLastDeclaredEquinoxYear; ++year) {
        for (const Equinox equinox : {Equinox::Vernal, Equinox::Autumnal}) {
            EXPECT_EQ(DayNumberFromCivil(EquinoxDay(year, equinox)),
                      ComputedEquinoxDayNumber(year, equinox))
                << year;
        }
    }
}

}  // namespace
}  // namespace torvelin
