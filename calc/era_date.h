// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace torvelin {

// The day in the Japanese era form, "令和8年12月6日", with "元年" for an era's
// first year. Empty before 1873/01/01, when eras counted lunisolar dates.
std::optional<std::string> EraDateText(std::int64_t dayNumber);

}  // namespace torvelin
