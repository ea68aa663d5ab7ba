// SPDX-License-Identifier: MIT
#include "law/act_date.h"
#include "law/closed_day_calendar.h"

namespace torvelin {
namespace {

constexpr CivilDate kNoLastDay = kLastCivilDate;
constexpr unsigned kEveryWeek = 0b111110;  // the 1st to the 5th of the month

constexpr unsigned Weeks(std::initializer_list<int> weeks) {
    unsigned bits = 0;
    for (const int week : weeks) {
        bits |= 1u << week;
    }
    return bits;
}

constexpr std::string_view kSunday = "日曜日";
constexpr std::string_view kSaturday = "土曜日";
constexpr std::string_view kYearEnd = "年末年始の休日";

// Before the Court Holidays Act a period of procedure did not end on a Sunday
// or a general holiday (一般ノ休日). The day the Code took effect is left out:
// the calendar gives its rule to every day before the Act.
constexpr Act kCodeOfCivilProcedure{
    .title = "民事訴訟法（明治二十三年法律第二十九号）第百五十六条第二項",
    .inForce = {},
};
// 1/2 and 1/3 were general holidays by custom (最高裁判所昭和三十三年六月二日大法廷
// 判決: a general holiday includes a customary one); 12/29 and 12/30 were not
// (昭和四十三年一月三十日第三小法廷決定, 昭和四十三年(オ)第六百四十八号).
constexpr Act kGeneralHolidaysByCustom{
    .title = "民事訴訟法（明治二十三年法律第二十九号）第百五十六条第二項（一般ノ休日）",
    .inForce = {},
};
// Article 1(1): "日曜日並びに毎月の第二土曜日及び第四土曜日", national
// holidays, and 12/29 to 1/3. Promulgated 1988/12/13. Its own supplementary
// provisions were not within reach: the calendar applies it from 1989/01/01,
// the day its companion acts took effect (地方自治法の一部を改正する法律,
// 昭和六十三年政令第三百四十一号; 国会に置かれる機関の休日に関する法律, from the
// day of 行政機関の休日に関する法律, whose Saturday closures began in January
// 1989). Any day from 1988/12/25 to 1989/01/14 closes the same days.
constexpr Act kCourtHolidaysAct{
    .title = "裁判所の休日に関する法律（昭和六十三年法律第九十三号）",
    .inForce = {},
};
constexpr CivilDate kCourtHolidaysApplied = ActDate("昭和六十四年一月一日");
// Every Saturday: promulgated 1992/04/02, in force on a day set by cabinet
// order within six months. The order was not within reach, so the calendar
// takes the last day the act allows: a Saturday in doubt (1992/05/02 to
// 1992/09/26, 1st, 3rd and 5th) stays open and a period ending on it is not
// extended.
constexpr Act kEverySaturdayAmendment{
    .title = "裁判所の休日に関する法律の一部を改正する法律（平成四年法律第三十号）",
    .inForce = {},
};
constexpr CivilDate kEverySaturdayApplied = ActDate("平成四年十月一日");

// Bank holidays: Sundays by the act, the rest by its cabinet order, as the
// law stands today; the bank laws before it are not modelled.
constexpr Act kBankAct{
    .title = "銀行法（昭和五十六年法律第五十九号）第十五条第一項",
    .inForce = {},
};
constexpr Act kBankOrder{
    .title = "銀行法施行令 第五条第一項",
    .inForce = {},
};
// The orders that closed Saturdays were not within reach; the days are those
// of the chronologies: second Saturdays from 1983/08/13, every Saturday from
// 1989/02/04. Third Saturdays were added in 1986 on a day not found, so they
// stay open until 1989.
constexpr CivilDate kBankSecondSaturdays = ActDate("昭和五十八年八月十三日");
constexpr CivilDate kBankEverySaturday = ActDate("平成元年二月四日");

}  // namespace

const std::vector<ClosedDayRule>& ClosedDayRules(CalendarKind kind) {
    using enum Weekday;
    constexpr CivilDate kFirst = kFirstCivilDate;
    constexpr CivilDate kBeforeAct = DayBefore(kCourtHolidaysApplied);
    // clang-format off
    static const std::vector<ClosedDayRule> kCourt{
        {.reason = kSunday, .days = WeekdaysOfMonth{.weekday = Sunday, .weeks = kEveryWeek}, .from = kFirst, .until = kBeforeAct, .act = kCodeOfCivilProcedure},
        {.reason = kSunday, .days = WeekdaysOfMonth{.weekday = Sunday, .weeks = kEveryWeek}, .from = kCourtHolidaysApplied, .until = kNoLastDay, .act = kCourtHolidaysAct},
        {.reason = kSaturday, .days = WeekdaysOfMonth{.weekday = Saturday, .weeks = Weeks({2, 4})}, .from = kCourtHolidaysApplied, .until = DayBefore(kEverySaturdayApplied), .act = kCourtHolidaysAct},
        {.reason = kSaturday, .days = WeekdaysOfMonth{.weekday = Saturday, .weeks = kEveryWeek}, .from = kEverySaturdayApplied, .until = kNoLastDay, .act = kEverySaturdayAmendment},
        {.reason = {}, .days = NationalHolidayDays{}, .from = kFirst, .until = kBeforeAct, .act = kCodeOfCivilProcedure},
        {.reason = {}, .days = NationalHolidayDays{}, .from = kCourtHolidaysApplied, .until = kNoLastDay, .act = kCourtHolidaysAct},
        {.reason = kYearEnd, .days = MonthDays{.month = 1, .firstDay = 2, .lastDay = 3}, .from = kFirst, .until = kBeforeAct, .act = kGeneralHolidaysByCustom},
        {.reason = kYearEnd, .days = MonthDays{.month = 1, .firstDay = 1, .lastDay = 3}, .from = kCourtHolidaysApplied, .until = kNoLastDay, .act = kCourtHolidaysAct},
        {.reason = kYearEnd, .days = MonthDays{.month = 12, .firstDay = 29, .lastDay = 31}, .from = kCourtHolidaysApplied, .until = kNoLastDay, .act = kCourtHolidaysAct},
    };
    static const std::vector<ClosedDayRule> kBank{
        {.reason = kSunday, .days = WeekdaysOfMonth{.weekday = Sunday, .weeks = kEveryWeek}, .from = kFirst, .until = kNoLastDay, .act = kBankAct},
        {.reason = kSaturday, .days = WeekdaysOfMonth{.weekday = Saturday, .weeks = Weeks({2})}, .from = kBankSecondSaturdays, .until = DayBefore(kBankEverySaturday), .act = kBankOrder},
        {.reason = kSaturday, .days = WeekdaysOfMonth{.weekday = Saturday, .weeks = kEveryWeek}, .from = kBankEverySaturday, .until = kNoLastDay, .act = kBankOrder},
        {.reason = {}, .days = NationalHolidayDays{}, .from = kFirst, .until = kNoLastDay, .act = kBankOrder},
        {.reason = kYearEnd, .days = MonthDays{.month = 1, .firstDay = 1, .lastDay = 3}, .from = kFirst, .until = kNoLastDay, .act = kBankOrder},
        {.reason = kYearEnd, .days = MonthDays{.month = 12, .firstDay = 31, .lastDay = 31}, .from = kFirst, .until = kNoLastDay, .act = kBankOrder},
    };
    // clang-format on
    static const std::vector<ClosedDayRule> kNone;
    switch (kind) {
        case CalendarKind::Court:
            return kCourt;
        case CalendarKind::Bank:
            return kBank;
        case CalendarKind::None:
            break;
    }
    return kNone;
}

}  // namespace torvelin
