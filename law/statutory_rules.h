// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "law/civil_period.h"
#include "law/holiday_rules.h"

namespace torvelin {

// The fields of law the rules are grouped by, in the order they are listed.
enum class LawField {
    CivilProcedure,     // 民事訴訟
    CriminalProcedure,  // 刑事訴訟
    Family,             // 家事
    Administrative,     // 行政
    InheritanceAndTax,  // 相続・税
    Company,            // 会社
    Consumer,           // 消費者
    FamilyRegister,     // 戸籍
};

// 民事訴訟, 刑事訴訟, 家事, 行政, 相続・税, 会社, 消費者, 戸籍.
std::string_view LawFieldName(LawField field);

// How the day of the event counts, by the act's own words.
enum class EventDayCounting {
    LeftOut,      // not counted: Civil Code art. 140, or an act's own rule to the same effect
    FromNextDay,  // 「翌日から起算して」: the act itself starts the period the next day
    Counted,  // 「起算して」 from the day, 「届出事件発生の日から」: the day is day one
};

// What moves an end that falls on a day the office it is done before is closed.
enum class EndMove {
    ByCivilProcedure,     // 民事訴訟法95条3項, and the acts that apply it
    ByCriminalProcedure,  // 刑事訴訟法55条3項
    ByNationalOffices,  // 行政機関の休日に関する法律2条: acts before a national office
    ByMunicipality,     // 地方自治法4条の2第4項: acts before a municipality
    ByNationalTax,      // 国税通則法10条2項
    ByCivilCode,        // 民法142条
    Never,              // no provision moves it: the end stays on a closed day
};

// One statutory period, as the act that sets it writes it, from the day it
// took this form.
struct StatutoryRule {
    std::string_view key;   // as practitioners cite it: 民訴285
    std::string_view name;  // 控訴
    LawField field;
    std::string_view event;  // what starts it, in the act's words
    // The event's short name, shared by the rules it starts: 判決書の送達を受けた日.
    std::string_view eventGroup;
    Period period;
    Direction direction;  // After, or Before for a period that must lie before the event
    EventDayCounting counting;
    std::string_view countingProvision;  // the provision that says how the first day counts
    EndMove move;
    Act act;  // the act and article as cited, and the day the period took this form ({} if unknown)
    std::string_view article;    // short, for a line: 民事訴訟法285条
    std::string_view quote;      // the words that set the period
    std::string_view borrowed;   // where the article borrows another's period (準用)
    std::string_view unsettled;  // what the sources at hand could not settle
};

// Every rule, grouped by field in LawField's order.
std::span<const StatutoryRule> StatutoryRules();

// Whether the sources gave the day the rule's period took its present form;
// a rule without one answers every day.
constexpr bool HasDayInForce(const StatutoryRule& rule) {
    return rule.act.inForce.year != 0;
}

// Whether the day of the event is counted as the first day of the period.
FirstDay FirstDayOf(EventDayCounting counting);

// The provision that moves the end, short: "民事訴訟法95条3項"; empty for Never.
std::string_view MoveProvision(EndMove move);

// The rules whose key, name, event or act holds `word` (full-width letters and
// digits read as ASCII), in the table's order; every rule for an empty word.
std::vector<const StatutoryRule*> RulesMatching(std::string_view word);

// The rules `text` names: the rule whose key it is; else those whose name it
// is; else those whose name holds it. One rule is an answer, several an
// ambiguity, none an unknown rule.
std::vector<const StatutoryRule*> RulesNamed(std::string_view text);

}  // namespace torvelin
