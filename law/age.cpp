// SPDX-License-Identifier: MIT
#include "law/age.h"

#include "calc/runtime_error.h"
#include "law/civil_period.h"

namespace torvelin {

std::int64_t DayAgeIsReached(std::int64_t birthDay, std::int64_t age) {
    return LastDayOfPeriod(birthDay, {age, PeriodUnit::Years}, FirstDay::Included);
}

std::int64_t AgeOn(std::int64_t birthDay, std::int64_t day) {
    if (day < birthDay) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    // The difference of the years is the age or one more, before the birthday.
    std::int64_t age = CivilFromDayNumber(day).year - CivilFromDayNumber(birthDay).year;
    if (age > 0 && DayAgeIsReached(birthDay, age) >= day) {
        --age;
    }
    return age;
}

}  // namespace torvelin
