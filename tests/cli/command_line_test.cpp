// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "calc/calculate.h"
#include "cli/command_line.h"

namespace torvelin {
namespace {

const std::string kStart = std::string(kStartDateMessage) + "\n";
const std::string kCount = std::string(kDayCountMessage) + "\n";

// An anonymous file in memory, so a run's output can be read back whole.
class MemoryFile {
public:
    explicit MemoryFile(const std::string& content = "") : fd_(memfd_create("cli", MFD_CLOEXEC)) {
        EXPECT_EQ(write(fd_, content.data(), content.size()), std::ssize(content));
        lseek(fd_, 0, SEEK_SET);
    }
    ~MemoryFile() { close(fd_); }
    int fd() const { return fd_; }
    std::string Content() const {
        std::string content(lseek(fd_, 0, SEEK_END), '\0');
        EXPECT_EQ(pread(fd_, content.data(), content.size(), 0), std::ssize(content));
        return content;
    }

private:
    int fd_;
};

struct ProgramRun {
    ExitStatus status;
    std::string output;
    std::string errors;
};

ProgramRun RunWith(std::vector<std::string_view> arguments, const std::string& input = "") {
    const MemoryFile in(input), out, err;
    const ExitStatus status = RunCommandLine(arguments, {in.fd(), out.fd(), err.fd()});
    return {status, out.Content(), err.Content()};
}

TEST(CommandLine, OneCalculationPrintsTheEndDateAndComplainsOnStandardError) {
    const std::string startError = "torvelin-calc: " + kStart;
    const std::string countError = "torvelin-calc: " + kCount;
    const struct {
        std::vector<std::string_view> arguments;
        ExitStatus status;
        std::string output;
        std::string errors;
    } cases[] = {
        {{"2013/10/28", "120"}, ExitStatus::AllResults, "2014/02/24\n", ""},
        {{"2013/10/28", "-2"}, ExitStatus::AllResults, "2013/10/25\n", ""},
        {{"--encoding=cp932", "2013/10/28", "1"}, ExitStatus::AllResults, "2013/10/28\n", ""},
        {{"2013/10/28", "--encoding", "sjis", "0"}, ExitStatus::AllResults, "2013/10/27\n", ""},
        {{"2013/10/28", "abc"}, ExitStatus::SomeNotComputed, "", countError},
        {{"2013/13/40", "5"}, ExitStatus::SomeNotComputed, "", startError},
        {{"9999/12/31", "2"},
         ExitStatus::SomeNotComputed,
         "",
         "torvelin-calc: error 5: " + std::string(DescriptionOf(ErrorNumber::InvalidArgument)) +
             "\n"},
        {{"--", "2013/10/28", "32769"},
         ExitStatus::SomeNotComputed,
         "",
         "torvelin-calc: error 6: " + std::string(DescriptionOf(ErrorNumber::Overflow)) + "\n"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunWith(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments[0];
        EXPECT_EQ(run.output, c.output) << c.arguments[0];
        EXPECT_EQ(run.errors, c.errors) << c.arguments[0];
    }
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
        "\xEF\xBB\xBF"
        "2013/10/28\t1\n"  // a byte-order mark inside the batch is part of the line
        "\xFF\xFE\t\xC0\n" +
        std::string("2013/10/28\t1\0002", 14) + "\n" + std::string(100000, '7') + "\t1\n" +
        "平成25年10月28日\t－２";  // no newline at the end
    const ProgramRun run = RunWith({}, input);
    EXPECT_EQ(run.status, ExitStatus::SomeNotComputed);
    const std::string expectedPrefix = "2014/02/24\n" + kStart + kCount + kStart;
    ASSERT_TRUE(run.output.starts_with(expectedPrefix + "error 6: ")) << run.output;
    EXPECT_TRUE(
        run.output.ends_with("\n" + kCount + kStart + kStart + kCount + kStart + "2013/10/25\n"))
        << run.output;
    EXPECT_EQ(std::ranges::count(run.output, '\n'), 11);
    EXPECT_EQ(run.errors, "");
}

TEST(CommandLine, BlankLinesAtTheEndAreNoRecords) {
    const struct {
        std::string input;
        std::string output;
        ExitStatus status;
    } cases[] = {
        {"2013/10/28\t120\nH25/10/28\t1\n", "2014/02/24\n2013/10/28\n", ExitStatus::AllResults},
        {"2013/10/28\t1\r\n\r\n\n", "2013/10/28\n", ExitStatus::AllResults},
        {"\n\n2013/10/28\t1\n\n", kStart + kStart + "2013/10/28\n", ExitStatus::SomeNotComputed},
        {"\xEF\xBB\xBF\r\n", "", ExitStatus::AllResults},
        {"\n", "", ExitStatus::AllResults},
        {"", "", ExitStatus::AllResults},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunWith({}, c.input);
        EXPECT_EQ(run.output, c.output) << c.input;
        EXPECT_EQ(run.status, c.status) << c.input;
    }
}

TEST(CommandLine, ReadsSpreadsheetEncodings) {
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string_view("2013/10/28\t120\r\n_\t1\n2013/10/28\t1")) {
        utf16 += c == '_' ? std::string("\x00\xD8", 2) : std::string{c, '\0'};  // a lone surrogate
    }
    const std::string heisei =
        "\x95\xBD\x90\xAC"
        "25\x94\x4E"
        "10\x8C\x8E"
        "28\x93\xFA";
    const struct {
        std::vector<std::string_view> arguments;
        std::string input;
        std::string output;
    } cases[] = {
        {{"--encoding=cp932"}, utf16, "2014/02/24\n" + kStart + "2013/10/28\n"},
        // A lead byte without its second byte, then one cut by the end of the input.
        {{"--encoding=Shift_JIS"},
         heisei + "\t120\n\x81\n2013/10/28\t1\x81",
         "2014/02/24\n" + kStart + kCount},
        {{"--encoding=utf-8"}, "\xFF", kStart},
        {{"--encoding=UTF8"}, "\xFE", kStart},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunWith(c.arguments, c.input).output, c.output) << c.arguments[0];
    }
    // A character cut between two reads is put back together.
    std::string many = "\x81\x40", expected;  // a full-width blank puts a block's end in 成
    while (many.size() < 200000) {
        many += heisei + "\t1\n";
        expected += "2013/10/28\n";
    }
    EXPECT_EQ(RunWith({"--encoding=cp932"}, many).output, expected);
}

TEST(CommandLine, FileOperandsAreAnsweredInOrder) {
    const std::filesystem::path folder = testing::TempDir() + "torvelin-calc-files";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "a") << "2013/10/28\t120\n";
    std::ofstream(folder / "b") << "\xEF\xBB\xBF"
                                   "2013/10/28\t1";
    const std::string a = (folder / "a").string(), b = (folder / "b").string();
    const std::string missing = (folder / "missing").string(), self = folder.string();
    ProgramRun run = RunWith({a, "-", missing, b, self}, "2013/10/28\t0\n");
    EXPECT_EQ(run.status, ExitStatus::InputFailed);
    EXPECT_EQ(run.output, "2014/02/24\n2013/10/27\n2013/10/28\n");
    EXPECT_EQ(run.errors, "torvelin-calc: " + missing + ": No such file or directory\n" +
                              "torvelin-calc: read error: " + self + ": Is a directory\n");
    run = RunWith({a, b});
    EXPECT_EQ(run.status, ExitStatus::AllResults);
    EXPECT_EQ(run.output, "2014/02/24\n2013/10/28\n");
    std::filesystem::remove_all(folder);
}

TEST(CommandLine, AnswersEachLineBeforeTheNextArrives) {
    int request[2], answer[2];
    ASSERT_EQ(pipe2(request, O_CLOEXEC | O_NONBLOCK), 0);  // reads must wait all the same
    ASSERT_EQ(pipe2(answer, O_CLOEXEC), 0);
    const MemoryFile errors;
    std::thread program([&] { RunCommandLine({}, {request[0], answer[1], errors.fd()}); });
    for (const std::string_view line : {"2013/10/28\t120\n", "2013/10/28\t1\n"}) {
        EXPECT_EQ(write(request[1], line.data(), line.size()), std::ssize(line));
        pollfd ready{.fd = answer[0], .events = POLLIN, .revents = 0};
        if (poll(&ready, 1, 10000) != 1) {
            ADD_FAILURE() << "no answer while the input stays open";
            break;
        }
        char text[32];
        EXPECT_EQ(read(answer[0], text, sizeof text), 11);
    }
    close(request[1]);
    program.join();
    for (const int fd : {request[0], answer[0], answer[1]}) {
        close(fd);
    }
}

TEST(CommandLine, UsageErrorsHelpAndVersion) {
    const struct {
        std::vector<std::string_view> arguments;
        std::string_view named;
    } wrong[] = {
        {{"--days", "1"}, "unrecognized option '--days'"},
        {{"--encoding=latin1"}, "unknown encoding 'latin1'"},
        {{"--help=all"}, "'--help' doesn't allow an argument"},
        {{"--encoding"}, "'--encoding' requires an argument"},
    };
    for (const auto& c : wrong) {
        const ProgramRun run = RunWith(c.arguments, "2013/10/28\t1\n");
        EXPECT_EQ(run.status, ExitStatus::UsageError);
        EXPECT_EQ(run.output, "");
        EXPECT_NE(run.errors.find(c.named), std::string::npos) << run.errors;
    }
    for (const std::string_view help : {"--help", "-h"}) {
        const ProgramRun run = RunWith({"2013/10/28", help, "1"});
        EXPECT_EQ(run.status, ExitStatus::AllResults);
        EXPECT_TRUE(run.output.starts_with("Usage: torvelin-calc ")) << run.output;
        // The man page is made from this text: option lines start with two blanks and a dash.
        for (const std::string_view option :
             {"\n  -h, --help  ", "\n  -V, --version  ", "\n      --encoding=NAME  ",
              "\nExit status:\n", "\n  4  the output", "\nReport bugs to "}) {
            EXPECT_NE(run.output.find(option), std::string::npos) << option;
        }
    }
    const ProgramRun run = RunWith({"-V"});
    EXPECT_TRUE(run.output.starts_with("torvelin-calc 1.00\nCopyright (c) 2026 The Torvelin"))
        << run.output;
    EXPECT_NE(run.output.find("MIT"), std::string::npos);
    EXPECT_EQ(RunWith({"-x", "1"}).status, ExitStatus::SomeNotComputed);  // an operand
}

// The commands that count as the law does; what they compute is the core's.
TEST(CommandLine, LawCommandsAnswerOnOneLineOrComplain) {
    const std::string moved =
        "2025/01/06\t月\t令和7年1月6日\t2024/12/30は年末年始の休日のため延長\n";
    // clang-format off
    const struct {
        std::vector<std::string_view> arguments;
        std::string input, output;
        ExitStatus status;
    } cases[] = {
        {{"deadline", "2024/12/20", "10日"}, "", "2025/01/06\n", ExitStatus::AllResults},
        {{"deadline", "2024/12/20", "10d", "--closed=none"}, "", "2024/12/30\n", ExitStatus::AllResults},
        {{"deadline", "2013/1/20", "2か月", "--first-day=included"}, "", "2013/03/19\n", ExitStatus::AllResults},
        {{"deadline", "--long", "2024/12/20", "１０日"}, "", moved, ExitStatus::AllResults},
        {{"deadline"}, "2024/12/20\t10日\nx\t1日\n2013/01/31\t1か月\n",
         "2025/01/06\n" + kStart + "2013/02/28\n", ExitStatus::SomeNotComputed},
        {{"deadline", "2013/01/31", "0日"}, "", "", ExitStatus::SomeNotComputed},
        {{"deadline", "9999/12/31", "1y"}, "", "", ExitStatus::SomeNotComputed},
        {{"--long", "2013/10/28", "120"}, "", "2014/02/24\t月\t平成26年2月24日\n", ExitStatus::AllResults},
        {{"--long"}, "2013/10/28\t120\nx\t1\n", "2014/02/24\t月\t平成26年2月24日\n" + kStart, ExitStatus::SomeNotComputed},
        {{"days", "2024/12/20", "2025/01/06"}, "", "17\n", ExitStatus::AllResults},
        {{"days", "--first-day=included", "2025/01/06", "2024/12/20"}, "", "18\n", ExitStatus::AllResults},
        {{"days", "--open-days", "2024/12/20", "2025/01/06"}, "", "6\n", ExitStatus::AllResults},
        {{"days", "2024/12/20", "2025/02/30"}, "", "", ExitStatus::SomeNotComputed},
        {{"holidays", "2019"}, "", "", ExitStatus::AllResults},
        {{"holidays", "1948", "1948"}, "", "", ExitStatus::AllResults},
        {{"holidays", "2020", "2019"}, "", "", ExitStatus::SomeNotComputed},
        {{"holidays", "99"}, "", "", ExitStatus::SomeNotComputed},
        {{"holidays", "10000"}, "", "", ExitStatus::SomeNotComputed},
        {{"holidays", "2019.5"}, "", "", ExitStatus::SomeNotComputed},
        {{"info", "令和6年12月29日"}, "", "2024/12/29\t日\t令和6年12月29日\t閉庁日\t日曜日・年末年始の休日\n", ExitStatus::AllResults},
        {{"info", "2014/2/24"}, "", "2014/02/24\t月\t平成26年2月24日\t開庁日\n", ExitStatus::AllResults},
        {{"info"}, "", "", ExitStatus::UsageError},
        {{"days", "2024/12/20"}, "", "", ExitStatus::UsageError},
        {{"deadline", "--first-day=maybe", "2024/12/20", "10日"}, "", "", ExitStatus::UsageError},
        {{"deadline", "--closed=all", "2024/12/20", "10日"}, "", "", ExitStatus::UsageError},
    };
    // clang-format on
    for (const auto& c : cases) {
        const ProgramRun run = RunWith(c.arguments, c.input);
        const std::string shown = c.arguments.empty() ? "" : std::string(c.arguments.back());
        EXPECT_EQ(run.status, c.status) << shown;
        if (!c.output.empty() || c.status != ExitStatus::AllResults) {
            EXPECT_EQ(run.output, c.output) << shown;
        }
        // A batch answers every line on standard output.
        EXPECT_EQ(run.errors.empty(), c.status == ExitStatus::AllResults || !c.input.empty())
            << shown;
    }
    const ProgramRun holidays = RunWith({"holidays", "2019", "2020"});
    EXPECT_TRUE(holidays.output.starts_with("2019/01/01\t元日\n")) << holidays.output;
    EXPECT_NE(holidays.output.find("2019/05/01\t天皇の即位の日\n2019/05/02\t国民の休日\n"),
              std::string::npos);
    EXPECT_TRUE(holidays.output.ends_with("2020/11/23\t勤労感謝の日\n"));
    EXPECT_EQ(RunWith({"holidays", "1948"}).output.find("1948/05/03"), std::string::npos);
}

}  // namespace
}  // namespace torvelin
