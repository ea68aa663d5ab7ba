// SPDX-License-Identifier: MIT
#include "calc/calculate.h"

#include "calc/date_text.h"
#include "calc/number_text.h"

namespace torvelin {

Outcome<CalendarDate> Calculate(std::string_view startText, std::string_view dayCountText) {
    const std::optional<CalendarDate> start = ReadDateText(startText);
    if (!start) {
        return WrongInput::StartDate;
    }
    const std::optional<double> dayCount = ReadNumberText(dayCountText);
    if (!dayCount) {
        return WrongInput::DayCount;
    }
    // The start day is day one, so the offset is one less than the count; the
    // subtraction comes before the rounding (a count of 1.5 gives offset 0).
    try {
        const std::int16_t offset = RoundToInteger16(*dayCount - 1.0);
        return RoundedToSecond(AddDays(offset, *start));
    } catch (const RuntimeError& error) {
        return error.Number();
    }
}

}  // namespace torvelin
