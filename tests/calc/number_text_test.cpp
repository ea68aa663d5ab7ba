// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>

#include "calc/number_text.h"
#include "calc/runtime_error.h"

namespace torvelin {
namespace {

TEST(NumberText, ReadsSignsPointsAndFullWidthForms) {
    const std::string huge(400, '9');
    // clang-format off
    const std::pair<std::string, double> cases[] = {
        {"+120", 120.0}, {"-2", -2.0}, {"0", 0.0}, {".5", 0.5}, {"5.", 5.0}, {"-.25", -0.25},
        {"007", 7.0}, {" 12 ", 12.0}, {"\u3000１２\u3000", 12.0}, {"１２０", 120.0}, {"－２", -2.0},
        {"＋３", 3.0}, {"−2", -2.0}, {"ー２", -2.0}, {"ｰ2", -2.0}, {"１．５", 1.5},
        {"123456789012.345", 123456789012.345}, {"123456789012345678901234567890", 1.2345678901234568e29},
        {huge, INFINITY}, {"-" + huge, -INFINITY}, {"0." + std::string(400, '0') + "1", 0.0},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_TRUE(IsNumberText(text)) << text;
        EXPECT_EQ(ReadNumberText(text), expected) << text;
    }
    for (const char* text :
         {"",      " ",   ".",    "-",    "+-1",   "--1",      "1-",       "1 2",
          "1,000", "1e3", "0x10", "inf",  "nan",   "abc",      "1.2.3",    "- 2",
          "１２a", "¥12", "12日", "\xFF", "1\xE2", "\xEF\xBC", "1\u30002", "٣"}) {
        EXPECT_FALSE(IsNumberText(text)) << text;
        EXPECT_EQ(ReadNumberText(text), std::nullopt) << text;
    }
}

TEST(RoundToInteger16, HalvesGoToTheEvenIntegerAndOutsideTheRangeIsAnOverflow) {
    // clang-format off
    const std::pair<double, int> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {0.49, 0}, {0.51, 1},
        {-0.51, -1}, {32767.4, 32767}, {-32768.5, -32768}, {-32767.5, -32768}, {32766.5, 32766},
    };
    // clang-format on
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(RoundToInteger16(value), expected) << value;
    }
    // Calculate's tests check that this is error 6.
    for (const double value : {32767.5, -32768.51, 1e300, -HUGE_VAL, std::nan("")}) {
        EXPECT_THROW(RoundToInteger16(value), RuntimeError) << value;
    }
}

}  // namespace
}  // namespace torvelin
