// Each test operation must agree with its conversion, and a date written and
// read again must keep its value, over many generated good and bad texts.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fuzz/conversion_checks.h"

namespace torvelin {
namespace {

const std::vector<std::string> kSeeds = {
    "2013/10/28",
    "2014/2/24",
    "0100/01/01",
    "9999/12/31",
    "2013-10-28 12:00",
    "2013年10月28日",
    "平成25年10月28日",
    "令和元年5月1日",
    "H25.10.28 6:05:09",
    "２０１３／１０／２８",
    "1899/12/30 23:59:59",
    "120",
    "-2",
    "－２",
    "ー２",
    ".5",
    "5.",
    "32768.5",
    " ３．２５ ",
};

// Pieces that matter to the readers, valid and invalid UTF-8 alike.
const std::vector<std::string> kPieces = {
    "0",    "1",      "2",  "9",  "/",    "-",        ".",        ":",
    " ",    "\u3000", "年", "月", "日",   "元",       "平成",     "令和",
    "明治", "H",      "r",  "１", "／",   "－",       "．",       "：",
    "+",    "−",      "ー", "e",  "\xFF", "\xE3\x80", "\xC0\xAF", std::string(1, '\0'),
    "\t",
};

std::string Mutate(std::string text, std::mt19937& random) {
    const auto pick = [&random](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const int edits = 1 + static_cast<int>(pick(3));
    for (int i = 0; i < edits; ++i) {
        const std::size_t at = pick(text.size() + 1);
        switch (pick(4)) {
            case 0:
                text.insert(at, kPieces[pick(kPieces.size())]);
                break;
            case 1:
                if (at < text.size()) {
                    text.erase(at, 1 + pick(3));
                }
                break;
            case 2:
                if (at < text.size()) {
                    text.replace(at, 1, kPieces[pick(kPieces.size())]);
                }
                break;
            default:
                text.insert(at, kSeeds[pick(kSeeds.size())].substr(0, pick(6)));
                break;
        }
    }
    return text;
}

TEST(TextAgreement, TestsAgreeWithConversionsAndDatesSurviveARoundTrip) {
    std::mt19937 random(20131028);
    int dates = 0;
    int numbers = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::string text = Mutate(kSeeds[i % kSeeds.size()], random);
        ASSERT_EQ(CheckConversions(text, text), "") << text;
        dates += IsDateText(text);
        numbers += IsNumberText(text);
    }
    // The corpus must exercise both sides of each test.
    EXPECT_GT(dates, 5000);
    EXPECT_GT(numbers, 5000);
    EXPECT_LT(dates + numbers, 150000);
}

}  // namespace
}  // namespace torvelin
