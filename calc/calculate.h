// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/runtime_error.h"

namespace torvelin {

inline constexpr std::string_view kStartDateMessage =
    "「始期」の日付を正しく入力してください yyyy/mm/dd";
inline constexpr std::string_view kDayCountMessage = "「日数」数値で正しく入力してください ";

// What the Calculate command shows: the end date for the result label, a
// message about the input that was wrong, or the error of a day count or an
// end date out of range. All three are ordinary answers to what a user typed,
// so they are values, not exceptions.
struct CalculationOutcome {
    enum class Kind { EndDate, Message, Error };
    Kind kind;
    std::string text;  // UTF-8: the date, the message or the error's description
    std::optional<ErrorNumber> error = {};  // the error's number, for Kind::Error

    bool operator==(const CalculationOutcome&) const = default;
};

// The Calculate command, free of any window: the start-date text and the
// day-count text (UTF-8) to the end-date text, counting the start day as day
// one. The start text is checked first. Error 6 when the day offset leaves the
// 16-bit range, error 5 when the end date leaves the years 100 to 9999.
CalculationOutcome Calculate(std::string_view startText, std::string_view dayCountText);

}  // namespace torvelin
