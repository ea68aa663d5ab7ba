// SPDX-License-Identifier: MIT
#pragma once

#include <variant>

#include "calc/runtime_error.h"

namespace torvelin {

// The inputs a user types, named for the message that asks for each again.
enum class WrongInput {
    StartDate,          // the start of a count or a period
    DayCount,           // the number of days of the Calculate step
    EndDate,            // the second date of a span
    Date,               // a date on its own
    Period,             // a period such as 10日 or 3か月
    Years,              // a year or a range of years
    BirthDate,          // the day of birth
    Age,                // an age in whole years
    TimeOfDay,          // a time of day, where it is typed apart from its date
    BeforeRuleInForce,  // a day before the statutory period asked for took effect
};

// What a command gives for what the user typed: its value, the input that
// does not read, or the number of the error that stopped it. All three are
// ordinary answers, so they are values, not exceptions; only the formatter
// turns them into text.
template <class Value>
using Outcome = std::variant<Value, WrongInput, ErrorNumber>;

}  // namespace torvelin
