// SPDX-License-Identifier: MIT
#include "calc/era_date.h"

#include <charconv>

#include "calc/japanese_era.h"

namespace torvelin {

std::optional<std::string> EraDateText(std::int64_t dayNumber) {
    for (const JapaneseEra& era : kJapaneseEras) {
        if (dayNumber < era.firstDay || dayNumber > era.lastDay) {
            continue;
        }
        const CivilDate date = CivilFromDayNumber(dayNumber);
        const int eraYear = date.year - era.firstYear + 1;
        // Written into a fixed buffer (at most 23 bytes, "令和7981年12月31日"):
        // a batch writes one for every answer.
        char buffer[40];
        std::size_t size = era.name.copy(buffer, sizeof buffer);
        const auto write = [&](std::string_view text) {
            size += text.copy(buffer + size, text.size());
        };
        const auto number = [&](int value) {
            size = static_cast<std::size_t>(
                std::to_chars(buffer + size, buffer + sizeof buffer, value).ptr - buffer);
        };
        if (eraYear == 1) {
            write("元");
        } else {
            number(eraYear);
        }
        write("年");
        number(date.month);
        write("月");
        number(date.day);
        write("日");
        return std::string(buffer, size);
    }
    return std::nullopt;
}

}  // namespace torvelin
