// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/calendar_date.h"

namespace torvelin {

// Reads a date, optionally followed by a time of day, from UTF-8 text:
//   2013/10/28  2013-10-28  2013.10.28  2013年10月28日   (years 100 to 9999)
//   平成25年10月28日  令和元年5月1日  H25/10/28  h25.10.28   (Japanese eras)
// with ASCII or full-width characters and blanks around, and "H:mm" or
// "H:mm:ss" after blanks. A day that does not exist, a two-digit year without
// an era, or an era date outside its era is no date.
std::optional<CalendarDate> ReadDateText(std::string_view text);

// A date read with whether a time of day was written: "2024/03/04 0:00" is
// the midnight that starts the day, "2024/03/04" a day whose time is unknown.
struct DateAndTime {
    CalendarDate moment;
    bool timeWritten;
};
std::optional<DateAndTime> ReadDateAndTime(std::string_view text);

// True exactly when ReadDateText reads a date from the same text.
bool IsDateText(std::string_view text);

// "yyyy/mm/dd", followed by " H:mm:ss" when the value has a time of day (to
// the nearest second, as RoundedToSecond takes it). Throws RuntimeError 5 for a value outside the
// range.
std::string DateToText(CalendarDate date);

// "yyyy/mm/dd" of a day number; throws RuntimeError 5 outside the range.
std::string DayToText(std::int64_t dayNumber);
void AppendDayToText(std::string& out, std::int64_t dayNumber);

}  // namespace torvelin
