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
    const std::tuple<const char*, std::string, Kind, std::string> cases[] = {
        {"2013/10/28", "120", Kind::EndDate, "2014/02/24"}, {"2013/10/28", "1", Kind::EndDate, "2013/10/28"},
        {"2013/10/28", "0", Kind::EndDate, "2013/10/27"}, {"2013/10/28", "－２", Kind::EndDate, "2013/10/25"},
        {"2013/10/28", "0.5", Kind::EndDate, "2013/10/28"}, {"2013/10/28", "1.5", Kind::EndDate, "2013/10/28"},
        {"2013/10/28", "2.5", Kind::EndDate, "2013/10/30"}, {"2013/10/28", "32768", Kind::EndDate, "2103/07/16"},
        {"2013/10/28", "-32767", Kind::EndDate, "1924/02/10"}, {"2013/10/28", "-32767.5", Kind::EndDate, "1924/02/10"},
        {"2013/10/28 12:00", "120", Kind::EndDate, "2014/02/24 12:00:00"}, {"1899/12/31", "0", Kind::EndDate, "1899/12/30"},
        {"令和元年5月1日", "1", Kind::EndDate, "2019/05/01"}, {"9999/12/31", "1", Kind::EndDate, "9999/12/31"},
        {"", "", Kind::Message, startMessage}, {"2013/02/30", "abc", Kind::Message, startMessage},
        {"2013/10/28", "abc", Kind::Message, countMessage},
        {"2013/10/28", "32769", Kind::Error, overflow}, {"2013/10/28", "32768.5", Kind::Error, overflow},
        {"2013/10/28", "-32768", Kind::Error, overflow}, {"2013/10/28", std::string(400, '9'), Kind::Error, overflow},
        {"9999/12/31", "2", Kind::Error, outOfRange}, {"0100/01/01", "0", Kind::Error, outOfRange},
    };
    // clang-format on
    for (const auto& [start, count, kind, text] : cases) {
        const CalculationOutcome outcome = Calculate(start, count);
        EXPECT_EQ(outcome.kind, kind) << start << " " << count;
        EXPECT_EQ(outcome.text, text) << start << " " << count;
        EXPECT_EQ(outcome.error.has_value(), kind == Kind::Error) << start << " " << count;
    }
    EXPECT_EQ(Calculate("2013/10/28", "32769").error, ErrorNumber::Overflow);
    EXPECT_EQ(Calculate("9999/12/31", "2").error, ErrorNumber::InvalidArgument);
}

}  // namespace
}  // namespace torvelin
