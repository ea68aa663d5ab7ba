// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace torvelin {

// Age as the Act on Age Calculation counts it: from the day of birth, that
// day counted, in years by the calendar (Civil Code art. 143), so a year of
// age is reached at the end of the day before each birthday, and for a
// birthday of 2/29 at the end of 2/28 in a common year.

// The day at whose end the given age is reached. Throws RuntimeError 5 when
// that day lies outside 0100/01/01..9999/12/31 or age is below 1.
std::int64_t DayAgeIsReached(std::int64_t birthDay, std::int64_t age);

// The age during the whole of day: the years reached by the end of the day
// before. Throws RuntimeError 5 for a day before the birth.
std::int64_t AgeOn(std::int64_t birthDay, std::int64_t day);

}  // namespace torvelin
