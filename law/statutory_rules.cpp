// SPDX-License-Identifier: MIT
#include "law/statutory_rules.h"

#include <algorithm>
#include <string>

#include "calc/text_scanner.h"
#include "law/act_date.h"

namespace torvelin {
namespace {

using enum LawField;
using enum EventDayCounting;
using enum EndMove;
using enum Direction;

constexpr Period Days(std::int64_t count) {
    return {count, PeriodUnit::Days};
}
constexpr Period Weeks(std::int64_t count) {
    return {count, PeriodUnit::Weeks};
}
constexpr Period Months(std::int64_t count) {
    return {count, PeriodUnit::Months};
}

// How the acts count their first day, where each leaves it to another.
constexpr std::string_view kCivilProcedureCounting = "民事訴訟法95条1項・民法140条";
constexpr std::string_view kCriminalProcedureCounting = "刑事訴訟法55条1項";
constexpr std::string_view kFamilyCounting = "家事事件手続法34条4項・民事訴訟法95条1項・民法140条";

// The same event, in the same words, starts several periods.
constexpr std::string_view kJudgmentServed = "判決書又は第二百五十四条第二項の調書の送達を受けた日";
constexpr std::string_view kDecisionNotified = "裁判の告知を受けた日";
constexpr std::string_view kCriminalJudgmentNotified = "裁判が告知された日";

// The acts as they are cited, each with the day its text in this form took
// effect.
constexpr std::string_view kCodeOfCivilProcedure = "民事訴訟法（平成八年法律第百九号）";
constexpr CivilDate kCodeOfCivilProcedureInForce = ActDate("平成十年一月一日");
constexpr std::string_view kRulesOfCivilProcedure = "民事訴訟規則（平成八年最高裁判所規則第五号）";
constexpr std::string_view kCodeOfCriminalProcedure = "刑事訴訟法（昭和二十三年法律第百三十一号）";
constexpr CivilDate kCodeOfCriminalProcedureInForce = ActDate("昭和二十四年一月一日");

// Keys and names are the practitioners'; each row's quote is the article's
// own words, so that a reader checks the row against the act.
// clang-format off
constexpr StatutoryRule kRules[] = {
    {.key = "民訴285", .name = "控訴", .field = CivilProcedure,
     .event = kJudgmentServed, .eventGroup = "判決の送達",
     .period = Weeks(2), .direction = After,
     .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第二百八十五条", .inForce = kCodeOfCivilProcedureInForce},
     .article = "民事訴訟法285条",
     .quote = "控訴は、判決書又は第二百五十四条第二項の調書の送達を受けた日から二週間の不変期間内に提起しなければならない。",
     .borrowed = "", .unsettled = ""},
};
// clang-format on

// The text with full-width letters, digits and blanks read as ASCII, so that
// 民訴２８５ finds 民訴285.
std::string Folded(std::string_view text) {
    std::string folded;
    for (TextScanner scanner(text); !scanner.AtEnd(); scanner.Advance()) {
        const char32_t c = scanner.Peek();
        if (c < 0x80) {
            folded += static_cast<char>(c);
        } else {
            const std::size_t start = scanner.Position();
            TextScanner next = scanner;
            next.Advance();
            folded += text.substr(start, next.Position() - start);
        }
    }
    return folded;
}

bool Holds(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

}  // namespace

std::string_view LawFieldName(LawField field) {
    switch (field) {
        case CivilProcedure:
            return "民事訴訟";
        case CriminalProcedure:
            return "刑事訴訟";
        case Family:
            return "家事";
        case Administrative:
            return "行政";
        case InheritanceAndTax:
            return "相続・税";
        case Company:
            return "会社";
        case Consumer:
            return "消費者";
        case FamilyRegister:
            return "戸籍";
    }
    return {};
}

std::span<const StatutoryRule> StatutoryRules() {
    return kRules;
}

FirstDay FirstDayOf(EventDayCounting counting) {
    return counting == Counted ? FirstDay::Included : FirstDay::Excluded;
}

std::string_view MoveProvision(EndMove move) {
    switch (move) {
        case ByCivilProcedure:
            return "民事訴訟法95条3項";
        case ByCriminalProcedure:
            return "刑事訴訟法55条3項";
        case ByNationalOffices:
            return "行政機関の休日に関する法律2条";
        case ByMunicipality:
            return "地方自治法4条の2第4項";
        case ByNationalTax:
            return "国税通則法10条2項";
        case ByCivilCode:
            return "民法142条";
        case Never:
            break;
    }
    return {};
}

std::vector<const StatutoryRule*> RulesMatching(std::string_view word) {
    const std::string folded = Folded(word);
    std::vector<const StatutoryRule*> rules;
    for (const StatutoryRule& rule : kRules) {
        if (Holds(rule.key, folded) || Holds(rule.name, folded) || Holds(rule.event, folded) ||
            Holds(rule.act.title, folded) || Holds(rule.article, folded)) {
            rules.push_back(&rule);
        }
    }
    return rules;
}

std::vector<const StatutoryRule*> RulesNamed(std::string_view text) {
    const std::string folded = Folded(text);
    std::vector<const StatutoryRule*> rules;
    if (folded.empty()) {
        return rules;
    }
    for (const StatutoryRule& rule : kRules) {
        if (rule.key == folded) {
            return {&rule};
        }
    }
    for (const auto named :
         {+[](std::string_view name, std::string_view word) { return name == word; },
          +[](std::string_view name, std::string_view word) { return Holds(name, word); }}) {
        for (const StatutoryRule& rule : kRules) {
            if (named(rule.name, folded)) {
                rules.push_back(&rule);
            }
        }
        if (!rules.empty()) {
            break;
        }
    }
    return rules;
}

}  // namespace torvelin
