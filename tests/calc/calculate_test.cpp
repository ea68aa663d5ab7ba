// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "calc/calculate.h"

namespace torvelin {
namespace {

using Kind = CalculationOutcome::Kind;

// The start date counts as day one; wrong input gives its message, the start
// date checked first; a result out of range is error 6 (overflow) or 5.
TEST(Calculate, GivesTheEndDateAMessageOrAnError) {
    const std::string startMessage(kStartDateMessage);
    const std::string countMessage(kDayCountMessage);
    const std::string overflow(DescriptionOf(ErrorNumber::Overflow));
    const std::string outOfRange(DescriptionOf(ErrorNumber::InvalidArgument));
    // clang-format off
    using enum Kind;
    const char* const day = "2013/10/28";
    const std::tuple<const char*, std::string, Kind, std::string> cases[] = {
        {day, "120", EndDate, "2014/02/24"}, {day, "1", EndDate, "2013/10/28"},
        {day, "0", EndDate, "2013/10/27"}, {day, "－２", EndDate, "2013/10/25"},
        {day, "0.5", EndDate, "2013/10/28"}, {day, "1.5", EndDate, "2013/10/28"},
        {day, "2.5", EndDate, "2013/10/30"}, {day, "32768", EndDate, "2103/07/16"},
        {day, "-32767", EndDate, "1924/02/10"}, {day, "-32767.5", EndDate, "1924/02/10"},
        {"2013/10/28 12:00", "120", EndDate, "2014/02/24 12:00:00"},
        {"1899/12/31", "0", EndDate, "1899/12/30"}, {"1899/12/30 12:00", "2", EndDate, "1899/12/31 12:00:00"}, {"令和元年5月1日", "1", EndDate, "2019/05/01"},
        {"9999/12/31", "1", EndDate, "9999/12/31"}, {"9999/12/31", "2", Error, outOfRange},
        {"0100/01/01", "0", Error, outOfRange}, {day, "32769", Error, overflow},
        {day, "32768.5", Error, overflow}, {day, "-32768", Error, overflow},
        {day, std::string(400, '9'), Error, overflow}, {"", "", Message, startMessage},
        {"2013/02/30", "abc", Message, startMessage}, {day, "abc", Message, countMessage},
    };
    // clang-format on
    for (const auto& [start, count, kind, text] : cases) {
        const CalculationOutcome outcome = Calculate(start, count);
        EXPECT_EQ(outcome.kind, kind) << start << " " << count;
        EXPECT_EQ(outcome.text, text) << start << " " << count;
        EXPECT_EQ(outcome.error.has_value(), kind == Kind::Error) << start << " " << count;
    }
}

// Users know these from the error box; 5 and 6 are checked above.
TEST(ErrorNumber, StaysAsUsersKnowIt) {
    using enum ErrorNumber;
    // clang-format off
    for (const auto& [number, value] : {std::pair{TypeMismatch, 13}, {InternalError, 51},
             {PrinterFailed, 482}, {NoDefaultPrinter, 484}, {PrintServiceNotAnswering, 486}}) {
        EXPECT_EQ(static_cast<int>(number), value);
    }
    // clang-format on
}

}  // namespace
}  // namespace torvelin
