#include <gtest/gtest.h>

#include "calc/date_text.h"
#include "calc/equinox_day.h"
#include "calc/era_date.h"
#include "calc/holiday_calendar.h"
#include "calc/runtime_error.h"
#include "calc/weekday.h"

namespace torvelin {
namespace {

std::int64_t Day(int year, int month, int day) {
    return DayNumberFromCivil({year, month, day});
}

std::string Names(const std::vector<std::string_view>& names) {
    std::string text;
    for (const std::string_view name : names) {
        text += text.empty() ? "" : ",";
        text += name;
    }
    return text;
}

TEST(Weekday, NamesTheDayAcrossTheRange) {
    const std::pair<CivilDate, const char*> cases[] = {
        {{100, 1, 1}, "金"},    {{1899, 12, 30}, "土"}, {{2014, 2, 24}, "月"},
        {{2024, 12, 29}, "日"}, {{2023, 11, 2}, "木"},  {{9999, 12, 31}, "金"},
    };
    for (const auto& [date, name] : cases) {
        EXPECT_EQ(WeekdayName(WeekdayOf(date)), name) << date.year << "/" << date.month;
    }
}

TEST(EraDate, WritesEachEraAndItsFirstYear) {
    const std::pair<CivilDate, const char*> cases[] = {
        {{1873, 1, 1}, "明治6年1月1日"},    {{1912, 7, 29}, "明治45年7月29日"},
        {{1912, 7, 30}, "大正元年7月30日"}, {{1926, 12, 25}, "昭和元年12月25日"},
        {{1989, 1, 7}, "昭和64年1月7日"},   {{1989, 1, 8}, "平成元年1月8日"},
        {{2019, 4, 30}, "平成31年4月30日"}, {{2019, 5, 1}, "令和元年5月1日"},
        {{2026, 12, 6}, "令和8年12月6日"},  {{9999, 12, 31}, "令和7981年12月31日"},
    };
    for (const auto& [date, text] : cases) {
        EXPECT_EQ(EraDateText(DayNumberFromCivil(date)).value_or("(none)"), text);
    }
    EXPECT_FALSE(EraDateText(Day(1872, 12, 31)));
    EXPECT_FALSE(EraDateText(kFirstDayNumber));
}

TEST(EraDate, ReadsBackAsTheSameDayEveryDay) {
    for (std::int64_t day = Day(1873, 1, 1); day <= Day(2100, 12, 31); ++day) {
        const std::optional<CalendarDate> read = ReadDateText(*EraDateText(day));
        ASSERT_TRUE(read && read->DayNumber() == day) << *EraDateText(day);
    }
}

// Each case is one provision of the law or one change to it: the day and the
// holiday it makes, or "" for a day that the change left a working day.
TEST(HolidayCalendar, FollowsEachChangeOfTheLaw) {
    HolidayCalendar calendar;
    // clang-format off
    const std::pair<CivilDate, const char*> cases[] = {
        // Enacted 1948/07/20: that year only the holidays after it.
        {{1948, 5, 3}, ""}, {{1948, 9, 23}, "秋分の日"}, {{1948, 11, 23}, "勤労感謝の日"},
        {{1949, 1, 1}, "元日"}, {{1949, 3, 21}, "春分の日"}, {{1949, 4, 29}, "天皇誕生日"},
        {{1949, 5, 5}, "こどもの日"},
        // 1966: 敬老の日 and 体育の日; 1967: 建国記念の日.
        {{1965, 9, 15}, ""}, {{1966, 9, 15}, "敬老の日"}, {{1966, 10, 10}, "体育の日"}, {{1966, 2, 11}, ""},
        {{1967, 2, 11}, "建国記念の日"},
        // 1989: 天皇誕生日 to 12/23 and 4/29 みどりの日.
        {{1988, 4, 29}, "天皇誕生日"}, {{1989, 4, 29}, "みどりの日"}, {{1989, 12, 23}, "天皇誕生日"},
        // 1996: 海の日 on 7/20.
        {{1995, 7, 20}, ""}, {{1996, 7, 20}, "海の日"},
        // 2000: 成人の日 and 体育の日 on Mondays.
        {{1999, 1, 15}, "成人の日"}, {{2000, 1, 15}, ""}, {{2000, 1, 10}, "成人の日"}, {{2000, 10, 10}, ""},
        {{2000, 10, 9}, "体育の日"},
        // 2003: 海の日 and 敬老の日 on Mondays.
        {{2002, 9, 15}, "敬老の日"}, {{2004, 9, 15}, ""}, {{2004, 9, 20}, "敬老の日"}, {{2003, 7, 20}, ""},
        {{2003, 7, 21}, "海の日"},
        // 2007: 昭和の日 on 4/29, みどりの日 to 5/4.
        {{2006, 4, 29}, "みどりの日"}, {{2006, 5, 4}, "国民の休日"}, {{2007, 4, 29}, "昭和の日"},
        {{2007, 5, 4}, "みどりの日"},
        // 2016: 山の日.
        {{2015, 8, 11}, ""}, {{2016, 8, 11}, "山の日"},
        // 天皇誕生日 12/23 to 2018, none in 2019, 2/23 from 2020.
        {{2018, 12, 23}, "天皇誕生日"}, {{2019, 12, 23}, ""}, {{2019, 2, 23}, ""},
        {{2020, 2, 23}, "天皇誕生日"}, {{2020, 2, 24}, "振替休日"},
        // 2020 and 2021 Olympic moves; the usual days are working days.
        {{2020, 7, 23}, "海の日"}, {{2020, 7, 24}, "スポーツの日"}, {{2020, 8, 10}, "山の日"},
        {{2020, 7, 20}, ""}, {{2020, 8, 11}, ""}, {{2020, 10, 12}, ""}, {{2021, 7, 22}, "海の日"},
        {{2021, 7, 23}, "スポーツの日"}, {{2021, 8, 8}, "山の日"}, {{2021, 8, 9}, "振替休日"},
        {{2021, 7, 19}, ""}, {{2021, 10, 11}, ""}, {{2022, 7, 18}, "海の日"}, {{2022, 8, 11}, "山の日"},
        {{2022, 10, 10}, "スポーツの日"},
        // Days declared by special laws.
        {{1959, 4, 10}, "皇太子明仁親王の結婚の儀"}, {{1989, 2, 24}, "昭和天皇の大喪の礼"}, {{1990, 11, 12}, "即位礼正殿の儀"},
        {{1993, 6, 9}, "皇太子徳仁親王の結婚の儀"}, {{2019, 5, 1}, "天皇の即位の日"}, {{2019, 10, 22}, "即位礼正殿の儀"},
        // 振替休日 from 1973/04/12: the Monday, from 2007 the next day off work.
        {{1973, 2, 12}, ""}, {{1973, 4, 30}, "振替休日"}, {{1999, 10, 11}, "振替休日"},
        {{2008, 5, 6}, "振替休日"}, {{2009, 5, 6}, "振替休日"}, {{2019, 5, 6}, "振替休日"},
        // 国民の休日 from 1985/12/27; to 2006 not on a Sunday or a 振替休日.
        {{1985, 5, 4}, ""}, {{1986, 5, 4}, ""}, {{1987, 5, 4}, "振替休日"}, {{1988, 5, 4}, "国民の休日"},
        {{2009, 9, 22}, "国民の休日"}, {{2019, 4, 30}, "国民の休日"}, {{2019, 5, 2}, "国民の休日"},
        {{2026, 9, 22}, "国民の休日"},
        // The equinoxes as declared and as computed.
        {{1960, 3, 20}, "春分の日"}, {{1979, 9, 24}, "秋分の日"}, {{2012, 9, 22}, "秋分の日"},
        {{2027, 3, 21}, "春分の日"}, {{2028, 3, 20}, "春分の日"}, {{2092, 3, 19}, "春分の日"},
        {{2103, 9, 24}, "秋分の日"}, {{2107, 9, 23}, "秋分の日"},
    };
    // clang-format on
    for (const auto& [date, name] : cases) {
        EXPECT_EQ(calendar.HolidayName(DayNumberFromCivil(date)), name)
            << date.year << "/" << date.month << "/" << date.day;
    }
}

TEST(HolidayCalendar, GivesEveryReasonADayIsClosed) {
    HolidayCalendar calendar;
    const std::pair<CivilDate, const char*> cases[] = {
        {{2024, 12, 27}, ""},
        {{2024, 12, 28}, "土曜日"},
        {{2024, 12, 29}, "日曜日,年末年始の休日"},
        {{2024, 12, 30}, "年末年始の休日"},
        {{2025, 1, 1}, "元日,年末年始の休日"},
        {{2025, 1, 3}, "年末年始の休日"},
        {{2025, 1, 4}, "土曜日"},
        {{2025, 1, 6}, ""},
        {{2024, 11, 3}, "日曜日,文化の日"},
        {{2024, 11, 4}, "振替休日"},
    };
    for (const auto& [date, reasons] : cases) {
        const std::int64_t day = DayNumberFromCivil(date);
        EXPECT_EQ(Names(calendar.ClosedReasons(day)), reasons) << date.month << "/" << date.day;
        EXPECT_EQ(calendar.IsClosed(day), *reasons != '\0') << date.month << "/" << date.day;
    }
    EXPECT_TRUE(calendar.HolidaysOf(1947).empty());
    // Asked again, the same kept list.
    EXPECT_EQ(&calendar.HolidaysOf(2019), &calendar.HolidaysOf(2019));
    EXPECT_TRUE(calendar.IsClosed(kFirstDayNumber));  // a Friday, but 1/1
    EXPECT_FALSE(calendar.IsClosed(Day(100, 1, 4)));  // a Monday
}

TEST(HolidayCalendar, RejectsDaysOutsideTheRange) {
    HolidayCalendar calendar;
    for (const std::int64_t day : {kFirstDayNumber - 1, kLastDayNumber + 1}) {
        try {
            calendar.IsClosed(day);
            ADD_FAILURE() << day;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), ErrorNumber::InvalidArgument);
        }
        EXPECT_THROW(calendar.HolidayName(day), RuntimeError);
    }
    EXPECT_THROW(calendar.HolidaysOf(99), RuntimeError);
    EXPECT_THROW(calendar.HolidaysOf(10000), RuntimeError);
    EXPECT_NO_THROW(calendar.HolidaysOf(9999));
}

// Moments published for these equinoxes, in JST; the computation claims to be
// within about a minute of them.
TEST(EquinoxDay, ComputesTheMomentWithinTwoMinutes) {
    struct Moment {
        int year;
        Equinox equinox;
        CivilDate date;
        int minutes;  // after midnight JST
    };
    const Moment moments[] = {
        {2000, Equinox::Vernal, {2000, 3, 20}, 16 * 60 + 35},
        {2008, Equinox::Autumnal, {2008, 9, 23}, 45},
        {2024, Equinox::Vernal, {2024, 3, 20}, 12 * 60 + 6},
        {2024, Equinox::Autumnal, {2024, 9, 22}, 21 * 60 + 44},
        {2025, Equinox::Vernal, {2025, 3, 20}, 18 * 60 + 1},
    };
    for (const Moment& m : moments) {
        const double expected = DayNumberFromCivil(m.date) + m.minutes / 1440.0;
        EXPECT_NEAR(ComputedEquinoxMoment(m.year, m.equinox), expected, 2 / 1440.0) << m.year;
    }
}

// The declared days and the computation were found apart; they must agree on
// every declared year, or one of them is wrong.
TEST(EquinoxDay, ComputationAgreesWithTheDeclaredDays) {
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
