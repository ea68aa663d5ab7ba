// SPDX-License-Identifier: MIT
#include "calc/era_date.h"

#include "calc/japanese_era.h"

namespace torvelin {

std::optional<std::string> EraDateText(std::int64_t dayNumber) {
    for (const JapaneseEra& era : kJapaneseEras) {
        if (dayNumber < era.firstDay || dayNumber > era.lastDay) {
            continue;
        }
        const CivilDate date = CivilFromDayNumber(dayNumber);
        const int eraYear = date.year - era.firstYear + 1;
        std::string text(era.name);
        text += eraYear == 1 ? "元" : std::to_string(eraYear);
        text += "年" + std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
        return text;
    }
    return std::nullopt;
}

}  // namespace torvelin
