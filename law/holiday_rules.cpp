// SPDX-License-Identifier: MIT
#include "law/holiday_rules.h"

#include <algorithm>
#include <array>
#include <utility>

#include "calc/weekday.h"
#include "law/act_date.h"

namespace torvelin {
namespace {

constexpr CivilDate kNoLastDay = kLastCivilDate;

// The acts, each with the day it took effect as its supplementary provisions
// give it ("公布の日から施行する": the day of promulgation).
constexpr Act kHolidayAct{
    .title = "国民の祝日に関する法律（昭和二十三年法律第百七十八号）",
    .inForce = ActDate("昭和二十三年七月二十日"),
};
// 建国記念の日 is "政令で定める日": 二月十一日 by 建国記念の日となる日を定める
// 政令（昭和四十一年政令第三百七十六号）. Its first 2/11 was in 1967.
constexpr Act kAmendment1966{
    .title = "国民の祝日に関する法律の一部を改正する法律（昭和四十一年法律第八十六号）",
    .inForce = ActDate("昭和四十一年六月二十五日"),
};
constexpr Act kSubstituteHolidayAct{
    .title = "国民の祝日に関する法律の一部を改正する法律（昭和四十八年法律第十号）",
    .inForce = ActDate("昭和四十八年四月十二日"),
};
constexpr Act kCitizensHolidayAct{
    .title = "国民の祝日に関する法律の一部を改正する法律（昭和六十年法律第百三号）",
    .inForce = ActDate("昭和六十年十二月二十七日"),
};
constexpr Act kAmendment1989{
    .title = "国民の祝日に関する法律の一部を改正する法律（平成元年法律第五号）",
    .inForce = ActDate("平成元年二月十七日"),
};
constexpr Act kAmendment1995{
    .title = "国民の祝日に関する法律の一部を改正する法律（平成七年法律第二十二号）",
    .inForce = ActDate("平成八年一月一日"),
};
// The act's own text was not within reach; the day is as the summaries of the
// law's history give it.
constexpr Act kAmendment1998{
    .title = "国民の祝日に関する法律の一部を改正する法律（平成十年法律第百四十一号）",
    .inForce = ActDate("平成十二年一月一日"),
};
constexpr Act kAmendment2001{
    .title = "国民の祝日に関する法律及び老人福祉法の一部を改正する法律（平成十三年法律第五十九号）",
    .inForce = ActDate("平成十五年一月一日"),
};
// Also changed the substitute and citizens' holidays (article 3).
constexpr Act kAmendment2005{
    .title = "国民の祝日に関する法律の一部を改正する法律（平成十七年法律第四十三号）",
    .inForce = ActDate("平成十九年一月一日"),
};
constexpr Act kAmendment2014{
    .title = "国民の祝日に関する法律の一部を改正する法律（平成二十六年法律第四十三号）",
    .inForce = ActDate("平成二十八年一月一日"),
};
// Article 10 of the supplementary provisions, in force from the day after the
// act itself (平成三十一年四月三十日).
constexpr Act kAbdicationAct{
    .title = "天皇の退位等に関する皇室典範特例法（平成二十九年法律第六十三号）附則第十条",
    .inForce = ActDate("令和元年五月一日"),
};
constexpr Act kAmendment2018{
    .title = "国民の祝日に関する法律の一部を改正する法律（平成三十年法律第五十七号）",
    .inForce = ActDate("令和二年一月一日"),
};
// Article 32 of the special measures act moves three holidays of 2020 only.
constexpr Act kOlympics2020{
    .title =
        "平成三十二年東京オリンピック競技大会・東京パラリンピック競技大会特別措置法及び"
        "平成三十一年ラグビーワールドカップ大会特別措置法の一部を改正する法律"
        "（平成三十年法律第五十五号）",
    .inForce = ActDate("平成三十年六月二十日"),
};
// The same article, amended for 2021 only. Promulgated in December 2020; the
// day it took effect was not found in the sources within reach.
constexpr Act kOlympics2021{
    .title =
        "平成三十二年東京オリンピック競技大会・東京パラリンピック競技大会特別措置法等の"
        "一部を改正する法律（令和二年法律第六十八号）",
    .inForce = {},
};
constexpr CivilDate kFirstDayOf2020 = ActDate("令和二年一月一日");
constexpr CivilDate kFirstDayOf2021 = ActDate("令和三年一月一日");
constexpr CivilDate kFirstDayOf2022 = ActDate("令和四年一月一日");

// The special laws that declared single days. Where the number or the day of
// promulgation is missing, the sources within reach did not give it.
constexpr Act kCrownPrinceAkihitoWedding{
    .title = "皇太子明仁親王の結婚の儀の行われる日を休日とする法律（昭和三十四年）",
    .inForce = ActDate("昭和三十四年三月十七日"),
};
constexpr Act kShowaFuneral{
    .title = "昭和天皇の大喪の礼の行われる日を休日とする法律（平成元年法律第四号）",
    .inForce = ActDate("平成元年二月十七日"),
};
constexpr Act kEnthronement1990{
    .title = "即位礼正殿の儀の行われる日を休日とする法律（平成二年）",
    .inForce = {},
};
constexpr Act kCrownPrinceNaruhitoWedding{
    .title = "皇太子徳仁親王の結婚の儀の行われる日を休日とする法律（平成五年）",
    .inForce = ActDate("平成五年四月三十日"),
};
constexpr Act kEnthronement2019{
    .title =
        "天皇の即位の日及び即位礼正殿の儀の行われる日を休日とする法律（平成三十年法律第九十九号）",
    .inForce = ActDate("平成三十年十二月十四日"),
};

// Article 3(2) since 1973/04/12: a holiday on a Sunday gives the next day off.
// Article 3(3) since 1985/12/27: a day between two holidays is a day off.
// The amendment in force from 2007/01/01 changed both.
constexpr std::int64_t kFirstSubstituteHoliday = DayNumberFromCivil(kSubstituteHolidayAct.inForce);
constexpr std::int64_t kFirstCitizensHoliday = DayNumberFromCivil(kCitizensHolidayAct.inForce);
constexpr std::int64_t kRevisedDaysOff = DayNumberFromCivil(kAmendment2005.inForce);

constexpr std::string_view kSubstituteHoliday = "振替休日";
constexpr std::string_view kCitizensHoliday = "国民の休日";

}  // namespace

const std::vector<HolidayRule>& NationalHolidayRules() {
    using enum Equinox;
    constexpr CivilDate kEnacted = kHolidayAct.inForce;
    // clang-format off
    static const std::vector<HolidayRule> kRules{
        {.name = "元日", .day = FixedDate{.month = 1, .day = 1}, .from = kEnacted, .until = kNoLastDay, .act = kHolidayAct},
        {.name = "成人の日", .day = FixedDate{.month = 1, .day = 15}, .from = kEnacted, .until = DayBefore(kAmendment1998.inForce), .act = kHolidayAct},
        {.name = "成人の日", .day = NthMonday{.month = 1, .n = 2}, .from = kAmendment1998.inForce, .until = kNoLastDay, .act = kAmendment1998},
        {.name = "建国記念の日", .day = FixedDate{.month = 2, .day = 11}, .from = kAmendment1966.inForce, .until = kNoLastDay, .act = kAmendment1966},
        {.name = "春分の日", .day = EquinoxDate{.equinox = Vernal}, .from = kEnacted, .until = kNoLastDay, .act = kHolidayAct},
        {.name = "天皇誕生日", .day = FixedDate{.month = 4, .day = 29}, .from = kEnacted, .until = DayBefore(kAmendment1989.inForce), .act = kHolidayAct},
        {.name = "みどりの日", .day = FixedDate{.month = 4, .day = 29}, .from = kAmendment1989.inForce, .until = DayBefore(kAmendment2005.inForce), .act = kAmendment1989},
        {.name = "昭和の日", .day = FixedDate{.month = 4, .day = 29}, .from = kAmendment2005.inForce, .until = kNoLastDay, .act = kAmendment2005},
        {.name = "憲法記念日", .day = FixedDate{.month = 5, .day = 3}, .from = kEnacted, .until = kNoLastDay, .act = kHolidayAct},
        {.name = "みどりの日", .day = FixedDate{.month = 5, .day = 4}, .from = kAmendment2005.inForce, .until = kNoLastDay, .act = kAmendment2005},
        {.name = "こどもの日", .day = FixedDate{.month = 5, .day = 5}, .from = kEnacted, .until = kNoLastDay, .act = kHolidayAct},
        {.name = "海の日", .day = FixedDate{.month = 7, .day = 20}, .from = kAmendment1995.inForce, .until = DayBefore(kAmendment2001.inForce), .act = kAmendment1995},
        {.name = "海の日", .day = NthMonday{.month = 7, .n = 3}, .from = kAmendment2001.inForce, .until = DayBefore(kFirstDayOf2020), .act = kAmendment2001},
        {.name = "海の日", .day = FixedDate{.month = 7, .day = 23}, .from = kFirstDayOf2020, .until = DayBefore(kFirstDayOf2021), .act = kOlympics2020},
        {.name = "海の日", .day = FixedDate{.month = 7, .day = 22}, .from = kFirstDayOf2021, .until = DayBefore(kFirstDayOf2022), .act = kOlympics2021},
        {.name = "海の日", .day = NthMonday{.month = 7, .n = 3}, .from = kFirstDayOf2022, .until = kNoLastDay, .act = kAmendment2001},
        {.name = "山の日", .day = FixedDate{.month = 8, .day = 11}, .from = kAmendment2014.inForce, .until = DayBefore(kFirstDayOf2020), .act = kAmendment2014},
        {.name = "山の日", .day = FixedDate{.month = 8, .day = 10}, .from = kFirstDayOf2020, .until = DayBefore(kFirstDayOf2021), .act = kOlympics2020},
        {.name = "山の日", .day = FixedDate{.month = 8, .day = 8}, .from = kFirstDayOf2021, .until = DayBefore(kFirstDayOf2022), .act = kOlympics2021},
        {.name = "山の日", .day = FixedDate{.month = 8, .day = 11}, .from = kFirstDayOf2022, .until = kNoLastDay, .act = kAmendment2014},
        {.name = "敬老の日", .day = FixedDate{.month = 9, .day = 15}, .from = kAmendment1966.inForce, .until = DayBefore(kAmendment2001.inForce), .act = kAmendment1966},
        {.name = "敬老の日", .day = NthMonday{.month = 9, .n = 3}, .from = kAmendment2001.inForce, .until = kNoLastDay, .act = kAmendment2001},
        {.name = "秋分の日", .day = EquinoxDate{.equinox = Autumnal}, .from = kEnacted, .until = kNoLastDay, .act = kHolidayAct},
        {.name = "体育の日", .day = FixedDate{.month = 10, .day = 10}, .from = kAmendment1966.inForce, .until = DayBefore(kAmendment1998.inForce), .act = kAmendment1966},
        {.name = "体育の日", .day = NthMonday{.month = 10, .n = 2}, .from = kAmendment1998.inForce, .until = DayBefore(kAmendment2018.inForce), .act = kAmendment1998},
        {.name = "スポーツの日", .day = FixedDate{.month = 7, .day = 24}, .from = kAmendment2018.inForce, .until = DayBefore(kFirstDayOf2021), .act = kOlympics2020},
        {.name = "スポーツの日", .day = FixedDate{.month = 7, .day = 23}, .from = kFirstDayOf2021, .until = DayBefore(kFirstDayOf2022), .act = kOlympics2021},
        {.name = "スポーツの日", .day = NthMonday{.month = 10, .n = 2}, .from = kFirstDayOf2022, .until = kNoLastDay, .act = kAmendment2018},
        {.name = "文化の日", .day = FixedDate{.month = 11, .day = 3}, .from = kEnacted, .until = kNoLastDay, .act = kHolidayAct},
        {.name = "勤労感謝の日", .day = FixedDate{.month = 11, .day = 23}, .from = kEnacted, .until = kNoLastDay, .act = kHolidayAct},
        {.name = "天皇誕生日", .day = FixedDate{.month = 12, .day = 23}, .from = kAmendment1989.inForce, .until = DayBefore(kAbdicationAct.inForce), .act = kAmendment1989},
        {.name = "天皇誕生日", .day = FixedDate{.month = 2, .day = 23}, .from = kAbdicationAct.inForce, .until = kNoLastDay, .act = kAbdicationAct},
        // The days declared once by special laws, each the only day of its row.
        {.name = "皇太子明仁親王の結婚の儀", .day = FixedDate{.month = 4, .day = 10}, .from = ActDate("昭和三十四年四月十日"), .until = ActDate("昭和三十四年四月十日"), .act = kCrownPrinceAkihitoWedding},
        {.name = "昭和天皇の大喪の礼", .day = FixedDate{.month = 2, .day = 24}, .from = ActDate("平成元年二月二十四日"), .until = ActDate("平成元年二月二十四日"), .act = kShowaFuneral},
        {.name = "即位礼正殿の儀", .day = FixedDate{.month = 11, .day = 12}, .from = ActDate("平成二年十一月十二日"), .until = ActDate("平成二年十一月十二日"), .act = kEnthronement1990},
        {.name = "皇太子徳仁親王の結婚の儀", .day = FixedDate{.month = 6, .day = 9}, .from = ActDate("平成五年六月九日"), .until = ActDate("平成五年六月九日"), .act = kCrownPrinceNaruhitoWedding},
        {.name = "天皇の即位の日", .day = FixedDate{.month = 5, .day = 1}, .from = ActDate("令和元年五月一日"), .until = ActDate("令和元年五月一日"), .act = kEnthronement2019},
        {.name = "即位礼正殿の儀", .day = FixedDate{.month = 10, .day = 22}, .from = ActDate("令和元年十月二十二日"), .until = ActDate("令和元年十月二十二日"), .act = kEnthronement2019},
    };
    // clang-format on
    return kRules;
}

namespace {

// Monday is day 1 of the week: the first Monday falls on 1 + (8 - weekday of
// the 1st) % 7.
CivilDate NthMondayOf(int year, int month, int n) {
    const int firstWeekday = static_cast<int>(WeekdayOf(CivilDate{year, month, 1}));
    return {year, month, 1 + (8 - firstWeekday) % 7 + 7 * (n - 1)};
}

CivilDate DayIn(int year, const HolidayDay& day) {
    if (const auto* fixed = std::get_if<FixedDate>(&day)) {
        return {year, fixed->month, fixed->day};
    }
    if (const auto* monday = std::get_if<NthMonday>(&day)) {
        return NthMondayOf(year, monday->month, monday->n);
    }
    return EquinoxDay(year, std::get<EquinoxDate>(day).equinox);
}

bool IsWithin(std::int64_t day, const HolidayRule& rule) {
    return day >= DayNumberFromCivil(rule.from) && day <= DayNumberFromCivil(rule.until);
}

std::int64_t DayOf(const Holiday& holiday) {
    return DayNumberFromCivil(holiday.date);
}

// The named holidays of a year in date order; two on one day keep the order
// of the table.
std::vector<Holiday> NamedHolidaysOf(int year) {
    std::vector<Holiday> holidays;
    for (const HolidayRule& rule : NationalHolidayRules()) {
        const CivilDate date = DayIn(year, rule.day);
        if (IsWithin(DayNumberFromCivil(date), rule)) {
            holidays.push_back({date, rule.name});
        }
    }
    std::stable_sort(holidays.begin(), holidays.end(),
                     [](const Holiday& a, const Holiday& b) { return DayOf(a) < DayOf(b); });
    return holidays;
}

}  // namespace

std::vector<Holiday> NationalHolidaysOf(int year) {
    std::vector<Holiday> holidays = NamedHolidaysOf(year);
    // The substitute and citizens' holidays follow from the named holidays
    // alone, so both are found before either is added; a day with two names
    // is one day to them.
    std::vector<std::int64_t> namedDays;
    for (const Holiday& holiday : holidays) {
        if (namedDays.empty() || namedDays.back() != DayOf(holiday)) {
            namedDays.push_back(DayOf(holiday));
        }
    }
    const auto isNamed = [&namedDays](std::int64_t day) {
        return std::binary_search(namedDays.begin(), namedDays.end(), day);
    };
    std::vector<Holiday> daysOff;
    for (const std::int64_t day : namedDays) {
        if (day < kFirstSubstituteHoliday || WeekdayOf(day) != Weekday::Sunday) {
            continue;
        }
        // Before the revision only the Monday; since then the first day after
        // that is not itself a holiday.
        std::int64_t substitute = day + 1;
        while (day >= kRevisedDaysOff && isNamed(substitute)) {
            ++substitute;
        }
        if (!isNamed(substitute)) {
            daysOff.push_back({CivilFromDayNumber(substitute), kSubstituteHoliday});
        }
    }
    const auto isSubstitute = [&daysOff](std::int64_t day) {
        return std::any_of(daysOff.begin(), daysOff.end(),
                           [day](const Holiday& holiday) { return DayOf(holiday) == day; });
    };
    for (const std::int64_t day : namedDays) {
        const std::int64_t between = day + 1;
        if (isNamed(between) || !isNamed(between + 1) || between < kFirstCitizensHoliday) {
            continue;
        }
        // Before the revision a Sunday or a substitute holiday between two
        // holidays stayed what it was; since then a substitute holiday is
        // already a day off.
        if (isSubstitute(between) ||
            (between < kRevisedDaysOff && WeekdayOf(between) == Weekday::Sunday)) {
            continue;
        }
        daysOff.push_back({CivilFromDayNumber(between), kCitizensHoliday});
    }
    holidays.insert(holidays.end(), daysOff.begin(), daysOff.end());
    std::stable_sort(holidays.begin(), holidays.end(),
                     [](const Holiday& a, const Holiday& b) { return DayOf(a) < DayOf(b); });
    return holidays;
}

}  // namespace torvelin
