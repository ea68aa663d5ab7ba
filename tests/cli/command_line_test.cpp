// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/command_line.h"
#include "cli/io_block.h"
#include "cli/line_reader.h"
#include "cli/output_buffer.h"
#include "cli/translation.h"
#include "format/answer_text.h"
#include "format/icalendar.h"
#include "version.h"

namespace torvelin {
namespace {

const std::string kStart = std::string(MessageFor(WrongInput::StartDate)) + "\n";
const std::string kCount = std::string(MessageFor(WrongInput::DayCount)) + "\n";
const std::string kDate = std::string(MessageFor(WrongInput::Date)) + "\n";

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

// What torvelin-calc answers for its arguments and standard input: its output,
// how what it writes on standard error begins ("" for nothing) and its exit
// status. What the answers compute is the core's.
TEST(CommandLine, AnswersEachRunAsTheTableSays) {
    const std::string heisei =
        "\x95\xBD\x90\xAC"
        "25\x94\x4E"
        "10\x8C\x8E"
        "28\x93\xFA";  // cp932
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string_view("2013/10/28\t120\r\n_\t1\n2013/10/28\t1")) {
        utf16 += c == '_' ? std::string("\x00\xD8", 2) : std::string{c, '\0'};  // a lone surrogate
    }
    const std::string batch =
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
    const std::string error5 =
        "error 5: " + std::string(DescriptionOf(ErrorNumber::InvalidArgument)) + "\n";
    const std::string error6 =
        "error 6: " + std::string(DescriptionOf(ErrorNumber::Overflow)) + "\n";
    const std::string complaint = "torvelin-calc: ";
    // The longest line kept, a longer one, and a CR LF cut between two reads.
    const std::string longest = "2013/10/28\t1" + std::string(kMaxLineBytes - 12, ' ');
    const std::string cutReturn = "2013/10/28\t1" + std::string(65536 - 13, ' ') + "\r\n";
    const std::string notApplying = complaint + "option '";
    // Born on this day twelve years ago, as the local clock has it.
    const std::time_t now = std::time(nullptr);
    std::tm birth{};
    localtime_r(&now, &birth);
    birth.tm_year -= 12;
    char twelveYearsAgo[16];
    std::strftime(twelveYearsAgo, sizeof twelveYearsAgo, "%Y/%m/%d", &birth);
    birth.tm_mday += 2;  // twelve only at the end of tomorrow: eleven today
    std::mktime(&birth);
    char elevenYearsAgo[16];
    std::strftime(elevenYearsAgo, sizeof elevenYearsAgo, "%Y/%m/%d", &birth);
    using enum ExitStatus;
    // clang-format off
    const struct {
        std::vector<std::string_view> arguments;
        std::string input, output, errors;
        ExitStatus status;
    } cases[] = {
        // One calculation: the end date, or a complaint on standard error.
        {{"2013/10/28", "-2"}, "", "2013/10/25\n", "", AllResults},
        {{"2013/10/28", "x"}, "", "", complaint + kCount, SomeNotComputed},  // a wrong count, no file
        {{"2013/10/28", "-0.5"}, "", "2013/10/26\n", "", AllResults},
        {{"2013/10/28", "－２"}, "", "2013/10/25\n", "", AllResults},
        {{"2013/13/40", "5"}, "", "", complaint + kStart, SomeNotComputed},
        {{"", "120"}, "", "", complaint + kStart, SomeNotComputed},  // an empty spreadsheet cell
        {{"deadline", "", "cp932"}, "", "", complaint + kStart, SomeNotComputed},
        {{"--", "2013/10/28", "32769"}, "", "", complaint + error6, SomeNotComputed},
        // A batch answers each line on standard output; a bad line never stops it.
        {{}, batch, "2014/02/24\n" + kStart + kCount + kStart + error6 + kCount + kStart + kStart +
                    kCount + kStart + "2013/10/25\n", "", SomeNotComputed},
        // Blank lines at the end are no records.
        {{}, "2013/10/28\t1\r\n\r\n\n", "2013/10/28\n", "", AllResults},
        {{}, "\n\n2013/10/28\t1\n\n", kStart + kStart + "2013/10/28\n", "", SomeNotComputed},
        {{}, "\xEF\xBB\xBF\r\n", "", "", AllResults},
        {{}, "x", kStart, "", SomeNotComputed},  // an input of one byte
        // A lone CR ends a line, and CR LF is one line end even when cut between reads.
        {{}, "2013/10/28\t1\r2013/10/28\t120\r\r2013/10/28\t0\r\n\n2013/10/28\t1", "2013/10/28\n2014/02/24\n" + kStart + "2013/10/27\n" + kStart + "2013/10/28\n", "", SomeNotComputed},
        {{}, cutReturn + "2013/10/28\t0\n", "2013/10/28\n2013/10/27\n", "", AllResults},
        // A line too long to keep is a wrong start date; its rest is read past,
        // even a rest that would read as a line of its own.
        {{}, longest + "\n" + longest + " \r\n2013/10/28\t0\n" + longest + std::string(3 << 16, ' ') + "2013/10/28\t0",
         "2013/10/28\n" + kStart + "2013/10/27\n" + kStart, "", SomeNotComputed},
        {{"deadline"}, "\n" + longest + " \n", kStart + kStart, "", SomeNotComputed},
        {{}, "", "", "", AllResults},
        // Spreadsheet encodings; a lead byte without its second byte, then one cut by the end.
        {{"--encoding=cp932"}, utf16, "2014/02/24\n" + kStart + "2013/10/28\n", "", SomeNotComputed},
        {{"--encoding=Shift_JIS"}, heisei + "\t120\n\x81\n2013/10/28\t1\x81", "2014/02/24\n" + kStart + kCount, "", SomeNotComputed},
        {{"--encoding=UTF8"}, "\xFE", kStart, "", SomeNotComputed},
        {{"--encoding=cp932"}, "\xEF\xBB\xBF" + std::string("2013/10/28\t1"), "2013/10/28\n", "", AllResults},
        // The commands that count as the law does.
        {{"deadline", "2024/12/20", "10d", "--closed=none"}, "", "2024/12/30\n", "", AllResults},
        {{"deadline", "--long", "2024/12/20", "１０日"}, "",
         "2025/01/06\t月\t令和7年1月6日\t初日不算入（民法140条）\t末日2024/12/30（月）は年末年始の休日、"
         "12/31〜1/5も閉庁日のため、翌開庁日に満了（民事訴訟法95条3項）\n", "", AllResults},
        {{"deadline"}, "2024/12/20\t10日\nx\t1日\n2013/01/31\t0日\n9999/12/31\t1y\n",
         "2025/01/06\n" + kStart + "「期間」を 10日、2週間、3か月、1年 のように正しく入力してください\n" + error5, "", SomeNotComputed},
        {{"--long"}, "2013/10/28\t120\nx\t1\n", "2014/02/24\t月\t平成26年2月24日\n" + kStart, "", SomeNotComputed},
        {{"days", "--first-day=included", "2025/01/06", "2024/12/20"}, "", "-18\n", "", AllResults},
        {{"days", "--open-days", "2024/12/20", "2025/01/06"}, "", "6\n", "", AllResults},
        {{"days", "2024/12/20", "2025/02/30"}, "", "", complaint + "「終期」", SomeNotComputed},
        {{"holidays", "2020", "2019"}, "", "", complaint, SomeNotComputed},
        {{"holidays", "100"}, "", "", "", AllResults},
        {{"holidays", "99"}, "", "", complaint, SomeNotComputed},
        {{"holidays", "9999", "10000"}, "", "", complaint, SomeNotComputed},
        {{"holidays", "2019.5"}, "", "", complaint, SomeNotComputed},
        {{"info", "令和6年12月29日"}, "", "2024/12/29\t日\t令和6年12月29日\t閉庁日\t日曜日・年末年始の休日\n", "", AllResults},
        {{"deadline", "--closed=bank", "2024/12/20", "10日"}, "", "2024/12/30\n", "", AllResults},
        {{"deadline", "--before", "2024/06/27", "2週間"}, "", "2024/06/12\n", "", AllResults},
        // Counted back, a closed day moves only when a calendar is asked for.
        {{"deadline", "--before", "2024/06/23", "2週間"}, "", "2024/06/08\n", "", AllResults},
        {{"deadline", "--before", "--closed=court", "2024/06/23", "2週間"}, "", "2024/06/07\n", "", AllResults},
        {{"due", "2025/03/15"}, "", "2025/03/17\n", "", AllResults},
        {{"age", "2006/04/01", "2024/03/31"}, "", "17\n", "", AllResults},
        {{"age", twelveYearsAgo}, "", "12\n", "", AllResults},  // today by default
        {{"age", elevenYearsAgo}, "", "11\n", "", AllResults},
        {{"age", "--reach", "18", "2006/04/01"}, "", "2024/03/31\n", "", AllResults},
        {{"age", "--format=csv", "2006/04/01", "2024/03/31"}, "", "birth,date,age,status,message\r\n2006/04/01,2024/03/31,17,ok,\r\n", "", AllResults},
        {{"holidays", "--format=csv", "100"}, "", "", "", AllResults},  // no holidays, no header
        {{"age", "--format=json", "2006/04/01", "2024/03/31"}, "", R"({"birth":"2006/04/01","date":"2024/03/31","age":17,"status":"ok","message":null})" "\n", "", AllResults},
        {{"info", "--format=json", "2024/12/29"}, "", R"({"date":"2024/12/29","weekday":"日","era_date":"令和6年12月29日","closed":true,"reasons":"日曜日・年末年始の休日","notes":"","status":"ok","message":null})" "\n", "", AllResults},
        {{"holidays", "--format=tsv", "1948"}, "", "date\tweekday\tera_date\tname\n1948/09/23\t木\t昭和23年9月23日\t秋分の日\n"
         "1948/11/03\t水\t昭和23年11月3日\t文化の日\n1948/11/23\t火\t昭和23年11月23日\t勤労感謝の日\n", "", AllResults},
        {{"--format=tsv", "2013/10/28", "-2"}, "", "start\tcount\tend\tweekday\tera_date\tstatus\tmessage\n2013/10/28\t-2\t2013/10/25\t金\t平成25年10月25日\tok\t\n", "", AllResults},
        {{"days", "--format=csv", "2025/01/06", "2024/12/20"}, "", "from,to,days,status,message\r\n2025/01/06,2024/12/20,-17,ok,\r\n", "", AllResults},
        {{"deadline", "--format=tsv"}, "x\t1日\n", "start\tperiod\tend\tweekday\tera_date\tunmoved_end\trule\treason\tnotes\tstatus\tmessage\n"
         "x\t1日\t\t\t\t\t\t\t\tinput\t" + kStart, "", SomeNotComputed},
        {{"deadline", "--format=json"}, "2024/12/20\t10日\n", R"({"start":"2024/12/20","period":"10日","end":"2025/01/06","weekday":"月","era_date":"令和7年1月6日","unmoved_end":"2024/12/30","rule":"初日不算入（民法140条）",)"
         R"("reason":"末日2024/12/30（月）は年末年始の休日、12/31〜1/5も閉庁日のため、翌開庁日に満了（民事訴訟法95条3項）","notes":"","status":"ok","message":null})" "\n", "", AllResults},
        {{"--format=csv"}, "2013/10/28\t120\n", "start,count,end,weekday,era_date,status,message\r\n2013/10/28,120,2014/02/24,月,平成26年2月24日,ok,\r\n", "", AllResults},
        {{"deadline", "--closed-file=/nonexistent/closed.tsv", "2024/12/20", "10日"}, "", "", complaint + "/nonexistent/closed.tsv", InputFailed},
        // Statutory periods: each rule in the order given, a name that names
        // one rule, a batch of one date a line with a line a rule.
        {{"deadline", "--rule=民訴285", "2024/12/18"}, "", "2025/01/06\n", "", AllResults},
        {{"deadline", "--rule=民915,所得税125,相続税27", "2024/12/18"}, "", "2025/03/18\n2025/04/18\n2025/10/20\n", "", AllResults},
        {{"deadline", "--rule=出生届", "--long", "2024/12/20"}, "", "2025/01/06\t月\t令和7年1月6日\t戸籍49 出生届（戸籍法49条1項）\t初日算入（戸籍法43条1項）\t"
         "末日2025/01/02（木）は年末年始の休日、1/3〜1/5も閉庁日のため、翌開庁日に満了（地方自治法4条の2第4項）\n", "", AllResults},
        {{"deadline", "--rule=特商9,会社299"}, "2024/12/22\nx\n", "2024/12/29\n2024/12/07\n" + kDate + kDate, "", SomeNotComputed},
        {{"deadline", "--rule=行審18,民訴285", "2016/03/31"}, "", "2016/04/14\n", complaint + "行審18: この手続", SomeNotComputed},
        {{"deadline", "--rule=民訴285,刑訴373", "x"}, "", "", complaint + kDate, SomeNotComputed},
        {{"deadline", "--rule=戸籍86", "--format=csv", "2024/12/20"}, "", "key,name,article,start,period,end,weekday,era_date,unmoved_end,rule,reason,notes,move,status,message\r\n"
         "戸籍86,死亡届,戸籍法86条1項,2024/12/20,7日,2024/12/26,木,令和6年12月26日,2024/12/26,初日算入（戸籍法43条1項）,,,地方自治法4条の2第4項,ok,\r\n", "", AllResults},
        {{"rules", "控訴"}, "", "民訴285\t控訴\t判決書又は第二百五十四条第二項の調書の送達を受けた日\t2週間\t初日不算入（民事訴訟法95条1項・民法140条）\t民事訴訟法95条3項\t民事訴訟法（平成八年法律第百九号）第二百八十五条\n"
         "民訴規182\t控訴理由書の提出\t控訴の提起\t50日\t初日不算入（民事訴訟法95条1項・民法140条）\t民事訴訟法95条3項\t民事訴訟規則第百八十二条\n"
         "刑訴373\t控訴\t裁判が告知された日\t14日\t初日不算入（刑事訴訟法55条1項）\t刑事訴訟法55条3項\t刑事訴訟法（昭和二十三年法律第百三十一号）第三百七十三条\n", "", AllResults},
        {{"rules", "離婚"}, "", "", complaint + "no rule holds '離婚'", SomeNotComputed},
        {{"deadline", "--rule=控訴", "2024/12/18"}, "", "", complaint + "'控訴' names more than one rule: 民訴285 (控訴), 刑訴373 (控訴)\n", UsageError},
        {{"deadline", "--rule=民訴999", "2024/12/18"}, "", "", complaint + "no rule is named '民訴999'", UsageError},
        {{"deadline", "--rule=民訴285,", "2024/12/18"}, "", "", complaint + "--rule takes", UsageError},
        {{"deadline", "--rule=民訴285", "2024/12/18", "2週間"}, "", "", complaint + "--rule fixes the period", UsageError},
        {{"deadline", "--rule=民訴285", "--before", "2024/12/18"}, "", "", notApplying + "--before' does not apply to deadline --rule=KEY DATE", UsageError},
        {{"deadline", "--rule=民訴285", "--closed=none"}, "", "", notApplying + "--closed' does not apply to deadline --rule=KEY\n", UsageError},
        {{"days", "--rule=民訴285", "2024/12/18", "2025/01/06"}, "", "", notApplying + "--rule' does not apply to days", UsageError},
        {{"deadline", "2024/12/18"}, "", "", complaint + "wrong number of operands for deadline", UsageError},
        // Usage errors.
        {{"--days", "1"}, "", "", complaint + "unrecognized option '--days'\n", UsageError},
        {{"-x"}, "", "", complaint + "unrecognized option '-x'\n", UsageError},
        {{"2013/10/28", "--encoding", "sjis", "0"}, "", "", notApplying + "--encoding' does not apply to START COUNT\n", UsageError},
        {{"deadline", "--open-days", "2024/12/20", "10日"}, "", "", notApplying + "--open-days' does not apply to deadline START PERIOD\n", UsageError},
        {{"deadline", "--encoding=sjis", "2024/12/20", "10日"}, "", "", notApplying + "--encoding' does not apply to deadline", UsageError},
        {{"days", "--before", "2024/12/20", "2025/01/06"}, "", "", notApplying + "--before' does not apply to days", UsageError},
        {{"days", "--long", "2024/12/20", "2025/01/06"}, "", "", notApplying + "--long' does not apply to days", UsageError},
        {{"holidays", "2019", "--long"}, "", "", notApplying + "--long' does not apply to holidays", UsageError},
        {{"--first-day=included"}, "", "", notApplying + "--first-day' does not apply to [FILE]", UsageError},
        {{"--encoding=latin1"}, "", "", complaint + "unknown encoding 'latin1'\n", UsageError},
        {{"--help=all"}, "", "", complaint + "option '--help' doesn't allow an argument\n", UsageError},
        {{"--encoding"}, "", "", complaint + "option '--encoding' requires an argument\n", UsageError},
        {{"info"}, "", "", complaint + "wrong number of operands for info\n", UsageError},
        {{"holidays"}, "", "", complaint + "wrong number", UsageError},
        {{"holidays", "2019", "2020", "2021"}, "", "", complaint + "wrong number", UsageError},
        {{"days", "2024/12/20"}, "", "", complaint + "wrong number", UsageError},
        {{"deadline", "--first-day=maybe", "2024/12/20", "10日"}, "", "", complaint + "--first-day takes", UsageError},
        {{"deadline", "--closed=all", "2024/12/20", "10日"}, "", "", complaint + "--closed takes", UsageError},
        {{"info", "--long", "--format=json", "2024/12/20"}, "", "", notApplying + "--long' does not apply", UsageError},
        {{"deadline", "--long", "--format=json", "2024/12/20", "1日"}, "", "", complaint + "--long and --format", UsageError},
        {{"age", "--reach=18", "2006/04/01", "2024/01/01"}, "", "", complaint + "age --reach", UsageError},
        // A rule's deadline; several rules, one line each; a date that does not read, told once.
        {{"deadline", "--rule=民訴285", "2024/12/18"}, "", "2025/01/06\n", "", AllResults},
        {{"deadline", "--rule=民訴285,上告受理申立て", "2024/12/18"}, "", "2025/01/06\n2025/01/06\n", "", AllResults},
        {{"deadline", "--rule=民訴285,上告受理申立て", "2024/13/18"}, "", "", complaint + "日付を正しく入力してください yyyy/mm/dd\n", SomeNotComputed},
        {{"deadline", "--rule=民訴285", "--format=tsv", "x"}, "", "key\tname\tarticle\tstart\tperiod\tend\tweekday\tera_date\tunmoved_end\trule\treason\tnotes\tmove\tstatus\tmessage\n"
         "民訴285\t控訴\t民事訴訟法285条\tx\t2週間\t\t\t\t\t\t\t\t民事訴訟法95条3項\tinput\t日付を正しく入力してください yyyy/mm/dd\n", "", SomeNotComputed},
        {{"deadline", "--rule=民訴285", "2024/12/18", "2週間"}, "", "", complaint + "--rule fixes the period", UsageError},
        // A calendar holds deadlines, and only a calendar a case and reminders.
        {{"days", "--format=ics", "2024/12/20", "2025/01/06"}, "", "", complaint + "--format=ics applies to deadline only\n", UsageError},
        {{"--format=ics", "2013/10/28", "1"}, "", "", complaint + "--format=ics applies to deadline only\n", UsageError},
        {{"deadline", "--format=xml", "2024/12/20", "10日"}, "", "", complaint + "--format takes 'tsv', 'csv', 'json' or 'ics', not 'xml'\n", UsageError},
        {{"deadline", "--case=1", "2024/12/20", "10日"}, "", "", complaint + "--case and --remind apply only with --format=ics\n", UsageError},
        {{"deadline", "--format=ics", "--format=csv", "--remind=1", "2024/12/20", "10日"}, "", "", complaint + "--case and --remind apply only", UsageError},
        {{"deadline", "--format=ics", "--long", "2024/12/20", "10日"}, "", "", complaint + "--long and --format", UsageError},
        {{"info", "--case=1", "2024/12/20"}, "", "", notApplying + "--case' does not apply to info", UsageError},
        {{"deadline", "--format=ics", "--remind=7,7", "2024/12/20", "10日"}, "", "", complaint + "--remind takes", UsageError},
        {{"deadline", "--format=ics", "--remind=1000", "2024/12/20", "10日"}, "", "", complaint + "--remind takes", UsageError},
        {{"deadline", "--format=ics", "--remind=7,", "2024/12/20", "10日"}, "", "", complaint + "--remind takes", UsageError},
        {{"deadline", "--format=ics", "--remind=-1", "2024/12/20", "10日"}, "", "", complaint + "--remind takes", UsageError},
        {{"deadline", "--format=ics", "--remind=1x", "2024/12/20", "10日"}, "", "", complaint + "--remind takes", UsageError},
    };
    // clang-format on
    for (const auto& c : cases) {
        const ProgramRun run = RunWith(c.arguments, c.input);
        const std::string shown = testing::PrintToString(c.arguments) + " " + c.input.substr(0, 30);
        EXPECT_EQ(run.output, c.output) << shown;
        EXPECT_TRUE(run.errors.starts_with(c.errors) && run.errors.empty() == c.errors.empty())
            << shown << ": " << run.errors;
        EXPECT_EQ(run.status, c.status) << shown;
    }
    HolidayCalendar calendar;
    const auto holidays = [&](std::string_view first, std::string_view last) {
        return HolidayListText(
            std::get<std::vector<Holiday>>(HolidaysOfYears(first, last, calendar)));
    };
    EXPECT_EQ(RunWith({"holidays", "1948", "2150"}).output, holidays("1948", "2150"));
    EXPECT_EQ(RunWith({"holidays", "9999"}).output, holidays("9999", "9999"));
    // A rule's record carries what the table says of it, its unknown day of
    // effect empty.
    const std::string rule = RunWith({"rules", "--format=tsv", "割販"}).output;
    EXPECT_TRUE(
        rule.starts_with("key\tname\tfield\tevent\tperiod\tdirection\tcounting\tmove\tact\t"
                         "article\tin_force\tquote\tborrowed\tunsettled\n割販35の3の10\t"))
        << rule;
    EXPECT_NE(
        rule.find("\t8日\tafter\t初日算入（割賦販売法35条の3の10第1項「起算して」）\t延長しない\t"),
        std::string::npos)
        << rule;
    EXPECT_NE(rule.find("\t割賦販売法35条の3の10第1項\t\t前条第三項の書面"), std::string::npos)
        << rule;
    EXPECT_NE(RunWith({"rules", "--format=csv", "会社"}).output.find(",2週間,before,"),
              std::string::npos);
    // A character cut between two reads is put back together.
    std::string many = "\x81\x40", expected;  // a full-width blank puts a block's end in 成
    while (many.size() < 200000) {
        many += heisei + "\t1\n";
        expected += "2013/10/28\n";
    }
    EXPECT_EQ(RunWith({"--encoding=cp932"}, many).output, expected);
}

// The window writes its calendar with the formatter's own call: the command
// line must write the same bytes for the same answers, a batch as it goes
// included.
TEST(CommandLine, WritesTheFormattersCalendar) {
    ASSERT_EQ(setenv("SOURCE_DATE_EPOCH", "1735689600", 1), 0);
    ClosedDayCalendar calendar(CalendarKind::Court);
    const auto event = [&](std::string_view start, std::string_view period) {
        return *DeadlineEventOf(start, period, "令和6年(ワ)第1234号",
                                Deadline(start, period, PeriodRules{}, calendar));
    };
    const CalendarSettings settings{.createdAt = 1735689600};
    const std::string caseOption = "--case=令和6年(ワ)第1234号";
    EXPECT_EQ(RunWith({"deadline", "--format=ics", caseOption, "2024/12/20", "10日"}).output,
              CalendarText({event("2024/12/20", "10日")}, settings));
    EXPECT_EQ(
        RunWith({"deadline", "--format=ics", caseOption},
                "2024/12/20\t10日\nx\t1日\n2024/03/04 9:00\t1時間\n")
            .output,
        CalendarText({event("2024/12/20", "10日"), event("2024/03/04 9:00", "1時間")}, settings));
    ASSERT_EQ(unsetenv("SOURCE_DATE_EPOCH"), 0);
}

TEST(CommandLine, FileOperandsAreAnsweredInOrder) {
    const std::filesystem::path folder = testing::TempDir() + "torvelin-calc-files";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "a") << "2013/10/28\t120\n";
    std::ofstream(folder / "b") << "\xEF\xBB\xBF"
                                   "2013/10/28\t1";
    const std::string a = (folder / "a").string(), b = (folder / "b").string();
    const std::string missing = (folder / "missing").string(), self = folder.string();
    const ProgramRun run = RunWith({a, "-", missing, b, self}, "2013/10/28\t0\n");
    EXPECT_EQ(run.status, ExitStatus::InputFailed);
    EXPECT_EQ(run.output, "2014/02/24\n2013/10/27\n2013/10/28\n");
    EXPECT_EQ(run.errors, "torvelin-calc: " + missing + ": No such file or directory\n" +
                              "torvelin-calc: read error: " + self + ": Is a directory\n");
    std::filesystem::remove_all(folder);
}

TEST(CommandLine, AnswersEachLineBeforeTheNextArrives) {
    int request[2], answer[2];
    ASSERT_EQ(pipe2(request, O_CLOEXEC | O_NONBLOCK), 0);  // reads must wait all the same
    ASSERT_EQ(pipe2(answer, O_CLOEXEC), 0);
    const MemoryFile errors;
    std::thread program([&] { RunCommandLine({}, {request[0], answer[1], errors.fd()}); });
    // Two bytes are enough to know that no byte-order mark is coming.
    for (const auto& [line, expected] : {std::pair<std::string_view, std::string>{"x\n", kStart},
                                         {"2013/10/28\t1\n", "2013/10/28\n"}}) {
        EXPECT_EQ(write(request[1], line.data(), line.size()), std::ssize(line));
        pollfd ready{.fd = answer[0], .events = POLLIN, .revents = 0};
        if (poll(&ready, 1, 10000) != 1) {
            ADD_FAILURE() << "no answer while the input stays open";
            break;
        }
        char text[128];
        const ssize_t got = read(answer[0], text, sizeof text);
        EXPECT_EQ(std::string(text, got > 0 ? got : 0), expected);
    }
    close(request[1]);
    program.join();
    for (const int fd : {request[0], answer[0], answer[1]}) {
        close(fd);
    }
}

// A run killed between two writes must not leave a cut line, which could read
// as another date. A file gets blocks of lines, a terminal each line at once.
TEST(OutputBuffer, WritesWholeLinesOnly) {
    const MemoryFile file;
    OutputBuffer output(file.fd());
    for (int i = 0; i < 10000; ++i) {
        output.Write("2014/02/24");
        output.EndLine();
        EXPECT_TRUE(i > 0 || file.Content().empty());
    }
    const std::string written = file.Content();
    EXPECT_FALSE(written.empty());
    EXPECT_TRUE(written.ends_with('\n')) << written.size();
    const MemoryFile full;
    OutputBuffer block(full.fd());
    block.Write(std::string(kIoBlockBytes - 1, 'x'));
    block.EndLine();
    EXPECT_EQ(full.Content().size(), kIoBlockBytes);  // a full block goes at once
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
    const int screen = open(ptsname(terminal), O_RDWR | O_NOCTTY);
    OutputBuffer shown(screen);
    shown.Write("2014/02/24");
    shown.EndLine();
    pollfd line{.fd = terminal, .events = POLLIN, .revents = {}};
    EXPECT_EQ(poll(&line, 1, 1000), 1);
    close(screen);
    close(terminal);
}

TEST(CommandLine, HelpAndVersion) {
    for (const std::string_view help : {"--help", "-h"}) {
        const ProgramRun run = RunWith({"2013/10/28", help, "1"});
        EXPECT_EQ(run.status, ExitStatus::AllResults);
        EXPECT_TRUE(run.output.starts_with("Usage: torvelin-calc ")) << run.output;
        // The man page is made from this text: option lines start with two blanks and a dash.
        for (const std::string_view option :
             {"\n  -h, --help  ", "\n  -V, --version  ", "\n      --encoding=NAME  ",
              "\n  deadline START PERIOD  --long, --format, --first-day, --closed, --closed-file, "
              "--before, --case, --remind\n",
              "\n  deadline START PERIOD  the last day of PERIOD", "longer than 1 MiB is",
              "\nExit status:\n", "\n  4  the output", "SIGPIPE", "\nReport bugs to "}) {
            EXPECT_NE(run.output.find(option), std::string::npos) << option;
        }
    }
    const ProgramRun run = RunWith({"-V"});
    EXPECT_TRUE(run.output.starts_with("torvelin-calc " + std::string(kVersion) +
                                       "\nCopyright (c) 2026 The Torvelin"))
        << run.output;
    EXPECT_NE(run.output.find("MIT"), std::string::npos);
}

// --help pads names to its description column by these widths.
TEST(Translation, DisplayWidthCountsFullWidthCharactersTwice) {
    // clang-format off
    const std::pair<std::string_view, std::size_t> cases[] = {
        {"START", 5}, {"起算日", 6},       {"ｓｔ", 4}, {"한", 2}, {"𠀋", 2}, {"é〿", 2},
        {"ᄀ", 2},    {"\xef\xbf\xa0", 2}, {"﹏", 2},   {"", 0},   {"｡", 1}, {"°ก", 2},
        {std::string_view("｡", 2), 2},  // cut inside a character: nothing past the cut is read
        {"\U0003FFFE", 1},
        // the first and last character of each full-width range
        {"\u115F\u2E80\uA4CF\uAC00\uD7A3\uF900\uFAFF\uFE30\uFF00\uFF60\uFFE6\U00020000\U0003FFFD", 26},
    };
    // clang-format on
    for (const auto& [text, width] : cases) {
        EXPECT_EQ(DisplayWidth(text), width) << text;
    }
}

}  // namespace
}  // namespace torvelin
