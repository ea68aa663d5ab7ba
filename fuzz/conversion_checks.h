// SPDX-License-Identifier: MIT
#pragma once

// What must hold for any input text, shared by the fuzzer and the unit tests:
// each test operation agrees with its conversion, a date read, written and
// read again keeps its value, and Calculate gives exactly one outcome.
#include <string>
#include <string_view>

#include "calc/calculate.h"
#include "calc/date_text.h"
#include "calc/number_text.h"
#include "calc/runtime_error.h"

namespace torvelin {

// Whether a conversion accepts the text; it must raise type mismatch if not.
template <typename Conversion>
bool ConversionAccepts(Conversion conversion, std::string_view text) {
    try {
        conversion(text);
        return true;
    } catch (const RuntimeError& error) {
        return error.Number() != ErrorNumber::TypeMismatch;
    }
}

// Returns what failed, or an empty string.
inline std::string CheckConversions(std::string_view start, std::string_view count) {
    const std::optional<CalendarDate> date = ReadDateText(start);
    if (IsDateText(start) != date.has_value()) {
        return "IsDateText disagrees with ReadDateText";
    }
    if (date) {
        const std::string written = DateToText(*date);
        if (DateFromText(start) != *date || ReadDateText(written) != *date ||
            DateToText(DateFromText(written)) != written) {
            return "date does not survive reading and writing: " + written;
        }
    } else if (ConversionAccepts(DateFromText, start)) {
        return "DateFromText accepted what IsDateText rejects";
    }

    const std::optional<double> number = ReadNumberText(count);
    if (IsNumberText(count) != number.has_value()) {
        return "IsNumberText disagrees with ReadNumberText";
    }
    if (number ? NumberFromText(count) != *number : ConversionAccepts(NumberFromText, count)) {
        return "NumberFromText disagrees with IsNumberText";
    }

    const CalculationOutcome outcome = Calculate(start, count);
    if (outcome.kind == CalculationOutcome::Kind::EndDate && !IsDateText(outcome.text)) {
        return "Calculate wrote an end date it cannot read: " + outcome.text;
    }
    if (outcome.error && *outcome.error != ErrorNumber::InvalidArgument &&
        *outcome.error != ErrorNumber::Overflow) {
        return "Calculate gave error " + std::to_string(static_cast<int>(*outcome.error));
    }
    return {};
}

}  // namespace torvelin
