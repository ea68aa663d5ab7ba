// SPDX-License-Identifier: MIT
#include "calc/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "calc/runtime_error.h"
#include "calc/text_scanner.h"

namespace torvelin {
namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kExactDigits = 15;

bool IsMinusSign(char32_t c) {
    return c == U'-' || c == U'−' || c == U'ー' || c == U'ｰ';
}

// The digits of a number as the scanner found them.
struct DecimalDigits {
    std::string_view::size_type length = 0;  // digits, both sides of the point
    int fractionLength = 0;
    std::int64_t mantissa = 0;  // exact while length <= kExactDigits
    bool integerPartNonZero = false;
};

// Reads digits with an optional point; the characters also go to `ascii`
// when it is given.
DecimalDigits ReadDecimalDigits(TextScanner& scanner, std::string* ascii) {
    DecimalDigits digits;
    const auto take = [&] {
        const char digit = static_cast<char>(scanner.Peek());
        if (++digits.length <= kExactDigits) {
            digits.mantissa = digits.mantissa * 10 + (digit - '0');
        }
        if (ascii != nullptr) {
            ascii->push_back(digit);
        }
        scanner.Advance();
    };
    while (scanner.AtDigit()) {
        digits.integerPartNonZero |= scanner.Peek() != U'0';
        take();
    }
    if (scanner.Accept(U'.')) {
        if (ascii != nullptr) {
            ascii->push_back('.');
        }
        while (scanner.AtDigit()) {
            take();
            ++digits.fractionLength;
        }
    }
    return digits;
}

// The value of a digit string too long to be exact as an integer, rounded
// correctly by the library's parser. A number beyond a double reads as
// infinity, and one too small for it as zero.
double ParseLongDigits(std::string_view digitsText, bool integerPartNonZero) {
    TextScanner scanner(digitsText);
    std::string ascii = "0";  // so that ".5" parses
    ReadDecimalDigits(scanner, &ascii);
    if (ascii.back() == '.') {
        ascii.push_back('0');  // so that "5." parses
    }
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        return integerPartNonZero ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return value;
}

}  // namespace

std::optional<double> ReadNumberText(std::string_view text) {
    TextScanner scanner(text);
    scanner.SkipBlanks();

    bool negative = false;
    if (IsMinusSign(scanner.Peek())) {
        negative = true;
        scanner.Advance();
    } else {
        scanner.Accept(U'+');
    }

    const std::size_t digitsBegin = scanner.Position();
    const DecimalDigits digits = ReadDecimalDigits(scanner, nullptr);
    const std::size_t digitsEnd = scanner.Position();
    scanner.SkipBlanks();
    if (digits.length == 0 || !scanner.AtEnd()) {
        return std::nullopt;
    }

    // Up to 15 digits the mantissa is exact as a double, and one division by
    // an exact power of ten rounds correctly.
    const double value =
        digits.length <= kExactDigits
            ? static_cast<double>(digits.mantissa) / kPowersOfTen[digits.fractionLength]
            : ParseLongDigits(text.substr(digitsBegin, digitsEnd - digitsBegin),
                              digits.integerPartNonZero);
    return negative ? -value : value;
}

bool IsNumberText(std::string_view text) {
    return ReadNumberText(text).has_value();
}

std::int16_t RoundToInteger16(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        rounded = floor + 1.0;
    }
    // Written so that NaN fails too.
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        throw RuntimeError(ErrorNumber::Overflow);
    }
    return static_cast<std::int16_t>(rounded);
}

}  // namespace torvelin
