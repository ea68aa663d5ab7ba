// SPDX-License-Identifier: MIT
#include "format/answer_text.h"

#include "calc/date_text.h"
#include "calc/era_date.h"
#include "calc/weekday.h"

namespace torvelin {
namespace {

// "12/31".
void AppendMonthDayText(std::string& out, std::int64_t day) {
    const CivilDate date = CivilFromDayNumber(day);
    out += std::to_string(date.month);
    out += '/';
    out += std::to_string(date.day);
}

// "2024/12/30（月）".
void AppendDayWithWeekdayText(std::string& out, std::int64_t day) {
    AppendDayToText(out, day);
    out += "（";
    out += WeekdayName(WeekdayOf(day));
    out += "）";
}

// What follows a date and a tab in the long form: "月\t平成26年2月24日".
void AppendWeekdayAndEraText(std::string& out, std::int64_t day) {
    out += WeekdayName(WeekdayOf(day));
    out += '\t';
    AppendEraDateText(out, day);
}

}  // namespace

std::string JoinedWithDots(const std::vector<std::string_view>& names) {
    std::string text;
    AppendJoinedWithDots(text, names);
    return text;
}

void AppendJoinedWithDots(std::string& out, const std::vector<std::string_view>& names) {
    for (auto name = names.begin(); name != names.end(); ++name) {
        if (name != names.begin()) {
            out += "・";
        }
        out += *name;
    }
}

std::string_view MessageFor(WrongInput input) {
    switch (input) {
        case WrongInput::StartDate:
            return "「始期」の日付を正しく入力してください yyyy/mm/dd";
        case WrongInput::DayCount:
            return "「日数」数値で正しく入力してください ";
        case WrongInput::EndDate:
            return "「終期」の日付を正しく入力してください yyyy/mm/dd";
        case WrongInput::Date:
            return "日付を正しく入力してください yyyy/mm/dd";
        case WrongInput::Period:
            return "「期間」を 10日、2週間、3か月、1年 のように正しく入力してください";
        case WrongInput::Years:
            return "年を 100 から 9999 までの数で、古い年から順に入力してください";
        case WrongInput::BirthDate:
            return "「生年月日」の日付を正しく入力してください yyyy/mm/dd";
        case WrongInput::Age:
            return "年齢を 1 以上の整数で入力してください";
        case WrongInput::TimeOfDay:
            return "時刻を 0:00、9:30、13:45:10 のように入力してください";
        case WrongInput::BeforeRuleInForce:
            return "この手続の期間を定める規定が施行される前の日付です";
    }
    return "入力を確かめてください";
}

std::string DateMessageFor(std::string_view label) {
    return "「" + std::string(label) +
           "」の日付を 2025/1/6、令和7年1月6日 のように正しく入力してください";
}

std::string RuleChoiceMessage(std::string_view text,
                              const std::vector<const StatutoryRule*>& named) {
    if (named.empty()) {
        return "「" + std::string(text) +
               "」に当たる手続がありません。民訴285、出生届、相続の承認 "
               "のようにキーか名前を入力してください";
    }
    std::string keys;
    for (const StatutoryRule* rule : named) {
        keys += (keys.empty() ? "" : "、") + std::string(rule->key) + "（" +
                std::string(rule->name) + "）";
    }
    return "「" + std::string(text) + "」に当たる手続は " + keys + " です。どれかを選んでください";
}

std::string ErrorLine(ErrorNumber number) {
    return "error " + std::to_string(static_cast<int>(number)) + ": " +
           std::string(DescriptionOf(number));
}

std::string DayText(std::int64_t day) {
    return DayToText(day);
}

std::string EndDateText(CalendarDate end, Form form) {
    std::string text = DateToText(end);
    if (form == Form::Long) {
        text += '\t';
        AppendWeekdayAndEraText(text, RoundedToSecond(end).DayNumber());
    }
    return text;
}

std::string PeriodEndText(const PeriodEnd& end, Form form) {
    std::string text;
    AppendPeriodEndText(text, end, form);
    return text;
}

void AppendPeriodEndText(std::string& out, const PeriodEnd& end, Form form) {
    if (end.moment) {
        out += DateToText(*end.moment);
    } else {
        AppendDayToText(out, end.day);
    }
    if (form == Form::Long) {
        out += '\t';
        AppendWeekdayAndEraText(out, end.day);
        out += '\t';
        if (end.rule) {
            out += end.rule->key;
            out += ' ';
            out += RuleTitle(*end.rule);
            out += '\t';
        }
        AppendCountingRuleText(out, end);
        out += '\t';
        AppendClosedDayText(out, end);
        if (!end.notes.empty()) {
            out += "（";
            AppendJoinedWithDots(out, end.notes);
            out += "）";
        }
    }
}

std::string_view PeriodUnitText(PeriodUnit unit) {
    switch (unit) {
        case PeriodUnit::Days:
            return "日";
        case PeriodUnit::Weeks:
            return "週間";
        case PeriodUnit::Months:
            return "か月";
        case PeriodUnit::Years:
            return "年";
        case PeriodUnit::OpenDays:
            return "営業日";
        case PeriodUnit::Hours:
            return "時間";
    }
    return "日";
}

std::string PeriodText(Period period) {
    return std::to_string(period.count) + std::string(PeriodUnitText(period.unit));
}

std::string CountingRuleText(const PeriodEnd& end) {
    std::string text;
    AppendCountingRuleText(text, end);
    return text;
}

void AppendCountingRuleText(std::string& out, const PeriodEnd& end) {
    using namespace std::string_view_literals;
    if (end.rule) {
        out += RuleCountingText(*end.rule);
        return;
    }
    if (end.moment) {
        out += "時間による期間（民法139条）"sv;
    } else if (end.direction == Direction::Before) {
        out += "期間の前日（民法140条）"sv;
    } else if (end.direction == Direction::Fixed) {
        out += "期限"sv;
    } else if (end.firstDayRule == FirstDayRule::LeftOut) {
        out += "初日不算入（民法140条）"sv;
    } else if (end.firstDayRule == FirstDayRule::StartsAtMidnight) {
        out += "午前零時から始まるため初日算入（民法140条ただし書）"sv;
    } else {
        out += end.firstDay == FirstDay::Included ? "初日算入（指定）"sv : "初日不算入（指定）"sv;
    }
}

std::string RuleCountingText(const StatutoryRule& rule) {
    std::string text = rule.direction == Direction::Before              ? "期間の前日"
                       : rule.counting == EventDayCounting::Counted     ? "初日算入"
                       : rule.counting == EventDayCounting::FromNextDay ? "翌日起算"
                                                                        : "初日不算入";
    return text + "（" + std::string(rule.countingProvision) + "）";
}

std::string_view RuleMoveText(const StatutoryRule& rule) {
    const std::string_view provision = MoveProvision(rule.move);
    return provision.empty() ? "延長しない" : provision;
}

std::string RulePeriodText(const StatutoryRule& rule) {
    return PeriodText(rule.period) + (rule.direction == Direction::Before ? "前まで" : "");
}

std::string RuleTitle(const StatutoryRule& rule) {
    return std::string(rule.name) + "（" + std::string(rule.article) + "）";
}

std::string RuleCitationText(const StatutoryRule& rule) {
    std::string text = std::string(rule.act.title) + "「" + std::string(rule.quote) + "」";
    return rule.borrowed.empty() ? text : text + "（" + std::string(rule.borrowed) + "）";
}

std::string RelatedDeadlineText(const StatutoryRule& rule, const Outcome<PeriodEnd>& end) {
    return std::string(rule.key) + "　" + RuleTitle(rule) + "　" +
           AnswerText(end, [](const PeriodEnd& value) { return JapaneseDateText(value.day); });
}

std::string RuleListText(const std::vector<const StatutoryRule*>& rules) {
    std::string text;
    for (const StatutoryRule* rule : rules) {
        for (const std::string& part :
             {std::string(rule->key), std::string(rule->name), std::string(rule->event),
              RulePeriodText(*rule), RuleCountingText(*rule), std::string(RuleMoveText(*rule))}) {
            text += part;
            text += '\t';
        }
        text += rule->act.title;
        text += '\n';
    }
    return text;
}

std::string ClosedDayText(const PeriodEnd& end) {
    std::string text;
    AppendClosedDayText(text, end);
    return text;
}

void AppendClosedDayText(std::string& out, const PeriodEnd& end) {
    using namespace std::string_view_literals;
    if (end.unmovedDayReasons.empty()) {
        return;
    }
    // The choices between words of one length are made on words, not on
    // texts, so that each is copied with a size the compiler sees.
    const bool bank = end.calendar == CalendarKind::Bank;
    const std::string_view closed = bank ? "休業日"sv : "閉庁日"sv;
    const std::string_view open = bank ? "営業日"sv : "開庁日"sv;
    if (end.direction != Direction::Before) {
        out += end.direction == Direction::After ? "末日"sv : "期限"sv;
    }
    AppendDayWithWeekdayText(out, end.unmovedDay);
    out += "は";
    AppendJoinedWithDots(out, end.unmovedDayReasons);
    if (!end.Moved()) {
        out += "（";
        out += closed;
        // Art. 142 moves only the end of a period counted forward; some acts
        // move none.
        out += end.direction == Direction::Before ? "、期間の末日ではないため繰り上げない）"sv
                                                  : "、延長の定めがないためその日に満了）"sv;
        return;
    }
    // The closed days passed over after the first: "、12/31〜1/5も閉庁日".
    // A period counted back moves earlier; every other end, later.
    const bool later = end.direction != Direction::Before;
    const std::int64_t step = later ? 1 : -1;
    const std::int64_t nearest = end.unmovedDay + step;
    const std::int64_t farthest = end.day - step;
    if (nearest * step <= farthest * step) {
        out += "、";
        AppendMonthDayText(out, std::min(nearest, farthest));
        if (nearest != farthest) {
            out += "〜";
            AppendMonthDayText(out, std::max(nearest, farthest));
        }
        out += "も";
        out += closed;
    }
    out += "のため、";
    out += later ? "翌"sv : "前"sv;
    out += open;
    if (end.direction == Direction::Fixed) {
        out += "が期限";
    } else if (later) {
        out += "に満了";
    } else {
        out += "に繰り上げ";
    }
    if (!end.movedBy.empty()) {
        out += "（";
        out += end.movedBy;
        out += "）";
    }
}

std::string DayCountText(std::int64_t days) {
    return std::to_string(days);
}

std::string HolidayListText(const std::vector<Holiday>& holidays) {
    std::string text;
    for (auto holiday = holidays.begin(); holiday != holidays.end();) {
        std::vector<std::string_view> names;
        const CivilDate date = holiday->date;
        for (; holiday != holidays.end() && holiday->date == date; ++holiday) {
            names.push_back(holiday->name);
        }
        text += DayText(DayNumberFromCivil(date)) + '\t' + JoinedWithDots(names) + '\n';
    }
    return text;
}

std::string DayInfoText(const DayFacts& facts) {
    std::string text = DayText(facts.day) + '\t';
    AppendWeekdayAndEraText(text, facts.day);
    text += facts.closedReasons.empty() ? "\t開庁日"
                                        : "\t閉庁日\t" + JoinedWithDots(facts.closedReasons);
    if (!facts.notes.empty()) {
        text += '\t' + JoinedWithDots(facts.notes);
    }
    return text;
}

std::string JapaneseDateText(std::int64_t day) {
    const CivilDate date = CivilFromDayNumber(day);
    return std::to_string(date.year) + "年" + std::to_string(date.month) + "月" +
           std::to_string(date.day) + "日（" + std::string(WeekdayName(WeekdayOf(day))) + "）";
}

std::string DayDescription(const DayFacts& facts) {
    std::string text = JapaneseDateText(facts.day);
    if (const std::optional<std::string> era = EraDateText(facts.day)) {
        text += "\u3000" + *era;
    }
    if (!facts.closedReasons.empty()) {
        text += "\u3000" + JoinedWithDots(facts.closedReasons);
    }
    return text;
}

}  // namespace torvelin
