// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "law/law_commands.h"

namespace torvelin {
namespace {

std::int64_t Day(int year, int month, int day) {
    return DayNumberFromCivil({year, month, day});
}

using enum Direction;

struct DeadlineCase {
    const char* start;
    const char* period;
    PeriodRules rules;
    CivilDate answer;
    CivilDate unmoved;
    const char* firstReason = "";  // why the unmoved day is closed, first reason
};

// Each case as the Civil Code (arts. 139 to 143) or the example it was asked
// with gives it, worked out by hand, not by the code's tables.
TEST(Deadline, CountsAsTheCivilCodeDoes) {
    constexpr PeriodRules kAfter{};
    constexpr PeriodRules kBefore{.direction = Before};
    constexpr PeriodRules kBeforeMoved{.calendarChosen = true, .direction = Before};
    // clang-format off
    const DeadlineCase cases[] = {
        // Art. 140: a period from 0:00 counts its first day, any other time not.
        {"2024/03/04 0:00", "1日", kAfter, {2024, 3, 4}, {2024, 3, 4}},
        {"2024/03/04 00:00:00", "1か月", kAfter, {2024, 4, 3}, {2024, 4, 3}},
        {"2024/03/04 0:01", "1日", kAfter, {2024, 3, 5}, {2024, 3, 5}},
        {"2024/03/04", "1日", kAfter, {2024, 3, 5}, {2024, 3, 5}},
        {"2024/03/04 0:00", "1日", {.firstDay = FirstDay::Excluded}, {2024, 3, 5}, {2024, 3, 5}},
        // Counted back: the whole period lies between the answer and the day.
        {"2024/06/27", "2週間", kBefore, {2024, 6, 12}, {2024, 6, 12}},
        {"2024/06/27", "14日", kBefore, {2024, 6, 12}, {2024, 6, 12}},
        {"2024/04/01", "1か月", kBefore, {2024, 2, 29}, {2024, 2, 29}},
        // From 2/29 a year runs 3/1 to 2/28; from 3/1 it would reach 3/1. From
        // 2/29 a month runs to 3/31, so for 3/31 it is 2/28, not 2/29.
        {"2025/03/01", "1年", kBefore, {2024, 2, 29}, {2024, 2, 29}},
        {"2024/03/31", "1か月", kBefore, {2024, 2, 28}, {2024, 2, 28}},
        // A closed day before a period stays unless a calendar is asked for.
        {"2024/06/24", "2週間", kBefore, {2024, 6, 9}, {2024, 6, 9}, "日曜日"},
        {"2024/06/24", "2週間", kBeforeMoved, {2024, 6, 7}, {2024, 6, 9}, "日曜日"},
        {"2024/06/23", "2週間", kBeforeMoved, {2024, 6, 7}, {2024, 6, 8}, "土曜日"},
        // Open days: 12/23 to 12/27 are the five; back from 1/6, 12/27 is the
        // only open day of the year end, so the day before it.
        {"2024/12/20", "5営業日", kAfter, {2024, 12, 27}, {2024, 12, 27}},
        {"2025/01/06", "1開庁日", kBefore, {2024, 12, 26}, {2024, 12, 26}},
        // Art. 139: hours from the moment, never moved.
        {"2024/03/04 15:30", "48時間", kAfter, {2024, 3, 6}, {2024, 3, 6}},
        {"2024/12/27 12:00", "24時間", kAfter, {2024, 12, 28}, {2024, 12, 28}},
        {"2024/03/04 15:30", "16時間", kBefore, {2024, 3, 3}, {2024, 3, 3}},
        {"2024/03/04 0:00", "24時間", kBefore, {2024, 3, 3}, {2024, 3, 3}},
        // More hours than the calendar has days still end inside it.
        {"2024/01/01", "9999999時間", kAfter, {3164, 10, 17}, {3164, 10, 17}},
    };
    // clang-format on
    ClosedDayCalendar calendar(CalendarKind::Court);
    for (const DeadlineCase& c : cases) {
        const Outcome<PeriodEnd> outcome = Deadline(c.start, c.period, c.rules, calendar);
        ASSERT_TRUE(std::holds_alternative<PeriodEnd>(outcome)) << c.start << " " << c.period;
        const PeriodEnd& end = std::get<PeriodEnd>(outcome);
        EXPECT_EQ(CivilFromDayNumber(end.day), c.answer) << c.start << " " << c.period;
        EXPECT_EQ(CivilFromDayNumber(end.unmovedDay), c.unmoved) << c.start << " " << c.period;
        EXPECT_EQ(end.unmovedDayReasons.empty() ? "" : end.unmovedDayReasons.front(),
                  std::string_view(c.firstReason))
            << c.start << " " << c.period;
    }
    const auto hours =
        std::get<PeriodEnd>(Deadline("2024/03/04 15:30", "48時間", kAfter, calendar));
    EXPECT_NEAR(hours.moment->TimeOfDay(), 15.5 / 24, 1e-9);
    const auto back =
        std::get<PeriodEnd>(Deadline("2024/03/04 15:30", "16時間", kBefore, calendar));
    EXPECT_NEAR(back.moment->TimeOfDay(), 23.5 / 24, 1e-9);  // 2024/03/03 23:30
    const auto rule = [&](const char* start, PeriodRules rules) {
        return std::get<PeriodEnd>(Deadline(start, "1日", rules, calendar)).firstDayRule;
    };
    EXPECT_EQ(rule("2024/03/04 0:00", kAfter), FirstDayRule::StartsAtMidnight);
    EXPECT_EQ(rule("2024/03/04 9:00", kAfter), FirstDayRule::LeftOut);
    EXPECT_EQ(rule("2024/03/04 0:00", {.firstDay = FirstDay::Included}), FirstDayRule::AsGiven);
    // Past the declared years an end near an equinox rests on the computation.
    const auto notes = [&](const char* start) {
        return std::get<PeriodEnd>(Deadline(start, "10日", kAfter, calendar)).notes;
    };
    EXPECT_EQ(notes("2030/03/10"), std::vector<std::string_view>{"春分日は計算による"});
    EXPECT_EQ(notes("2030/09/12"), std::vector<std::string_view>{"秋分日は計算による"});
    EXPECT_TRUE(notes("2026/03/10").empty());
    EXPECT_TRUE(notes("2030/03/12").empty());
    ClosedDayCalendar none(CalendarKind::None);  // with no calendar no holiday matters
    EXPECT_TRUE(std::get<PeriodEnd>(Deadline("2030/03/10", "10日", kAfter, none)).notes.empty());
}

TEST(Deadline, NamesTheWrongInputOrTheError) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    EXPECT_EQ(Deadline("2024/02/30", "1日", {}, calendar),
              Outcome<PeriodEnd>(WrongInput::StartDate));
    EXPECT_EQ(Deadline("2024/02/03", "1", {}, calendar), Outcome<PeriodEnd>(WrongInput::Period));
    for (const auto& [start, period] : {std::pair{"9999/12/31 12:00", "12時間"},
                                        {"0100/01/01", "1日"},
                                        {"0100/01/02", "1営業日"}}) {
        const PeriodRules rules{.direction = std::string_view(period) == "12時間" ? After : Before};
        EXPECT_EQ(Deadline(start, period, rules, calendar),
                  Outcome<PeriodEnd>(ErrorNumber::InvalidArgument))
            << start;
    }
}

// The examples of the Act on Age Calculation's practice and of due dates.
TEST(DueAndAge, CountAsTheActsDo) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    const auto due = [&](const char* date) {
        return CivilFromDayNumber(std::get<PeriodEnd>(DueDate(date, calendar)).day);
    };
    EXPECT_EQ(due("2025/03/15"), (CivilDate{2025, 3, 17}));  // a Saturday
    EXPECT_EQ(due("2025/03/17"), (CivilDate{2025, 3, 17}));
    const auto age = [](const char* birth, const char* date) {
        return std::get<std::int64_t>(AgeOnDate(birth, date, 0));
    };
    EXPECT_EQ(age("2006/04/01", "2024/03/31"), 17);  // 18 at the end of this day
    EXPECT_EQ(age("2006/04/01", "2024/04/01"), 18);
    EXPECT_EQ(age("2004/02/29", "2005/02/28"), 0);
    EXPECT_EQ(age("2004/02/29", "2005/03/01"), 1);
    EXPECT_EQ(age("2006/04/01", "2006/04/01"), 0);
    EXPECT_EQ(std::get<std::int64_t>(AgeOnDate("2006/04/01", std::nullopt, Day(2024, 4, 1))), 18);
    const auto reached = [](const char* birth, const char* years) {
        return CivilFromDayNumber(std::get<std::int64_t>(DayAgeReached(birth, years)));
    };
    EXPECT_EQ(reached("2006/04/01", "18"), (CivilDate{2024, 3, 31}));
    EXPECT_EQ(reached("2004/02/29", "20"), (CivilDate{2024, 2, 28}));
    EXPECT_EQ(reached("2004/02/29", "1"), (CivilDate{2005, 2, 28}));  // art. 143(2)
    EXPECT_EQ(AgeOnDate("2006/04/01", "2006/03/31", 0),
              Outcome<std::int64_t>(ErrorNumber::InvalidArgument));
    EXPECT_EQ(AgeOnDate("x", "2006/03/31", 0), Outcome<std::int64_t>(WrongInput::BirthDate));
    EXPECT_EQ(AgeOnDate("2006/04/01", "x", 0), Outcome<std::int64_t>(WrongInput::Date));
    for (const char* years : {"0", "1.5", "x", "10000"}) {
        EXPECT_EQ(DayAgeReached("2006/04/01", years), Outcome<std::int64_t>(WrongInput::Age))
            << years;
    }
    EXPECT_EQ(DayAgeReached("9999/01/02", "1"),
              Outcome<std::int64_t>(ErrorNumber::InvalidArgument));
}

}  // namespace
}  // namespace torvelin
