// SPDX-License-Identifier: MIT
#include "format/deadline_question.h"

#include <algorithm>

#include "calc/date_text.h"
#include "format/answer_text.h"
#include "law/period_text.h"

namespace torvelin {
namespace {

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

DayMark MarkOf(std::int64_t day, std::int64_t known, const PeriodEnd& end) {
    // The closed days passed over lie between the unmoved end and the
    // answer: after it counted forward, before it counted back.
    const bool back = end.direction == Direction::Before;
    const std::int64_t passedFirst = back ? end.day + 1 : end.unmovedDay;
    const std::int64_t passedLast = back ? end.unmovedDay : end.day - 1;
    // The known day is marked as such even when it is counted as day one,
    // and the unmoved end as the end or as passed over.
    const std::int64_t firstCounted = back ? end.unmovedDay : known + 1;
    const std::int64_t lastCounted = back ? known - 1 : end.unmovedDay;
    if (day == end.day) {
        return DayMark::End;
    }
    if (day == known) {
        return DayMark::Known;
    }
    if (day >= passedFirst && day <= passedLast) {
        return DayMark::PassedOver;
    }
    return day >= firstCounted && day <= lastCounted ? DayMark::Counted : DayMark::Outside;
}

// The months from the one holding firstDay to the one holding lastDay: all
// of them when they are few, else the first and the last ones.
std::vector<MarkedMonth> MonthsOf(std::int64_t firstDay, std::int64_t lastDay, std::int64_t known,
                                  const PeriodEnd& end, bool marksClosed,
                                  ClosedDayCalendar& calendar) {
    const CivilDate first = CivilFromDayNumber(firstDay);
    const CivilDate last = CivilFromDayNumber(lastDay);
    const int firstIndex = first.year * 12 + first.month - 1;
    const int lastIndex = last.year * 12 + last.month - 1;
    std::vector<MarkedMonth> months;
    for (int index = firstIndex; index <= lastIndex; ++index) {
        if (index == firstIndex + 1) {
            index = std::max(index, lastIndex - (kMostMonthsShown - 2));  // on to the last ones
        }
        MarkedMonth month{index / 12, index % 12 + 1};
        const std::int64_t dayOne = DayNumberFromCivil({month.year, month.month, 1});
        for (int day = 0; day < DaysInMonth(month.year, month.month); ++day) {
            month.marks[day] = MarkOf(dayOne + day, known, end);
            month.closed[day] = marksClosed && calendar.IsClosed(dayOne + day);
        }
        months.push_back(month);
    }
    return months;
}

}  // namespace

std::string PeriodTextOf(const DeadlineQuestion& question) {
    if (question.rule) {
        return PeriodText(question.rule->period);
    }
    // A count never reads as a period by itself: it has no unit.
    if (ReadPeriodText(question.countText)) {
        return question.countText;
    }
    return question.countText + std::string(PeriodUnitText(question.unit));
}

std::string StartTextOf(const DeadlineQuestion& question) {
    if (IsBlank(question.timeText)) {
        return question.startText;
    }
    return question.startText + " " + question.timeText;
}

PeriodRules RulesFor(const DeadlineQuestion& question) {
    // As on the command line, a day before a period moves to the open day
    // before it only when the user chose a calendar other than the default,
    // here another choice than the courts' or closed-day files of their own.
    const bool chosen = question.calendar != CalendarKind::Court || question.hasClosedDayFiles;
    return {question.firstDay, chosen, question.direction};
}

DeadlineAnswer AnswerTo(const DeadlineQuestion& question, ClosedDayCalendar& calendar) {
    DeadlineAnswer answer;
    const std::optional<DateAndTime> start = ReadDateAndTime(question.startText);
    if (!start) {
        // A rule's start is the day of its event, told as torvelin-calc tells it.
        answer.end = question.rule ? Outcome<PeriodEnd>(WrongInput::Date) : WrongInput::StartDate;
        return answer;
    }
    if (question.rule) {
        answer.end = DeadlineByRule(*question.rule, question.startText, calendar);
        for (const StatutoryRule& other : StatutoryRules()) {
            if (&other != question.rule && other.eventGroup == question.rule->eventGroup) {
                answer.related.push_back(
                    {&other, DeadlineByRule(other, question.startText, calendar)});
            }
        }
    } else if (!ReadDateAndTime(StartTextOf(question))) {
        answer.end = WrongInput::TimeOfDay;
        return answer;
    } else {
        answer.end =
            Deadline(StartTextOf(question), PeriodTextOf(question), RulesFor(question), calendar);
    }
    const PeriodEnd* end = std::get_if<PeriodEnd>(&answer.end);
    if (!end) {
        return answer;
    }
    answer.knownDay = start->moment.DayNumber();
    const bool marksClosed = end->calendar != CalendarKind::None;
    const std::int64_t first = std::min(answer.knownDay, end->day);
    const std::int64_t last = std::max(answer.knownDay, end->day);
    try {
        if (end->direction == Direction::After) {
            answer.calendarDays = DaysBetween(answer.knownDay, end->day, end->firstDay);
            answer.openDays =
                marksClosed ? OpenDaysBetween(answer.knownDay, end->day, end->firstDay, calendar)
                            : answer.calendarDays;
        } else {
            // The period lies between the answer and the known day, neither counted.
            answer.calendarDays = DaysBetween(end->day, answer.knownDay - 1, FirstDay::Excluded);
            answer.openDays = marksClosed ? OpenDaysBetween(end->day, answer.knownDay - 1,
                                                            FirstDay::Excluded, calendar)
                                          : answer.calendarDays;
        }
        answer.months = MonthsOf(first, last, answer.knownDay, *end, marksClosed, calendar);
    } catch (const RuntimeError& error) {
        answer.end = error.Number();
        answer.months.clear();
    }
    return answer;
}

std::string PeriodDaysText(const DeadlineAnswer& answer) {
    const PeriodEnd* end = std::get_if<PeriodEnd>(&answer.end);
    if (!end) {
        return {};
    }
    const bool back = end->direction == Direction::Before;
    return std::string(back ? "期間の前の日までの日数 " : "期間の日数 ") +
           DayCountText(answer.calendarDays) + "日（うち開庁日 " + DayCountText(answer.openDays) +
           "日）";
}

std::string EndDateCopyText(const PeriodEnd& end) {
    std::string text = JapaneseDateText(end.day);
    if (end.moment) {
        const std::string moment = DateToText(*end.moment);
        if (const std::size_t blank = moment.find(' '); blank != std::string::npos) {
            text += moment.substr(blank);
        }
    }
    return text;
}

}  // namespace torvelin
