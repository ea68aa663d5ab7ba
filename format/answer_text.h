// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/calendar_date.h"
#include "calc/outcome.h"
#include "law/civil_period.h"
#include "law/law_commands.h"
#include "law/statutory_rules.h"

namespace torvelin {

// Every text a user sees of an answer (UTF-8), written in this one place for
// the window and the command line alike. Where a day has no era date (before
// 1873) the era part is left empty or out.

// Short: the date alone. Long: followed by a tab, the weekday and the era
// date, and for a moved end of a period, why it moved.
enum class Form { Short, Long };

// Names in a row as a Japanese text lists them: "日曜日・年末年始の休日".
std::string JoinedWithDots(const std::vector<std::string_view>& names);

// The Append forms add the same text as the function above them to the end
// of `out`: a batch writes its answers straight into one line buffer.
void AppendJoinedWithDots(std::string& out, const std::vector<std::string_view>& names);

// The message that asks for a wrong input again.
std::string_view MessageFor(WrongInput input);

// The message beside a date field that does not read, naming the field by
// its label: "「起算日」の日付を 2025/1/6、令和7年1月6日 のように正しく入力してください".
std::string DateMessageFor(std::string_view label);

// Why a procedure's text names no one rule: none has it, or several do,
// listed by key and name.
std::string RuleChoiceMessage(std::string_view text,
                              const std::vector<const StatutoryRule*>& named);

// "error N: DESCRIPTION", as the command line reports an error.
std::string ErrorLine(ErrorNumber number);

// "2014/02/24".
std::string DayText(std::int64_t day);

// "2014/02/24", or "2014/02/24 12:00:00" with a time of day; long:
// "2014/02/24\t月\t平成26年2月24日".
std::string EndDateText(CalendarDate end, Form form);

// "2025/01/06" ("2024/03/06 15:30:00" for a period in hours); long, followed
// by the weekday, the era date, the statutory period's key and title where
// it was counted by one, CountingRuleText and ClosedDayText, each after a tab.
std::string PeriodEndText(const PeriodEnd& end, Form form);
void AppendPeriodEndText(std::string& out, const PeriodEnd& end, Form form);

// The unit as it follows a count in a period text: 日, 週間, か月, 年, 営業日, 時間.
std::string_view PeriodUnitText(PeriodUnit unit);

// "2週間", "50日", "3か月".
std::string PeriodText(Period period);

// Which rule counted the period: "初日不算入（民法140条）",
// "午前零時から始まるため初日算入（民法140条ただし書）", "時間による期間（民法139条）";
// for a statutory period, RuleCountingText.
std::string CountingRuleText(const PeriodEnd& end);
void AppendCountingRuleText(std::string& out, const PeriodEnd& end);

// How a statutory period counts its first day, with the provision:
// "初日不算入（民事訴訟法95条1項・民法140条）", "初日算入（戸籍法43条1項）".
std::string RuleCountingText(const StatutoryRule& rule);

// What moves the rule's end from a closed day: "民事訴訟法95条3項", or
// "延長しない" where nothing does.
std::string_view RuleMoveText(const StatutoryRule& rule);

// "2週間", or "2週間前まで" for a period that must lie before its event.
std::string RulePeriodText(const StatutoryRule& rule);

// The rule with its article: "控訴（民事訴訟法285条）".
std::string RuleTitle(const StatutoryRule& rule);

// The act and article as cited, with its words, and what it borrows:
// "民事訴訟法（平成八年法律第百九号）第二百八十五条「控訴は、…」".
std::string RuleCitationText(const StatutoryRule& rule);

// Another rule's deadline from the same event, one line:
// "民訴313　上告（民事訴訟法313条）　2025年1月6日（月）".
std::string RelatedDeadlineText(const StatutoryRule& rule, const Outcome<PeriodEnd>& end);

// One line a rule, its parts tab-separated: key, name, event, period,
// counting, what moves its end, and the act and article as cited.
std::string RuleListText(const std::vector<const StatutoryRule*>& rules);

// Why the answer is where it is when the day it fell on is closed, in the
// register of a legal reader, naming the days passed over and the provision:
// "末日2024/12/30（月）は年末年始の休日、12/31〜1/5も閉庁日のため、翌開庁日に満了
// （民事訴訟法95条3項）". Empty when that day is open.
std::string ClosedDayText(const PeriodEnd& end);
void AppendClosedDayText(std::string& out, const PeriodEnd& end);

// A number of days: "17".
std::string DayCountText(std::int64_t days);

// One "yyyy/mm/dd\tname\n" line a day in the given order; two holidays on one
// day share its line: "2876/09/21\t敬老の日・秋分の日".
std::string HolidayListText(const std::vector<Holiday>& holidays);

// One line about a day: the date, weekday, era date, then "閉庁日" and the
// reasons, or "開庁日", separated by tabs:
// "2024/12/29\t日\t令和6年12月29日\t閉庁日\t日曜日・年末年始の休日".
std::string DayInfoText(const DayFacts& facts);

// The date as a Japanese text writes it, with its weekday: "2025年1月6日（月）".
std::string JapaneseDateText(std::int64_t day);

// The day in full, for a tooltip or a screen reader:
// "2024年12月29日（日）　令和6年12月29日　日曜日・年末年始の休日".
std::string DayDescription(const DayFacts& facts);

// The text of any answer appended to `out`: its value as appendValue writes
// it, or the message or error line in its place.
template <class Value, class AppendValue>
void AppendAnswerText(std::string& out, const Outcome<Value>& outcome, AppendValue appendValue) {
    if (const Value* value = std::get_if<Value>(&outcome)) {
        appendValue(out, *value);
    } else if (const WrongInput* input = std::get_if<WrongInput>(&outcome)) {
        out += MessageFor(*input);
    } else {
        out += ErrorLine(std::get<ErrorNumber>(outcome));
    }
}

// The same as a string, its value as valueText writes it.
template <class Value, class ValueText>
std::string AnswerText(const Outcome<Value>& outcome, ValueText valueText) {
    std::string text;
    AppendAnswerText(text, outcome, [&valueText](std::string& out, const Value& value) {
        out += valueText(value);
    });
    return text;
}

}  // namespace torvelin
