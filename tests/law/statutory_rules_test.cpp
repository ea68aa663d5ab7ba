// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "law/law_commands.h"
#include "law/statutory_rules.h"

namespace torvelin {
namespace {

const StatutoryRule& RuleOf(std::string_view key) {
    const std::vector<const StatutoryRule*> named = RulesNamed(key);
    EXPECT_EQ(named.size(), 1U) << key;
    return *named.front();
}

PeriodEnd EndOf(const StatutoryRule& rule, const char* event) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    const Outcome<PeriodEnd> outcome = DeadlineByRule(rule, event, calendar);
    EXPECT_TRUE(std::holds_alternative<PeriodEnd>(outcome)) << rule.key << " " << event;
    return std::holds_alternative<PeriodEnd>(outcome) ? std::get<PeriodEnd>(outcome)
                                                      : PeriodEnd{0, 0, {}};
}

CivilDate EndDate(const StatutoryRule& rule, const char* event) {
    return CivilFromDayNumber(EndOf(rule, event).day);
}

struct WorkedExample {
    const char* key;
    const char* event;
    CivilDate end;
};

// Each from a commentary's or a decision's worked example, not from the
// table: the year chosen where the example gave none, so that its end is an
// open day unless the example is about moving it.
TEST(StatutoryRules, AnswerTheWorkedExamplesOfTheirCommentaries) {
    // clang-format off
    const WorkedExample examples[] = {
        {"民訴285", "2026/01/13", {2026, 1, 27}},   // served 1/13, day one 1/14
        {"民訴285", "2011/01/28", {2011, 2, 14}},   // 2/11 a holiday, then a weekend
        {"民訴285", "2012/06/30", {2012, 7, 17}},   // 7/14 Sat, 7/15 Sun, 7/16 海の日
        {"民訴285", "2024/12/18", {2025, 1, 6}},    // past the year-end days
        {"民訴332", "2025/07/01", {2025, 7, 8}},
        {"刑訴373", "2025/08/01", {2025, 8, 15}},   // pronounced 8/1, day one 8/2
        {"刑訴373", "2024/03/01", {2024, 3, 15}},
        {"刑訴433", "1959/12/03", {1959, 12, 8}},   // 最高裁昭和35年(し)1号
        {"民915",   "2025/09/17", {2025, 12, 17}},
        {"民915",   "2025/09/01", {2025, 12, 1}},
        {"相続税27", "2016/09/21", {2017, 7, 21}},
        {"相続税27", "2021/04/29", {2022, 2, 28}},  // no 2/29: the month's last day
        {"所得税125", "2012/02/14", {2012, 6, 14}},
        {"所得税125", "2025/06/15", {2025, 10, 15}},
        {"通則法77", "2022/12/12", {2023, 3, 13}},  // 3/12 a Sunday
        {"通則法77", "2022/11/30", {2023, 2, 28}},
        {"通則法77", "2023/11/30", {2024, 2, 29}},
        {"通則法77", "2023/02/28", {2023, 5, 31}},  // counted from 3/1
        {"会社299", "2024/06/25", {2024, 6, 10}},   // two weeks between, neither counted
        {"会社299", "2025/02/14", {2025, 1, 30}},
        {"特商9",   "2025/05/08", {2025, 5, 15}},   // the day of receipt is day one
        {"特商9",   "2025/01/01", {2025, 1, 8}},
        {"戸籍49",  "2025/12/02", {2025, 12, 15}},  // the day of birth is day one
        {"戸籍49",  "2025/01/01", {2025, 1, 14}},
    };
    // clang-format on
    for (const WorkedExample& example : examples) {
        EXPECT_EQ(EndDate(RuleOf(example.key), example.event), example.end)
            << example.key << " " << example.event;
    }
}

// A period that ends on a Sunday moves by the provision its row names, and
// by none where the act has none; the days passed over are the court's.
TEST(StatutoryRules, MoveAnEndAsTheirProvisionSays) {
    const std::pair<EndMove, std::string_view> provisions[] = {
        {EndMove::ByCivilProcedure, "民事訴訟法95条3項"},
        {EndMove::ByCriminalProcedure, "刑事訴訟法55条3項"},
        {EndMove::ByNationalOffices, "行政機関の休日に関する法律2条"},
        {EndMove::ByMunicipality, "地方自治法4条の2第4項"},
        {EndMove::ByNationalTax, "国税通則法10条2項"},
        {EndMove::ByCivilCode, "民法142条"},
        {EndMove::Never, ""},
    };
    std::set<std::string_view> cited;
    for (const auto& [move, provision] : provisions) {
        StatutoryRule rule = RuleOf("民訴332");
        rule.move = move;
        const PeriodEnd end = EndOf(rule, "2025/01/05");  // a week later: Sunday 1/12
        EXPECT_EQ(CivilFromDayNumber(end.unmovedDay), (CivilDate{2025, 1, 12}));
        EXPECT_EQ(CivilFromDayNumber(end.day),
                  (move == EndMove::Never ? CivilDate{2025, 1, 12} : CivilDate{2025, 1, 14}))
            << provision;  // 1/13 成人の日
        EXPECT_EQ(end.movedBy, provision);
        EXPECT_EQ(end.unmovedDayReasons, std::vector<std::string_view>{"日曜日"});
        cited.insert(MoveProvision(move));
    }
    EXPECT_EQ(cited.size(), std::size(provisions));
}

// The day of the event is day one only where the act counts it; a period the
// act starts the next day ends where one that leaves the day out does.
TEST(StatutoryRules, CountTheFirstDayAsTheirActSays) {
    StatutoryRule rule = RuleOf("戸籍49");
    rule.move = EndMove::Never;
    const auto endWith = [&](EventDayCounting counting) {
        rule.counting = counting;
        return EndDate(rule, "2025/12/02");
    };
    EXPECT_EQ(endWith(EventDayCounting::Counted), (CivilDate{2025, 12, 15}));
    EXPECT_EQ(endWith(EventDayCounting::LeftOut), (CivilDate{2025, 12, 16}));
    EXPECT_EQ(endWith(EventDayCounting::FromNextDay), (CivilDate{2025, 12, 16}));
    EXPECT_EQ(FirstDayOf(EventDayCounting::Counted), FirstDay::Included);
    EXPECT_EQ(FirstDayOf(EventDayCounting::FromNextDay), FirstDay::Excluded);
    // Counted back, the answer is the last day before the period.
    rule = RuleOf("会社299");
    EXPECT_EQ(EndOf(rule, "2024/06/27").direction, Direction::Before);
    rule.direction = Direction::After;
    EXPECT_EQ(EndDate(rule, "2024/06/27"), (CivilDate{2024, 7, 11}));
}

// The words that set each period hold it as the act writes it: 二週間, 五十日,
// 三月 or 三箇月; where a row borrows another article's period, what it says
// it borrows holds it.
TEST(StatutoryRules, QuoteThePeriodTheyCount) {
    const auto kanji = [](std::int64_t count) {
        constexpr std::string_view kDigits[] = {"",   "一", "二", "三", "四",
                                                "五", "六", "七", "八", "九"};
        const std::string tens = count >= 20   ? std::string(kDigits[count / 10]) + "十"
                                 : count >= 10 ? "十"
                                               : "";
        return tens + std::string(kDigits[count % 10]);
    };
    std::set<std::string_view> keys;
    for (const StatutoryRule& rule : StatutoryRules()) {
        EXPECT_TRUE(keys.insert(rule.key).second) << rule.key;
        EXPECT_FALSE(rule.event.empty() || rule.eventGroup.empty() || rule.quote.empty() ||
                     rule.act.title.empty() || rule.countingProvision.empty())
            << rule.key;
        const std::string count = kanji(rule.period.count);
        std::vector<std::string> words;
        switch (rule.period.unit) {
            case PeriodUnit::Days:
                words = {count + "日"};
                break;
            case PeriodUnit::Weeks:
                words = {count + "週間"};
                break;
            case PeriodUnit::Months:
                words = {count + "月", count + "箇月"};
                break;
            default:
                words = {count + "年"};
        }
        // A period borrowed from another article is written where the row
        // says what it borrows.
        const std::string source = std::string(rule.quote) + std::string(rule.borrowed);
        EXPECT_TRUE(std::any_of(
            words.begin(), words.end(),
            [&](const std::string& word) { return source.find(word) != std::string::npos; }))
            << rule.key << " " << words.front();
    }
    EXPECT_GE(keys.size(), 30U);
}

TEST(StatutoryRules, AreFoundByKeyOrName) {
    const auto keys = [](const std::vector<const StatutoryRule*>& rules) {
        std::vector<std::string_view> found;
        for (const StatutoryRule* rule : rules) {
            found.push_back(rule->key);
        }
        return found;
    };
    using Keys = std::vector<std::string_view>;
    EXPECT_EQ(keys(RulesNamed("控訴")), (Keys{"民訴285", "刑訴373"}));
    EXPECT_EQ(keys(RulesNamed(" 民訴２８５ ")), Keys{"民訴285"});
    EXPECT_EQ(keys(RulesNamed("出生")), Keys{"戸籍49"});
    EXPECT_EQ(keys(RulesNamed("即時抗告")), (Keys{"民訴332", "刑訴422", "家事86"}));
    EXPECT_TRUE(RulesNamed("").empty());
    EXPECT_TRUE(RulesNamed("民訴999").empty());
    const Keys appeals = keys(RulesMatching("控訴"));
    EXPECT_EQ(appeals, (Keys{"民訴285", "民訴規182", "刑訴373"}));
    EXPECT_EQ(keys(RulesMatching("相続の開始")), (Keys{"民915", "相続税27", "所得税125"}));
    EXPECT_EQ(keys(RulesMatching("戸籍法")), (Keys{"戸籍49", "戸籍86"}));
    EXPECT_EQ(RulesMatching("").size(), StatutoryRules().size());
}

TEST(StatutoryRules, AnswerOnlyFromTheDayTheirPeriodTookEffect) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    const StatutoryRule& review = RuleOf("行審18");
    EXPECT_EQ(DeadlineByRule(review, "2016/03/31", calendar),
              Outcome<PeriodEnd>(WrongInput::BeforeRuleInForce));
    EXPECT_TRUE(std::holds_alternative<PeriodEnd>(DeadlineByRule(review, "2016/04/01", calendar)));
    EXPECT_EQ(DeadlineByRule(review, "2016/04/31", calendar), Outcome<PeriodEnd>(WrongInput::Date));
    // The user's own closed days close the court for appeals too.
    ClosedDayCalendar moved(CalendarKind::Court, {{DayNumberFromCivil({2025, 1, 6}),
                                                   DayNumberFromCivil({2025, 1, 6}), "移転"}});
    const auto end = std::get<PeriodEnd>(DeadlineByRule(RuleOf("民訴285"), "2024/12/18", moved));
    EXPECT_EQ(CivilFromDayNumber(end.day), (CivilDate{2025, 1, 7}));
    EXPECT_EQ(end.rule, &RuleOf("民訴285"));
}

}  // namespace
}  // namespace torvelin
