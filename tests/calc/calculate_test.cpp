// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "calc/calculate.h"
#include "calc/date_text.h"

namespace torvelin {
namespace {

// What an outcome holds, the end date as text, to compare in one table.
using Answer = std::variant<std::string, WrongInput, ErrorNumber>;

Answer Written(const Outcome<CalendarDate>& outcome) {
    if (const CalendarDate* end = std::get_if<CalendarDate>(&outcome)) {
        return DateToText(*end);
    }
    if (const WrongInput* input = std::get_if<WrongInput>(&outcome)) {
        return *input;
    }
    return std::get<ErrorNumber>(outcome);
}

// The start date counts as day one; a wrong input is named, the start date
// checked first; a result out of range is error 6 (overflow) or 5.
TEST(Calculate, GivesTheEndDateTheWrongInputOrAnError) {
    using enum WrongInput;
    using enum ErrorNumber;
    const char* const day = "2013/10/28";
    // clang-format off
    const std::tuple<const char*, std::string, Answer> cases[] = {
        {day, "120", "2014/02/24"}, {day, "1", "2013/10/28"}, {day, "0", "2013/10/27"},
        {day, "－２", "2013/10/25"}, {day, "0.5", "2013/10/28"}, {day, "1.5", "2013/10/28"},
        {day, "2.5", "2013/10/30"}, {day, "32768", "2103/07/16"}, {day, "-32767", "1924/02/10"},
        {day, "-32767.5", "1924/02/10"}, {"2013/10/28 12:00", "120", "2014/02/24 12:00:00"},
        {"1899/12/31", "0", "1899/12/30"}, {"1899/12/30 12:00", "2", "1899/12/31 12:00:00"},
        {"令和元年5月1日", "1", "2019/05/01"}, {"9999/12/31", "1", "9999/12/31"},
        {"9999/12/31", "2", InvalidArgument}, {"0100/01/01", "0", InvalidArgument},
        {day, "32769", Overflow}, {day, "32768.5", Overflow}, {day, "-32768", Overflow},
        {day, std::string(400, '9'), Overflow}, {"", "", StartDate},
        {"2013/02/30", "abc", StartDate}, {day, "abc", DayCount},
    };
    // clang-format on
    for (const auto& [start, count, answer] : cases) {
        EXPECT_EQ(Written(Calculate(start, count)), answer) << start << " " << count;
    }
}

// Users know these from the error box; 5 and 6 are checked above.
TEST(ErrorNumber, StaysAsUsersKnowIt) {
    using enum ErrorNumber;
    // clang-format off
    for (const auto& [number, value] : {std::pair{InternalError, 51},
             {PrinterFailed, 482}, {NoDefaultPrinter, 484}, {PrintServiceNotAnswering, 486}}) {
        EXPECT_EQ(static_cast<int>(number), value);
    }
    // clang-format on
}

}  // namespace
}  // namespace torvelin
