// SPDX-License-Identifier: MIT
#include "cli/law_commands.h"

#include "calc/calculate.h"
#include "calc/date_text.h"
#include "calc/number_text.h"
#include "calc/runtime_error.h"
#include "law/calendar_text.h"
#include "law/period_text.h"

namespace torvelin {
namespace {

constexpr std::string_view kEndDateMessage = "「終期」の日付を正しく入力してください yyyy/mm/dd";
constexpr std::string_view kDateMessage = "日付を正しく入力してください yyyy/mm/dd";
constexpr std::string_view kPeriodMessage =
    "「期間」を 10日、2週間、3か月、1年 のように正しく入力してください";
constexpr std::string_view kYearMessage =
    "年を 100 から 9999 までの数で、古い年から順に入力してください";

CommandAnswer Wrong(std::string_view message) {
    return {false, std::string(message)};
}

// "error N: DESCRIPTION", as every command writes an error.
CommandAnswer Failed(ErrorNumber number, std::string_view description) {
    return {false,
            "error " + std::to_string(static_cast<int>(number)) + ": " + std::string(description)};
}

std::optional<std::int64_t> ReadDay(std::string_view text) {
    const std::optional<CalendarDate> date = ReadDateText(text);
    return date ? std::optional(date->DayNumber()) : std::nullopt;
}

std::string DayText(std::int64_t dayNumber) {
    return DateToText(CalendarDate(static_cast<double>(dayNumber)));
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

}  // namespace

CommandAnswer AnswerDeadline(std::string_view startText, std::string_view periodText,
                             const PeriodRules& rules, HolidayCalendar& calendar) {
    const std::optional<std::int64_t> start = ReadDay(startText);
    if (!start) {
        return Wrong(kStartDateMessage);
    }
    const std::optional<Period> period = ReadPeriodText(periodText);
    if (!period) {
        return Wrong(kPeriodMessage);
    }
    try {
        const PeriodEnd end =
            EndOfPeriod(*start, *period, rules.firstDay, rules.closedDays, calendar);
        std::string text = DayText(end.day);
        if (rules.longForm) {
            text += '\t' + LongPeriodEndText(end);
        }
        return {true, text};
    } catch (const RuntimeError& error) {
        return Failed(error.Number(), error.Description());
    }
}

CommandAnswer AnswerDays(std::string_view fromText, std::string_view toText,
                         const PeriodRules& rules, HolidayCalendar& calendar) {
    const std::optional<std::int64_t> from = ReadDay(fromText);
    if (!from) {
        return Wrong(kStartDateMessage);
    }
    const std::optional<std::int64_t> to = ReadDay(toText);
    if (!to) {
        return Wrong(kEndDateMessage);
    }
    const std::int64_t days = rules.openDaysOnly
                                  ? OpenDaysBetween(*from, *to, rules.firstDay, calendar)
                                  : DaysBetween(*from, *to, rules.firstDay);
    return {true, std::to_string(days)};
}

CommandAnswer AnswerHolidays(std::string_view firstYearText,
                             std::optional<std::string_view> lastYearText,
                             HolidayCalendar& calendar) {
    const std::optional<int> firstYear = ReadYear(firstYearText);
    const std::optional<int> lastYear = lastYearText ? ReadYear(*lastYearText) : firstYear;
    if (!firstYear || !lastYear || *lastYear < *firstYear) {
        return Wrong(kYearMessage);
    }
    return {true, HolidayListText(*firstYear, *lastYear, calendar)};
}

CommandAnswer AnswerInfo(std::string_view dateText, HolidayCalendar& calendar) {
    const std::optional<std::int64_t> day = ReadDay(dateText);
    if (!day) {
        return Wrong(kDateMessage);
    }
    return {true, DayInfoText(*day, calendar)};
}

CommandAnswer AnswerCalculation(std::string_view startText, std::string_view dayCountText,
                                bool longForm) {
    const CalculationOutcome outcome = Calculate(startText, dayCountText);
    if (outcome.error) {
        return Failed(*outcome.error, outcome.text);
    }
    if (outcome.kind == CalculationOutcome::Kind::Message) {
        return Wrong(outcome.text);
    }
    if (!longForm) {
        return {true, outcome.text};
    }
    // The end date is read back from what was written, as the window does.
    return {true, outcome.text + '\t' + LongDayText(ReadDay(outcome.text).value())};
}

}  // namespace torvelin
