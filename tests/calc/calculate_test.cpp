#include <gtest/gtest.h>

#include "calc/calculate.h"

namespace torvelin {
namespace {

using Kind = CalculationOutcome::Kind;

// The error number of the outcome, 0 for an end date.
int ErrorOf(std::string_view start, std::string_view count) {
    const CalculationOutcome outcome = Calculate(start, count);
    EXPECT_EQ(outcome.kind == Kind::Error, outcome.error.has_value());
    EXPECT_NE(outcome.kind, Kind::Message);
    return outcome.error ? static_cast<int>(*outcome.error) : 0;
}

TEST(Calculate, CountsTheStartDayAsDayOne) {
    const std::pair<const char*, const char*> cases[] = {
        {"120", "2014/02/24"},    {"1", "2013/10/28"},    {"0", "2013/10/27"},
        {"-2", "2013/10/25"},     {"－２", "2013/10/25"}, {"0.5", "2013/10/28"},
        {"1.5", "2013/10/28"},    {"2.5", "2013/10/30"},  {"32768", "2103/07/16"},
        {"-32767", "1924/02/10"},
    };
    for (const auto& [count, expected] : cases) {
        EXPECT_EQ(Calculate("2013/10/28", count), (CalculationOutcome{Kind::EndDate, expected}))
            << count;
    }
    EXPECT_EQ(Calculate("2013/10/28 12:00", "120").text, "2014/02/24 12:00:00");
    EXPECT_EQ(Calculate("1899/12/31", "0").text, "1899/12/30");
    EXPECT_EQ(Calculate("令和元年5月1日", "1").text, "2019/05/01");
}

TEST(Calculate, WrongInputGivesItsMessageAndTheStartDateIsCheckedFirst) {
    const CalculationOutcome startMessage{Kind::Message, std::string(kStartDateMessage)};
    const CalculationOutcome countMessage{Kind::Message, std::string(kDayCountMessage)};
    EXPECT_EQ(Calculate("", ""), startMessage);
    EXPECT_EQ(Calculate("2013/02/30", "abc"), startMessage);
    EXPECT_EQ(Calculate("2013/10/28", "abc"), countMessage);
    EXPECT_EQ(Calculate("2013/10/28", ""), countMessage);
}

TEST(Calculate, OutOfRangeGivesOverflowOrInvalidArgument) {
    EXPECT_EQ(ErrorOf("2013/10/28", "32769"), 6);
    EXPECT_EQ(ErrorOf("2013/10/28", "32768.5"), 6);
    EXPECT_EQ(ErrorOf("2013/10/28", "-32768"), 6);
    EXPECT_EQ(ErrorOf("2013/10/28", "-32767.5"), 0);
    EXPECT_EQ(ErrorOf("2013/10/28", std::string(400, '9')), 6);
    EXPECT_EQ(ErrorOf("9999/12/31", "2"), 5);
    EXPECT_EQ(ErrorOf("0100/01/01", "0"), 5);
    EXPECT_EQ(ErrorOf("9999/12/31", "1"), 0);
    EXPECT_EQ(Calculate("2013/10/28", "32769").text, DescriptionOf(ErrorNumber::Overflow));
}

}  // namespace
}  // namespace torvelin
