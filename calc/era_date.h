// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace torvelin {

// The day in the Japanese era form, "令和8年12月6日", with "元年" for an era's
// first year. Empty before 1873/01/01, when eras counted lunisolar dates.
std::optional<std::string> EraDateText(std::int64_t dayNumber);

// Whether the day has an era date: from 1873/01/01 to the end of the calendar.
bool HasEraDate(std::int64_t dayNumber);

// The same text appended to `out`, nothing before 1873/01/01: a batch writes
// one for every answer, straight into its line.
void AppendEraDateText(std::string& out, std::int64_t dayNumber);

}  // namespace torvelin
