// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "calc/calendar_date.h"

namespace torvelin {

// A Japanese era as dates are read and written in it.
struct JapaneseEra {
    std::string_view name;  // UTF-8, "令和"
    char32_t firstKanji;
    char32_t secondKanji;
    char32_t letter;        // upper case
    int firstYear;          // the Gregorian year of the era's year 1 (元年)
    std::int64_t firstDay;  // the first day the era's dates are read and written for
    std::int64_t lastDay;
};

constexpr JapaneseEra MakeJapaneseEra(std::string_view name, char32_t first, char32_t second,
                                      char32_t letter, int firstYear, CivilDate firstDay,
                                      CivilDate lastDay) {
    return {name,
            first,
            second,
            letter,
            firstYear,
            DayNumberFromCivil(firstDay),
            DayNumberFromCivil(lastDay)};
}

// The one era table, for reading and for writing. Era dates before 1873/01/01
// were counted on the lunisolar calendar, so they are neither read nor written
// rather than taken for the wrong Gregorian day.
inline constexpr std::array<JapaneseEra, 5> kJapaneseEras{
    MakeJapaneseEra("明治", U'明', U'治', U'M', 1868, {1873, 1, 1}, {1912, 7, 29}),
    MakeJapaneseEra("大正", U'大', U'正', U'T', 1912, {1912, 7, 30}, {1926, 12, 24}),
    MakeJapaneseEra("昭和", U'昭', U'和', U'S', 1926, {1926, 12, 25}, {1989, 1, 7}),
    MakeJapaneseEra("平成", U'平', U'成', U'H', 1989, {1989, 1, 8}, {2019, 4, 30}),
    MakeJapaneseEra("令和", U'令', U'和', U'R', 2019, {2019, 5, 1}, kLastCivilDate),
};

}  // namespace torvelin
