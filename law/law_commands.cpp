// SPDX-License-Identifier: MIT
#include "law/law_commands.h"

#include <cmath>

#include "calc/date_text.h"
#include "calc/number_text.h"
#include "law/age.h"
#include "law/equinox_day.h"
#include "law/period_text.h"

namespace torvelin {
namespace {

std::optional<std::int64_t> ReadDay(std::string_view text) {
    const std::optional<CalendarDate> date = ReadDateText(text);
    return date ? std::optional(date->DayNumber()) : std::nullopt;
}

// A whole year from 100 to 9999, in ASCII or full-width digits.
std::optional<int> ReadYear(std::string_view text) {
    const std::optional<double> number = ReadNumberText(text);
    if (!number || *number < kFirstCivilDate.year || *number > kLastCivilDate.year ||
        *number != static_cast<int>(*number)) {
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

// Where the days an answer was found among depend on a computed equinox.
void AddNotes(PeriodEnd& end) {
    if (end.calendar != CalendarKind::None && !end.moment) {
        end.notes = ComputedEquinoxNotes(std::min(end.day, end.unmovedDay),
                                         std::max(end.day, end.unmovedDay));
    }
}

}  // namespace

Outcome<PeriodEnd> Deadline(std::string_view startText, std::string_view periodText,
                            const PeriodRules& rules, ClosedDayCalendar& calendar) {
    const std::optional<DateAndTime> start = ReadDateAndTime(startText);
    if (!start) {
        return WrongInput::StartDate;
    }
    const std::optional<Period> period = ReadPeriodText(periodText);
    if (!period) {
        return WrongInput::Period;
    }
    try {
        if (rules.direction == Direction::Before) {
            // Art. 142 moves only a forward end: a day before a period moves
            // only when a calendar is asked for.
            const MoveEarlier move = rules.calendarChosen ? MoveEarlier::Yes : MoveEarlier::No;
            PeriodEnd before = LastDayBeforePeriod(start->moment, *period, move, calendar);
            AddNotes(before);
            return before;
        }
        if (period->unit == PeriodUnit::Hours) {
            return EndOfHours(start->moment, period->count);
        }
        const bool atMidnight = start->timeWritten && start->moment.TimeOfDay() == 0.0;
        const FirstDayRule rule = rules.firstDay ? FirstDayRule::AsGiven
                                  : atMidnight   ? FirstDayRule::StartsAtMidnight
                                                 : FirstDayRule::LeftOut;
        const FirstDay firstDay =
            rules.firstDay.value_or(atMidnight ? FirstDay::Included : FirstDay::Excluded);
        PeriodEnd end = EndOfPeriod(start->moment.DayNumber(), *period, firstDay, calendar);
        end.firstDayRule = rule;
        AddNotes(end);
        return end;
    } catch (const RuntimeError& error) {
        return error.Number();
    }
}

Outcome<PeriodEnd> DeadlineByRule(const StatutoryRule& rule, std::string_view eventText,
                                  ClosedDayCalendar& calendar) {
    const std::optional<std::int64_t> day = ReadDay(eventText);
    if (!day) {
        return WrongInput::Date;
    }
    if (HasDayInForce(rule) && *day < DayNumberFromCivil(rule.act.inForce)) {
        return WrongInput::BeforeRuleInForce;
    }
    try {
        PeriodEnd end;
        if (rule.direction == Direction::Before) {
            // Only the end of a period counted forward moves (Civil Code art. 142).
            end = LastDayBeforePeriod(CalendarDate::FromDayAndTime(*day, 0.0), rule.period,
                                      MoveEarlier::No, calendar);
        } else if (rule.move == EndMove::Never) {
            const std::int64_t last = LastDayOfPeriod(*day, rule.period, FirstDayOf(rule.counting));
            end = {last, last, calendar.ClosedReasons(last)};
            end.calendar = calendar.Kind();
        } else {
            end = EndOfPeriod(*day, rule.period, FirstDayOf(rule.counting), calendar);
        }
        end.firstDay = FirstDayOf(rule.counting);
        end.movedBy = end.Moved() ? MoveProvision(rule.move) : std::string_view();
        end.rule = &rule;
        AddNotes(end);
        return end;
    } catch (const RuntimeError& error) {
        return error.Number();
    }
}

Outcome<std::int64_t> DaysFromTo(std::string_view fromText, std::string_view toText,
                                 FirstDay firstDay, DaysCounted counted,
                                 ClosedDayCalendar& calendar) {
    const std::optional<std::int64_t> from = ReadDay(fromText);
    if (!from) {
        return WrongInput::StartDate;
    }
    const std::optional<std::int64_t> to = ReadDay(toText);
    if (!to) {
        return WrongInput::EndDate;
    }
    return counted == DaysCounted::OpenOnly ? OpenDaysBetween(*from, *to, firstDay, calendar)
                                            : DaysBetween(*from, *to, firstDay);
}

Outcome<std::vector<Holiday>> HolidaysOfYears(std::string_view firstYearText,
                                              std::optional<std::string_view> lastYearText,
                                              HolidayCalendar& calendar) {
    const std::optional<int> firstYear = ReadYear(firstYearText);
    const std::optional<int> lastYear = lastYearText ? ReadYear(*lastYearText) : firstYear;
    if (!firstYear || !lastYear || *lastYear < *firstYear) {
        return WrongInput::Years;
    }
    std::vector<Holiday> holidays;
    for (int year = *firstYear; year <= *lastYear; ++year) {
        const std::vector<Holiday>& ofYear = calendar.HolidaysOf(year);
        holidays.insert(holidays.end(), ofYear.begin(), ofYear.end());
    }
    return holidays;
}

Outcome<PeriodEnd> DueDate(std::string_view dateText, ClosedDayCalendar& calendar) {
    const std::optional<std::int64_t> day = ReadDay(dateText);
    if (!day) {
        return WrongInput::Date;
    }
    try {
        PeriodEnd due = MovedToOpenDay(*day, calendar);
        due.direction = Direction::Fixed;
        if (due.Moved()) {
            due.movedBy = "国税通則法10条2項";
        }
        AddNotes(due);
        return due;
    } catch (const RuntimeError& error) {
        return error.Number();
    }
}

Outcome<std::int64_t> AgeOnDate(std::string_view birthText,
                                std::optional<std::string_view> dateText, std::int64_t today) {
    const std::optional<std::int64_t> birth = ReadDay(birthText);
    if (!birth) {
        return WrongInput::BirthDate;
    }
    const std::optional<std::int64_t> day = dateText ? ReadDay(*dateText) : today;
    if (!day) {
        return WrongInput::Date;
    }
    try {
        return AgeOn(*birth, *day);
    } catch (const RuntimeError& error) {
        return error.Number();
    }
}

Outcome<std::int64_t> DayAgeReached(std::string_view birthText, std::string_view ageText) {
    const std::optional<std::int64_t> birth = ReadDay(birthText);
    if (!birth) {
        return WrongInput::BirthDate;
    }
    const std::optional<double> age = ReadNumberText(ageText);
    if (!age || *age < 1 || *age > kLastCivilDate.year || *age != std::floor(*age)) {
        return WrongInput::Age;
    }
    try {
        return DayAgeIsReached(*birth, static_cast<std::int64_t>(*age));
    } catch (const RuntimeError& error) {
        return error.Number();
    }
}

Outcome<DayFacts> DayInfo(std::string_view dateText, ClosedDayCalendar& calendar) {
    const std::optional<std::int64_t> day = ReadDay(dateText);
    if (!day) {
        return WrongInput::Date;
    }
    return FactsOfDay(*day, calendar);
}

DayFacts FactsOfDay(std::int64_t day, ClosedDayCalendar& calendar) {
    return {day, calendar.ClosedReasons(day), ComputedEquinoxNotes(day, day)};
}

}  // namespace torvelin
