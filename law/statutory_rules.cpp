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
constexpr std::string_view kRegisterCounting = "戸籍法43条1項";

// The events, in the acts' words; several periods start from one.
constexpr std::string_view kJudgmentServed = "判決書又は第二百五十四条第二項の調書の送達を受けた日";
constexpr std::string_view kJudgmentServedGroup = "判決書の送達を受けた日";
constexpr std::string_view kDecisionNotified = "裁判の告知を受けた日";
constexpr std::string_view kCriminalDecisionNotified = "裁判が告知された日";
constexpr std::string_view kInheritanceKnownGroup = "相続の開始を知った日";
constexpr std::string_view kDispositionKnown = "処分があったことを知った日";

// The days the acts took effect, each as its supplementary provisions or
// the sources at hand give it. {} where the sources did not give the day
// the period took its present form: the row then answers every day.
constexpr CivilDate kCivilProcedureInForce = ActDate("平成十年一月一日");
constexpr CivilDate kCriminalProcedureInForce = ActDate("昭和二十四年一月一日");
constexpr CivilDate kFamilyProcedureInForce = ActDate("平成二十五年一月一日");
constexpr CivilDate kUnknownDay = {};

constexpr std::string_view kCivilProcedureUnsettled =
    "施行日（平成十年一月一日）は手元の資料で確かめられなかった。令和四年法律第四十八号"
    "（電子判決書の送達）の施行日と改正後の文言も確かめられず、期間は二週間のまま数える";
constexpr std::string_view kMunicipalityUnsettled =
    "閉庁日は市町村の条例で定める（多くは土日・祝日・12/29〜1/3で、これを用いる。"
    "ほかの休日は--closed-fileで加える）。地方自治法4条の2第4項をこの届出に当てはめた"
    "資料は手元になく、注釈は翌開庁日まで延びるとする";

// Keys and names are the practitioners'; each row's quote is the article's
// own words, so that a reader checks the row against the act.
// clang-format off
constexpr StatutoryRule kRules[] = {
    // 民事訴訟
    {.key = "民訴285", .name = "控訴", .field = CivilProcedure,
     .event = kJudgmentServed, .eventGroup = kJudgmentServedGroup,
     .period = Weeks(2), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第二百八十五条", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟法285条",
     .quote = "控訴は、判決書又は第二百五十四条第二項の調書の送達を受けた日から二週間の不変期間内に提起しなければならない。",
     .borrowed = "", .unsettled = kCivilProcedureUnsettled},
    {.key = "民訴313", .name = "上告", .field = CivilProcedure,
     .event = kJudgmentServed, .eventGroup = kJudgmentServedGroup,
     .period = Weeks(2), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第三百十三条", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟法313条",
     .quote = "前章の規定は、特別の定めがある場合を除き、上告及び上告審の訴訟手続について準用する。",
     .borrowed = "民事訴訟法313条により285条（二週間）を準用",
     .unsettled = "313条の文言は民事訴訟規則186条と注釈によって確かめた。民訴285に同じ"},
    {.key = "民訴318", .name = "上告受理申立て", .field = CivilProcedure,
     .event = kJudgmentServed, .eventGroup = kJudgmentServedGroup,
     .period = Weeks(2), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第三百十八条第五項", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟法318条5項",
     .quote = "第三百十三条から第三百十五条まで及び第三百十六条第一項の規定は、上告受理の申立てについて準用する。",
     .borrowed = "民事訴訟法318条5項→313条→285条（二週間）", .unsettled = "民訴285に同じ"},
    {.key = "民訴332", .name = "即時抗告", .field = CivilProcedure,
     .event = kDecisionNotified, .eventGroup = kDecisionNotified,
     .period = Weeks(1), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第三百三十二条", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟法332条",
     .quote = "即時抗告は、裁判の告知を受けた日から一週間の不変期間内にしなければならない。",
     .borrowed = "", .unsettled = ""},
    {.key = "民訴336", .name = "特別抗告", .field = CivilProcedure,
     .event = kDecisionNotified, .eventGroup = kDecisionNotified,
     .period = Days(5), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第三百三十六条第二項", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟法336条2項",
     .quote = "前項の抗告は、裁判の告知を受けた日から五日の不変期間内にしなければならない。",
     .borrowed = "", .unsettled = ""},
    {.key = "民訴337", .name = "許可抗告の申立て", .field = CivilProcedure,
     .event = kDecisionNotified, .eventGroup = kDecisionNotified,
     .period = Days(5), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第三百三十七条第六項", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟法337条6項",
     .quote = "第三百十三条、第三百十五条及び前条第二項の規定は第二項の申立てについて（中略）準用する。",
     .borrowed = "民事訴訟法337条6項→336条2項（五日）", .unsettled = ""},
    {.key = "民訴342", .name = "再審の訴え", .field = CivilProcedure,
     .event = "当事者が判決の確定した後再審の事由を知った日", .eventGroup = "再審の事由を知った日",
     .period = Days(30), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第三百四十二条第一項", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟法342条1項",
     .quote = "再審の訴えは、当事者が判決の確定した後再審の事由を知った日から三十日の不変期間内に提起しなければならない。",
     .borrowed = "", .unsettled = "判決の確定した日から五年を経過したときは提起できない（342条2項）。この期間は数えない"},
    {.key = "民訴357", .name = "手形判決に対する異議", .field = CivilProcedure,
     .event = kJudgmentServed, .eventGroup = kJudgmentServedGroup,
     .period = Weeks(2), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第三百五十七条", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟法357条",
     .quote = "手形訴訟の終局判決に対しては、訴えを却下した判決を除き、判決書又は第二百五十四条第二項の調書の送達を受けた日から二週間の不変期間内に、その判決をした裁判所に異議を申し立てることができる。",
     .borrowed = "", .unsettled = "民訴285に同じ"},
    {.key = "民訴378", .name = "少額訴訟判決に対する異議", .field = CivilProcedure,
     .event = "判決書又は第二百五十四条第二項（第三百七十四条第二項において準用する場合を含む。）の調書の送達を受けた日", .eventGroup = kJudgmentServedGroup,
     .period = Weeks(2), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第三百七十八条第一項", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟法378条1項",
     .quote = "少額訴訟の終局判決に対しては、判決書又は第二百五十四条第二項（第三百七十四条第二項において準用する場合を含む。）の調書の送達を受けた日から二週間の不変期間内に、その判決をした裁判所に異議を申し立てることができる。",
     .borrowed = "", .unsettled = "民訴285に同じ"},
    {.key = "民訴393", .name = "督促異議", .field = CivilProcedure,
     .event = "仮執行の宣言を付した支払督促の送達を受けた日", .eventGroup = "支払督促の送達を受けた日",
     .period = Weeks(2), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第三百九十三条", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟法393条",
     .quote = "仮執行の宣言を付した支払督促の送達を受けた日から二週間の不変期間を経過したときは、債務者は、その支払督促に対し、督促異議の申立てをすることができない。",
     .borrowed = "", .unsettled = ""},
    {.key = "民訴97", .name = "訴訟行為の追完", .field = CivilProcedure,
     .event = "不変期間を遵守することができなかった事由が消滅した日", .eventGroup = "事由が消滅した日",
     .period = Weeks(1), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟法（平成八年法律第百九号）第九十七条第一項", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟法97条1項",
     .quote = "当事者がその責めに帰することができない事由により不変期間を遵守することができなかった場合には、その事由が消滅した後一週間以内に限り、不変期間内にすべき訴訟行為の追完をすることができる。",
     .borrowed = "", .unsettled = "外国に在る当事者は二月（97条1項ただし書）。この期間は数えない"},
    {.key = "民訴規182", .name = "控訴理由書の提出", .field = CivilProcedure,
     .event = "控訴の提起", .eventGroup = "控訴を提起した日",
     .period = Days(50), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟規則第百八十二条", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟規則182条",
     .quote = "控訴状に第一審判決の取消し又は変更を求める事由の具体的な記載がないときは、控訴人は、控訴の提起後五十日以内に、これらを記載した書面を控訴裁判所に提出しなければならない。",
     .borrowed = "", .unsettled = "規則の番号と施行日は手元の資料で確かめられず、民事訴訟法の施行日から数える"},
    {.key = "民訴規194", .name = "上告理由書の提出", .field = CivilProcedure,
     .event = "上告提起通知書の送達を受けた日", .eventGroup = "上告提起通知書の送達を受けた日",
     .period = Days(50), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟規則第百九十四条", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟規則194条",
     .quote = "上告理由書の提出の期間は、上告人が第百八十九条（上告提起通知書の送達等）第一項の規定による上告提起通知書の送達を受けた日から五十日とする。",
     .borrowed = "", .unsettled = "民訴規182に同じ"},
    {.key = "民訴規199", .name = "上告受理申立て理由書の提出", .field = CivilProcedure,
     .event = "上告受理申立て通知書の送達を受けた日", .eventGroup = "上告受理申立て通知書の送達を受けた日",
     .period = Days(50), .direction = After, .counting = LeftOut, .countingProvision = kCivilProcedureCounting, .move = ByCivilProcedure,
     .act = {.title = "民事訴訟規則第百九十九条第二項", .inForce = kCivilProcedureInForce},
     .article = "民事訴訟規則199条2項",
     .quote = "第百八十九条（上告提起通知書の送達等）及び第百九十二条から前条まで（中略）の規定は、上告受理の申立てについて準用する。",
     .borrowed = "民事訴訟規則199条2項→194条（「上告提起通知書」を「上告受理申立て通知書」と読み替え、五十日）",
     .unsettled = "民訴規182に同じ"},
    {.key = "民執10", .name = "執行抗告", .field = CivilProcedure,
     .event = kDecisionNotified, .eventGroup = kDecisionNotified,
     .period = Weeks(1), .direction = After, .counting = LeftOut, .countingProvision = "民事執行法20条・民事訴訟法95条1項・民法140条", .move = ByCivilProcedure,
     .act = {.title = "民事執行法（昭和五十四年法律第四号）第十条第二項", .inForce = kCivilProcedureInForce},
     .article = "民事執行法10条2項",
     .quote = "執行抗告は、裁判の告知を受けた日から一週間の不変期間内に、抗告状を原裁判所に提出してしなければならない。",
     .borrowed = "民事執行法20条により民事訴訟法95条を準用",
     .unsettled = "民事執行法の施行日は手元の資料になく、20条が準用する現行民事訴訟法の施行日から数える。執行抗告の理由書は抗告状を提出した日から一週間（10条3項）"},
    {.key = "民保41", .name = "保全抗告", .field = CivilProcedure,
     .event = "保全異議又は保全取消しの申立てについての裁判の送達を受けた日", .eventGroup = "保全異議等の裁判の送達を受けた日",
     .period = Weeks(2), .direction = After, .counting = LeftOut, .countingProvision = "民事保全法7条・民事訴訟法95条1項・民法140条", .move = ByCivilProcedure,
     .act = {.title = "民事保全法（平成元年法律第九十一号）第四十一条第一項", .inForce = kCivilProcedureInForce},
     .article = "民事保全法41条1項",
     .quote = "保全異議又は保全取消しの申立てについての裁判（中略）に対しては、その送達を受けた日から二週間の不変期間内に、保全抗告をすることができる。",
     .borrowed = "民事保全法7条により民事訴訟法95条を準用",
     .unsettled = "民事保全法7条の文言は注釈によって確かめた。施行日は手元の資料になく、7条が準用する現行民事訴訟法の施行日から数える"},

    // 刑事訴訟
    {.key = "刑訴373", .name = "控訴", .field = CriminalProcedure,
     .event = kCriminalDecisionNotified, .eventGroup = kCriminalDecisionNotified,
     .period = Days(14), .direction = After, .counting = LeftOut, .countingProvision = kCriminalProcedureCounting, .move = ByCriminalProcedure,
     .act = {.title = "刑事訴訟法（昭和二十三年法律第百三十一号）第三百七十三条", .inForce = kCriminalProcedureInForce},
     .article = "刑事訴訟法373条",
     .quote = "控訴の提起期間は、十四日とする。",
     .borrowed = "刑事訴訟法358条（上訴の提起期間は、裁判が告知された日から進行する）", .unsettled = ""},
    {.key = "刑訴414", .name = "上告", .field = CriminalProcedure,
     .event = kCriminalDecisionNotified, .eventGroup = kCriminalDecisionNotified,
     .period = Days(14), .direction = After, .counting = LeftOut, .countingProvision = kCriminalProcedureCounting, .move = ByCriminalProcedure,
     .act = {.title = "刑事訴訟法（昭和二十三年法律第百三十一号）第四百十四条", .inForce = kCriminalProcedureInForce},
     .article = "刑事訴訟法414条",
     .quote = "前章の規定は、この法律に特別の定のある場合を除いては、上告の審判についてこれを準用する。",
     .borrowed = "刑事訴訟法414条→373条（十四日）・358条", .unsettled = ""},
    {.key = "刑訴422", .name = "即時抗告", .field = CriminalProcedure,
     .event = kCriminalDecisionNotified, .eventGroup = kCriminalDecisionNotified,
     .period = Days(3), .direction = After, .counting = LeftOut, .countingProvision = kCriminalProcedureCounting, .move = ByCriminalProcedure,
     .act = {.title = "刑事訴訟法（昭和二十三年法律第百三十一号）第四百二十二条", .inForce = kCriminalProcedureInForce},
     .article = "刑事訴訟法422条",
     .quote = "即時抗告の提起期間は、三日とする。",
     .borrowed = "刑事訴訟法358条", .unsettled = ""},
    {.key = "刑訴433", .name = "特別抗告", .field = CriminalProcedure,
     .event = kCriminalDecisionNotified, .eventGroup = kCriminalDecisionNotified,
     .period = Days(5), .direction = After, .counting = LeftOut, .countingProvision = kCriminalProcedureCounting, .move = ByCriminalProcedure,
     .act = {.title = "刑事訴訟法（昭和二十三年法律第百三十一号）第四百三十三条第二項", .inForce = kCriminalProcedureInForce},
     .article = "刑事訴訟法433条2項",
     .quote = "前項の抗告の提起期間は、五日とする。",
     .borrowed = "刑事訴訟法358条", .unsettled = "433条2項は算用数字の写しでしか確かめられなかった"},
    {.key = "刑訴465", .name = "正式裁判の請求", .field = CriminalProcedure,
     .event = "略式命令の告知を受けた日", .eventGroup = "略式命令の告知を受けた日",
     .period = Days(14), .direction = After, .counting = LeftOut, .countingProvision = kCriminalProcedureCounting, .move = ByCriminalProcedure,
     .act = {.title = "刑事訴訟法（昭和二十三年法律第百三十一号）第四百六十五条第一項", .inForce = kCriminalProcedureInForce},
     .article = "刑事訴訟法465条1項",
     .quote = "略式命令を受けた者又は検察官は、その告知を受けた日から十四日以内に正式裁判の請求をすることができる。",
     .borrowed = "", .unsettled = ""},

    // 家事
    {.key = "家事86", .name = "即時抗告", .field = Family,
     .event = "審判の告知を受けた日", .eventGroup = "審判の告知を受けた日",
     .period = Weeks(2), .direction = After, .counting = LeftOut, .countingProvision = kFamilyCounting, .move = ByCivilProcedure,
     .act = {.title = "家事事件手続法（平成二十三年法律第五十二号）第八十六条第一項", .inForce = kFamilyProcedureInForce},
     .article = "家事事件手続法86条1項",
     .quote = "審判に対する即時抗告は、特別の定めがある場合を除き、二週間の不変期間内にしなければならない。",
     .borrowed = "家事事件手続法34条4項により民事訴訟法95条を準用",
     .unsettled = "起算の日を定める86条2項の文言は注釈によった（審判の告知を受ける者でないときは申立人が告知を受けた日）"},
    {.key = "家事279", .name = "合意に相当する審判に対する異議", .field = Family,
     .event = "審判の告知を受けた日", .eventGroup = "審判の告知を受けた日",
     .period = Weeks(2), .direction = After, .counting = LeftOut, .countingProvision = kFamilyCounting, .move = ByCivilProcedure,
     .act = {.title = "家事事件手続法（平成二十三年法律第五十二号）第二百七十九条第二項", .inForce = kFamilyProcedureInForce},
     .article = "家事事件手続法279条2項",
     .quote = "前項の規定による異議の申立ては、二週間の不変期間内にしなければならない。",
     .borrowed = "家事事件手続法279条3項（起算の日）・34条4項", .unsettled = ""},
    {.key = "家事286", .name = "調停に代わる審判に対する異議", .field = Family,
     .event = "審判の告知を受けた日", .eventGroup = "審判の告知を受けた日",
     .period = Weeks(2), .direction = After, .counting = LeftOut, .countingProvision = kFamilyCounting, .move = ByCivilProcedure,
     .act = {.title = "家事事件手続法（平成二十三年法律第五十二号）第二百八十六条第二項", .inForce = kFamilyProcedureInForce},
     .article = "家事事件手続法286条2項",
     .quote = "第二百七十九条第二項から第四項までの規定は、前項の規定による異議の申立てについて準用する。",
     .borrowed = "家事事件手続法286条2項→279条2項（二週間）", .unsettled = ""},
    {.key = "家事規55", .name = "抗告理由書の提出", .field = Family,
     .event = "即時抗告の提起", .eventGroup = "即時抗告を提起した日",
     .period = Days(14), .direction = After, .counting = LeftOut, .countingProvision = kFamilyCounting, .move = ByCivilProcedure,
     .act = {.title = "家事事件手続規則第五十五条第一項", .inForce = kFamilyProcedureInForce},
     .article = "家事事件手続規則55条1項",
     .quote = "審判に対する即時抗告をする場合において、抗告状に原審判の取消し又は変更を求める事由の具体的な記載がないときは、抗告人は、即時抗告の提起後十四日以内に、これらを記載した書面を原裁判所に提出しなければならない。",
     .borrowed = "", .unsettled = "規則の番号は手元の資料で確かめられなかった"},

    // 行政
    {.key = "行審18", .name = "審査請求", .field = Administrative,
     .event = kDispositionKnown, .eventGroup = "処分を知った日",
     .period = Months(3), .direction = After, .counting = FromNextDay, .countingProvision = "行政不服審査法18条1項「翌日から起算して」", .move = ByNationalOffices,
     .act = {.title = "行政不服審査法（平成二十六年法律第六十八号）第十八条第一項", .inForce = ActDate("平成二十八年四月一日")},
     .article = "行政不服審査法18条1項",
     .quote = "処分についての審査請求は、処分があったことを知った日の翌日から起算して三月（中略）を経過したときは、することができない。",
     .borrowed = "",
     .unsettled = "閉庁日の延長を審査請求に当てはめた資料は手元になく、国の行政庁に対する行為として行政機関の休日に関する法律2条による（地方公共団体の行政庁には地方自治法4条の2第4項）。再調査の請求をしたときは決定を知った日の翌日から一月。処分があった日の翌日から一年（18条2項）は数えない"},
    {.key = "行審54", .name = "再調査の請求", .field = Administrative,
     .event = kDispositionKnown, .eventGroup = "処分を知った日",
     .period = Months(3), .direction = After, .counting = FromNextDay, .countingProvision = "行政不服審査法54条1項「翌日から起算して」", .move = ByNationalOffices,
     .act = {.title = "行政不服審査法（平成二十六年法律第六十八号）第五十四条第一項", .inForce = ActDate("平成二十八年四月一日")},
     .article = "行政不服審査法54条1項",
     .quote = "再調査の請求は、処分があったことを知った日の翌日から起算して三月を経過したときは、することができない。",
     .borrowed = "", .unsettled = "行審18に同じ"},
    {.key = "行訴14", .name = "取消訴訟の提起", .field = Administrative,
     .event = "処分又は裁決があったことを知った日", .eventGroup = "処分を知った日",
     .period = Months(6), .direction = After, .counting = LeftOut, .countingProvision = "行政事件訴訟法7条・民事訴訟法95条1項・民法140条", .move = ByCivilProcedure,
     .act = {.title = "行政事件訴訟法（昭和三十七年法律第百三十九号）第十四条第一項", .inForce = ActDate("平成十七年四月一日")},
     .article = "行政事件訴訟法14条1項",
     .quote = "取消訴訟は、処分又は裁決があつたことを知つた日から六箇月を経過したときは、提起することができない。",
     .borrowed = "行政事件訴訟法7条により民事訴訟の例による",
     .unsettled = "最判昭和52年2月17日は「起算する」と書いた旧14条4項について初日を算入した。現行14条1項は初日を算入しないとする注釈によった。処分又は裁決の日から一年（14条2項）は数えない"},

    // 相続・税
    {.key = "民915", .name = "相続の承認・放棄", .field = InheritanceAndTax,
     .event = "自己のために相続の開始があったことを知った時", .eventGroup = kInheritanceKnownGroup,
     .period = Months(3), .direction = After, .counting = LeftOut, .countingProvision = "民法140条", .move = ByCivilCode,
     .act = {.title = "民法（明治二十九年法律第八十九号）第九百十五条第一項", .inForce = ActDate("昭和二十三年一月一日")},
     .article = "民法915条1項",
     .quote = "相続人は、自己のために相続の開始があったことを知った時から三箇月以内に、相続について、単純若しくは限定の承認又は放棄をしなければならない。",
     .borrowed = "",
     .unsettled = "家庭裁判所の閉庁日に当たる末日を延ばす規定は手元の資料で確かめられず、民法142条により翌開庁日まで延びるものとして数える（同条は休日に取引をしない慣習があるときに限る）。施行日は第五編を改めた昭和二十二年法律第二百二十二号の施行の日"},
    {.key = "相続税27", .name = "相続税の申告", .field = InheritanceAndTax,
     .event = "その相続の開始があつたことを知つた日", .eventGroup = kInheritanceKnownGroup,
     .period = Months(10), .direction = After, .counting = FromNextDay, .countingProvision = "相続税法27条1項「翌日から」・国税通則法10条1項", .move = ByNationalTax,
     .act = {.title = "相続税法（昭和二十五年法律第七十三号）第二十七条第一項", .inForce = kUnknownDay},
     .article = "相続税法27条1項",
     .quote = "その相続の開始があつたことを知つた日の翌日から十月以内（中略）に課税価格、相続税額その他財務省令で定める事項を記載した申告書を納税地の所轄税務署長に提出しなければならない。",
     .borrowed = "",
     .unsettled = "十月とされた日は手元の資料になく、どの日からも十月で数える。延長される日を定める国税通則法施行令2条2項（土曜日・12/29〜12/31）の文言は手元になく、1/2・1/3は国税庁の通達による"},
    {.key = "所得税125", .name = "準確定申告", .field = InheritanceAndTax,
     .event = "その相続の開始があつたことを知つた日", .eventGroup = kInheritanceKnownGroup,
     .period = Months(4), .direction = After, .counting = FromNextDay, .countingProvision = "所得税法125条1項「翌日から四月を経過した日の前日」", .move = ByNationalTax,
     .act = {.title = "所得税法（昭和四十年法律第三十三号）第百二十五条第一項", .inForce = kUnknownDay},
     .article = "所得税法125条1項",
     .quote = "その相続の開始があつたことを知つた日の翌日から四月を経過した日の前日（中略）までに、税務署長に対し（中略）申告書を提出しなければならない。",
     .borrowed = "",
     .unsettled = "125条の文言は算用数字の写しと124条の文言で確かめた。施行日は手元の資料になく、どの日からも四月で数える。相続税27に同じく延長の日は通達による"},
    {.key = "通則法77", .name = "国税の不服申立て", .field = InheritanceAndTax,
     .event = "処分があつたことを知つた日（処分に係る通知を受けた場合には、その受けた日）", .eventGroup = "処分を知った日",
     .period = Months(3), .direction = After, .counting = FromNextDay, .countingProvision = "国税通則法77条1項「翌日から起算して」", .move = ByNationalTax,
     .act = {.title = "国税通則法（昭和三十七年法律第六十六号）第七十七条第一項", .inForce = kUnknownDay},
     .article = "国税通則法77条1項",
     .quote = "不服申立て（中略）は、処分があつたことを知つた日（処分に係る通知を受けた場合には、その受けた日）の翌日から起算して三月を経過したときは、することができない。",
     .borrowed = "",
     .unsettled = "三月とした改正の施行日は手元の資料になく（改正前の異議申立ては二月）、どの日からも三月で数える"},

    // 会社
    {.key = "会社299", .name = "株主総会の招集通知", .field = Company,
     .event = "株主総会の日", .eventGroup = "株主総会の日",
     .period = Weeks(2), .direction = Before, .counting = LeftOut, .countingProvision = "民法140条類推・大判昭和10年7月15日", .move = Never,
     .act = {.title = "会社法（平成十七年法律第八十六号）第二百九十九条第一項", .inForce = ActDate("平成十八年五月一日")},
     .article = "会社法299条1項",
     .quote = "株主総会を招集するには、取締役は、株主総会の日の二週間（中略）前までに、株主に対してその通知を発しなければならない。",
     .borrowed = "",
     .unsettled = "公開会社の期間。公開会社でない株式会社は一週間（書面・電子投票を定めたときは二週間）。発信期限が閉庁日に当たっても動かす規定はなく、注釈はむしろ前倒しとする"},

    // 消費者
    {.key = "特商9", .name = "クーリング・オフ（訪問販売）", .field = Consumer,
     .event = "第五条第一項又は第二項の書面を受領した日", .eventGroup = "書面を受領した日",
     .period = Days(8), .direction = After, .counting = Counted, .countingProvision = "特定商取引法9条1項「起算して」", .move = Never,
     .act = {.title = "特定商取引に関する法律（昭和五十一年法律第五十七号）第九条第一項", .inForce = kUnknownDay},
     .article = "特定商取引法9条1項",
     .quote = "申込者等が第五条第一項又は第二項の書面を受領した日（その日前に第四条第一項の書面を受領した場合にあつては、その書面を受領した日）から起算して八日を経過し（後略）",
     .borrowed = "",
     .unsettled = "八日とされた日は手元の資料になく、どの日からも八日で数える。休日でも延びないことは注釈による。書面を発した時に効力を生じる（9条2項、文言は手元になし）"},
    {.key = "特商40", .name = "クーリング・オフ（連鎖販売取引）", .field = Consumer,
     .event = "第三十七条第二項の書面を受領した日（商品の最初の引渡しを受けた日がその後であるときは、その引渡しを受けた日）", .eventGroup = "書面を受領した日",
     .period = Days(20), .direction = After, .counting = Counted, .countingProvision = "特定商取引法40条1項「起算して」", .move = Never,
     .act = {.title = "特定商取引に関する法律（昭和五十一年法律第五十七号）第四十条第一項", .inForce = kUnknownDay},
     .article = "特定商取引法40条1項",
     .quote = "第三十七条第二項の書面を受領した日（中略）から起算して二十日を経過したとき（後略）",
     .borrowed = "", .unsettled = "特商9に同じ。40条1項は算用数字の写しと40条の2の文言で確かめた"},
    {.key = "割販35の3の10", .name = "クーリング・オフ（個別クレジット）", .field = Consumer,
     .event = "前条第三項の書面を受領した日（その日前に同条第一項の書面を受領した場合にあっては、当該書面を受領した日）", .eventGroup = "書面を受領した日",
     .period = Days(8), .direction = After, .counting = Counted, .countingProvision = "割賦販売法35条の3の10第1項「起算して」", .move = Never,
     .act = {.title = "割賦販売法（昭和三十六年法律第百五十九号）第三十五条の三の十第一項", .inForce = kUnknownDay},
     .article = "割賦販売法35条の3の10第1項",
     .quote = "前条第三項の書面を受領した日（その日前に同条第一項の書面を受領した場合にあつては、当該書面を受領した日）から起算して八日を経過したとき（後略）",
     .borrowed = "", .unsettled = "特商9に同じ。文言は算用数字の写しで確かめた"},

    // 戸籍
    {.key = "戸籍49", .name = "出生届", .field = FamilyRegister,
     .event = "届出事件発生の日（出生の日）", .eventGroup = "出生の日",
     .period = Days(14), .direction = After, .counting = Counted, .countingProvision = kRegisterCounting, .move = ByMunicipality,
     .act = {.title = "戸籍法（昭和二十二年法律第二百二十四号）第四十九条第一項", .inForce = kUnknownDay},
     .article = "戸籍法49条1項",
     .quote = "出生の届出は、十四日以内（国外で出生があつたときは、三箇月以内）にこれをしなければならない。",
     .borrowed = "戸籍法43条1項（届出期間は、届出事件発生の日からこれを起算する）",
     .unsettled = kMunicipalityUnsettled},
    {.key = "戸籍86", .name = "死亡届", .field = FamilyRegister,
     .event = "届出義務者が、死亡の事実を知つた日", .eventGroup = "死亡の事実を知った日",
     .period = Days(7), .direction = After, .counting = Counted, .countingProvision = kRegisterCounting, .move = ByMunicipality,
     .act = {.title = "戸籍法（昭和二十二年法律第二百二十四号）第八十六条第一項", .inForce = kUnknownDay},
     .article = "戸籍法86条1項",
     .quote = "死亡の届出は、届出義務者が、死亡の事実を知つた日から七日以内（国外で死亡があつたときは、その事実を知つた日から三箇月以内）に、これをしなければならない。",
     .borrowed = "戸籍法43条1項",
     .unsettled = kMunicipalityUnsettled},
    {.key = "住基22", .name = "転入届", .field = FamilyRegister,
     .event = "転入をした日", .eventGroup = "転入をした日",
     .period = Days(14), .direction = After, .counting = LeftOut, .countingProvision = "民法138条・140条", .move = ByMunicipality,
     .act = {.title = "住民基本台帳法（昭和四十二年法律第八十一号）第二十二条第一項", .inForce = kUnknownDay},
     .article = "住民基本台帳法22条1項",
     .quote = "転入（中略）をした者は、転入をした日から十四日以内に、次に掲げる事項（中略）を市町村長に届け出なければならない。",
     .borrowed = "",
     .unsettled = "初日の扱いを定める規定はこの法律になく、民法によって初日を算入しない。これを確かめた注釈は手元にない。ほかは戸籍49に同じ"},
};
// clang-format on

// The text with full-width letters, digits and blanks read as ASCII and the
// blanks around it dropped, so that 民訴２８５ finds 民訴285.
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
    const std::size_t first = folded.find_first_not_of(' ');
    return first == std::string::npos
               ? std::string()
               : folded.substr(first, folded.find_last_not_of(' ') + 1 - first);
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
