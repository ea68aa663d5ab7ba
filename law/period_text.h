// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

#include "law/civil_period.h"

namespace torvelin {

// Reads a period, a whole number from 1 with its unit, from UTF-8 text:
//   10日 (10日間) 2週間 3か月 (or ヶ月 ケ月 カ月 ヵ月 箇月) 1年, 5営業日 (5開庁日)
//   48時間, or 10d 2w 3m 1y 5b 48h,
// with ASCII or full-width digits and letters and blanks around.
std::optional<Period> ReadPeriodText(std::string_view text);

}  // namespace torvelin
