// SPDX-License-Identifier: MIT
#include "calc/calculate.h"

#include "calc/date_text.h"
#include "calc/number_text.h"

namespace torvelin {

CalculationOutcome Calculate(std::string_view startText, std::string_view dayCountText) {
    const std::optional<CalendarDate> start = ReadDateText(startText);
    if (!start) {
        return {CalculationOutcome::Kind::Message, std::string(kStartDateMessage), {}};
    }
    const std::optional<double> dayCount = ReadNumberText(dayCountText);
    if (!dayCount) {
        return {CalculationOutcome::Kind::Message, std::string(kDayCountMessage), {}};
    }
    // The start day is day one, so the offset is one less than the count; the
    // subtraction comes before the rounding (a count of 1.5 gives offset 0).
    try {
        const std::int16_t offset = RoundToInteger16(*dayCount - 1.0);
        return {CalculationOutcome::Kind::EndDate, DateToText(AddDays(offset, *start))};
    } catch (const RuntimeError& error) {
        return {CalculationOutcome::Kind::Error, error.Description(), error.Number()};
    }
}

}  // namespace torvelin
