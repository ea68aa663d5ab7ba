// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>

#include "calc/date_text.h"
#include "calc/runtime_error.h"
#include "law/closed_day_calendar.h"
#include "law/closed_day_file.h"

namespace torvelin {
namespace {

using Reasons = std::vector<std::string_view>;
using enum CalendarKind;

std::int64_t Day(int year, int month, int day) {
    return DayNumberFromCivil({year, month, day});
}

// Each step of each calendar's history, with its source.
TEST(ClosedDayCalendar, ClosesTheDaysOfTheLawInForceOnEachDay) {
    ClosedDayCalendar court(Court), bank(Bank), none(None);
    const std::map<CalendarKind, ClosedDayCalendar*> calendars{
        {Court, &court}, {Bank, &bank}, {None, &none}};
    // clang-format off
    const std::tuple<CalendarKind, CivilDate, Reasons> cases[] = {
        // 民事訴訟法 156(2) before the Court Holidays Act: Saturdays open, 1/2 and
        // 1/3 general holidays by custom, 12/29 not (昭和41年(ク)88号).
        {Court, {1988, 12, 24}, {}}, {Court, {1987, 1, 2}, {"年末年始の休日"}}, {Court, {1988, 12, 29}, {}},
        {Court, {1987, 1, 4}, {"日曜日"}}, {Court, {1987, 1, 15}, {"成人の日"}},
        // 裁判所の休日に関する法律 (昭和63年法律第93号), from 1989/01/01: second and
        // fourth Saturdays, 12/29 to 1/3.
        {Court, {1989, 1, 14}, {"土曜日"}}, {Court, {1989, 1, 28}, {"土曜日"}}, {Court, {1989, 1, 7}, {}},
        {Court, {1989, 1, 21}, {}}, {Court, {1989, 12, 29}, {"年末年始の休日"}},
        {Court, {1989, 4, 8}, {"土曜日"}}, {Court, {1989, 4, 22}, {"土曜日"}},
        // 平成4年法律第30号: every Saturday, from 1992/10/01 at the latest.
        {Court, {1992, 9, 19}, {}}, {Court, {1992, 9, 26}, {"土曜日"}}, {Court, {1992, 10, 3}, {"土曜日"}},
        {Court, {2024, 12, 29}, {"日曜日", "年末年始の休日"}}, {Court, {2025, 1, 1}, {"元日", "年末年始の休日"}},
        {Court, {2023, 1, 1}, {"日曜日", "元日", "年末年始の休日"}},
        {Court, {2025, 1, 3}, {"年末年始の休日"}}, {Court, {2024, 11, 4}, {"振替休日"}},
        // 銀行法施行令 5(1): 12/31 to 1/3; second Saturdays from 1983/08/13, every
        // Saturday from 1989/02/04.
        {Bank, {1983, 8, 6}, {}}, {Bank, {1983, 8, 13}, {"土曜日"}}, {Bank, {1983, 8, 27}, {}},
        {Bank, {1989, 1, 21}, {}}, {Bank, {1989, 2, 4}, {"土曜日"}}, {Bank, {1989, 2, 5}, {"日曜日"}},
        {Bank, {2024, 12, 30}, {}}, {Bank, {2024, 12, 31}, {"年末年始の休日"}},
        {Bank, {2025, 1, 1}, {"元日", "年末年始の休日"}}, {Bank, {2025, 1, 3}, {"年末年始の休日"}}, {Bank, {2024, 1, 4}, {}},
        {None, {2024, 12, 29}, {}}, {None, {2025, 1, 1}, {}},
    };
    // clang-format on
    for (const auto& [kind, date, reasons] : cases) {
        ClosedDayCalendar& calendar = *calendars.at(kind);
        const std::int64_t day = DayNumberFromCivil(date);
        const std::string where = std::string(CalendarKindName(kind)) + " " +
                                  std::to_string(date.year) + "/" + std::to_string(date.month) +
                                  "/" + std::to_string(date.day);
        EXPECT_EQ(calendar.ClosedReasons(day), reasons) << where;
        EXPECT_EQ(calendar.IsClosed(day), !reasons.empty()) << where;
    }
    // 2024/12/20 + 10 days ends on Monday 12/30: open for banks; for courts
    // the period runs on past the new year and the weekend.
    for (const auto& [kind, end] : {std::pair{Bank, Day(2024, 12, 30)}, {Court, Day(2025, 1, 6)}}) {
        std::int64_t day = Day(2024, 12, 20) + 10;
        while (calendars.at(kind)->IsClosed(day)) {
            ++day;
        }
        EXPECT_EQ(day, end) << CalendarKindName(kind);
    }
    EXPECT_THROW(court.IsClosed(kFirstDayNumber - 1), RuntimeError);
    EXPECT_THROW(bank.ClosedReasons(kLastDayNumber + 1), RuntimeError);
    EXPECT_TRUE(none.ClosedReasons(kLastDayNumber).empty());
    for (const CalendarKind kind : {Court, Bank, None}) {
        EXPECT_EQ(CalendarKindFromName(CalendarKindName(kind)), kind);
    }
    EXPECT_FALSE(CalendarKindFromName("Court"));
}

TEST(ClosedDayCalendar, ListsTheUsersReasonsAfterItsOwn) {
    ClosedDayCalendar calendar(Court, {{Day(2024, 12, 27), Day(2025, 1, 6), "移転"},
                                       {Day(2025, 1, 6), Day(2025, 1, 6), "移転"},
                                       {Day(2024, 12, 29), Day(2024, 12, 29), "年末年始の休日"}});
    EXPECT_EQ(calendar.ClosedReasons(Day(2024, 12, 26)), Reasons{});
    EXPECT_EQ(calendar.ClosedReasons(Day(2024, 12, 27)), Reasons{"移転"});
    EXPECT_EQ(calendar.ClosedReasons(Day(2024, 12, 29)),
              (Reasons{"日曜日", "年末年始の休日", "移転"}));
    EXPECT_EQ(calendar.ClosedReasons(Day(2025, 1, 6)), Reasons{"移転"});
    EXPECT_FALSE(calendar.IsClosed(Day(2025, 1, 7)));
}

TEST(ClosedDayFile, ReadsDaysAndRangesAndRejectsAnyLineThatDoesNotRead) {
    const auto read = ReadClosedDayText(
        "\xEF\xBB\xBF# office\r\n\r\n2025/08/13\t夏季休業 \r\n  # indented\n"
        "2025/12/30-2026/01/05\t年末年始 é\n2024/02/29\t𩸽の日",
        "a.tsv");
    ASSERT_TRUE(std::holds_alternative<std::vector<OwnClosedDays>>(read))
        << ErrorText(std::get<1>(read));
    EXPECT_EQ(std::get<0>(read),
              (std::vector<OwnClosedDays>{{Day(2025, 8, 13), Day(2025, 8, 13), "夏季休業"},
                                          {Day(2025, 12, 30), Day(2026, 1, 5), "年末年始 é"},
                                          {Day(2024, 2, 29), Day(2024, 2, 29), "𩸽の日"}}));
    const std::pair<std::string, std::string> bad[] = {
        {"2025/08/13 夏季休業", "日付と理由の間にタブがありません"},
        {"2025/8/13\t夏季休業",
         "日付が 0100/01/01 から 9999/12/31 までの yyyy/mm/dd として読めません"},
        {"2025/02/29\tx", "日付が 0100/01/01 から 9999/12/31 までの yyyy/mm/dd として読めません"},
        {"0099/12/31\tx", "日付が 0100/01/01 から 9999/12/31 までの yyyy/mm/dd として読めません"},
        {"2025/001/1\tx", "日付が 0100/01/01 から 9999/12/31 までの yyyy/mm/dd として読めません"},
        {"2025/0a/01\tx", "日付が 0100/01/01 から 9999/12/31 までの yyyy/mm/dd として読めません"},
        {"2025/01/01-2025/1/2\tx",
         "日付が 0100/01/01 から 9999/12/31 までの yyyy/mm/dd として読めません"},
        {" 2025/01/01\tx", "日付が 0100/01/01 から 9999/12/31 までの yyyy/mm/dd として読めません"},
        {"2025/01/02-2025/01/01\tx", "範囲の終わりが始まりより前です"},
        {"2024/01/01-2025/01/01\tx", "範囲が 366 日を超えています"},
        {"2025/01/01\t  ", "理由がありません"},
        {"2025/01/01\ta\tb", "理由に制御文字があります"},
        {"\xFF"
         "2025/01/01\tx",
         "UTF-8 として読めません"},  // from the line's first byte
        {"2025/01/01\t\xE3\x81", "UTF-8 として読めません"},
        {"2025/01/01\t\xC0\xAF", "UTF-8 として読めません"},
        {"2025/01/01\t\xED\xA0\x80", "UTF-8 として読めません"},
    };
    for (const auto& [line, problem] : bad) {
        EXPECT_EQ(ReadClosedDayText("# ok\n2025/01/01\tok\n" + line + "\n", "b.tsv"),
                  ClosedDayFileResult(ClosedDayFileError{"b.tsv", 3, problem}))
            << line;
    }
    // 400 ranges of 250 days close the most days a file may; one day more does not read.
    std::string many;
    const std::int64_t first = DayNumberFromCivil({2000, 1, 1});
    for (std::int64_t from = first; from < first + kMaxClosedDaysPerFile; from += 250) {
        many += DayToText(from) + "-" + DayToText(from + 249) + "\tx\n";
    }
    EXPECT_EQ(std::get<0>(ReadClosedDayText(many, "d")).size(), 400U);
    many += DayToText(first + kMaxClosedDaysPerFile) + "\tx\n";
    EXPECT_EQ(std::get<1>(ReadClosedDayText(many, "d")).line, 401);
    EXPECT_EQ(std::get<1>(ReadClosedDayText(std::string(kMaxClosedDayFileBytes + 1, '#'), "e")),
              (ClosedDayFileError{"e", 0, "1 MiB を超えています"}));
    EXPECT_TRUE(
        std::get<0>(ReadClosedDayText(std::string(kMaxClosedDayFileBytes, '#'), "e")).empty());
    EXPECT_EQ(ErrorText({"f", 0, "p"}), "f: p");
    EXPECT_EQ(ErrorText({"f", 1, "p"}), "f:1: p");
}

TEST(ClosedDayFile, FindsAndReadsTheDefaultFile) {
    EXPECT_EQ(DefaultClosedDayFilePath("/x", "/h"), "/x/torvelin/closed-days.tsv");
    EXPECT_EQ(DefaultClosedDayFilePath(std::nullopt, "/h"), "/h/.config/torvelin/closed-days.tsv");
    EXPECT_EQ(DefaultClosedDayFilePath("", "/h"), "/h/.config/torvelin/closed-days.tsv");
    EXPECT_EQ(DefaultClosedDayFilePath("rel", "/h"), "/h/.config/torvelin/closed-days.tsv");
    EXPECT_EQ(DefaultClosedDayFilePath(std::nullopt, std::nullopt), std::nullopt);

    // A folder of this run's own: other runs may be testing at the same time.
    std::string folder = ::testing::TempDir() + "closed-days-XXXXXX";
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::filesystem::path root(folder);
    std::filesystem::create_directories(root / "torvelin");
    EXPECT_EQ(std::get<0>(ReadDefaultClosedDayFile(root.string(), std::nullopt)).size(), 0u);
    std::ofstream(root / "torvelin" / "closed-days.tsv") << "2025/08/13\t夏季休業\n";
    const auto read = ReadDefaultClosedDayFile(root.string(), std::nullopt);
    ASSERT_EQ(std::get<0>(read).size(), 1u);
    EXPECT_EQ(std::get<0>(read)[0].reason, "夏季休業");
    // Both front ends' calendars take it in, but the one that closes no day.
    const std::int64_t summer = DayNumberFromCivil({2025, 8, 13});
    for (const CalendarKind kind : {CalendarKind::Court, CalendarKind::None}) {
        auto built = CalendarWithOwnDays(kind, {}, root.string(), std::nullopt);
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<ClosedDayCalendar>>(built));
        EXPECT_EQ(std::get<0>(built)->IsClosed(summer), kind == CalendarKind::Court);
    }
    EXPECT_EQ(std::get<1>(ReadClosedDayFile(root / "torvelin")).problem,
              "通常のファイルではありません");
    EXPECT_EQ(std::get<1>(ReadClosedDayFile(root / "none.tsv")).problem, "ファイルがありません");
    // A file one byte over the limit is read far enough to tell.
    std::ofstream(root / "large.tsv") << std::string(kMaxClosedDayFileBytes + 1, '#');
    EXPECT_EQ(std::get<1>(ReadClosedDayFile(root / "large.tsv")).problem, "1 MiB を超えています");
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace torvelin
