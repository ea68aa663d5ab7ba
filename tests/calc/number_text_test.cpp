// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

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

// The bits of the double the standard library reads from a plain decimal
// text: std::from_chars where the library reads doubles with it, otherwise,
// and where from_chars leaves the value out of range, strtod (glibc's rounds
// correctly too, and a test runs in the "C" locale).
std::uint64_t LibraryBits(const std::string& text) {
    double value = std::strtod(text.c_str(), nullptr);
#if defined(__cpp_lib_to_chars)
    double exact = 0.0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), exact, std::chars_format::fixed);
    EXPECT_EQ(result.ptr, text.data() + text.size()) << text;
    if (result.ec != std::errc::result_out_of_range) {
        value = exact;
    }
#endif
    return std::bit_cast<std::uint64_t>(value);
}

// Exact in the 64-bit mantissa of an x86 long double: a point halfway
// between two doubles has 54 significant bits.
std::string ExactText(long double value) {
    std::vector<char> text(1600);
    std::snprintf(text.data(), text.size(), "%.1200Lf", value);
    std::string exact(text.data());
    exact.erase(exact.find_last_not_of('0') + 1);
    if (exact.back() == '.') {
        exact.pop_back();
    }
    return exact;
}

TEST(NumberText, ReadsTheLibrarysDoubleForLongAndHalfwayDigits) {
    static_assert(std::numeric_limits<long double>::digits >= 64);
    std::mt19937_64 random(20240601);
    std::vector<std::string> texts;
    const auto digits = [&](std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            text.push_back(static_cast<char>('0' + random() % 10));
        }
        return text;
    };
    // Any length on either side of the point, past the largest double and
    // under the smallest, with runs of zeros.
    for (int i = 0; i < 2000; ++i) {
        const std::size_t maxLength = i % 3 == 0 ? 1200 : i % 3 == 1 ? 330 : 25;
        std::string whole = std::string(random() % 3, '0') + digits(random() % maxLength);
        std::string fraction = std::string(random() % 2 == 0 ? 0 : random() % maxLength, '0') +
                               digits(random() % maxLength);
        texts.push_back((whole.empty() ? "0" : whole) + (fraction.empty() ? "" : "." + fraction));
    }
    // Halfway between two doubles, a little either side, and far out either
    // side; subnormal and near the largest too.
    for (int i = 0; i < 1000; ++i) {
        std::uint64_t bits = random() >> 1;
        if (i % 4 == 0) {
            bits &= (std::uint64_t{1} << random() % 55) - 1;  // subnormal or nearly, zero too
        } else if (i % 4 == 1) {
            bits |= std::uint64_t{0x7FD} << 52;
        }
        const double low = std::bit_cast<double>(bits);
        const long double high = low == std::numeric_limits<double>::max()
                                     ? std::ldexp(1.0L, 1024)
                                     : std::nextafter(low, INFINITY);
        if (!std::isfinite(low) || !std::isfinite(high)) {
            continue;
        }
        const long double halfway = (low + high) / 2;
        const std::string tie = ExactText(halfway);
        const std::string point = tie.find('.') == tie.npos ? "." : "";
        texts.insert(texts.end(), {tie, ExactText(std::nextafter(halfway, 0.0L)),
                                   ExactText(std::nextafter(halfway, INFINITY)),
                                   tie + point + std::string(900, '0') + "1"});
        if (point.empty()) {
            std::string below = tie;
            --below.back();
            texts.push_back(below + std::string(900, '9'));
        }
    }
    for (const std::string& text : texts) {
        const std::optional<double> value = ReadNumberText(text);
        ASSERT_TRUE(value.has_value()) << text;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*value), LibraryBits(text)) << text;
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
