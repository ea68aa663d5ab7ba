#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace torvelin {
namespace {

struct ProgramRun {
    ExitStatus status;
    std::string output;
    std::string errors;
};

ProgramRun RunWith(std::vector<std::string_view> arguments, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const ExitStatus status = RunCommandLine(arguments, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(CommandLine, OneCalculationPrintsWhatTheResultLabelWouldShow) {
    ProgramRun run = RunWith({"2013/10/28", "120"});
    EXPECT_EQ(run.status, ExitStatus::AllResults);
    EXPECT_EQ(run.output, "2014/02/24\n");

    run = RunWith({"2013/10/28", "-2"});  // a negative count is no option
    EXPECT_EQ(run.output, "2013/10/25\n");

    run = RunWith({"2013/10/28", "abc"});
    EXPECT_EQ(run.status, ExitStatus::SomeNotComputed);
    EXPECT_EQ(run.output, "「日数」数値で正しく入力してください \n");

    run = RunWith({"9999/12/31", "2"});
    EXPECT_EQ(run.status, ExitStatus::SomeNotComputed);
    EXPECT_TRUE(run.output.starts_with("error 5: ")) << run.output;

    run = RunWith({"--", "2013/10/28", "32769"});
    EXPECT_EQ(run.status, ExitStatus::SomeNotComputed);
    EXPECT_TRUE(run.output.starts_with("error 6: ")) << run.output;
}

TEST(CommandLine, BatchWritesOneLinePerInputLineAndNeverStops) {
    const std::string input =
        "\xEF\xBB\xBF"
        "2013/10/28\t120\r\n"
        "not a date\t1\n"
        "2013/10/28\n"
        "\n"
        "2013/10/28\t32769\n"
        "2013/10/28\t1\textra\n"
        "\xFF\xFE\t\xC0\n" +
        std::string("2013/10/28\t1\0002", 14) + "\n" + std::string(100000, '7') + "\t1\n" +
        "平成25年10月28日\t－２";  // no newline at the end
    const ProgramRun run = RunWith({}, input);
    EXPECT_EQ(run.status, ExitStatus::SomeNotComputed);
    const std::string start = "「始期」の日付を正しく入力してください yyyy/mm/dd\n";
    const std::string count = "「日数」数値で正しく入力してください \n";
    const std::string expectedPrefix = "2014/02/24\n" + start + count + start;
    ASSERT_TRUE(run.output.starts_with(expectedPrefix + "error 6: ")) << run.output;
    EXPECT_TRUE(run.output.ends_with("\n" + count + start + count + start + "2013/10/25\n"))
        << run.output;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 10);
}

TEST(CommandLine, BatchOfOnlyResultsSucceeds) {
    const ProgramRun run = RunWith({}, "2013/10/28\t120\nH25/10/28\t1\n");
    EXPECT_EQ(run.status, ExitStatus::AllResults);
    EXPECT_EQ(run.output, "2014/02/24\n2013/10/28\n");
    EXPECT_EQ(RunWith({}, "").status, ExitStatus::AllResults);
}

TEST(CommandLine, UsageErrorsHelpAndVersion) {
    for (const std::vector<std::string_view>& arguments :
         std::vector<std::vector<std::string_view>>{
             {"2013/10/28"}, {"a", "b", "c"}, {"--help", "x"}, {"--days", "1"}}) {
        const ProgramRun run = RunWith(arguments);
        EXPECT_EQ(run.status, ExitStatus::UsageError);
        EXPECT_EQ(run.output, "");
        EXPECT_NE(run.errors, "");
    }
    ProgramRun run = RunWith({"--help"});
    EXPECT_EQ(run.status, ExitStatus::AllResults);
    EXPECT_NE(run.output.find("Usage: torvelin-calc START COUNT"), std::string::npos);
    run = RunWith({"--version"});
    EXPECT_EQ(run.output, "torvelin-calc 1.00\n");
}

}  // namespace
}  // namespace torvelin
