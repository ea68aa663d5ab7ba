// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "calc/calculate.h"
#include "format/answer_records.h"

namespace torvelin {
namespace {

TEST(RecordText, QuotesAndEscapesWhatEachFormatMust) {
    const Record record{{"start", "a,\"b\"\tc\nd"},
                        {"days", "-17", FieldText::Number},
                        {"end", std::nullopt},
                        {"bad", "x\xFF\xE3\x81y\x01"}};
    EXPECT_EQ(HeaderLine(record, RecordFormat::Csv), "start,days,end,bad\r\n");
    EXPECT_EQ(HeaderLine(record, RecordFormat::Tsv), "start\tdays\tend\tbad\n");
    EXPECT_EQ(HeaderLine(record, RecordFormat::Json), "");
    EXPECT_EQ(RecordLine(record, RecordFormat::Csv),
              "\"a,\"\"b\"\"\tc\nd\",-17,,x\uFFFD\uFFFD\uFFFDy\x01\r\n");
    EXPECT_EQ(RecordLine(record, RecordFormat::Tsv),
              "a,\"b\" c d\t-17\t\tx\uFFFD\uFFFD\uFFFDy\x01\n");
    EXPECT_EQ(RecordLine(record, RecordFormat::Json),
              "{\"start\":\"a,\\\"b\\\"\\tc\\nd\",\"days\":-17,\"end\":null,"
              "\"bad\":\"x\uFFFD\uFFFD\uFFFDy\\u0001\"}\n");
    EXPECT_EQ(RecordLine({{"nul", std::string("a\0b\x1F", 4)}}, RecordFormat::Json),
              "{\"nul\":\"a\\u0000b\\u001f\"}\n");
    EXPECT_EQ(RecordLine({}, RecordFormat::Json), "{}\n");
    EXPECT_EQ(RecordLine({}, RecordFormat::Csv), "\r\n");
    // A name keeps its JSON key up to 24 bytes; a longer one is written out.
    const std::string_view longest = "name_of_twenty_four_byte";
    EXPECT_EQ(FieldName(longest).JsonKey(true), "\"name_of_twenty_four_byte\":\"");
    EXPECT_EQ(FieldName(std::string(longest) + "s").JsonKey(false), "");
    EXPECT_EQ(RecordLine({{"a_name_longer_than_any_key_kept", "v"}, {"n", std::nullopt}},
                         RecordFormat::Json),
              "{\"a_name_longer_than_any_key_kept\":\"v\",\"n\":null}\n");
    // What the program's own texts may join without a look at each record.
    EXPECT_TRUE(NeedsNoCare("土曜日・年末年始の休日"));
    for (const std::string_view careful : {"a,b", "a\"b", "a\\b", "a\tb", "a\x01", "a\xE3"}) {
        EXPECT_FALSE(NeedsNoCare(careful)) << careful;
    }
    // Well-formed sequences of every length pass; overlong forms and
    // surrogates do not.
    EXPECT_EQ(RecordLine({{"t", "é日\U0001F600１\uFFFD"}}, RecordFormat::Tsv),
              "é日\U0001F600１\uFFFD\n");
    EXPECT_EQ(RecordLine({{"t", "a\xC3"}}, RecordFormat::Tsv), "a\uFFFD\n");  // cut at the end
    // The first and last character of each length and of each lead with
    // narrower second bytes (E0, ED, F0, F4).
    const std::string edges = "\u0080\u00BF\u07FF\u0800\u0FFF\uD7FF\uE000\U00010000\U0010FFFF";
    EXPECT_EQ(RecordLine({{"t", edges}}, RecordFormat::Tsv), edges + "\n");
    // A lead byte after a character and before a byte that continues nothing.
    EXPECT_EQ(RecordLine({{"t",
                           "日\xE3"
                           "A\x81"}},
                         RecordFormat::Tsv),
              "日\uFFFDA\uFFFD\n");
    EXPECT_EQ(RecordLine({{"t", std::string("\xE3\x81") + "A\x81"}}, RecordFormat::Tsv),
              "\uFFFD\uFFFDA\uFFFD\n");  // the byte after the stray one continues nothing
    // A value cut inside a character ends there, whatever byte follows it.
    const std::string day = "日";
    std::string line;
    RecordWriter<RecordFormat::Tsv> writer(line);
    writer.Add(FieldName("t"), std::string_view(day).substr(0, 2), FieldText::Any);
    writer.End();
    EXPECT_EQ(line, "\uFFFD\uFFFD\n");
    EXPECT_EQ(CarefreeLength(std::string_view(day).substr(0, 2), RecordFormat::Tsv), 0U);
    // No lead byte beyond F4: F5 starts nothing, so each of its bytes is replaced.
    EXPECT_EQ(RecordLine({{"t", "\xF5\x80\x80\x80"}}, RecordFormat::Tsv),
              "\uFFFD\uFFFD\uFFFD\uFFFD\n");
    EXPECT_EQ(RecordLine({{"t", "\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80"}}, RecordFormat::Tsv),
              "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\n");
}

TEST(AnswerRecords, CarryTheirInputsAndKeepTheirColumns) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    const Record ok =
        DeadlineRecord("2024/12/20", "10日", Deadline("2024/12/20", "10日", {}, calendar));
    const Record wrong = DeadlineRecord("x", "10日", Deadline("x", "10日", {}, calendar));
    EXPECT_EQ(HeaderLine(ok, RecordFormat::Csv), HeaderLine(wrong, RecordFormat::Csv));
    EXPECT_EQ(RecordLine(wrong, RecordFormat::Json),
              "{\"start\":\"x\",\"period\":\"10日\",\"end\":null,\"weekday\":null,"
              "\"era_date\":null,\"unmoved_end\":null,\"rule\":null,\"reason\":null,\"notes\":null,"
              "\"status\":\"input\",\"message\":\"「始期」の日付を正しく入力してください "
              "yyyy/mm/dd\"}\n");
    EXPECT_TRUE(RecordLine(ok, RecordFormat::Tsv)
                    .starts_with("2024/12/20\t10日\t2025/01/06\t月\t令和7年1月6日\t2024/12/30\t"));
    EXPECT_EQ(
        RecordLine(DaysRecord("a", "b", ErrorNumber::Overflow), RecordFormat::Tsv),
        "a\tb\t\terror\terror 6: " + std::string(DescriptionOf(ErrorNumber::Overflow)) + "\n");
    EXPECT_EQ(
        RecordLine(InfoRecord("2030/3/20", DayInfo("2030/3/20", calendar)), RecordFormat::Json),
        "{\"date\":\"2030/3/20\",\"weekday\":\"水\",\"era_date\":\"令和12年3月20日\","
        "\"closed\":true,\"reasons\":\"春分の日\",\"notes\":\"春分日は計算による\","
        "\"status\":\"ok\",\"message\":null}\n");
    const std::vector<Record> holidays =
        HolidayRecords({{{2876, 9, 21}, "敬老の日"}, {{2876, 9, 21}, "秋分の日"}});
    ASSERT_EQ(holidays.size(), 1u);
    EXPECT_EQ(RecordLine(holidays[0], RecordFormat::Csv),
              "2876/09/21,月,令和858年9月21日,敬老の日・秋分の日\r\n");
    EXPECT_EQ(RecordLine(CalculationRecord("2013/10/28 12:00", "120",
                                           Calculate("2013/10/28 12:00", "120")),
                         RecordFormat::Tsv),
              "2013/10/28 12:00\t120\t2014/02/24 12:00:00\t月\t平成26年2月24日\tok\t\n");
}

}  // namespace
}  // namespace torvelin
