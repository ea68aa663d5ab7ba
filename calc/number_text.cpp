// SPDX-License-Identifier: MIT
#include "calc/number_text.h"

#include <cmath>
#include <limits>
#include <string>

#include "calc/nearest_double.h"
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
};

// Reads digits with an optional point; the digits, without the point, also
// go to `ascii` when it is given.
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
        take();
    }
    if (scanner.Accept(U'.')) {
        while (scanner.AtDigit()) {
            take();
            ++digits.fractionLength;
        }
    }
    return digits;
}

// The value of a digit string too long to be exact as an integer, rounded
// correctly. Not by std::from_chars: libc++ 14 reads no double with it, and
// strtod depends on the locale.
double ReadLongDigits(std::string_view digitsText) {
    TextScanner scanner(digitsText);
    std::string ascii;
    const DecimalDigits digits = ReadDecimalDigits(scanner, &ascii);
    return NearestDouble(ascii, -digits.fractionLength);
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
            : ReadLongDigits(text.substr(digitsBegin, digitsEnd - digitsBegin));
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
