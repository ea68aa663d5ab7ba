// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

namespace torvelin {

// The double nearest to digits × 10^exponentOfTen, ties to the even one, where
// digits are ASCII decimal digits (any number of them, leading zeros allowed;
// none reads as zero). A value beyond the largest double is an infinity, one
// below half the smallest is zero. Worked out in exact integer arithmetic, so
// it depends on no locale and on no library's parser.
double NearestDouble(std::string_view digits, std::int64_t exponentOfTen);

}  // namespace torvelin
