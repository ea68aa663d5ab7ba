// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "format/deadline_question.h"

namespace torvelin {
namespace {

const StatutoryRule& RuleNamed(std::string_view key) {
    return *RulesNamed(key).at(0);
}

// A chosen rule counts as deadline --rule does, whatever the other fields
// hold, and its months mark the days of its own period.
TEST(DeadlineQuestion, ARuleFixesThePeriodAndCountsAsItsAct) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    const StatutoryRule& appeal = RuleNamed("民訴285");
    DeadlineQuestion question;
    question.startText = "2024/12/20";
    question.countText = "3";
    question.rule = &appeal;
    question.unit = PeriodUnit::Years;
    question.direction = Direction::Before;
    question.calendar = CalendarKind::None;
    EXPECT_EQ(PeriodTextOf(question), "2週間");
    const DeadlineAnswer answer = AnswerTo(question, calendar);
    ASSERT_EQ(answer.end, DeadlineByRule(appeal, "2024/12/20", calendar));
    const PeriodEnd& end = std::get<PeriodEnd>(answer.end);
    EXPECT_EQ(end.rule, &appeal);
    // 12/21 to 1/3 counted, moved past the year-end days and the weekend to 1/6.
    EXPECT_EQ(answer.calendarDays, 17);
    EXPECT_EQ(PeriodDaysText(answer), "期間の日数 17日（うち開庁日 6日）");
    ASSERT_EQ(answer.months.size(), 2u);
    EXPECT_EQ(answer.months[0].marks[19], DayMark::Known);
    EXPECT_EQ(answer.months[0].marks[20], DayMark::Counted);
    EXPECT_EQ(answer.months[1].marks[3], DayMark::PassedOver);
    EXPECT_EQ(answer.months[1].marks[5], DayMark::End);

    question.startText = "1990/1/4";  // before the present code of civil procedure
    EXPECT_EQ(AnswerTo(question, calendar).end, Outcome<PeriodEnd>(WrongInput::BeforeRuleInForce));
    question.startText = "2024/2/30";
    EXPECT_EQ(AnswerTo(question, calendar).end, Outcome<PeriodEnd>(WrongInput::Date));
}

// The count field takes a bare count, completed by the unit, or a whole period.
TEST(DeadlineQuestion, ACountIsCompletedByItsUnitUnlessItIsAWholePeriod) {
    DeadlineQuestion question;
    question.countText = "十四";
    question.unit = PeriodUnit::Weeks;
    EXPECT_EQ(PeriodTextOf(question), "十四週間");
    for (const char* whole : {"1年6か月", "48時間", "5営業日", "10d"}) {
        question.countText = whole;
        EXPECT_EQ(PeriodTextOf(question), whole);
    }
    question.countText = "1年6";
    question.unit = PeriodUnit::Months;
    EXPECT_EQ(PeriodTextOf(question), "1年6か月");
    EXPECT_EQ(PeriodDaysText({}), "");
}

}  // namespace
}  // namespace torvelin
