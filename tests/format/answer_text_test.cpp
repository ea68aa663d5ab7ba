// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "format/answer_text.h"

namespace torvelin {
namespace {

std::int64_t Day(int year, int month, int day) {
    return DayNumberFromCivil({year, month, day});
}

TEST(AnswerText, WritesTheLongFormOfAnEndDate) {
    EXPECT_EQ(EndDateText(CalendarDate(Day(1872, 12, 31)), Form::Long), "1872/12/31\t火\t");
    // 23:59:59.6 is the next day's midnight, in the date and in its weekday.
    EXPECT_EQ(EndDateText(CalendarDate(Day(2014, 2, 23) + 0.999995), Form::Long),
              "2014/02/24\t月\t平成26年2月24日");
}

// The rule that counted a period and why its answer is where it is, as a legal
// reader writes them, for each way a period is counted.
TEST(AnswerText, SaysWhichRuleCountedAndWhyTheEndMoved) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    const auto text = [&](const char* start, const char* period, PeriodRules rules) {
        const PeriodEnd end = std::get<PeriodEnd>(Deadline(start, period, rules, calendar));
        return std::string(CountingRuleText(end)) + " " + ClosedDayText(end);
    };
    const PeriodRules after{};
    const PeriodRules before{.direction = Direction::Before};
    // clang-format off
    const std::tuple<const char*, const char*, PeriodRules, const char*> cases[] = {
        {"2024/12/20", "10日", after, "初日不算入（民法140条） 末日2024/12/30（月）は年末年始の休日、"
                                      "12/31〜1/5も閉庁日のため、翌開庁日に満了（民事訴訟法95条3項）"},
        {"2024/10/20", "2週間", after, "初日不算入（民法140条） 末日2024/11/03（日）は日曜日・文化の日、"
                                       "11/4も閉庁日のため、翌開庁日に満了（民事訴訟法95条3項）"},
        {"2024/05/29", "11日", after, "初日不算入（民法140条） 末日2024/06/09（日）は日曜日のため、"
                                      "翌開庁日に満了（民事訴訟法95条3項）"},
        {"2024/03/04 0:00", "1か月", after, "午前零時から始まるため初日算入（民法140条ただし書） "},
        {"2024/03/04", "1日", {.firstDay = FirstDay::Included}, "初日算入（指定） "},
        {"2024/03/04 9:00", "48時間", after, "時間による期間（民法139条） "},
        {"2024/06/24", "2週間", before, "期間の前日（民法140条） 2024/06/09（日）は日曜日"
                                        "（閉庁日、期間の末日ではないため繰り上げない）"},
        {"2024/06/24", "2週間", {.calendarChosen = true, .direction = Direction::Before},
         "期間の前日（民法140条） 2024/06/09（日）は日曜日、6/8も閉庁日のため、前開庁日に繰り上げ"},
    };
    // clang-format on
    for (const auto& [start, period, rules, expected] : cases) {
        EXPECT_EQ(text(start, period, rules), expected) << start << " " << period;
    }
    const PeriodEnd due = std::get<PeriodEnd>(DueDate("2025/03/15", calendar));
    EXPECT_EQ(std::string(CountingRuleText(due)) + " " + ClosedDayText(due),
              "期限 期限2025/03/15（土）は土曜日、3/16も閉庁日のため、翌開庁日が期限"
              "（国税通則法10条2項）");
}

// A statutory period's answer says how its act counted the first day, in
// words that differ for each way where the days come out alike, and what
// moved its end or that nothing could.
TEST(AnswerText, SaysHowAStatutoryPeriodCountedAndMoved) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    StatutoryRule rule = *RulesNamed("戸籍49").front();
    const auto text = [&](EventDayCounting counting, EndMove move, const char* day) {
        rule.counting = counting;
        rule.move = move;
        const PeriodEnd end = std::get<PeriodEnd>(DeadlineByRule(rule, day, calendar));
        return CountingRuleText(end) + " " + ClosedDayText(end);
    };
    using enum EventDayCounting;
    EXPECT_EQ(text(Counted, EndMove::ByMunicipality, "2025/12/02"), "初日算入（戸籍法43条1項） ");
    EXPECT_EQ(text(LeftOut, EndMove::ByMunicipality, "2025/12/02"), "初日不算入（戸籍法43条1項） ");
    EXPECT_EQ(text(FromNextDay, EndMove::ByMunicipality, "2025/12/02"),
              "翌日起算（戸籍法43条1項） ");
    // 14 days from 12/1 end on Sunday 12/14.
    EXPECT_EQ(text(Counted, EndMove::ByMunicipality, "2025/12/01"),
              "初日算入（戸籍法43条1項） 末日2025/12/14（日）は日曜日のため、翌開庁日に満了"
              "（地方自治法4条の2第4項）");
    EXPECT_EQ(text(Counted, EndMove::Never, "2025/12/01"),
              "初日算入（戸籍法43条1項） 末日2025/12/14（日）は日曜日"
              "（閉庁日、延長の定めがないためその日に満了）");
    rule.direction = Direction::Before;
    EXPECT_TRUE(
        text(LeftOut, EndMove::Never, "2025/12/30").starts_with("期間の前日（戸籍法43条1項） "));
    EXPECT_EQ(RuleMoveText(rule), "延長しない");
    EXPECT_EQ(RulePeriodText(rule), "14日前まで");
}

// The month and the day unpadded; the last day a date can be.
TEST(AnswerText, WritesADateAsJapaneseTextDoes) {
    EXPECT_EQ(JapaneseDateText(Day(2025, 1, 6)), "2025年1月6日（月）");
    EXPECT_EQ(JapaneseDateText(Day(9999, 12, 31)), "9999年12月31日（金）");
}

TEST(AnswerText, DescribesADayInFull) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    const auto description = [&](std::int64_t day) {
        return DayDescription(FactsOfDay(day, calendar));
    };
    EXPECT_EQ(description(Day(2014, 2, 24)), "2014年2月24日（月）　平成26年2月24日");
    EXPECT_EQ(description(Day(2024, 12, 29)),
              "2024年12月29日（日）　令和6年12月29日　日曜日・年末年始の休日");
    EXPECT_EQ(description(Day(1872, 12, 10)), "1872年12月10日（火）");
    EXPECT_EQ(description(Day(100, 1, 2)), "100年1月2日（土）　年末年始の休日");
    EXPECT_EQ(DayInfoText(FactsOfDay(Day(2014, 2, 24), calendar)),
              "2014/02/24\t月\t平成26年2月24日\t開庁日");
}

TEST(AnswerText, GivesTwoHolidaysOnOneDayOneLine) {
    const std::vector<Holiday> holidays{
        {{2876, 9, 21}, "敬老の日"}, {{2876, 9, 21}, "秋分の日"}, {{2876, 11, 3}, "文化の日"}};
    EXPECT_EQ(HolidayListText(holidays), "2876/09/21\t敬老の日・秋分の日\n2876/11/03\t文化の日\n");
}

TEST(AnswerText, WritesAValueOrWhatStoppedIt) {
    const auto text = [](const Outcome<std::int64_t>& outcome) {
        return AnswerText(outcome, DayCountText);
    };
    EXPECT_EQ(text(17), "17");
    EXPECT_EQ(text(WrongInput::EndDate), "「終期」の日付を正しく入力してください yyyy/mm/dd");
    EXPECT_EQ(text(ErrorNumber::Overflow),
              "error 6: " + std::string(DescriptionOf(ErrorNumber::Overflow)));
}

}  // namespace
}  // namespace torvelin
