// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

#include "calc/calendar_date.h"

namespace torvelin {

enum class Weekday { Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

// Day 0, 1899/12/30, was a Saturday.
constexpr Weekday WeekdayOf(std::int64_t dayNumber) {
    const std::int64_t fromSunday = (dayNumber + 6) % 7;
    return static_cast<Weekday>(fromSunday < 0 ? fromSunday + 7 : fromSunday);
}

constexpr Weekday WeekdayOf(CivilDate date) {
    return WeekdayOf(DayNumberFromCivil(date));
}

// The one-character names, "日" for Sunday to "土" for Saturday (UTF-8).
// Each is one kanji of three bytes, a size the compiler sees, so that a
// writer copies a name without a call for a few bytes.
inline constexpr std::size_t kWeekdayNameBytes = std::string_view("日").size();
inline constexpr char kWeekdayNames[][kWeekdayNameBytes + 1] = {"日", "月", "火", "水",
                                                                "木", "金", "土"};

constexpr std::string_view WeekdayName(Weekday weekday) {
    return {kWeekdayNames[static_cast<int>(weekday)], kWeekdayNameBytes};
}

}  // namespace torvelin
