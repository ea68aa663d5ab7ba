// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/outcome.h"
#include "law/civil_period.h"
#include "law/closed_day_calendar.h"
#include "law/law_commands.h"
#include "law/statutory_rules.h"

namespace torvelin {

// What the deadline window and the web page ask, as the user typed it (UTF-8).
struct DeadlineQuestion {
    std::string startText;  // 2025/1/6, 令和7年1月6日, full-width digits
    std::string timeText;   // empty, or "0:00", "9:30"
    std::string countText;  // 14 or 十四, or a whole period: 2週間, 1年6か月
    PeriodUnit unit = PeriodUnit::Days;
    Direction direction = Direction::After;
    std::optional<FirstDay> firstDay = std::nullopt;  // unset: by the time of day
    CalendarKind calendar = CalendarKind::Court;
    bool hasClosedDayFiles = false;  // the user's own closed days were added
    // A statutory period chosen: it fixes the period, the direction, the
    // first day and the calendar, and the start is the day of its event.
    const StatutoryRule* rule = nullptr;
    std::string caseText;  // the case number or name, for what is copied and printed
};

// "十四" and Days: "十四日"; a count that is a whole period already
// ("2週間", "48時間") as it is; for a rule, its period ("2週間").
std::string PeriodTextOf(const DeadlineQuestion& question);

// The start with its time of day, when one is given: "2025/1/6 9:30".
std::string StartTextOf(const DeadlineQuestion& question);

// The rules the core counts the question by; the one place that maps the
// calendar choice to the core's calendars.
PeriodRules RulesFor(const DeadlineQuestion& question);

// How a day of the month view is marked.
enum class DayMark : std::uint8_t {
    Outside,     // not part of the period
    Known,       // the start, or the known day a period runs back from
    Counted,     // a day of the period
    PassedOver,  // a closed day the end moved past
    End,         // the answer
};

// One month of the month view: each day's mark and whether it is closed.
struct MarkedMonth {
    int year;
    int month;
    std::array<DayMark, 31> marks{};
    std::array<bool, 31> closed{};
};

// At most this many months are shown: the first, then the last ones.
inline constexpr int kMostMonthsShown = 6;

// Another statutory period from the same event, with its deadline.
struct RelatedDeadline {
    const StatutoryRule* rule;
    Outcome<PeriodEnd> end;
};

// The answer to a question, everything the window shows.
struct DeadlineAnswer {
    // The end, the input that does not read (StartDate, TimeOfDay or Period,
    // each typed in a field of its own; for a rule, Date or BeforeRuleInForce
    // about its start, as torvelin-calc says them) or the error.
    Outcome<PeriodEnd> end = WrongInput::StartDate;
    std::int64_t knownDay = 0;      // the start, or the day a period runs back from
    std::int64_t calendarDays = 0;  // days in the period
    std::int64_t openDays = 0;      // of them, open days of the calendar
    std::vector<MarkedMonth> months;
    // For a statutory period, the others its event starts, in the table's order.
    std::vector<RelatedDeadline> related;
};

// For a rule, the calendar should be the courts' with the user's own closed
// days, as DeadlineByRule counts.
DeadlineAnswer AnswerTo(const DeadlineQuestion& question, ClosedDayCalendar& calendar);

// "期間の日数 17日（うち開庁日 6日）", or for a period counted back
// "期間の前の日までの日数 …"; empty without an end.
std::string PeriodDaysText(const DeadlineAnswer& answer);

// "2025年1月6日（月）", followed by the time for a period in hours.
std::string EndDateCopyText(const PeriodEnd& end);

}  // namespace torvelin
