// SPDX-License-Identifier: MIT
#include "calc/era_date.h"

#include <algorithm>
#include <charconv>

#include "calc/japanese_era.h"

namespace torvelin {

void AppendEraDateText(std::string& out, std::int64_t dayNumber) {
    for (const JapaneseEra& era : kJapaneseEras) {
        if (dayNumber < era.firstDay || dayNumber > era.lastDay) {
            continue;
        }
        const CivilDate date = CivilFromDayNumber(dayNumber);
        const int eraYear = date.year - era.firstYear + 1;
        // Written into a fixed buffer (at most 23 bytes, "令和7981年12月31日")
        // and appended at once: a batch writes one for every answer.
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
        out.append(buffer, size);
        return;
    }
}

bool HasEraDate(std::int64_t dayNumber) {
    return std::any_of(kJapaneseEras.begin(), kJapaneseEras.end(),
                       [dayNumber](const JapaneseEra& era) {
                           return dayNumber >= era.firstDay && dayNumber <= era.lastDay;
                       });
}

std::optional<std::string> EraDateText(std::int64_t dayNumber) {
    if (!HasEraDate(dayNumber)) {
        return std::nullopt;
    }
    std::string text;
    AppendEraDateText(text, dayNumber);
    return text;
}

}  // namespace torvelin
