// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

#include "law/civil_period.h"

namespace torvelin {

// Reads a period, a whole number from 1 with its unit, from UTF-8 text as
// statutes and contracts write it:
//   10日 10日間 2週間 3か月 (or ヶ月 ケ月 カ月 ヵ月 箇月, 3か月間) 3月 1年 1年間
//   1年6か月 (18 months)  5営業日 5開庁日  48時間, or 10d 2w 3m 1y 5b 48h,
// the number in ASCII or full-width digits or in kanji (十四日, 百二十日,
// 二週間, 三箇月), blanks around. Up to 9999999 of a unit; leading zeros
// are no digits of that limit.
std::optional<Period> ReadPeriodText(std::string_view text);

}  // namespace torvelin
