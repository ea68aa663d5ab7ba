// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "calc/calendar_date.h"
#include "calc/outcome.h"

namespace torvelin {

// The Calculate command, free of any window: the start-date text and the
// day-count text (UTF-8) to the end date, counting the start day as day one,
// with the start's time of day, rounded to the second. The start text is
// checked first. Error 6 when the day offset leaves the 16-bit range, error 5
// when the end date leaves the years 100 to 9999.
Outcome<CalendarDate> Calculate(std::string_view startText, std::string_view dayCountText);

}  // namespace torvelin
