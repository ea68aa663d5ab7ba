// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "calc/calendar_date.h"

namespace torvelin {

// A number in kanji as the acts write it: 二十三, 十, 元 (the first year of an era).
constexpr int KanjiNumber(std::string_view text) {
    constexpr std::array<std::string_view, 10> kDigits{"〇", "一", "二", "三", "四",
                                                       "五", "六", "七", "八", "九"};
    constexpr std::size_t kCharacterBytes = 3;  // each of these is three bytes in UTF-8
    int tens = 0;
    int digit = 0;
    for (; !text.empty(); text.remove_prefix(kCharacterBytes)) {
        if (text.starts_with("十")) {
            tens = digit == 0 ? 1 : digit;
            digit = 0;
        } else if (text.starts_with("元")) {
            digit = 1;
        } else {
            // Past the last digit the search leaves the array: no constant, so
            // a mistyped numeral does not compile.
            digit = 0;
            while (!text.starts_with(kDigits.at(static_cast<std::size_t>(digit)))) {
                ++digit;
            }
        }
    }
    return tens * 10 + digit;
}

// A day as the acts write it, 平成十二年一月一日, read at compile time so that
// the table holds the text a reader compares with the act.
consteval CivilDate ActDate(std::string_view text) {
    constexpr std::pair<std::string_view, int> kEras[] = {
        {"昭和", 1925}, {"平成", 1988}, {"令和", 2018}};  // the year before each era's first
    int yearBeforeEra = 0;
    for (const auto& [era, yearBefore] : kEras) {
        if (text.starts_with(era)) {
            yearBeforeEra = yearBefore;
            text.remove_prefix(era.size());
        }
    }
    const auto take = [&text](std::string_view unit) {
        const std::size_t end = text.find(unit);
        const int number = KanjiNumber(text.substr(0, end));
        text.remove_prefix(end + unit.size());
        return number;
    };
    const int year = yearBeforeEra + take("年");
    const int month = take("月");
    const int day = take("日");
    if (yearBeforeEra == 0 || !text.empty() || !IsValidDayOfMonth(year, month, day)) {
        throw "not a day as the acts write it";
    }
    return {year, month, day};
}

constexpr CivilDate DayBefore(CivilDate date) {
    return CivilFromDayNumber(DayNumberFromCivil(date) - 1);
}

}  // namespace torvelin
