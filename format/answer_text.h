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

// "error N: DESCRIPTION", as the command line reports an error.
std::string ErrorLine(ErrorNumber number);

// "2014/02/24".
std::string DayText(std::int64_t day);

// "2014/02/24", or "2014/02/24 12:00:00" with a time of day; long:
// "2014/02/24\t月\t平成26年2月24日".
std::string EndDateText(CalendarDate end, Form form);

// "2025/01/06" ("2024/03/06 15:30:00" for a period in hours); long, followed
// by the weekday, the era date, CountingRuleText and ClosedDayText, each
// after a tab.
std::string PeriodEndText(const PeriodEnd& end, Form form);
void AppendPeriodEndText(std::string& out, const PeriodEnd& end, Form form);

// Which rule of the Civil Code counted the period: "初日不算入（民法140条）",
// "午前零時から始まるため初日算入（民法140条ただし書）", "時間による期間（民法139条）".
std::string_view CountingRuleText(const PeriodEnd& end);

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
