// SPDX-License-Identifier: MIT
#include "calc/era_date.h"

#include <charconv>

#include "calc/japanese_era.h"

namespace torvelin {
namespace {

void AppendNumber(std::string& text, int number) {
    char digits[12];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

}  // namespace

std::optional<std::string> EraDateText(std::int64_t dayNumber) {
    for (const JapaneseEra& era : kJapaneseEras) {
        if (dayNumber < era.firstDay || dayNumber > era.lastDay) {
            continue;
        }
        const CivilDate date = CivilFromDayNumber(dayNumber);
        const int eraYear = date.year - era.firstYear + 1;
        std::string text;
        text.reserve(32);
        text += era.name;
        if (eraYear == 1) {
            text += "元";
        } else {
            AppendNumber(text, eraYear);
        }
        text += "年";
        AppendNumber(text, date.month);
        text += "月";
        AppendNumber(text, date.day);
        text += "日";
        return text;
    }
    return std::nullopt;
}

}  // namespace torvelin
